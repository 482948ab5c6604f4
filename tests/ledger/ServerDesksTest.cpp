// Two desks on one server: a book made at one desk is entered at the other, and what each
// desk saves is in the other's figures once it reads its book again ("BİLGİLERİ GÜNCELLE").
#include "LedgerFixture.h"

#include "cashbooks/Backups.h"
#include "data/Errors.h"
#include "data/IniFile.h"
#include "data/JournalUpkeep.h"
#include "data/ServerSettings.h"

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
    for (Ledger* ledger : {&atFirst, &atSecond}) {
        ledger->setCurrencySelection(QStringLiteral("TL"));
        ledger->setPickerDate(march1);
        ledger->openBook();
    }
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
