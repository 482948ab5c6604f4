#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "ledger/Ledger.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "data/RowConflict.h"

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
        ledgerWindow = windowNamed<TkasaRF>("kasaRF");
        ASSERT_TRUE(isShown("kasaRF"));
    }

    // Records a movement through the ledger's YENİ and the movement window.
    void record(const QDate& day, const QString& currency, const QString& in, const QString& out,
                const QString& rate = {})
    {
        click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
        ASSERT_TRUE(isShown("kasaF"));
        typeDate(control<QDateEdit>("kasaF", "vadesiDate"), day);
        choose(control<QComboBox>("kasaF", "dovizBox"), currency);
        if (!in.isEmpty()) {
            type(control<QLineEdit>("kasaF", "DBEdit1"), in);
        }
        if (!out.isEmpty()) {
            type(control<QLineEdit>("kasaF", "DBEdit2"), out);
        }
        if (!rate.isEmpty()) {
            type(control<QLineEdit>("kasaF", "DBEdit3"), rate);
        }
        type(control<QLineEdit>("kasaF", "DBEdit4"), QStringLiteral("satis"));
        click(control<QAbstractButton>("kasaF", "BitBtn1"));
    }

    QString label(QLabel* l) const { return l->text(); }

    TkasaRF* ledgerWindow = nullptr;
};

TEST_F(LedgerWindowTest, RecordingMovementsShowsTheDaysFiguresWithTurkishSeparators)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("1500"), {});
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("İşlem başarıyla kayıt edildi")});
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), {}, QStringLiteral("30,5"));
    click(control<QAbstractButton>("kasaF", "kapat"));

    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid2")->model()->rowCount(), 2);
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid2")->model()->index(0, 0).data().toString(),
              QStringLiteral("05.01.2021 Sal"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayHeaderLabel")),
              QStringLiteral("05.01.2021 KASA"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayStartLabel")), QStringLiteral("1.500,00"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("100,00"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayOutLabel")), QStringLiteral("30,50"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayBalanceLabel")), QStringLiteral("69,50"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "Label10")), QStringLiteral("1.569,50"));

    // The movement grid: money in orange text, money out pale blue.
    QAbstractItemModel* movements = control<QTableView>("kasaRF", "DBGrid1")->model();
    ASSERT_EQ(movements->rowCount(), 2);
    EXPECT_EQ(movements->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Giren Para"));
    EXPECT_EQ(movements->index(0, 2).data().toString(), QStringLiteral("100,00"));
    EXPECT_EQ(movements->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(230, 98, 19));
    EXPECT_EQ(movements->index(1, 3).data().toString(), QStringLiteral("30,50"));
    EXPECT_EQ(movements->index(1, 0).data(Qt::BackgroundRole).value<QColor>(),
              QColor(223, 235, 255));
    EXPECT_EQ(movements->index(1, 4).data().toString(), QStringLiteral("1,0000"));

    // Selecting the other day.
    clickRow(control<QTableView>("kasaRF", "DBGrid2"), 1);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayStartLabel")), QStringLiteral(",00"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "Label10")), QStringLiteral("1.500,00"));
    EXPECT_EQ(control<QTableWidget>("kasaRF", "StringGrid3")->currentRow() + 1, 4);
}

TEST_F(LedgerWindowTest, ChangingAndDeletingAMovement)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("20"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));
    clickRow(control<QTableView>("kasaRF", "DBGrid1"), 0);
    click(control<QAbstractButton>("kasaRF", "KaydDzelt"));
    ASSERT_TRUE(isShown("kasaF"));
    EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit1")->text(), QStringLiteral("100,00"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("250"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("270,00"));

    dialogs().answer(Dialogs::Answer::No);
    click(control<QAbstractButton>("kasaRF", "KaydSil"));
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->rowCount(), 2);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "KaydSil"));
    // The question names the movement, and "Hayır" is its default button.
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("Kaydı silmek istediğinize eminmisiniz?\n\r"
                             "05.01.2021  Giren: 250,00 TL  satis"));
    EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->rowCount(), 1);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("20,00"));
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT SUM(borc_tutar) FROM nakit"))
                  .toDouble(),
              20.0);
}

