#include "LedgerFixture.h"

#include "data/Errors.h"
#include "lists/ReferenceLists.h"

#include <QFile>

using namespace tamevo;
using tamevo::test::LedgerTest;

namespace {

const QDate jan5(2021, 1, 5), jan6(2021, 1, 6);

struct Typed {
    const char* currency;
    std::optional<double> in, out, rate;
};

struct Stored {
    std::optional<double> in, out, rate, dovizBorc, dovizAlacak;
};

std::optional<double> read(const QVariant& v)
{
    return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble());
}

QVariant variant(std::optional<double> v)
{
    return v ? QVariant(*v) : QVariant();
}

}  // namespace

class MovementSaveTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        addMovement(jan5, QStringLiteral("TL"), 10, std::nullopt, QStringLiteral("ilk"));
        ledger->setCurrencySelection(kAllCurrencies);
        ledger->openBook();
        ledger->yenile();
    }

    void type(const Typed& t)
    {
        ledger->appendMovement();
        ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), variant(t.in));
        ledger->movementEntry().setValue(QStringLiteral("alacak_tutar"), variant(t.out));
        ledger->movementEntry().setValue(QStringLiteral("doviz_kuru"), variant(t.rate));
    }

    Stored storedRow(const QString& where)
    {
        const auto v = [&](const char* column) {
            return read(queryValue(
                bookFile(),
                QStringLiteral("SELECT %1 FROM nakit WHERE %2").arg(QLatin1String(column), where)));
        };
        return {v("borc_tutar"), v("alacak_tutar"), v("doviz_kuru"), v("doviz_borc"),
                v("doviz_alacak")};
    }
};

TEST_F(MovementSaveTest, RatesAndLocalAmountsAreCompletedOnSave)
{
    const struct {
        Typed typed;
        Stored stored;
    } cases[] = {
        {{"TL", 100, std::nullopt, std::nullopt}, {100, std::nullopt, 1, 100, std::nullopt}},
        {{"USD", std::nullopt, 20, 30}, {std::nullopt, 20, 30, std::nullopt, 600}},
        {{"TL", 50, std::nullopt, 2}, {50, std::nullopt, 1, 50, std::nullopt}},
        {{"USD", 100, std::nullopt, 32.5}, {100, std::nullopt, 32.5, 3250, std::nullopt}},
        {{"EURO", 10, std::nullopt, 0}, {10, std::nullopt, 1, 10, std::nullopt}},
        {{"TL", 0, 40, std::nullopt}, {0, 40, 1, std::nullopt, 40}},
        {{"TL", -5, std::nullopt, std::nullopt}, {-5, std::nullopt, 1, std::nullopt, std::nullopt}},
        // Local amounts are rounded half away from zero to the kuruş.
        {{"USD", 0.07, std::nullopt, 1.5}, {0.07, std::nullopt, 1.5, 0.11, std::nullopt}},
        {{"EURO", std::nullopt, 1.01, 1.5}, {std::nullopt, 1.01, 1.5, std::nullopt, 1.52}},
        {{"USD", 33.33, std::nullopt, 0.3333}, {33.33, std::nullopt, 0.3333, 11.11, std::nullopt}},
    };
    for (const auto& c : cases) {
        type(c.typed);
        const QString currency = QString::fromLatin1(c.typed.currency);
        EXPECT_EQ(ledger->saveMovement({jan5, currency}), Ledger::SaveResult::Saved);
        const qlonglong nid = ledger->movements().value(QStringLiteral("nid")).toLongLong();
        const Stored s = storedRow(QStringLiteral("nid = %1").arg(nid));
        const Stored& e = c.stored;
        EXPECT_EQ(s.in, e.in) << c.typed.currency;
        EXPECT_EQ(s.out, e.out) << c.typed.currency;
        EXPECT_EQ(s.rate, e.rate) << c.typed.currency;
        EXPECT_EQ(s.dovizBorc, e.dovizBorc) << c.typed.currency;
        EXPECT_EQ(s.dovizAlacak, e.dovizAlacak) << c.typed.currency;
        EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT doviz_cinsi || islem_tarihi FROM "
                                                        "nakit WHERE nid = %1")
                                             .arg(nid))
                      .toString(),
                  currency + QStringLiteral("2021-01-05"));
    }
}

TEST_F(MovementSaveTest, OneSideChecksRefuseAndKeepTheRowPending)
{
    const int before = queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit")).toInt();
    for (const Typed& t :
         {Typed{"TL", std::nullopt, std::nullopt, std::nullopt}, Typed{"TL", 0, 0, std::nullopt}}) {
        type(t);
        try {
            ledger->saveMovement({jan5, QStringLiteral("TL")});
            FAIL() << "stored a movement without an amount";
        } catch (const ValidationError& e) {
            EXPECT_EQ(e.text(), QStringLiteral("Borç veya alacak tutarı girmelisiniz."));
        }
        EXPECT_TRUE(ledger->movements().isEditing());
        ledger->cancelPendingMovement();
    }

    type({"USD", 50, 10, 3});
    try {
        ledger->saveMovement({jan6, QStringLiteral("USD")});
        FAIL() << "stored a movement with both sides";
    } catch (const ValidationError& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Aynı anda hem borç ve alacak işlemi yapamazsınız. "
                                           "Bir tane işlemi iptal ediniz."));
    }
    EXPECT_TRUE(ledger->movements().isEditing());
    EXPECT_EQ(ledger->movements().value(QStringLiteral("doviz_cinsi")).toString(),
              QStringLiteral("USD"));
    EXPECT_EQ(ledger->movements().value(QStringLiteral("islem_tarihi")).toDate(), jan6);
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit")).toInt(), before);

    // Once the other side is cleared it is stored, and a day without movements joins the list.
    ledger->movementEntry().setValue(QStringLiteral("alacak_tutar"), QVariant());
    EXPECT_EQ(ledger->saveMovement({jan6, QStringLiteral("USD")}), Ledger::SaveResult::Saved);
    EXPECT_EQ(ledger->selectedDay(), jan6);
    EXPECT_EQ(ledger->dayFigures().in, lira(50));
    EXPECT_EQ(ledger->movements().value(QStringLiteral("aciklama")), QVariant());
    EXPECT_DOUBLE_EQ(ledger->movements().value(QStringLiteral("borc_tutar")).toDouble(), 50);
    // A second SAKLA without changes does nothing.
    EXPECT_EQ(ledger->saveMovement({jan6, QStringLiteral("USD")}),
              Ledger::SaveResult::NothingPending);
}

