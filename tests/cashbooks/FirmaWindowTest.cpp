// The registry window firmaF driven headless through its controls, and the entry
// screen's three ways into it.
#include "data/Dataset.h"
#include "widgets/DatasetModel.h"
#include "entry/GirisWindow.h"
#include "data/ServerSettings.h"
#include "data/Session.h"
#include "cashbooks/FirmaWindow.h"
#include "cashbooks/Registry.h"

#include "support/ProgramFixture.h"

#include <QBrush>
#include <QClipboard>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

using namespace tamevo;
using tamevo::test::ProgramTest;
using Answer = Dialogs::Answer;

namespace {

// Counts the Return keys that reach the object it watches.
class KeySpy : public QObject {
public:
    int returns = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return) {
            ++returns;
        }
        return false;
    }
};

}  // namespace

class FirmaWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        window = windowNamed<TfirmaF>("firmaF");
        retype(control<QLineEdit>("girisF", "yilEdit"), QStringLiteral("2021"));
    }

    Dataset& firma() { return session().FirmaTakip; }

    // How an error names a book's year that has no database: its file, or its schema on the
    // server.
    static QString missingBookName(const QString& code, int year)
    {
        return tamevo::test::testsOnServer() ? cashBookSchemaName(code, year)
                                             : QStringLiteral("%1%2.mdb").arg(code).arg(year);
    }

    // A cash book created through the window: "YENİ KASA EKLE", title and code typed,
    // "KAYDET" and Yes.
    void createThroughWindow(const QString& code, const QString& title)
    {
        click(control<QAbstractButton>("girisF", "JvXPButton1"));
        typeKeys(control<QLineEdit>("firmaF", "firma_unvani_1"), title);
        typeKeys(control<QLineEdit>("firmaF", "firma_kodu"), code);
        dialogs().answer(Answer::Yes);
        click(control<QAbstractButton>("firmaF", "kaydetBut"));
    }

    QString labelFor(QWidget* buddy)
    {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == buddy) {
                return label->text();
            }
        }
        return {};
    }

    // The registry grid's model and the eleven edits of the upper panel, in their order.
    QAbstractItemModel* gridModel() { return control<QTableView>("firmaF", "DBGrid1")->model(); }
    QList<QLineEdit*> fieldEdits()
    {
        QList<QLineEdit*> edits;
        for (const char* field : {"firma_unvani_1", "firma_adresi_1", "adres_semt", "adres_sehir",
                                  "telefon1_no", "telefon2_no", "vergi_dairesi", "vergi_no",
                                  "fax_no", "firma_irtibat_kisi", "firma_kodu"}) {
            edits << control<QLineEdit>("firmaF", field);
        }
        return edits;
    }

    TfirmaF* window = nullptr;
};