// Another copy of the program on the same cash book changes the movement while this copy
// has it open in the movement window: SAKLA asks, never overwriting without a word.
TEST_F(LedgerWindowTest, TwoCopiesChangingOneMovementGiveTheSecondAQuestion)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));
    const qint64 nid = program->ledger().currentMovementId();

    Session otherSession;
    otherSession.openStartupConnections();
    otherSession.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), std::nullopt);
    Ledger other(otherSession);
    other.setCurrencySelection(QStringLiteral("TL"));
    other.openBook();
    const auto otherCopyStores = [&](double in) {
        ASSERT_TRUE(other.locateMovement(jan5, nid));
        ASSERT_TRUE(other.editCurrentMovement());
        other.movementEntry().setValue(QStringLiteral("borc_tutar"), in);
        ASSERT_EQ(other.saveMovement({jan5, QStringLiteral("TL")}), Ledger::SaveResult::Saved);
    };
    const auto storedIn = [&] {
        return joinedRows(QStringLiteral("Data/K012021.mdb"),
                          QStringLiteral("SELECT borc_tutar, doviz_borc FROM nakit"), {},
                          QStringLiteral("/"));
    };

    // No: the other copy's 150 stays, and the movement window shows it.
    clickRow(control<QTableView>("kasaRF", "DBGrid1"), 0);
    click(control<QAbstractButton>("kasaRF", "KaydDzelt"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("120"));
    otherCopyStores(150);
    dialogs().answer(Dialogs::Answer::No);
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_TRUE(dialogs().questions().last().contains(QStringLiteral("Kasaya Giren Tutar: 150,00")))
        << dialogs().questions().last().toStdString();
    EXPECT_EQ(dialogs().messages().last(), kOtherCopyKeptChange);
    EXPECT_EQ(storedIn(), QStringLiteral("150.0/150.0"));
    EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit1")->text(), QStringLiteral("150,00"));

    // Yes: the typed 130 goes over the other copy's 175, and the day's figures follow.
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("130"));
    otherCopyStores(175);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(dialogs().messages().last(), QStringLiteral("İşlem başarıyla kayıt edildi"));
    EXPECT_EQ(storedIn(), QStringLiteral("130.0/130.0"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("130,00"));
    EXPECT_EQ(dialogs().questions().size(), 2);
}

TEST_F(LedgerWindowTest, RefusedSaveKeepsTheWindowOnThePendingMovement)
{
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    // An empty book has no selected day: the movement window starts on the ledger's date,
    // which lies in the book's year (today, or 1 January when today is in another year).
    const QDate today = QDate::currentDate();
    const QDate expected = today.year() == 2021 ? today : QDate(2021, 1, 1);
    EXPECT_EQ(control<QDateEdit>("kasaF", "vadesiDate")->date(), expected);
    EXPECT_EQ(control<QDateEdit>("kasaRF", "vadesiDate")->date(), expected);
    typeDate(control<QDateEdit>("kasaF", "vadesiDate"), jan5);
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("50"));
    type(control<QLineEdit>("kasaF", "DBEdit2"), QStringLiteral("10"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(
        dialogs().messages().last(),
        QStringLiteral(
            "Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir tane işlemi iptal ediniz."));
    EXPECT_TRUE(program->ledger().hasPendingMovement());
    click(control<QAbstractButton>("kasaF", "JvXPButton2"));
    EXPECT_FALSE(program->ledger().hasPendingMovement());
    EXPECT_EQ(
        queryValue(QStringLiteral("Data/K012021.mdb"), QStringLiteral("SELECT count(*) FROM nakit"))
            .toInt(),
        0);
}

TEST_F(LedgerWindowTest, AllCurrenciesShowTheSummaryGridSizedByItsRows)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("USD"), QStringLiteral("10"), {}, QStringLiteral("30"));
    click(control<QAbstractButton>("kasaF", "kapat"));
    EXPECT_FALSE(control<QTableView>("kasaRF", "DBGrid3")->isVisibleTo(ledgerWindow));

    auto* summary = control<QTableView>("kasaRF", "DBGrid3");
    // Every row of the summary shows whole, however many currencies are in use.
    const auto expectEveryRowWhole = [summary](int rows) {
        ASSERT_EQ(summary->model()->rowCount(), rows);
        for (int row = 0; row < rows; ++row) {
            const QRect cell = summary->visualRect(summary->model()->index(row, 0));
            EXPECT_TRUE(summary->viewport()->rect().contains(cell)) << row;
        }
    };
    choose(control<QComboBox>("kasaRF", "dovizBox"), QStringLiteral("Hepsi"));
    EXPECT_TRUE(summary->isVisibleTo(ledgerWindow));
    expectEveryRowWhole(2);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("110,00"));
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->rowCount(), 2);
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar) VALUES "
                            "('2021-01-05', 'EURO', 5), ('2021-01-05', 'GBP', 7)")});
    click(control<QAbstractButton>("kasaRF", "yenileBut"));
    expectEveryRowWhole(4);

    choose(control<QComboBox>("kasaRF", "dovizBox"), QStringLiteral("USD"));
    EXPECT_FALSE(control<QTableView>("kasaRF", "DBGrid3")->isVisibleTo(ledgerWindow));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("10,00"));
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->rowCount(), 1);

    // YENİ with a currency selected gives the movement window that currency.
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    EXPECT_EQ(control<QComboBox>("kasaF", "dovizBox")->currentText(), QStringLiteral("USD"));
    click(control<QAbstractButton>("kasaF", "kapat"));
}

