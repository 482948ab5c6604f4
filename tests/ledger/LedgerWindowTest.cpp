#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "ledger/Ledger.h"

#include "support/ProgramFixture.h"

#include <QDateEdit>
#include <QLabel>
#include <QTableView>
#include <QTableWidget>

using namespace tamevo;
using tamevo::test::ProgramTest;

namespace {
const QDate jan4(2021, 1, 4), jan5(2021, 1, 5);
}

class LedgerWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
        enter(QStringLiteral("K01"), QStringLiteral("2021"));
        ledgerWindow = program->kasaRF;
        entry = program->kasaF;
        ASSERT_TRUE(ledgerWindow->isVisible());
    }

    // Records a movement through the ledger's YENİ and the movement window.
    void record(const QDate& day, const QString& currency, const QString& in, const QString& out,
                const QString& rate = {})
    {
        ledgerWindow->newButton->click();
        ASSERT_TRUE(entry->isVisible());
        entry->vadesiDate->setDate(day);
        entry->setCurrencyText(currency);
        if (!in.isEmpty()) {
            type(entry->inEdit, in);
        }
        if (!out.isEmpty()) {
            type(entry->outEdit, out);
        }
        if (!rate.isEmpty()) {
            type(entry->rateEdit, rate);
        }
        type(entry->descriptionEdit, QStringLiteral("satis"));
        entry->saveButton->click();
    }

    QString label(QLabel* l) const { return l->text(); }

    TkasaRF* ledgerWindow = nullptr;
    TkasaF* entry = nullptr;
};

TEST_F(LedgerWindowTest, RecordingMovementsShowsTheDaysFiguresWithTurkishSeparators)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("1500"), {});
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("İşlem başarıyla kayıt edildi")});
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), {}, QStringLiteral("30,5"));
    entry->closeButton->click();

    EXPECT_EQ(ledgerWindow->DBGrid2->model()->rowCount(), 2);
    EXPECT_EQ(ledgerWindow->DBGrid2->model()->index(0, 0).data().toString(),
              QStringLiteral("05.01.2021 Sal"));
    EXPECT_EQ(label(ledgerWindow->dayHeaderLabel), QStringLiteral("05.01.2021 KASA"));
    EXPECT_EQ(label(ledgerWindow->dayStartLabel), QStringLiteral("1.500,00"));
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("100,00"));
    EXPECT_EQ(label(ledgerWindow->dayOutLabel), QStringLiteral("30,50"));
    EXPECT_EQ(label(ledgerWindow->dayBalanceLabel), QStringLiteral("69,50"));
    EXPECT_EQ(label(ledgerWindow->Label10), QStringLiteral("1.569,50"));

    // The movement grid: money in orange text, money out pale blue.
    QAbstractItemModel* movements = ledgerWindow->DBGrid1->model();
    ASSERT_EQ(movements->rowCount(), 2);
    EXPECT_EQ(movements->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Giren Para"));
    EXPECT_EQ(movements->index(0, 2).data().toString(), QStringLiteral("100,00"));
    EXPECT_EQ(movements->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(230, 98, 19));
    EXPECT_EQ(movements->index(1, 3).data().toString(), QStringLiteral("30,50"));
    EXPECT_EQ(movements->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
              QColor(223, 235, 255));
    EXPECT_EQ(movements->index(1, 4).data().toString(), QStringLiteral("1,0000"));

    // Selecting the other day.
    QTest::mouseClick(
        ledgerWindow->DBGrid2->viewport(), Qt::LeftButton, {},
        ledgerWindow->DBGrid2->visualRect(ledgerWindow->DBGrid2->model()->index(1, 0)).center());
    EXPECT_EQ(label(ledgerWindow->dayStartLabel), QStringLiteral(",00"));
    EXPECT_EQ(label(ledgerWindow->Label10), QStringLiteral("1.500,00"));
    EXPECT_EQ(ledgerWindow->StringGrid3->currentRow() + 1, 4);
}

TEST_F(LedgerWindowTest, ChangingAndDeletingAMovement)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("20"), {});
    entry->closeButton->click();
    ledgerWindow->DBGrid1->selectRow(0);
    ledgerWindow->changeButton->click();
    ASSERT_TRUE(entry->isVisible());
    EXPECT_EQ(entry->inEdit->text(), QStringLiteral("100,00"));
    type(entry->inEdit, QStringLiteral("250"));
    entry->saveButton->click();
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("270,00"));

    dialogs().answer(Dialogs::Answer::No);
    ledgerWindow->deleteButton->click();
    EXPECT_EQ(ledgerWindow->DBGrid1->model()->rowCount(), 2);
    dialogs().answer(Dialogs::Answer::Yes);
    ledgerWindow->deleteButton->click();
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("Kaydı silmek istediğinize eminmisiniz?"));
    EXPECT_EQ(ledgerWindow->DBGrid1->model()->rowCount(), 1);
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("20,00"));
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT SUM(borc_tutar) FROM nakit"))
                  .toDouble(),
              20.0);
}

