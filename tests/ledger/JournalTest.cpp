#include "LedgerFixture.h"
#include "support/TurkishLocale.h"

#include "data/Errors.h"
#include "data/JournalUpkeep.h"
#include "data/Schema.h"
#include "ledger/CarryOver.h"
#include "ledger/MovementJournal.h"
#include "lists/ReferenceLists.h"

using namespace tamevo;
using tamevo::test::LedgerTest;

namespace {

const QDate jan5(2021, 1, 5), jan6(2021, 1, 6), mar1(2021, 3, 1);

}  // namespace

class JournalTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt, QStringLiteral("satış"));
        addMovement(jan6, QStringLiteral("TL"), std::nullopt, 30.5, QStringLiteral("kira"),
                    QStringLiteral("KİRA"));
        addMovement(jan6, QStringLiteral("TL"), 12.25, std::nullopt, QStringLiteral("nakit"));
        ledger->openBook();
    }

    // What the ledger shows of the book: the date list, every day's figures, and the
    // per-day totals as stored.
    QString bookAsShown()
    {
        QStringList parts;
        for (int row = 0; row < ledger->dateList().recordCount(); ++row) {
            ledger->selectDay(row);
            const DayFigures f = ledger->dayFigures();
            parts << QStringLiteral("%1 %2 +%3 -%4")
                         .arg(ledger->selectedDay().toString(Qt::ISODate), f.dayStart.text(),
                              f.in.text(), f.out.text());
        }
        parts << joinedRows(bookFile(),
                            QStringLiteral("SELECT islem_tarihi, doviz_cinsi, borc_kurus, "
                                           "alacak_kurus, adet FROM nakit_gunluk "
                                           "ORDER BY islem_tarihi, doviz_cinsi"));
        return parts.join(QLatin1Char('|'));
    }

    // The journal, oldest first: kind, nid, changed columns, amount in, description.
    QString journal()
    {
        return joinedRows(bookFile(),
                          QStringLiteral("SELECT islem, nid, degisen, borc_tutar, aciklama "
                                         "FROM nakit_gecmis ORDER BY gid"),
                          QStringLiteral(";"), QStringLiteral(" "));
    }

    qint64 newestEntry()
    {
        return queryValue(bookFile(), QStringLiteral("SELECT MAX(gid) FROM nakit_gecmis"))
            .toLongLong();
    }

    JournalEntry entry(qint64 gid)
    {
        QSqlDatabase db = session.kasaConnection.database();
        return readJournalEntry(db, gid);
    }

    void selectMovement(const QDate& day, const QString& description)
    {
        select(day);
        for (int row = 0; row < ledger->movements().recordCount(); ++row) {
            if (ledger->movements().valueAt(row, QStringLiteral("aciklama")).toString() ==
                description) {
                ledger->selectMovement(row);
                return;
            }
        }
        FAIL() << "no movement " << description.toStdString();
    }

    tamevo::test::TurkishLocale turkish;
};