TEST_F(LedgerWindowTest, GoingToADateAndTheCalendar)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("1"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("2"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));

    typeDate(control<QDateEdit>("kasaRF", "vadesiDate"), jan4);
    click(control<QAbstractButton>("kasaRF", "JvXPButton1"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("1,00"));

    typeDate(control<QDateEdit>("kasaRF", "vadesiDate"), QDate(2021, 3, 1));
    click(control<QAbstractButton>("kasaRF", "JvXPButton1"));
    EXPECT_EQ(dialogs().messages().last(),
              QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("1,00"));

    QTableWidget* calendar = control<QTableWidget>("kasaRF", "StringGrid3");
    EXPECT_EQ(calendar->item(0, 0)->text(), QStringLiteral("01.01.2021 Cuma"));
    EXPECT_EQ(calendar->item(1, 0)->background().color(), QColor(192, 220, 192));
    EXPECT_EQ(calendar->item(365, 0)->text(), QStringLiteral("01.01.2022 Cumartesi"));
    clickRow(calendar, 4, true);  // 05.01.2021
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("2,00"));
    dialogs().clear();
    clickRow(calendar, 365, true);  // 01.01.2022: not in this year's list
    EXPECT_EQ(dialogs().messages(),
              QStringList{QStringLiteral("Bu tarihe ait kasa kaydı mevcut değildir!")});
    EXPECT_EQ(program->session().CalismaYili, 2021);
}

TEST_F(LedgerWindowTest, MainMenuClosesTheBookAndDropsThePendingMovement)
{
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("75"));
    click(control<QAbstractButton>("kasaRF", "JvXPButton9"));
    EXPECT_FALSE(isShown("kasaRF"));
    EXPECT_FALSE(isShown("kasaF"));
    EXPECT_TRUE(isShown("girisF"));
    EXPECT_FALSE(program->session().kasaConnection.isOpen());
    EXPECT_EQ(
        queryValue(QStringLiteral("Data/K012021.mdb"), QStringLiteral("SELECT count(*) FROM nakit"))
            .toInt(),
        0);
}

