// Opening the two-date movement browser over the whole year 2021 of 100,000 and 1,000,000
// movements (four currencies, every day of the year), for all currencies ("Hepsi") and for
// one: its figures (opening balance, money in and out, net, closing) and the first screen of
// its list, beside the best hand-written SQLite statements for the same figures and the same
// rows in the same run; then the large book beside the small one, in turn, for the growth of
// each cost. Also prints the memory opening the browser adds to the process, and for
// comparison what reading the whole period at once costs.
#include "Measure.h"
#include "SampleBook.h"

#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"
#include "reports/LedgerReports.h"
#include "reports/TwoDateBrowser.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

using namespace tamevo;

namespace {

// The rows a maximised browser shows at once.
constexpr int kScreenRows = 40;
const QDate kFirst(2021, 1, 1);
const QDate kLast(2021, 12, 31);

struct Choice {
    const char* name;
    QString currency;  // empty: "Hepsi"
};
const Choice kChoices[] = {{"Hepsi", {}}, {"TL", QStringLiteral("TL")}};

// The texts of the first screen, as the grid asks for them.
int showScreen(const QAbstractItemModel& model)
{
    int characters = 0;
    for (int row = 0; row < kScreenRows && row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            characters += model.index(row, column).data().toString().size();
        }
    }
    return characters;
}

// A hand-written statement, prepared and run; its rows read by `read`.
void run(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
         const std::function<void(QSqlQuery&)>& read)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : values) {
        q.addBindValue(v);
    }
    if (!q.exec()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
        std::exit(1);
    }
    read(q);
}

const QString kDay1 = kFirst.toString(Qt::ISODate);
const QString kDay2 = kLast.toString(Qt::ISODate);

// The figures over the movements, with covering indexes: the sums before the first day and
// the sums of the range.
void figuresOverMovements(const QSqlDatabase& db, const QString& currency)
{
    const QString where = currency.isEmpty() ? QString() : QStringLiteral("doviz_cinsi = ? AND ");
    QVariantList values;
    if (!currency.isEmpty()) {
        values << currency;
    }
    const auto first = [](QSqlQuery& q) {
        q.next();
        q.value(0);
        q.value(1);
    };
    run(db,
        QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE %1"
                       "islem_tarihi < ?")
            .arg(where),
        values + QVariantList{kDay1}, first);
    run(db,
        QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit WHERE %1"
                       "islem_tarihi >= ? AND islem_tarihi <= ?")
            .arg(where),
        values + QVariantList{kDay1, kDay2}, first);
}

// The same figures in one statement over the per-day totals of the cash-book file.
void figuresOverTotals(const QSqlDatabase& db, const QString& currency)
{
    const QString where = currency.isEmpty() ? QString() : QStringLiteral("doviz_cinsi = ? AND ");
    QVariantList values{kDay1, kDay1, kDay1};
    if (!currency.isEmpty()) {
        values << currency;
    }
    run(db,
        QStringLiteral("SELECT SUM(CASE WHEN islem_tarihi < ? THEN borc_kurus - alacak_kurus END), "
                       "SUM(CASE WHEN islem_tarihi >= ? THEN borc_kurus END), "
                       "SUM(CASE WHEN islem_tarihi >= ? THEN alacak_kurus END) "
                       "FROM nakit_gunluk WHERE %1islem_tarihi <= ?")
            .arg(where),
        values + QVariantList{kDay2}, [](QSqlQuery& q) {
            q.next();
            q.value(0);
            q.value(1);
            q.value(2);
        });
}

// The first screen of rows in the list's order, with the texts the grid shows.
int screenByHand(const QSqlDatabase& db, const QString& currency)
{
    const QString where = currency.isEmpty() ? QString() : QStringLiteral("doviz_cinsi = ? AND ");
    QVariantList values;
    if (!currency.isEmpty()) {
        values << currency;
    }
    int characters = 0;
    run(db,
        QStringLiteral("SELECT nid, islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, "
                       "aciklama, neden FROM nakit WHERE %1islem_tarihi <= ? AND "
                       "islem_tarihi >= ? ORDER BY islem_tarihi, nid LIMIT ?")
            .arg(where),
        values + QVariantList{kDay2, kDay1, kScreenRows}, [&](QSqlQuery& q) {
            const QLocale locale;
            while (q.next()) {
                characters += locale
                                  .toString(QDate::fromString(q.value(1).toString(), Qt::ISODate),
                                            QLocale::ShortFormat)
                                  .size();
                characters += q.value(5).toString().size();
                characters += formatAmount(q.value(2), locale).size();
                characters += formatAmount(q.value(3), locale).size();
                characters += q.value(4).toString().size() + q.value(6).toString().size();
            }
        });
    return characters;
}