TEST_F(JournalTest, ADeletedMovementComesBackWithItsNumberAndTheFiguresAsBefore)
{
    const QString before = bookAsShown();
    selectMovement(jan5, QStringLiteral("satış"));
    const qint64 nid = ledger->currentMovementId();
    // A scanned document of the movement stays while it is deleted and is its own again when
    // it comes back.
    execute(bookFile(), {QStringLiteral("INSERT INTO resimnakit (resimadi, nakidid) "
                                        "VALUES ('fatura', %1)")
                             .arg(nid)});
    ledger->deleteCurrentMovement();
    // The day had one movement: it leaves the date list and the totals.
    EXPECT_NE(bookAsShown(), before);
    EXPECT_EQ(journal(), QStringLiteral("SİLİNDİ %1 - 100.0 satış").arg(nid));
    // The program's own deletes name the computer and the user.
    EXPECT_EQ(
        joinedRows(bookFile(), QStringLiteral("SELECT bilgisayar, kullanici FROM nakit_gecmis"),
                   QStringLiteral(";"), QStringLiteral("/")),
        computerName() + QLatin1Char('/') + systemUserName());

    const JournalEntry deleted = entry(newestEntry());
    EXPECT_EQ(deleted.action, JournalAction::PutBack);
    EXPECT_EQ(journalQuestion(deleted), QString());
    ledger->bringBack(deleted);
    EXPECT_EQ(ledger->selectedDay(), jan5);
    EXPECT_EQ(ledger->currentMovementId(), nid);
    EXPECT_EQ(bookAsShown(), before);
    EXPECT_EQ(journal(),
              QStringLiteral("SİLİNDİ %1 - 100.0 satış;GERİ GELDİ %1 - 100.0 satış").arg(nid));
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT n.aciklama FROM resimnakit r JOIN "
                                                    "nakit n ON n.nid = r.nakidid"))
                  .toString(),
              QStringLiteral("satış"));

    // A second "Geri Al" on the same deletion is refused; the bringing back is undone by
    // deleting again.
    EXPECT_THROW(entry(newestEntry() - 1), ValidationError);
    const JournalEntry broughtBack = entry(newestEntry());
    EXPECT_EQ(broughtBack.action, JournalAction::DeleteAgain);
    EXPECT_TRUE(journalQuestion(broughtBack)
                    .contains(QStringLiteral("05.01.2021  Giren: 100,00 TL  satış")));
    ledger->bringBack(broughtBack);
    EXPECT_EQ(
        queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit WHERE nid = %1").arg(nid))
            .toInt(),
        0);
}

TEST_F(JournalTest, AMovementChangedTwiceGetsItsFirstValuesBack)
{
    const QString before = bookAsShown();
    const auto change = [&](const char* description, double in) {
        selectMovement(jan6, QStringLiteral("nakit"));
        ASSERT_TRUE(ledger->editCurrentMovement());
        ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), in);
        ledger->movementEntry().setValue(QStringLiteral("aciklama"),
                                         QString::fromUtf8(description));
        ASSERT_EQ(ledger->saveMovement({jan6, QStringLiteral("TL")}), Ledger::SaveResult::Saved);
    };
    change("nakit", 50);
    const qint64 firstChange = newestEntry();
    change("nakit 2", 75);
    // Each entry holds the values before its change and the columns it touched.
    const QString changedColumns =
        joinedRows(bookFile(), QStringLiteral("SELECT degisen FROM nakit_gecmis ORDER BY gid"));
    EXPECT_EQ(changedColumns,
              QStringLiteral("borc_tutar,doviz_borc;borc_tutar,doviz_borc,aciklama"));

    const JournalEntry first = entry(firstChange);
    EXPECT_EQ(first.action, JournalAction::RestoreEarlier);
    EXPECT_TRUE(
        journalQuestion(first).contains(QStringLiteral("06.01.2021  Giren: 12,25 TL  nakit")));
    ledger->bringBack(first);
    EXPECT_EQ(ledger->selectedDay(), jan6);
    EXPECT_EQ(ledger->currentMovementValue(QStringLiteral("aciklama")).toString(),
              QStringLiteral("nakit"));
    EXPECT_EQ(bookAsShown(), before);
    // The restore is a change of its own, journalled with the values it replaced.
    EXPECT_TRUE(
        journal().endsWith(QStringLiteral("DEĞİŞTİ 3 borc_tutar,doviz_borc,aciklama 75.0 nakit 2")))
        << journal().toStdString();
}

TEST_F(JournalTest, ChangesFromOutsideTheProgramAreJournalledAndComeBack)
{
    const QString before = bookAsShown();
    // Another tool on the file: a plain delete, and an update that changes nothing.
    execute(bookFile(), {QStringLiteral("DELETE FROM nakit WHERE aciklama = 'kira'"),
                         QStringLiteral("UPDATE nakit SET aciklama = aciklama")});
    EXPECT_EQ(journal(), QStringLiteral("SİLİNDİ 2 - - kira"));
    EXPECT_EQ(joinedRows(bookFile(), QStringLiteral("SELECT bilgisayar FROM nakit_gecmis")),
              QStringLiteral("-"));
    ledger->bringBack(entry(newestEntry()));
    EXPECT_EQ(bookAsShown(), before);
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT neden FROM nakit WHERE nid = 2")),
              QStringLiteral("KİRA"));
}