TEST_F(LedgerWindowTest, CarryingTheYearOverMovesTheLedgerAndTheYearBox)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("600"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));
    dialogs().answer(Dialogs::Answer::Yes);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "JvXPButton2"));
    EXPECT_EQ(dialogs().messages().last(), QStringLiteral("Aktarım tamamlandı"));
    EXPECT_EQ(windowNamed<TkasaRF>("kasaRF")->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Merkez - 2022"));
    EXPECT_EQ(control<QLineEdit>("girisF", "yilEdit")->text(), QStringLiteral("2022"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayHeaderLabel")),
              QStringLiteral("01.01.2022 KASA"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("600,00"));
    EXPECT_EQ(control<QTableWidget>("kasaRF", "StringGrid3")->item(0, 0)->text(),
              QStringLiteral("01.01.2022 Cumartesi"));
}

TEST_F(LedgerWindowTest, AmountsAreStoredOnlyAsTheLocaleWritesThem)
{
    const QString book = QStringLiteral("Data/K012021.mdb");
    // Refused: nothing is stored, and the message names the field and what was typed.
    for (const char* typed : {"30.5", "1.5", "1234.56", "0,335", "1e3"}) {
        SCOPED_TRACE(typed);
        dialogs().clear();
        click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
        typeDate(control<QDateEdit>("kasaF", "vadesiDate"), jan5);
        type(control<QLineEdit>("kasaF", "DBEdit1"), QString::fromLatin1(typed));
        click(control<QAbstractButton>("kasaF", "BitBtn1"));
        ASSERT_EQ(dialogs().messages().size(), 1);
        EXPECT_TRUE(dialogs().messages()[0].startsWith(
            QStringLiteral("\"Kasaya Giren Tutar\" alanına yazılan \"%1\"")
                .arg(QString::fromLatin1(typed))))
            << dialogs().messages()[0].toStdString();
        // The text stays as typed, in the edit and after leaving it; the ledger's pending row
        // shows no amount rather than what an earlier keystroke could be read as.
        control<QLineEdit>("kasaF", "DBEdit4")->setFocus();
        EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit1")->text(), QString::fromLatin1(typed));
        auto* movements = control<QTableView>("kasaRF", "DBGrid1");
        EXPECT_EQ(movements->model()->index(movements->currentIndex().row(), 2).data().toString(),
                  QString());
        EXPECT_EQ(queryValue(book, QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 0);
        click(control<QAbstractButton>("kasaF", "JvXPButton2"));  // VAZGEÇ
    }

    // As the locale writes them: stored exactly; the keypad's decimal key types a comma.
    const struct {
        QString typed;
        double stored;
    } accepted[] = {{QStringLiteral("1.234,56"), 1234.56}, {QStringLiteral("30,5"), 30.5}};
    for (const auto& a : accepted) {
        dialogs().clear();
        record(jan5, QStringLiteral("TL"), a.typed, {});
        EXPECT_EQ(dialogs().messages(),
                  QStringList{QStringLiteral("İşlem başarıyla kayıt edildi")});
        EXPECT_DOUBLE_EQ(queryValue(book, QStringLiteral("SELECT borc_tutar FROM nakit ORDER BY "
                                                         "nid DESC LIMIT 1"))
                             .toDouble(),
                         a.stored);
    }
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    QLineEdit* in = control<QLineEdit>("kasaF", "DBEdit1");
    type(in, QStringLiteral("12"));
    QTest::keyClick(in, Qt::Key_Period, Qt::KeypadModifier);
    typeKeys(in, QStringLiteral("5"));
    EXPECT_EQ(in->text(), QStringLiteral("12,5"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_DOUBLE_EQ(
        queryValue(book, QStringLiteral("SELECT borc_tutar FROM nakit ORDER BY nid DESC LIMIT 1"))
            .toDouble(),
        12.5);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("1.277,56"));
}

TEST_F(LedgerWindowTest, EnteringAgainShowsTheDaysFigures)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("1500"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), {}, QStringLiteral("30,5"));
    click(control<QAbstractButton>("kasaF", "kapat"));
    const auto figures = [this] {
        QStringList texts;
        for (const char* name :
             {"dayStartLabel", "dayInLabel", "dayOutLabel", "dayBalanceLabel", "Label10"}) {
            texts << control<QLabel>("kasaRF", name)->text();
        }
        return texts;
    };
    const QStringList expected{QStringLiteral("1.500,00"), QStringLiteral("100,00"),
                               QStringLiteral("30,50"), QStringLiteral("69,50"),
                               QStringLiteral("1.569,50")};
    ASSERT_EQ(figures(), expected);

    // "Ana Menü", then in again; and the exit question's No, then in again.
    click(control<QAbstractButton>("kasaRF", "JvXPButton9"));
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    ASSERT_TRUE(isShown("kasaRF"));
    EXPECT_EQ(figures(), expected);
    dialogs().answer(Dialogs::Answer::No);
    click(control<QAbstractButton>("kasaRF", "kapat"));
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    EXPECT_EQ(figures(), expected);
}

TEST_F(LedgerWindowTest, MinimizingTheMovementWindowKeepsWhatWasTyped)
{
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    typeDate(control<QDateEdit>("kasaF", "vadesiDate"), jan5);
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("75"));
    QWidget* entry = windowNamed("kasaF");
    entry->showMinimized();
    QCoreApplication::processEvents();
    entry->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(program->ledger().hasPendingMovement());
    EXPECT_EQ(program->ledger().currentMovementValue(QStringLiteral("borc_tutar")).toDouble(),
              75.0);
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("İşlem başarıyla kayıt edildi")});

    // The program's own hiding (KAPAT) drops a pending movement.
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("80"));
    click(control<QAbstractButton>("kasaF", "kapat"));
    EXPECT_FALSE(program->ledger().hasPendingMovement());
    EXPECT_EQ(joinedRows(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT borc_tutar FROM nakit")),
              QStringLiteral("75.0"));
}