// A cash book of `count` movements with its browser, and the baseline file of the same
// movements; it stays open while the other size is measured.
struct Book {
    explicit Book(int count) : count(count), baselineName(QStringLiteral("baseline%1").arg(count))
    {
        bench::prepareProgramFolder(dir.path());
        bench::openSampleBook(session);
        const QString baselinePath = dir.filePath(QStringLiteral("baseline.db"));
        bench::addYearOfMovements(session, count, baselinePath);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), baselineName);
        db.setDatabaseName(baselinePath);
        db.open();
        ledger.emplace(session);
        ledger->setCurrencySelection(QStringLiteral("TL"));
        ledger->openBook();
        reports.emplace(session, *ledger);
        browser.emplace(session, *ledger, *reports);
    }
    ~Book()
    {
        browser.reset();
        reports.reset();
        ledger.reset();
        QSqlDatabase::database(baselineName, false).close();
        QSqlDatabase::removeDatabase(baselineName);
    }
    QSqlDatabase book() const { return session.kasaConnection.database(); }
    QSqlDatabase baseline() const { return QSqlDatabase::database(baselineName, false); }

    // What the user waits for: the figures, the labels and the first screen of rows.
    void open(const TwoDateRange& range, const QString& box)
    {
        browser->ikitariharasitablo(range, box);
        browser->labels();
        showScreen(browser->movements());
    }
    void firstScreen(const TwoDateRange& range)
    {
        browser->movements().showRange(range);
        showScreen(browser->movements());
    }

    int count;
    QString baselineName;
    QTemporaryDir dir;
    Session session;
    std::optional<Ledger> ledger;
    std::optional<LedgerReports> reports;
    std::optional<TwoDateBrowser> browser;
};

constexpr int kRounds = 30;

// One size beside the hand-written statements, and the memory opening the browser adds.
void measure(Book& b)
{
    for (const Choice& choice : kChoices) {
        const TwoDateRange range{choice.currency, kFirst, kLast};
        const QString box = choice.currency.isEmpty() ? kAllCurrencies : choice.currency;

        // Memory first, before the timed rounds leave freed memory in the process.
        bench::resetPeak();
        const double before = bench::residentMegabytes();
        b.open(range, box);
        const double added = bench::peakMegabytes() - before;

        const auto figures = [&] { b.browser->readFigures(range); };
        const auto [f1, overTotals] = bench::sideBySide(
            figures, [&] { figuresOverTotals(b.book(), choice.currency); }, kRounds);
        const auto [f2, overMovements] = bench::sideBySide(
            figures, [&] { figuresOverMovements(b.baseline(), choice.currency); }, kRounds);
        const auto [screen, screenBaseline] =
            bench::sideBySide([&] { b.firstScreen(range); },
                              [&] { screenByHand(b.book(), choice.currency); }, kRounds);
        const auto [open, openBaseline] =
            bench::sideBySide([&] { b.open(range, box); },
                              [&] {
                                  figuresOverTotals(b.book(), choice.currency);
                                  screenByHand(b.book(), choice.currency);
                              },
                              kRounds);

        std::printf("-- %d movements, %s, the whole year\n", b.count, choice.name);
        bench::report("figures vs. one statement over the day totals", f1, overTotals);
        bench::report("figures vs. statements over the movements", f2, overMovements);
        char name[64];
        std::snprintf(name, sizeof name, "first screen of %d rows", kScreenRows);
        bench::report(name, screen, screenBaseline);
        bench::report("whole opening (figures, labels, first screen)", open, openBaseline);
        std::printf("memory opening the browser adds: %.0f kB\n", added * 1024);
    }

    // For comparison: the whole period read at once, as a list held in memory would.
    bench::resetPeak();
    const double before = bench::residentMegabytes();
    const double whole = bench::seconds([&] {
        Dataset all(b.session.kasaConnection);
        useStatement(all, twoDateMovementsStatement({{}, kFirst, kLast}));
    });
    std::printf("reading the whole year at once instead: %.0f ms, %.0f MB\n", whole * 1000,
                bench::peakMegabytes() - before);
}

// The large book beside the small one, in turn, so a load on the machine weighs on both.
void compare(Book& large, Book& small)
{
    std::printf("-- %d beside %d movements (the ratio is the cost's growth)\n", large.count,
                small.count);
    for (const Choice& choice : kChoices) {
        const TwoDateRange range{choice.currency, kFirst, kLast};
        const QString box = choice.currency.isEmpty() ? kAllCurrencies : choice.currency;
        char name[64];
        const auto [f1, f2] =
            bench::sideBySide([&] { large.browser->readFigures(range); },
                              [&] { small.browser->readFigures(range); }, kRounds);
        std::snprintf(name, sizeof name, "%s: figures", choice.name);
        bench::report(name, f1, f2);
        const auto [s1, s2] = bench::sideBySide([&] { large.firstScreen(range); },
                                                [&] { small.firstScreen(range); }, kRounds);
        std::snprintf(name, sizeof name, "%s: first screen of %d rows", choice.name, kScreenRows);
        bench::report(name, s1, s2);
        const auto [o1, o2] = bench::sideBySide([&] { large.open(range, box); },
                                                [&] { small.open(range, box); }, kRounds);
        std::snprintf(name, sizeof name, "%s: whole opening", choice.name);
        bench::report(name, o1, o2);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    Book small(100000);
    measure(small);
    Book large(1000000);
    measure(large);
    compare(large, small);
    return 0;
}
