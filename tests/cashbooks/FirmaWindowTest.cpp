// The registry window firmaF driven headless through its controls, and the entry
// screen's three ways into it.
#include "app/Dataset.h"
#include "app/DatasetModel.h"
#include "app/GirisWindow.h"
#include "app/Session.h"
#include "cashbooks/FirmaWindow.h"
#include "cashbooks/Registry.h"

#include "support/ProgramFixture.h"

#include <QBrush>
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
        window = program->firmaF;
        entry = program->girisF;
        entry->yilEdit->setText(QStringLiteral("2021"));
    }

    Dataset& firma() { return session().FirmaTakip; }

    // A cash book created through the window: "YENİ KASA EKLE", title and code typed,
    // "KAYDET" and Yes.
    void createThroughWindow(const QString& code, const QString& title)
    {
        entry->newCashBookButton->click();
        typeKeys(window->unvanEdit, title);
        typeKeys(window->kodEdit, code);
        dialogs().answer(Answer::Yes);
        window->kaydetBut->click();
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

    TfirmaF* window = nullptr;
    TgirisF* entry = nullptr;
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
    ASSERT_EQ(window->fieldEdits.size(), 11);
    for (int i = 0; i < 11; ++i) {
        QLineEdit* edit = window->fieldEdits[i];
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
        EXPECT_EQ(nextTabStop(window->fieldEdits[i]), window->fieldEdits[i + 1]) << i;
    }
    EXPECT_EQ(nextTabStop(window->kodEdit), window->secButton);
    // Enter is taken by every field (to move on, as Tab does) and never reaches the panel,
    // where an edit without that rule lets it go.
    QWidget* panel = window->findChild<QGroupBox*>(QStringLiteral("upperPanel"));
    KeySpy spy;
    panel->installEventFilter(&spy);
    for (QLineEdit* edit : window->fieldEdits) {
        QTest::keyClick(edit, Qt::Key_Return);
    }
    EXPECT_EQ(spy.returns, 0);
    auto* plain = new QLineEdit(panel);
    QTest::keyClick(plain, Qt::Key_Return);
    EXPECT_EQ(spy.returns, 1);
    delete plain;

    const QStringList buttons{window->secButton->text(), window->yeniButton->text(),
                              window->vazgecBut->text(), window->kaydetBut->text(),
                              window->kapatBut->text()};
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("KASAYI SEÇ"), QStringLiteral("YENİ KASA AÇ"),
                                    QStringLiteral("VAZGEÇ"), QStringLiteral("KAYDET"),
                                    QStringLiteral("KAPAT")}));

    EXPECT_EQ(window->gridModel->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("Kasa Kodu"));
    EXPECT_EQ(window->gridModel->headerData(1, Qt::Horizontal).toString(),
              QStringLiteral("Kasa Adı"));
    EXPECT_EQ(window->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);

    QStringList entries;
    for (QAction* action : window->gridMenu->actions()) {
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
    EXPECT_TRUE(window->kodEdit->isReadOnly());
    EXPECT_FALSE(window->isCodeUnlocked());

    entry->newCashBookButton->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_FALSE(window->kodEdit->isReadOnly());

    // Only letters A-Z, a-z and digits type; twelve characters at most.
    typeKeys(window->kodEdit, QStringLiteral("k-01 Ş"));
    EXPECT_EQ(window->kodEdit->text(), QStringLiteral("k01"));
    for (const QString& key : {QStringLiteral("ç"), QStringLiteral("İ"), QStringLiteral("ı"),
                               QStringLiteral("."), QStringLiteral("/")}) {
        typeKeys(window->kodEdit, key);
    }
    EXPECT_EQ(window->kodEdit->text(), QStringLiteral("k01"));
    EXPECT_EQ(firma().value(QStringLiteral("firma_kodu")).toString(), QStringLiteral("k01"));
    typeKeys(window->kodEdit, QStringLiteral("ABCDEFGHIJ"));
    EXPECT_EQ(window->kodEdit->text(), QStringLiteral("k01ABCDEFGHI"));
    EXPECT_EQ(window->kodEdit->text().size(), 12);
    QTest::keyClick(window->kodEdit, Qt::Key_Backspace);
    EXPECT_EQ(window->kodEdit->text(), QStringLiteral("k01ABCDEFGH"));

    // Cancelling, hiding and showing again do not lock it.
    dialogs().answer(Answer::Yes);
    window->vazgecBut->click();
    window->kapatBut->click();
    entry->pickFromListButton->click();
    EXPECT_FALSE(window->kodEdit->isReadOnly());
}

TEST_F(FirmaWindowTest, ANewCashBookIsCreatedThroughTheWindow)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?")});
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Data/K012021.mdb"))));
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT firma_unvani_1 FROM firma"))
                  .toString(),
              QStringLiteral("Merkez"));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(window->gridModel->rowCount(), 1);
    EXPECT_EQ(window->gridModel->index(0, 0).data().toString(), QStringLiteral("K01"));
    EXPECT_FALSE(session().kasaConnection.isOpen());

    // The same again: the three-line message, no second record.
    dialogs().clear();
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBookExists});
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    dialogs().answer(Answer::Yes);
    window->vazgecBut->click();
    EXPECT_EQ(window->gridModel->rowCount(), 1);
}