TEST_F(LedgerWindowTest, LeavingARefusedMovementByTheDateListSaysWhyOnce)
{
    record(jan4, QStringLiteral("TL"), QStringLiteral("10"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("20"), {});
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("50"));
    type(control<QLineEdit>("kasaF", "DBEdit2"), QStringLiteral("10"));
    dialogs().clear();
    clickRow(control<QTableView>("kasaRF", "DBGrid2"), 1);  // 04.01.2021
    EXPECT_EQ(dialogs().messages(),
              QStringList{QStringLiteral("Aynı anda hem borç ve alacak işlemi yapamazsınız. Bir "
                                         "tane işlemi iptal ediniz.")});
    // The movement stays pending on its day.
    EXPECT_TRUE(program->ledger().hasPendingMovement());
    EXPECT_EQ(program->ledger().selectedDay(), jan5);
    click(control<QAbstractButton>("kasaF", "JvXPButton2"));
}

// A movement deleted with "SİL" comes back from the journal the grid's menu opens; a changed
// one gets its earlier values back after a question.
TEST_F(LedgerWindowTest, TheJournalBringsBackADeletedOrChangedMovement)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("100"), {});
    record(jan5, QStringLiteral("TL"), QStringLiteral("20"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));
    auto* movements = control<QTableView>("kasaRF", "DBGrid1");
    clickRow(movements, 0);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "KaydSil"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("20,00"));

    chooseFromMenu(movements, 0, QStringLiteral("Silinen / Değişen Hareketler"));
    ASSERT_TRUE(isShown("gecmisF"));
    auto* journal = control<QTableView>("gecmisF", "gecmisGrid");
    ASSERT_EQ(journal->model()->rowCount(), 1);
    const auto cell = [&](int row, int column) {
        return journal->model()->index(row, column).data().toString();
    };
    EXPECT_EQ(cell(0, 1), QStringLiteral("SİLİNDİ"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("05.01.2021"));
    EXPECT_EQ(cell(0, 6), QStringLiteral("100,00"));
    clickRow(journal, 0);
    click(control<QAbstractButton>("gecmisF", "geriAlBut"));
    EXPECT_EQ(movements->model()->rowCount(), 2);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("120,00"));
    ASSERT_EQ(journal->model()->rowCount(), 2);
    EXPECT_EQ(cell(0, 1), QStringLiteral("GERİ GELDİ"));

    // A change marks the cells it touched and shows the values before it.
    clickRow(movements, 0);
    click(control<QAbstractButton>("kasaRF", "KaydDzelt"));
    retype(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("250"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    click(control<QAbstractButton>("kasaF", "kapat"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("270,00"));
    ASSERT_EQ(journal->model()->rowCount(), 3);
    EXPECT_EQ(cell(0, 1), QStringLiteral("DEĞİŞTİ"));
    EXPECT_EQ(cell(0, 6), QStringLiteral("100,00"));
    EXPECT_TRUE(
        journal->model()->index(0, 6).data(Qt::BackgroundRole).value<QBrush>().color().isValid());
    EXPECT_FALSE(journal->model()->index(0, 9).data(Qt::BackgroundRole).isValid());

    clickRow(journal, 0);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("gecmisF", "geriAlBut"));
    EXPECT_TRUE(dialogs().questions().last().startsWith(
        QStringLiteral("Hareketin şimdiki değerleri, değişiklikten önceki değerleriyle")));
    EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("120,00"));

    // Filtered by kind: the deletions only.
    choose(control<QComboBox>("gecmisF", "turBox"), QStringLiteral("Silinen"));
    EXPECT_EQ(journal->model()->rowCount(), 1);
    QTest::keyClick(windowNamed<QWidget>("gecmisF"), Qt::Key_Escape);
    EXPECT_FALSE(isShown("gecmisF"));
}