TEST_F(LedgerWindowTest, RefusedSaveKeepsTheWindowOnThePendingMovement)
{
    ledgerWindow->newButton->click();
    // An empty book has no selected day: the movement window starts on today.
    EXPECT_EQ(entry->vadesiDate->date(), QDate::currentDate());
    entry->vadesiDate->setDate(jan5);
    type(entry->inEdit, QStringLiteral("50"));
    type(entry->outEdit, QStringLiteral("10"));
    entry->saveButton->click();
    EXPECT_EQ(
        dialogs().messages().last(),
        QStringLiteral(
            "Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz."));
    EXPECT_TRUE(program->ledger().kasaTable.isEditing());
    entry->cancelButton->click();
    EXPECT_FALSE(program->ledger().kasaTable.isEditing());
    EXPECT_EQ(
        queryValue(QStringLiteral("Data/K012021.mdb"), QStringLiteral("SELECT count(*) FROM nakit"))
            .toInt(),
        0);
}

TEST_F(LedgerWindowTest, AllCurrenciesShowTheSummaryGridSizedByItsRows)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("USD"), QStringLiteral("10"), {}, QStringLiteral("30"));
    entry->closeButton->click();
    EXPECT_FALSE(ledgerWindow->DBGrid3->isVisibleTo(ledgerWindow));

    choose(ledgerWindow->dovizBox, QStringLiteral("Hepsi"));
    EXPECT_TRUE(ledgerWindow->DBGrid3->isVisibleTo(ledgerWindow));
    EXPECT_EQ(ledgerWindow->DBGrid3->height(), 74);
    EXPECT_EQ(ledgerWindow->DBGrid3->model()->rowCount(), 2);
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("110,00"));
    EXPECT_EQ(ledgerWindow->DBGrid1->model()->rowCount(), 2);

    choose(ledgerWindow->dovizBox, QStringLiteral("USD"));
    EXPECT_FALSE(ledgerWindow->DBGrid3->isVisibleTo(ledgerWindow));
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("10,00"));
    EXPECT_EQ(ledgerWindow->DBGrid1->model()->rowCount(), 1);

    // YENİ with a currency selected gives the movement window that currency.
    ledgerWindow->newButton->click();
    EXPECT_EQ(entry->dovizBox->currentText(), QStringLiteral("USD"));
    entry->closeButton->click();
}

TEST_F(LedgerWindowTest, GoingToADateAndTheCalendar)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("1"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("2"), {});
    entry->closeButton->click();

    ledgerWindow->vadesiDate->setDate(jan4);
    ledgerWindow->goButton->click();
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("1,00"));

    ledgerWindow->vadesiDate->setDate(QDate(2021, 3, 1));
    ledgerWindow->goButton->click();
    EXPECT_EQ(dialogs().messages().last(),
              QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!"));
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("1,00"));

    QTableWidget* calendar = ledgerWindow->StringGrid3;
    EXPECT_EQ(calendar->item(0, 0)->text(), QStringLiteral("01.01.2021 Cuma"));
    EXPECT_EQ(calendar->item(1, 0)->background().color(), QColor(192, 220, 192));
    EXPECT_EQ(calendar->item(365, 0)->text(), QStringLiteral("01.01.2022 Cumartesi"));
    emit calendar->cellDoubleClicked(4, 0);  // 05.01.2021
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("2,00"));
    dialogs().clear();
    emit calendar->cellDoubleClicked(365, 0);  // 01.01.2022: not in this year's list
    EXPECT_EQ(dialogs().messages(),
              QStringList{QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!")});
    EXPECT_EQ(program->session().CalismaYili, 2021);
}

TEST_F(LedgerWindowTest, MainMenuClosesTheBookAndDropsThePendingMovement)
{
    ledgerWindow->newButton->click();
    type(entry->inEdit, QStringLiteral("75"));
    ledgerWindow->mainMenuButton->click();
    EXPECT_FALSE(ledgerWindow->isVisible());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_TRUE(program->girisF->isVisible());
    EXPECT_FALSE(program->session().kasaConnection.isOpen());
    EXPECT_EQ(
        queryValue(QStringLiteral("Data/K012021.mdb"), QStringLiteral("SELECT count(*) FROM nakit"))
            .toInt(),
        0);
}

TEST_F(LedgerWindowTest, CarryingTheYearOverMovesTheLedgerAndTheYearBox)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("600"), {});
    entry->closeButton->click();
    dialogs().answer(Dialogs::Answer::Yes);
    dialogs().answer(Dialogs::Answer::Yes);
    ledgerWindow->carryOverButton->click();
    EXPECT_EQ(dialogs().messages().last(), QStringLiteral("Aktarım tamamlandı"));
    EXPECT_EQ(ledgerWindow->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Merkez - 2022"));
    EXPECT_EQ(program->girisF->yilEdit->text(), QStringLiteral("2022"));
    EXPECT_EQ(label(ledgerWindow->dayHeaderLabel), QStringLiteral("01.01.2022 KASA"));
    EXPECT_EQ(label(ledgerWindow->dayInLabel), QStringLiteral("600,00"));
    EXPECT_EQ(ledgerWindow->StringGrid3->item(0, 0)->text(),
              QStringLiteral("01.01.2022 Cumartesi"));
}