TEST_F(FirmaWindowTest, SavingAnUntouchedNewRecordAsksNothing)
{
    window->show();
    window->yeniButton->click();
    window->kaydetBut->click();
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    // Cancelling it asks nothing either and leaves it.
    window->vazgecBut->click();
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
}

TEST_F(FirmaWindowTest, TypingIntoAFieldEditsTheRecordAndSavingReachesTheWorkingYearsCopy)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().clear();
    type(window->telefonEdit, QStringLiteral("0312 555 44 33"));
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    dialogs().answer(Answer::Yes);
    window->kaydetBut->click();
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT telefon1_no FROM firma"))
                  .toString(),
              QStringLiteral("0312 555 44 33"));

    // With the year box on a year without a database: the registry keeps the change and the
    // error names the file.
    entry->yilEdit->setText(QStringLiteral("2024"));
    type(window->faksEdit, QStringLiteral("0312 555 44 30"));
    dialogs().answer(Answer::Yes);
    window->kaydetBut->click();
    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs().last()->text.contains(QStringLiteral("K012024.mdb")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Data/K012024.mdb"))));
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
    entry->pickFromListButton->click();
    ASSERT_TRUE(window->isVisible());
    ASSERT_EQ(window->gridModel->rowCount(), 3);

    // Alternate rows are tinted.
    const auto background = [this](int row) {
        return window->gridModel->index(row, 0).data(Qt::BackgroundRole);
    };
    EXPECT_TRUE(background(0).isValid());
    EXPECT_FALSE(background(1).isValid());
    EXPECT_TRUE(background(2).isValid());

    window->DBGrid1->selectRow(1);
    EXPECT_EQ(firma().currentIndex(), 1);
    EXPECT_EQ(window->unvanEdit->text(), QStringLiteral("Şube"));
    window->secButton->click();
    EXPECT_EQ(entry->firmaedit->text(), QStringLiteral("K02"));
    EXPECT_EQ(entry->Label1->text(), QStringLiteral("Şube"));
    EXPECT_FALSE(window->isVisible());

    // A double click on the code box opens the list on the same cash book; "Seç" picks.
    QTest::mouseDClick(entry->firmaedit, Qt::LeftButton);
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(firma().currentIndex(), 1);
    window->DBGrid1->selectRow(2);
    window->secAction->trigger();
    EXPECT_EQ(entry->firmaedit->text(), QStringLiteral("K03"));
    EXPECT_EQ(entry->Label1->text(), QStringLiteral("Depo"));
    EXPECT_FALSE(window->isVisible());

    // A double click on a row of the grid picks it too; the year box opens the list as well.
    QTest::mouseDClick(entry->yilEdit, Qt::LeftButton);
    ASSERT_TRUE(window->isVisible());
    window->resize(640, 620);
    const QRect cell = window->DBGrid1->visualRect(window->gridModel->index(0, 1));
    QTest::mouseClick(window->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(window->DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(entry->firmaedit->text(), QStringLiteral("K01"));
    EXPECT_EQ(entry->Label1->text(), QStringLiteral("Merkez"));
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FirmaWindowTest, AnUnknownCodeOnTheEntryScreenStartsARecordWithThatCode)
{
    entry->firmaedit->setText(QStringLiteral("K07"));
    dialogs().answer(Answer::Yes);
    EXPECT_FALSE(entry->firmaeditExit());
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral(
                  "Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?")});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(window->kodEdit->text(), QStringLiteral("K07"));
    // This way does not unlock the code field.
    EXPECT_TRUE(window->kodEdit->isReadOnly());

    typeKeys(window->unvanEdit, QStringLiteral("Yeni Şube"));
    dialogs().answer(Answer::Yes);
    window->kaydetBut->click();
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Data/K072021.mdb"))));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
}

TEST_F(FirmaWindowTest, ClosingKeepsPendingChangesAndDeletingRemovesTheRecordOnly)
{
    createThroughWindow(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().clear();
    type(window->sehirEdit, QStringLiteral("Bursa"));
    window->kapatBut->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    entry->pickFromListButton->click();
    EXPECT_EQ(window->sehirEdit->text(), QStringLiteral("Bursa"));
    window->kapatAction->trigger();
    EXPECT_FALSE(window->isVisible());
    window->show();

    dialogs().answer(Answer::Yes);
    window->vazgecBut->click();
    EXPECT_TRUE(window->sehirEdit->text().isEmpty());

    // Deleting while a new record is being inserted cancels the insertion.
    window->yeniButton->click();
    typeKeys(window->unvanEdit, QStringLiteral("Taslak"));
    dialogs().answer(Answer::Yes);
    window->silAction->trigger();
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(window->gridModel->rowCount(), 1);

    dialogs().answer(Answer::No);
    window->silAction->trigger();
    EXPECT_EQ(window->gridModel->rowCount(), 1);
    dialogs().answer(Answer::Yes);
    window->silAction->trigger();
    EXPECT_EQ(window->gridModel->rowCount(), 0);
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT count(*) FROM firma"))
                  .toInt(),
              0);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Data/K012021.mdb"))));
}
