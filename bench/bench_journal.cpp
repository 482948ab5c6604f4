// The journal of movements and the carry-over check. A change and a new movement saved
// through the ledger on a year of 100,000 movements with the journal, beside the same saves on
// a second cash book of the same movements whose journal triggers are dropped; and the
// carry-over check on a carried-over year of 1,000,000 movements, beside reading the figures
// of one day (the day start and the day's totals) on the same book.
#include "Measure.h"
#include "SampleBook.h"

#include "data/Session.h"
#include "ledger/BalanceQueries.h"
#include "ledger/CarryOver.h"
#include "ledger/Ledger.h"

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace tamevo;

namespace {

FirmaRecord record(const char* code)
{
    FirmaRecord r;
    r.values.fill(QVariant(), firmaFieldNames().size());
    r.values[1] = QString::fromLatin1(code);
    r.values[4] = QStringLiteral("Merkez");
    return r;
}

// A ledger on cash book `code` of 2021 with `count` sample movements, in the current program
// folder.
struct Book {
    Book(const char* code, int count)
    {
        session.openStartupConnections();
        session.kasaac(QString::fromLatin1(code), QStringLiteral("2021"), record(code));
        bench::addYearMovements(session, count, [](QRandomGenerator& random) {
            const bool in = random.bounded(2) == 0;
            const double amount = random.bounded(1000000) / 100.0;
            return bench::SampleMovement{QStringLiteral("TL"), in ? QVariant(amount) : QVariant(),
                                         in ? QVariant() : QVariant(amount),
                                         QStringLiteral("SATIŞ"), QStringLiteral("Nakit")};
        });
        ledger.emplace(session);
        ledger->setCurrencySelection(QStringLiteral("TL"));
        ledger->openBook();
        ledger->yenile();
    }
    ~Book()
    {
        ledger->closeBook();
        ledger.reset();
        session.closeCashBook();
    }

    // A change of the current movement's amount, saved as "SAKLA" saves it.
    void change(int round)
    {
        ledger->selectMovement(round % ledger->movements().recordCount());
        ledger->editCurrentMovement();
        ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 100.0 + round);
        ledger->movementEntry().setValue(QStringLiteral("alacak_tutar"), QVariant());
        ledger->saveMovement({ledger->selectedDay(), QStringLiteral("TL")});
    }
    // A new movement on the selected day.
    void add(int round)
    {
        ledger->appendMovement();
        ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 50.0 + round);
        ledger->saveMovement({ledger->selectedDay(), QStringLiteral("TL")});
    }

    Session session;
    std::optional<Ledger> ledger;
};

int count(Session& session, const QString& sql)
{
    QSqlQuery q(session.kasaConnection.database());
    bench::exec(q, sql);
    return q.next() ? q.value(0).toInt() : -1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    bench::prepareProgramFolder(dir.path());

    double change = 0, changeBaseline = 0, add = 0, addBaseline = 0;
    {
        Book journalled("K01", 100000);
        Book plain("K02", 100000);
        QSqlQuery drop(plain.session.kasaConnection.database());
        for (const char* trigger :
             {"nakit_gecmis_sil", "nakit_gecmis_degistir", "nakit_gecmis_geri"}) {
            bench::exec(drop, QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(trigger)));
        }
        int round = 0;
        std::tie(change, changeBaseline) = bench::sideBySide([&] { journalled.change(++round); },
                                                             [&] { plain.change(round); }, 60);
        std::tie(add, addBaseline) =
            bench::sideBySide([&] { journalled.add(++round); }, [&] { plain.add(round); }, 60);
        const int entries =
            count(journalled.session, QStringLiteral("SELECT count(*) FROM nakit_gecmis"));
        const int plainEntries =
            count(plain.session, QStringLiteral("SELECT count(*) FROM nakit_gecmis"));
        if (entries != 60 || plainEntries != 0) {
            std::fprintf(stderr, "journal entries %d and %d, not 60 and 0\n", entries,
                         plainEntries);
            return 1;
        }
    }

    double check = 0, dayFigures = 0;
    {
        Book book("K03", 1000000);
        // The year carried over into 2022, as "YIL DEVRİ AL" leaves it.
        book.session.ensureYearDatabase(2022);
        Connection next(QStringLiteral("devir"));
        book.session.openOtherYear(next, 2022);
        writeCarryOverRows(next, 2021, yearTotals(book.session.kasaConnection));
        next.close();
        // Opened again, the ledger reads its neighbour years; a change is then checked
        // against them.
        book.ledger->openBook();
        if (book.ledger->carryOverState().closedYear != 2021 ||
            !book.ledger->carryOverState().agrees()) {
            std::fprintf(stderr, "the carry-over check did not find the carried year\n");
            return 1;
        }
        Dataset dayStart(book.session.kasaConnection), dayTotals(book.session.kasaConnection);
        int day = 0;
        std::tie(check, dayFigures) = bench::sideBySide(
            [&] { book.ledger->checkCarryOver(); },
            [&] {
                const QDate date = QDate(2021, 1, 1).addDays(++day * 37 % 365);
                useStatement(dayStart, dayStartStatement(QStringLiteral("TL"), date));
                useStatement(dayTotals, dayTotalsStatement(QStringLiteral("TL"), date));
            },
            40);
    }

    bench::report("save of a changed movement, 100,000, journal", change, changeBaseline);
    bench::report("save of a new movement, 100,000, journal", add, addBaseline);
    bench::report("carry-over check against one day's figures, 1,000,000", check, dayFigures);
    return 0;
}