TEST_F(FirmaWindowTest, TheWindowHasItsCaptionsFieldsButtonsGridAndMenu)
{
    EXPECT_EQ(program->windows().at(7), window);
    EXPECT_EQ(window->objectName(), QStringLiteral("firmaF"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Norvane Tamevo Programı - Kasa Bilgileri"));
    EXPECT_EQ(window->findChild<QGroupBox*>(QStringLiteral("upperPanel"))->title(),
              QStringLiteral("KAYITLI KASA BİLGİLERİ"));

    const struct {
        const char* caption;
        const char* field;
        int maxLength;
    } fields[] = {
        {"Kasa Adı", "firma_unvani_1", 100},
        {"Adresi", "firma_adresi_1", 100},
        {"İlçe", "adres_semt", 30},
        {"Şehir", "adres_sehir", 30},
        {"Telefon", "telefon1_no", 15},
        {"Tel 2", "telefon2_no", 15},
        {"Vergi D.", "vergi_dairesi", 30},
        {"Vergi No:", "vergi_no", 16},
        {"Faks", "fax_no", 15},
        {"İrtibat", "firma_irtibat_kisi", 50},
        {"Kasa Kodu", "firma_kodu", 12},
    };
    ASSERT_EQ(fieldEdits().size(), 11);
    for (int i = 0; i < 11; ++i) {
        QLineEdit* edit = fieldEdits()[i];
        EXPECT_EQ(edit->objectName(), QString::fromLatin1(fields[i].field));
        EXPECT_EQ(labelFor(edit), QString::fromUtf8(fields[i].caption));
        EXPECT_EQ(edit->maxLength(), fields[i].maxLength) << fields[i].field;
    }
    // Enter and Tab go from the title to the code, then to the buttons.
    const auto nextTabStop = [](QWidget* w) {
        do {
            w = w->nextInFocusChain();
        } while (!(w->focusPolicy() & Qt::TabFocus));
        return w;
    };
    for (int i = 0; i + 1 < 11; ++i) {
        EXPECT_EQ(nextTabStop(fieldEdits()[i]), fieldEdits()[i + 1]) << i;
    }
    EXPECT_EQ(nextTabStop(control<QLineEdit>("firmaF", "firma_kodu")),
              control<QAbstractButton>("firmaF", "secButton"));
    // Enter is taken by every field (to move on, as Tab does) and never reaches the panel,
    // where an edit without that rule lets it go.
    QWidget* panel = window->findChild<QGroupBox*>(QStringLiteral("upperPanel"));
    KeySpy spy;
    panel->installEventFilter(&spy);
    for (QLineEdit* edit : fieldEdits()) {
        QTest::keyClick(edit, Qt::Key_Return);
    }
    EXPECT_EQ(spy.returns, 0);
    auto* plain = new QLineEdit(panel);
    QTest::keyClick(plain, Qt::Key_Return);
    EXPECT_EQ(spy.returns, 1);
    delete plain;

    const QStringList buttons{control<QAbstractButton>("firmaF", "secButton")->text(),
                              control<QAbstractButton>("firmaF", "yeniButton")->text(),
                              control<QAbstractButton>("firmaF", "vazgecBut")->text(),
                              control<QAbstractButton>("firmaF", "kaydetBut")->text(),
                              control<QAbstractButton>("firmaF", "kapatBut")->text()};
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("KASAYI SEÇ"), QStringLiteral("YENİ KASA AÇ"),
                                    QStringLiteral("VAZGEÇ"), QStringLiteral("KAYDET"),
                                    QStringLiteral("KAPAT")}));

    EXPECT_EQ(gridModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Kasa Kodu"));
    EXPECT_EQ(gridModel()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Kasa Adı"));
    EXPECT_EQ(control<QTableView>("firmaF", "DBGrid1")->editTriggers(),
              QAbstractItemView::NoEditTriggers);

    QStringList entries;
    for (QAction* action : control<QMenu>("firmaF", "PopupMenu1")->actions()) {
        if (!action->isSeparator()) {
            entries << action->text() + QLatin1Char('|') +
                           action->shortcut().toString(QKeySequence::PortableText);
        }
    }
    EXPECT_EQ(entries, (QStringList{
                           QStringLiteral("Seç|F2"),
                           QStringLiteral("Kapat|F10"),
                           QStringLiteral("Tek Kasanın Yedeğini Al|Ctrl+Alt+Y"),
                           QStringLiteral("Tek Kasayı Yedekten Geri Yükle|"),
                           QStringLiteral("Tüm Kasaların Yedeğini Al|Ctrl+Alt+T"),
                           QStringLiteral("Tüm Kasaları Yedekten Geri Yükle|"),
                           QStringLiteral("Kasa Firmasını Sil|"),
                       }));
}

TEST_F(FirmaWindowTest, TheCodeFieldIsReadOnlyUntilANewCashBookIsStarted)
{
    EXPECT_TRUE(control<QLineEdit>("firmaF", "firma_kodu")->isReadOnly());
    EXPECT_FALSE(window->isCodeUnlocked());

    click(control<QAbstractButton>("girisF", "JvXPButton1"));
    EXPECT_TRUE(isShown("firmaF"));
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_FALSE(control<QLineEdit>("firmaF", "firma_kodu")->isReadOnly());

    // Only letters A-Z, a-z and digits type; twelve characters at most.
    typeKeys(control<QLineEdit>("firmaF", "firma_kodu"), QStringLiteral("k-01 Ş"));
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text(), QStringLiteral("k01"));
    for (const QString& key : {QStringLiteral("ç"), QStringLiteral("İ"), QStringLiteral("ı"),
                               QStringLiteral("."), QStringLiteral("/")}) {
        typeKeys(control<QLineEdit>("firmaF", "firma_kodu"), key);
    }
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text(), QStringLiteral("k01"));
    EXPECT_EQ(firma().value(QStringLiteral("firma_kodu")).toString(), QStringLiteral("k01"));
    typeKeys(control<QLineEdit>("firmaF", "firma_kodu"), QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text(), QStringLiteral("k01ABCDEFGHI"));
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text().size(), 12);
    QTest::keyClick(control<QLineEdit>("firmaF", "firma_kodu"), Qt::Key_Backspace);
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text(), QStringLiteral("k01ABCDEFGH"));

    // Cancelling, hiding and showing again do not lock it.
    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "vazgecBut"));
    click(control<QAbstractButton>("firmaF", "kapatBut"));
    click(control<QAbstractButton>("girisF", "JvXPButton2"));
    EXPECT_FALSE(control<QLineEdit>("firmaF", "firma_kodu")->isReadOnly());
}

