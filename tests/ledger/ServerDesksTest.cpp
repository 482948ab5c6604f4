// Two desks on one server: a book made at one desk is entered at the other, and what each
// desk saves is in the other's figures once it reads its book again ("BİLGİLERİ GÜNCELLE").
#include "LedgerFixture.h"

#include "cashbooks/Backups.h"
#include "data/Errors.h"
#include "data/IniFile.h"
#include "data/JournalUpkeep.h"
#include "data/ServerSettings.h"

#include <QElapsedTimer>
#include <QThread>

using namespace tamevo;
using namespace tamevo::test;

namespace {

class TwoDesksTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        TAMEVO_REQUIRE_TEST_SERVER();
        server.emplace();
        writeServerSettings(programSettingsFile(), server->settings());
    }

    void TearDown() override
    {
        for (Session* desk : {&first, &second}) {
            desk->kasaConnection.close();
            desk->ADOConnection1.close();
        }
        ProgramFolderTest::TearDown();
        server.reset();
    }

    // Opens both desks' ledgers on TL and `day`.
    static void openLedgers(Ledger& atFirst, Ledger& atSecond, const QDate& day)
    {
        for (Ledger* ledger : {&atFirst, &atSecond}) {
            ledger->setCurrencySelection(QStringLiteral("TL"));
            ledger->setPickerDate(day);
            ledger->openBook();
        }
    }

    // Saves money in (or out, when negative) on a day of the desk's ledger.
    static void save(Ledger& ledger, const QDate& day, double amount)
    {
        ledger.setPickerDate(day);
        ledger.appendMovement();
        ledger.movementEntry().setValue(
            amount > 0 ? QStringLiteral("borc_tutar") : QStringLiteral("alacak_tutar"),
            std::abs(amount));
        ASSERT_EQ(ledger.saveMovement({day, QStringLiteral("TL")}), Ledger::SaveResult::Saved);
    }

    // The day's figures as the desk shows them (in the tests' own locale): day start, in,
    // out.
    static QString shown(Ledger& ledger, const QDate& day)
    {
        const Dataset& days = ledger.dateList();
        for (int row = 0; row < days.recordCount(); ++row) {
            if (days.valueAt(row, QStringLiteral("islem_tarihi")).toDate() == day) {
                ledger.selectDay(row);
                const DayFigures f = ledger.dayFigures();
                return f.dayStart.text() + QLatin1Char('/') + f.in.text() + QLatin1Char('/') +
                       f.out.text();
            }
        }
        return QStringLiteral("no day");
    }

    std::optional<TestServerDatabase> server;
    Session first;
    Session second;
};

}  // namespace

TEST_F(TwoDesksTest, ABookMadeAtOneDeskIsEnteredAtTheOtherAndTheirSavesMeet)
{
    const QDate march1(2021, 3, 1), march2(2021, 3, 2);
    first.openStartupConnections();
    second.openStartupConnections();
    // The first desk makes the book's year; the second enters it without a record to make
    // one with, as a book that exists is entered.
    first.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), merkezRecord());
    second.kasaac(QStringLiteral("k01"), QStringLiteral("2021"), {});
    EXPECT_EQ(second.openBookCode, QStringLiteral("K01"));

    Ledger atFirst(first);
    Ledger atSecond(second);
    openLedgers(atFirst, atSecond, march1);
    save(atFirst, march1, 100);
    save(atSecond, march1, -30.25);
    save(atSecond, march2, 7.5);
    atFirst.yenile();
    atSecond.yenile();
    for (Ledger* ledger : {&atFirst, &atSecond}) {
        EXPECT_EQ(shown(*ledger, march1), QStringLiteral(".00/100.00/30.25"));
        EXPECT_EQ(shown(*ledger, march2), QStringLiteral("69.75/7.50/.00"));
    }
    // The figures are the sums of the movements, to the kuruş.
    EXPECT_EQ(joinedRows(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT islem_tarihi, borc_kurus, alacak_kurus, adet "
                                        "FROM nakit_gunluk ORDER BY islem_tarihi")),
              QStringLiteral("2021-03-01|10000|3025|2;2021-03-02|750|0|1"));
}

TEST_F(TwoDesksTest, BackupsAndRestoresSayTheyCannotTakeTheBooksOfTheServer)
{
    // The archives hold local files only: each command refuses before it asks anything,
    // rather than report a backup done with none of the server's books in it.
    first.openStartupConnections();
    first.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), merkezRecord());
    Backups backups(first);
    const std::vector<std::function<void()>> commands{
        [&] { backups.TekKasaYedekle(QStringLiteral("K01")); },
        [&] { backups.TumunuYedekle(); },
        [&] { backups.TumunuYedekleOto(); },
        [&] { backups.TekKasaGeriYukle(); },
        [&] { backups.TumFirmalarGeriYukle(); },
    };
    for (const auto& command : commands) {
        try {
            command();
            ADD_FAILURE() << "no refusal";
        } catch (const ValidationError& refusal) {
            EXPECT_EQ(refusal.text(), kServerBackupRefused);
        }
    }
}

namespace {

// Lets the message loop run until `done` holds, for at most `ms` milliseconds.
template <typename Condition>
bool waitUntil(Condition done, int ms = 5000)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

}  // namespace

TEST_F(TwoDesksTest, AnotherDesksSaveReachesTheFiguresWithoutAClickButNeverAMovementBeingTyped)
{
    const QDate march1(2021, 3, 1);
    first.openStartupConnections();
    second.openStartupConnections();
    first.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), merkezRecord());
    second.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), {});
    Ledger atFirst(first);
    Ledger atSecond(second);
    openLedgers(atFirst, atSecond, march1);
    int followedAtFirst = 0;
    int followedAtSecond = 0;
    QObject::connect(&atFirst, &Ledger::followedOtherDesks, [&] { ++followedAtFirst; });
    QObject::connect(&atSecond, &Ledger::followedOtherDesks, [&] { ++followedAtSecond; });

    // A save at the first desk: the second's date list and figures follow by themselves.
    save(atFirst, march1, 100);
    ASSERT_TRUE(waitUntil([&] { return followedAtSecond == 1; }));
    EXPECT_EQ(atSecond.selectedDay(), march1);
    EXPECT_EQ(atSecond.dayFigures().in, Money::fromKurus(10000));
    EXPECT_EQ(atSecond.movements().recordCount(), 1);

    // A movement typed at the second desk waits, never stored by the reading, while the
    // first desk saves again; once it is dropped the figures follow.
    atSecond.appendMovement();
    atSecond.movementEntry().setValue(QStringLiteral("alacak_tutar"), 5.0);
    save(atFirst, march1, 20.5);
    EXPECT_FALSE(waitUntil([&] { return followedAtSecond == 2; }, 1500));
    EXPECT_TRUE(atSecond.hasPendingMovement());
    EXPECT_EQ(joinedRows(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT borc_kurus, alacak_kurus, adet FROM nakit_gunluk")),
              QStringLiteral("12050|0|2"));
    atSecond.cancelPendingMovement();
    ASSERT_TRUE(waitUntil([&] { return followedAtSecond == 2; }));
    EXPECT_EQ(atSecond.dayFigures().in, Money::fromKurus(12050));

    // A desk's own saves are not read again as another's.
    QCoreApplication::processEvents();
    EXPECT_EQ(followedAtFirst, 0);
}