TEST_F(JournalTest, BringingBackRefusesWhatSaklaRefuses)
{
    // A movement of another year (moved there by another tool) and one without an amount.
    execute(bookFile(),
            {QStringLiteral("UPDATE nakit SET islem_tarihi = '2020-12-31' WHERE nid = 1"),
             QStringLiteral("DELETE FROM nakit WHERE nid = 1"),
             QStringLiteral("UPDATE nakit SET alacak_tutar = NULL WHERE nid = 2"),
             QStringLiteral("DELETE FROM nakit WHERE nid = 2")});
    ledger->yenile();
    const QString before = bookAsShown();
    const qint64 newest = newestEntry();
    const struct {
        qint64 gid;
        QString message;
    } cases[] = {{newest - 2, kJournalOtherYear}, {newest, kNeedAmount}};
    for (const auto& c : cases) {
        try {
            ledger->bringBack(entry(c.gid));
            ADD_FAILURE() << "brought back " << c.gid;
        } catch (const ValidationError& refused) {
            EXPECT_EQ(refused.text(), c.message);
        }
    }
    EXPECT_EQ(bookAsShown(), before);
    EXPECT_EQ(newestEntry(), newest);
}

TEST_F(JournalTest, OldEntriesArePrunedAtOpeningAsTheSettingSays)
{
    execute(bookFile(), {QStringLiteral("DELETE FROM nakit WHERE nid = 1"),
                         QStringLiteral("DELETE FROM nakit WHERE nid = 2"),
                         QStringLiteral("UPDATE nakit_gecmis SET zaman = '2021-01-10 09:00:00' "
                                        "WHERE nid = 1")});
    const auto reopenAndCount = [&] {
        ledger->closeBook();
        session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), tamevo::test::merkezRecord());
        return queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit_gecmis")).toInt();
    };
    EXPECT_EQ(journalKeepingDays(), 0);
    EXPECT_EQ(reopenAndCount(), 2);
    setJournalKeepingDays(30);
    EXPECT_EQ(journalKeepingDays(), 30);
    EXPECT_EQ(reopenAndCount(), 1);
    programSettingsFile().write(QStringLiteral("Gecmis"), QStringLiteral("SaklamaGun"),
                                QStringLiteral("otuz"));
    EXPECT_EQ(journalKeepingDays(), 0);
}

TEST_F(JournalTest, AnOlderBookGetsItsJournalAndYearlyTotalsWhenOpened)
{
    SKIP_ON_SERVER("a book on the server is made whole from the description, never older");
    ledger->closeBook();
    session.closeCashBook();
    QStringList drops;
    for (const char* name : {"nakit_gecmis_sil", "nakit_gecmis_degistir", "nakit_gecmis_geri",
                             "nakit_yillik_ekle", "nakit_yillik_sil", "nakit_yillik_degistir"}) {
        drops << QStringLiteral("DROP TRIGGER %1").arg(QLatin1String(name));
    }
    drops << QStringLiteral("DROP TABLE nakit_gecmis") << QStringLiteral("DROP TABLE nakit_yillik");
    execute(bookFile(), drops);
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), tamevo::test::merkezRecord());
    execute(bookFile(), {QStringLiteral("DELETE FROM nakit WHERE nid = 3")});
    EXPECT_EQ(journal(), QStringLiteral("SİLİNDİ 3 - 12.25 nakit"));
    const QList<CurrencyTotal> totals = yearTotals(session.kasaConnection);
    ASSERT_EQ(totals.size(), 1);
    EXPECT_EQ(totals[0].inKurus, 10000);
    EXPECT_EQ(totals[0].outKurus, 3050);
}