TEST_F(FirmaWindowTest, ANewCashBookIsCreatedThroughTheWindow)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?")});
    EXPECT_TRUE(databaseExists(QStringLiteral("Data/K012021.mdb")));
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT firma_unvani_1 FROM firma"))
                  .toString(),
              QStringLiteral("Merkez"));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(gridModel()->rowCount(), 1);
    EXPECT_EQ(gridModel()->index(0, 0).data().toString(), QStringLiteral("K01"));
    EXPECT_FALSE(session().kasaConnection.isOpen());

    // The same again: the three-line message, no second record.
    dialogs().clear();
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBookExists});
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "vazgecBut"));
    EXPECT_EQ(gridModel()->rowCount(), 1);
}

TEST_F(FirmaWindowTest, SavingAnUntouchedNewRecordAsksNothing)
{
    window->show();
    click(control<QAbstractButton>("firmaF", "yeniButton"));
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    // Cancelling it asks nothing either and leaves it.
    click(control<QAbstractButton>("firmaF", "vazgecBut"));
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
}

TEST_F(FirmaWindowTest, TypingIntoAFieldEditsTheRecordAndSavingReachesTheWorkingYearsCopy)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().clear();
    type(control<QLineEdit>("firmaF", "telefon1_no"), QStringLiteral("0312 555 44 33"));
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT telefon1_no FROM firma"))
                  .toString(),
              QStringLiteral("0312 555 44 33"));

    // With the year box on a year without a database: the registry keeps the change and the
    // error names the file.
    retype(control<QLineEdit>("girisF", "yilEdit"), QStringLiteral("2024"));
    type(control<QLineEdit>("firmaF", "fax_no"), QStringLiteral("0312 555 44 30"));
    dialogs().answer(Answer::Yes);
    dialogs().expectError(missingBookName(QStringLiteral("K01"), 2024));
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs().last()->text.contains(missingBookName(QStringLiteral("K01"), 2024)));
    EXPECT_FALSE(databaseExists(QStringLiteral("Data/K012024.mdb")));
    EXPECT_EQ(
        queryValue(QStringLiteral("AnaData/Genel.mdb"), QStringLiteral("SELECT fax_no FROM firma"))
            .toString(),
        QStringLiteral("0312 555 44 30"));
}

TEST_F(FirmaWindowTest, PickingACashBookFillsTheEntryScreen)
{
    execute(
        QStringLiteral("AnaData/Genel.mdb"),
        {QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('K01', 'Merkez')"),
         QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('K02', 'Şube')"),
         QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('K03', 'Depo')")});
    click(control<QAbstractButton>("girisF", "JvXPButton2"));
    ASSERT_TRUE(isShown("firmaF"));
    ASSERT_EQ(gridModel()->rowCount(), 3);

    // Alternate rows are tinted.
    const auto background = [this](int row) {
        return gridModel()->index(row, 0).data(Qt::BackgroundRole);
    };
    EXPECT_TRUE(background(0).isValid());
    EXPECT_FALSE(background(1).isValid());
    EXPECT_TRUE(background(2).isValid());

    control<QTableView>("firmaF", "DBGrid1")->selectRow(1);
    EXPECT_EQ(firma().currentIndex(), 1);
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_unvani_1")->text(), QStringLiteral("Şube"));
    click(control<QAbstractButton>("firmaF", "secButton"));
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QStringLiteral("K02"));
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QStringLiteral("Şube"));
    EXPECT_FALSE(isShown("firmaF"));

    // A double click on the code box opens the list on the same cash book; "Seç" picks.
    QTest::mouseDClick(control<QLineEdit>("girisF", "firmaedit"), Qt::LeftButton);
    ASSERT_TRUE(isShown("firmaF"));
    EXPECT_EQ(firma().currentIndex(), 1);
    control<QTableView>("firmaF", "DBGrid1")->selectRow(2);
    control<QAction>("firmaF", "Se1")->trigger();
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QStringLiteral("K03"));
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QStringLiteral("Depo"));
    EXPECT_FALSE(isShown("firmaF"));

    // A double click on a row of the grid picks it too; the year box opens the list as well.
    QTest::mouseDClick(control<QLineEdit>("girisF", "yilEdit"), Qt::LeftButton);
    ASSERT_TRUE(isShown("firmaF"));
    window->resize(640, 620);
    const QRect cell =
        control<QTableView>("firmaF", "DBGrid1")->visualRect(gridModel()->index(0, 1));
    QTest::mouseClick(control<QTableView>("firmaF", "DBGrid1")->viewport(), Qt::LeftButton, {},
                      cell.center());
    QTest::mouseDClick(control<QTableView>("firmaF", "DBGrid1")->viewport(), Qt::LeftButton, {},
                       cell.center());
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QStringLiteral("K01"));
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QStringLiteral("Merkez"));
    EXPECT_FALSE(isShown("firmaF"));
}