TEST_F(MovementSaveTest, MovingAnAmountToTheOtherSideKeepsTheOldLocalAmount)
{
    // The stored movement has its local money-in amount.
    execute(bookFile(),
            {QStringLiteral("UPDATE nakit SET doviz_borc = 10 WHERE aciklama = 'ilk'")});
    ledger->yenile();
    ASSERT_EQ(storedRow(QStringLiteral("aciklama = 'ilk'")).dovizBorc, 10);
    ASSERT_TRUE(ledger->editCurrentMovement());
    ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), QVariant());
    ledger->movementEntry().setValue(QStringLiteral("alacak_tutar"), 40.0);
    ledger->saveMovement({jan5, QStringLiteral("TL")});
    const Stored s = storedRow(QStringLiteral("aciklama = 'ilk'"));
    EXPECT_EQ(s.dovizBorc, 10);  // the old local money-in amount stays
    EXPECT_EQ(s.dovizAlacak, 40);
    EXPECT_EQ(ledger->dayFigures().out, lira(40));
}

TEST_F(MovementSaveTest, ADateInTheNextYearIsStoredInThatYearsBook)
{
    ASSERT_TRUE(ledger->editCurrentMovement());
    ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 75.0);
    ledger->movementEntry().setValue(QStringLiteral("doviz_kuru"), 2.0);
    ledger->movementEntry().setValue(QStringLiteral("aciklama"), QStringLiteral("yeni yıl"));
    ledger->movementEntry().setValue(QStringLiteral("neden"), QStringLiteral("SATIŞ"));
    ledger->movementEntry().setValue(QStringLiteral("bankaadi"), QStringLiteral("Nakit"));
    const QDate next(2022, 1, 3);

    dialogs().answer(Dialogs::Answer::No);
    EXPECT_EQ(ledger->saveMovement({next, QStringLiteral("USD")}), Ledger::SaveResult::Declined);
    EXPECT_TRUE(ledger->movements().isEditing());
    EXPECT_EQ(session.CalismaYili, 2021);

    dialogs().answer(Dialogs::Answer::Yes);
    EXPECT_EQ(ledger->saveMovement({next, QStringLiteral("USD")}), Ledger::SaveResult::Saved);
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("Kayıt yılı 2022 olacak. Devam etmek istediğinize eminmisiniz?"));
    EXPECT_EQ(session.CalismaYili, 2022);
    EXPECT_EQ(ledger->pickerDate(), next);
    ASSERT_TRUE(databaseExists(bookFile(2022)));
    EXPECT_EQ(queryValue(bookFile(2022), QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 1);
    EXPECT_EQ(joinedRows(bookFile(2022),
                         QStringLiteral("SELECT borc_tutar, doviz_kuru, aciklama, islem_tarihi, "
                                        "doviz_cinsi, neden, bankaadi, alacak_tutar FROM nakit")),
              QStringLiteral("75.0|2.0|yeni yıl|2022-01-03|USD|-|-|-"));
    // The movement being changed stays as it was in 2021.
    EXPECT_EQ(storedRow(QStringLiteral("aciklama = 'ilk'")).in, 10);
    EXPECT_EQ(ledger->selectedDay(), next);
}

TEST_F(MovementSaveTest, AFailedYearSwitchStoresNothingAndKeepsTheRowPending)
{
    SKIP_ON_SERVER("the switch fails for want of the template file");
    type({"TL", 5, std::nullopt, std::nullopt});
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Kasa.mdb"))));
    dialogs().answer(Dialogs::Answer::Yes);
    EXPECT_THROW(ledger->saveMovement({QDate(2022, 2, 1), QStringLiteral("TL")}), ValidationError);
    EXPECT_FALSE(QFile::exists(path(bookFile(2022))));
    EXPECT_EQ(session.CalismaYili, 2021);
    EXPECT_TRUE(ledger->movements().isEditing());
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 1);
    EXPECT_EQ(ledger->pickerDate(), QDate(2021, 6, 1));
}

TEST_F(MovementSaveTest, LeavingAChangedRowStoresItThroughTheSameChecks)
{
    addMovement(jan6, QStringLiteral("TL"), 1, std::nullopt);
    ledger->yenile();  // jan6 selected
    ledger->setEntryValues({jan6, QStringLiteral("TL")});
    type({"TL", 3, 4, std::nullopt});  // both sides: refused
    EXPECT_THROW(ledger->selectDay(1), ValidationError);
    EXPECT_EQ(ledger->selectedDay(), jan6);
    EXPECT_TRUE(ledger->movements().isEditing());

    ledger->movementEntry().setValue(QStringLiteral("alacak_tutar"), QVariant());
    ledger->selectDay(1);  // now it passes, completed as SAKLA completes it
    EXPECT_EQ(ledger->selectedDay(), jan5);
    const Stored s = storedRow(QStringLiteral("borc_tutar = 3"));
    EXPECT_EQ(s.rate, 1);
    EXPECT_EQ(s.dovizBorc, 3);
}