class CarryOverCheckTest : public JournalTest {
protected:
    void SetUp() override
    {
        JournalTest::SetUp();
        addMovement(mar1, QStringLiteral("USD"), 40, std::nullopt, QStringLiteral("döviz"));
        for (int i = 0; i < 2; ++i) {
            dialogs().answer(Dialogs::Answer::Yes);
        }
        ledger->openBook();
        YilSonuDevri(*ledger, [](const QString&) {});
        ledger->refreshAfterCarryOver();
        ASSERT_TRUE(ledger->carryOverState().agrees());
        ASSERT_EQ(ledger->carryOverState().closedYear, 2021);
    }

    void openYear(int year)
    {
        ledger->closeBook();
        session.kasaac(QStringLiteral("K01"), QString::number(year), tamevo::test::merkezRecord());
        ledger->setCurrencySelection(kAllCurrencies);
        ledger->openBook();
        ledger->yenile();
    }
};

TEST_F(CarryOverCheckTest, AChangedOldYearIsNamedUntilTheCarryOverIsTakenAgain)
{
    openYear(2021);
    QList<CarryOverState> told;
    QObject::connect(&*ledger, &Ledger::carryOverMismatchFound,
                     [&](const CarryOverState& s) { told << s; });
    selectMovement(jan6, QStringLiteral("kira"));
    ledger->deleteCurrentMovement();

    const CarryOverState state = ledger->carryOverState();
    ASSERT_EQ(state.mismatches.size(), 1);
    EXPECT_EQ(state.closedYear, 2021);
    EXPECT_EQ(state.mismatches[0].currency, QStringLiteral("TL"));
    EXPECT_EQ(state.mismatches[0].difference(), Money::fromKurus(3050));
    EXPECT_EQ(carryOverWarning(state),
              QStringLiteral("2021 yılından 2022 yılına devir tutarları uyuşmuyor: TL fark 30,50"));
    EXPECT_EQ(carryOverQuestion(state),
              QStringLiteral("2021 yılının kapanış bakiyeleri 2022 yılına devredilen tutarlarla "
                             "uyuşmuyor:\n\rTL: kapanış 112,25, devir 81,75, fark 30,50\n\r"
                             "Yıl devri yeniden alınsın mı?"));
    // Said once: another change with the same outcome does not ask again.
    selectMovement(jan5, QStringLiteral("satış"));
    ASSERT_TRUE(ledger->editCurrentMovement());
    ledger->movementEntry().setValue(QStringLiteral("aciklama"), QStringLiteral("satış 2"));
    ledger->saveMovement({jan5, QStringLiteral("TL")});
    EXPECT_EQ(told.size(), 1);

    // The new year, opened, sees the same difference.
    openYear(2022);
    EXPECT_EQ(ledger->carryOverState(), state);
    ledger->retakeCarryOver();
    EXPECT_TRUE(ledger->carryOverState().agrees());
    // Under "Hepsi": TL 112,25 and USD 40,00 on 1 January.
    EXPECT_EQ(ledger->dayFigures().in, Money::fromKurus(15225));
    openYear(2021);
    EXPECT_TRUE(ledger->carryOverState().agrees());

    // Taken again from the old year, the new year's rows are replaced in place.
    selectMovement(mar1, QStringLiteral("döviz"));
    ASSERT_TRUE(ledger->editCurrentMovement());
    ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 45.0);
    ledger->saveMovement({mar1, QStringLiteral("USD")});
    ASSERT_EQ(ledger->carryOverState().mismatches.size(), 1);
    EXPECT_EQ(ledger->carryOverState().mismatches[0].currency, QStringLiteral("USD"));
    // Told at the change, at the opening of 2022, and now of USD.
    EXPECT_EQ(told.size(), 3);
    ledger->retakeCarryOver();
    EXPECT_TRUE(ledger->carryOverState().agrees());
    EXPECT_EQ(joinedRows(bookFile(2022),
                         QStringLiteral("SELECT doviz_cinsi, borc_tutar FROM nakit "
                                        "WHERE neden = 'DEVİR' ORDER BY doviz_cinsi"),
                         QStringLiteral(";"), QString()),
              QStringLiteral("TL112.25;USD45.0"));
}
