// Opening the two-date movement browser over the whole year 2021 of 100,000 and 1,000,000
// movements (four currencies, every day of the year), for all currencies ("Hepsi") and for
// one: its figures (opening balance, money in and out, net, closing) and the first screen of
// its list, beside the best hand-written SQLite statements for the same figures and the same
// rows in the same run. Also prints the memory opening the browser adds to the process, and
// for comparison what reading the whole period at once costs.
#include "Measure.h"
#include "SampleBook.h"

#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "reports/LedgerReports.h"
#include "reports/TwoDateBrowser.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>
#include <vector>

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
        std::fprintf(stderr, "%s\n", qPrintable(sql));
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
        QStringLiteral("SELECT SUM(CASE WHEN islem_tarihi < ? THEN borc - alacak END), "
                       "SUM(CASE WHEN islem_tarihi >= ? THEN ROUND(borc * 100) END), "
                       "SUM(CASE WHEN islem_tarihi >= ? THEN ROUND(alacak * 100) END) "
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

struct Figures {
    double figures, overMovements, overTotals;
    double screen, screenBaseline;
    double open, openBaseline;
};

std::vector<Figures> measure(int count)
{
    std::vector<Figures> results;
    QTemporaryDir dir;
    bench::prepareProgramFolder(dir.path());
    Session session;
    bench::openSampleBook(session);
    const QString baselinePath = dir.filePath(QStringLiteral("baseline.db"));
    bench::addYearOfMovements(session, count, baselinePath);
    QSqlDatabase baseline =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("baseline"));
    baseline.setDatabaseName(baselinePath);
    baseline.open();
    const QSqlDatabase book = session.kasaConnection.database();

    {
        Ledger ledger(session);
        ledger.setCurrencySelection(QStringLiteral("TL"));
        ledger.openBook();
        LedgerReports reports(session, ledger);
        TwoDateBrowser browser(session, ledger, reports);

        for (const Choice& choice : kChoices) {
            const TwoDateRange range{choice.currency, kFirst, kLast};
            const QString box = choice.currency.isEmpty() ? kAllCurrencies : choice.currency;

            // Memory first, before the timed rounds leave freed memory in the process.
            bench::resetPeak();
            const double before = bench::residentMegabytes();
            browser.ikitariharasitablo(range, box);
            showScreen(browser.movements());
            const double added = bench::peakMegabytes() - before;

            Figures f{};
            const int rounds = 30;
            std::tie(f.figures, f.overTotals) =
                bench::sideBySide([&] { browser.readFigures(range); },
                                  [&] { figuresOverTotals(book, choice.currency); }, rounds);
            double again = 0;
            std::tie(again, f.overMovements) =
                bench::sideBySide([&] { browser.readFigures(range); },
                                  [&] { figuresOverMovements(baseline, choice.currency); }, rounds);
            f.figures = std::min(f.figures, again);
            std::tie(f.screen, f.screenBaseline) = bench::sideBySide(
                [&] {
                    browser.movements().showRange(range);
                    showScreen(browser.movements());
                },
                [&] { screenByHand(book, choice.currency); }, rounds);
            std::tie(f.open, f.openBaseline) = bench::sideBySide(
                [&] {
                    browser.ikitariharasitablo(range, box);
                    browser.labels();
                    showScreen(browser.movements());
                },
                [&] {
                    figuresOverTotals(book, choice.currency);
                    screenByHand(book, choice.currency);
                },
                rounds);

            char name[120];
            std::printf("-- %d movements, %s, the whole year\n", count, choice.name);
            std::snprintf(name, sizeof name, "figures vs. one statement over the day totals");
            bench::report(name, f.figures, f.overTotals);
            std::snprintf(name, sizeof name, "figures vs. statements over the movements");
            bench::report(name, f.figures, f.overMovements);
            std::snprintf(name, sizeof name, "first screen of %d rows", kScreenRows);
            bench::report(name, f.screen, f.screenBaseline);
            std::snprintf(name, sizeof name, "whole opening (figures, labels, first screen)");
            bench::report(name, f.open, f.openBaseline);
            std::printf("memory opening the browser adds: %.0f kB\n", added * 1024);
            results.push_back(f);
        }

        // For comparison: the whole period read at once, as a list held in memory would.
        bench::resetPeak();
        const double before = bench::residentMegabytes();
        const double whole = bench::seconds([&] {
            Dataset all(session.kasaConnection);
            useStatement(all, twoDateMovementsStatement({{}, kFirst, kLast}));
        });
        std::printf("reading the whole year at once instead: %.0f ms, %.0f MB\n", whole * 1000,
                    bench::peakMegabytes() - before);
        ledger.closeBook();
    }
    baseline.close();
    baseline = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("baseline"));
    return results;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const std::vector<Figures> small = measure(100000);
    const std::vector<Figures> large = measure(1000000);
    for (size_t i = 0; i < small.size(); ++i) {
        std::printf("%s, 1,000,000 / 100,000: figures %.2f, first screen %.2f, opening %.2f\n",
                    kChoices[i].name, large[i].figures / small[i].figures,
                    large[i].screen / small[i].screen, large[i].open / small[i].open);
    }
    return 0;
}