TEST_F(FirmaWindowTest, AnUnknownCodeOnTheEntryScreenStartsARecordWithThatCode)
{
    auto* code = control<QLineEdit>("girisF", "firmaedit");
    retype(code, QStringLiteral("K07"));
    dialogs().answer(Answer::Yes);
    // Tab out of the code box: the focus leaves it for the next control.
    QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(code, &leaving);
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral(
                  "Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?")});
    EXPECT_TRUE(isShown("firmaF"));
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(control<QLineEdit>("firmaF", "firma_kodu")->text(), QStringLiteral("K07"));
    // This way does not unlock the code field.
    EXPECT_TRUE(control<QLineEdit>("firmaF", "firma_kodu")->isReadOnly());

    typeKeys(control<QLineEdit>("firmaF", "firma_unvani_1"), QStringLiteral("Yeni Şube"));
    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    EXPECT_TRUE(databaseExists(QStringLiteral("Data/K072021.mdb")));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
}

TEST_F(FirmaWindowTest, ClosingKeepsPendingChangesAndDeletingRemovesTheRecordOnly)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().clear();
    type(control<QLineEdit>("firmaF", "adres_sehir"), QStringLiteral("Bursa"));
    click(control<QAbstractButton>("firmaF", "kapatBut"));
    EXPECT_FALSE(isShown("firmaF"));
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    click(control<QAbstractButton>("girisF", "JvXPButton2"));
    EXPECT_EQ(control<QLineEdit>("firmaF", "adres_sehir")->text(), QStringLiteral("Bursa"));
    control<QAction>("firmaF", "Kapat1")->trigger();
    EXPECT_FALSE(isShown("firmaF"));
    window->show();

    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "vazgecBut"));
    EXPECT_TRUE(control<QLineEdit>("firmaF", "adres_sehir")->text().isEmpty());

    // Deleting while a new record is being inserted cancels the insertion.
    click(control<QAbstractButton>("firmaF", "yeniButton"));
    typeKeys(control<QLineEdit>("firmaF", "firma_unvani_1"), QStringLiteral("Taslak"));
    dialogs().answer(Answer::Yes);
    control<QAction>("firmaF", "KSil1")->trigger();
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(gridModel()->rowCount(), 1);

    dialogs().answer(Answer::No);
    control<QAction>("firmaF", "KSil1")->trigger();
    EXPECT_EQ(gridModel()->rowCount(), 1);
    dialogs().answer(Answer::Yes);
    control<QAction>("firmaF", "KSil1")->trigger();
    EXPECT_EQ(gridModel()->rowCount(), 0);
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT count(*) FROM firma"))
                  .toInt(),
              0);
    EXPECT_TRUE(databaseExists(QStringLiteral("Data/K012021.mdb")));
}

TEST_F(FirmaWindowTest, APastedCodeIsCheckedBeforeItIsStored)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().clear();
    QLineEdit* code = control<QLineEdit>("firmaF", "firma_kodu");
    // The key filter lets the paste shortcut through, as it does the edit's context menu.
    code->setFocus();
    QTest::keyClick(code, Qt::Key_A, Qt::ControlModifier);
    QGuiApplication::clipboard()->setText(QStringLiteral("../x"));
    QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(code->text(), QStringLiteral("../x"));
    ASSERT_EQ(firma().state(), DatasetState::Edit);

    dialogs().answer(Answer::Yes);
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBadCode});
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT firma_kodu FROM firma"))
                  .toString(),
              QStringLiteral("K01"));
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("x*")}), QStringList());

    // Corrected, it is stored and reaches the working year's copy.
    QTest::keyClick(code, Qt::Key_A, Qt::ControlModifier);
    typeKeys(code, QStringLiteral("K09"));
    dialogs().answer(Answer::Yes);
    // That cash book has no database yet.
    dialogs().expectError(missingBookName(QStringLiteral("K09"), 2021));
    click(control<QAbstractButton>("firmaF", "kaydetBut"));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
}