// After the carry-over, a change of the old year is said once with its currency and
// difference; the warning line stays until "DEVRİ YENİDEN AL" takes the carry-over again.
TEST_F(LedgerWindowTest, AChangedCarriedYearIsWarnedOfUntilTakenAgain)
{
    record(jan5, QStringLiteral("TL"), QStringLiteral("600"), {});
    click(control<QAbstractButton>("kasaF", "kapat"));
    dialogs().answer(Dialogs::Answer::Yes);
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "JvXPButton2"));
    ASSERT_EQ(program->session().CalismaYili, 2022);
    auto* warning = control<QLabel>("kasaRF", "devirUyariLabel");
    EXPECT_FALSE(warning->isVisible());

    // Back to 2021 from the entry screen, and its movement changed.
    click(control<QAbstractButton>("kasaRF", "JvXPButton9"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    ASSERT_EQ(program->session().CalismaYili, 2021);
    EXPECT_FALSE(warning->isVisible());
    clickRow(control<QTableView>("kasaRF", "DBGrid1"), 0);
    click(control<QAbstractButton>("kasaRF", "KaydDzelt"));
    retype(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("650"));
    dialogs().answer(Dialogs::Answer::No);
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    click(control<QAbstractButton>("kasaF", "kapat"));
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("2021 yılının kapanış bakiyeleri 2022 yılına devredilen tutarlarla "
                             "uyuşmuyor:\n\rTL: kapanış 650,00, devir 600,00, fark 50,00\n\r"
                             "Yıl devri yeniden alınsın mı?"));
    EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(warning->text(),
              QStringLiteral("2021 yılından 2022 yılına devir tutarları uyuşmuyor: TL fark 50,00"));

    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "devirYenidenBut"));
    EXPECT_FALSE(warning->isVisible());
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012022.mdb"),
                         QStringLiteral("SELECT borc_tutar FROM nakit WHERE neden = 'DEVİR'"))
                  .toDouble(),
              650.0);
}

// The books on the server, shared with another desk, or going away while a movement is typed.
class LedgerWindowOnServerTest : public LedgerWindowTest {
protected:
    bool booksOnServer() const override { return true; }
};

TEST_F(LedgerWindowOnServerTest, TheLostServerIsSaidOnceAndTheTypedMovementWaitsForIt)
{
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    typeDate(control<QDateEdit>("kasaF", "vadesiDate"), jan4);
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("1500,25"));
    type(control<QLineEdit>("kasaF", "DBEdit4"), QStringLiteral("satis"));
    server->refuseConnections(true);
    server->cutConnections();

    dialogs().expectError(kServerConnectionLost);
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(dialogs().messages(), QStringList{kServerConnectionLost});
    // The window stays on the movement as it was typed, and nothing was saved.
    EXPECT_TRUE(isShown("kasaF"));
    EXPECT_TRUE(program->ledger().hasPendingMovement());
    EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit1")->text(), QStringLiteral("1.500,25"));
    EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit4")->text(), QStringLiteral("satis"));

    // The server is back: SAKLA saves the same movement, once.
    server->refuseConnections(false);
    dialogs().clear();
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("İşlem başarıyla kayıt edildi")});
    click(control<QAbstractButton>("kasaF", "kapat"));
    EXPECT_EQ(joinedRows(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT islem_tarihi, borc_tutar, aciklama FROM nakit")),
              QStringLiteral("2021-01-04|1500.25|satis"));
    EXPECT_EQ(label(control<QLabel>("kasaRF", "dayInLabel")), QStringLiteral("1.500,25"));
}

TEST_F(LedgerWindowOnServerTest, AnotherDesksSaveShowsInTheLedgerWithoutAClick)
{
    // The other desk: a program of its own on the same server, here its session and ledger.
    Session otherDesk;
    otherDesk.openStartupConnections();
    otherDesk.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), {});
    Ledger otherLedger(otherDesk);
    otherLedger.setCurrencySelection(QStringLiteral("TL"));
    otherLedger.setPickerDate(jan4);
    otherLedger.openBook();
    otherLedger.appendMovement();
    otherLedger.movementEntry().setValue(QStringLiteral("borc_tutar"), 250.75);
    ASSERT_EQ(otherLedger.saveMovement({jan4, QStringLiteral("TL"), {}}),
              Ledger::SaveResult::Saved);

    QLabel* dayIn = control<QLabel>("kasaRF", "dayInLabel");
    EXPECT_TRUE(QTest::qWaitFor([&] { return dayIn->text() == QStringLiteral("250,75"); }, 5000))
        << dayIn->text().toStdString();
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid2")->model()->rowCount(), 1);
    EXPECT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->index(0, 2).data().toString(),
              QStringLiteral("250,75"));
    EXPECT_TRUE(dialogs().shown().empty());
    otherDesk.kasaConnection.close();
    otherDesk.ADOConnection1.close();
}
