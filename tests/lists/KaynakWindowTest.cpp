// The source-type window kaynakF driven headless through its controls, with the
// movement window's source box it fills.
#include "entry/GirisWindow.h"
#include "ledger/KasaWindow.h"
#include "lists/KaynakWindow.h"
#include "lists/SourceTypes.h"

#include "support/ProgramFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace tamevo;
using tamevo::test::itemsOf;
using tamevo::test::ProgramTest;
using Answer = Dialogs::Answer;

namespace {

QStringList itemsOf(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) {
        items << list->item(i)->text();
    }
    return items;
}

}  // namespace

class KaynakWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        window = windowNamed<TkaynakF>("kaynakF");
    }

    QString file() const { return path(QStringLiteral("KaynakSekli.ods")); }
    QByteArray fileBytes() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void add(const QString& name)
    {
        typeKeys(control<QLineEdit>("kaynakF", "Edit1"), name);
        click(control<QAbstractButton>("kaynakF", "ekleButton"));
    }

    TkaynakF* window = nullptr;
};

// A program folder that has a source file from an earlier run.
class KaynakWindowWithFileTest : public KaynakWindowTest {
protected:
    void beforeProgram() override
    {
        QFile f(path(QStringLiteral("KaynakSekli.ods")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Nakit\r\nKredi Kart\xC4\xB1\r\n");
    }
};

TEST_F(KaynakWindowTest, TheWindowHasItsCaptionAndControls)
{
    EXPECT_EQ(program->windows().at(14), window);
    EXPECT_EQ(window->objectName(), QStringLiteral("kaynakF"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kaynak Şekilleri"));
    QString caption;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == control<QLineEdit>("kaynakF", "Edit1")) {
            caption = label->text();
        }
    }
    EXPECT_EQ(caption, QStringLiteral("Kaynak Adı"));
    EXPECT_EQ(control<QAbstractButton>("kaynakF", "ekleButton")->text(), QStringLiteral("EKLE"));
    EXPECT_EQ(control<QAction>("kaynakF", "KaydSil1")->text(), QStringLiteral("Kaydı Sil"));
    EXPECT_EQ(control<QAction>("kaynakF", "KaydSil1")->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->actions(),
              QList<QAction*>{control<QAction>("kaynakF", "KaydSil1")});
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->contextMenuPolicy(),
              Qt::ActionsContextMenu);
}

TEST_F(KaynakWindowTest, AFirstStartWithoutTheFileHasAnEmptyList)
{
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 0);
    EXPECT_EQ(control<QComboBox>("kasaF", "kaynakBox")->count(), 0);
    EXPECT_FALSE(QFile::exists(file()));

    // Both ways in only show the window.
    click(control<QAbstractButton>("girisF", "JvXPButton9"));
    EXPECT_TRUE(isShown("kaynakF"));
    window->hide();
    click(control<QAbstractButton>("kasaF", "kaynakSekliGirisi"));
    EXPECT_TRUE(isShown("kaynakF"));
}

TEST_F(KaynakWindowTest, NakitThenBankaGiveTheFileAndTheMovementWindowsBox)
{
    add(QStringLiteral("Nakit"));
    EXPECT_TRUE(control<QLineEdit>("kaynakF", "Edit1")->text().isEmpty());
    add(QStringLiteral("Banka"));
    EXPECT_EQ(fileBytes(), QByteArray("Nakit\r\nBanka\r\n"));
    EXPECT_EQ(itemsOf(control<QListWidget>("kaynakF", "ListBox1")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Banka")}));
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "kaynakBox")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Banka")}));

    // A duplicate in other letters: the message, the text stays, the file is as it was.
    add(QStringLiteral("nakit"));
    EXPECT_EQ(dialogs().messages(), QStringList{QStringLiteral("Bu kaynak şekli mevcut!")});
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(control<QLineEdit>("kaynakF", "Edit1")->text(), QStringLiteral("nakit"));
    EXPECT_EQ(fileBytes(), QByteArray("Nakit\r\nBanka\r\n"));
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 2);

    // An empty box does nothing.
    retype(control<QLineEdit>("kaynakF", "Edit1"), {});
    click(control<QAbstractButton>("kaynakF", "ekleButton"));
    EXPECT_EQ(dialogs().messages().size(), 1);
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 2);
}

TEST_F(KaynakWindowTest, TurkishLettersAreWrittenAndShownUnchanged)
{
    add(QStringLiteral("Çek"));
    add(QStringLiteral("Ödeme"));
    EXPECT_EQ(itemsOf(control<QListWidget>("kaynakF", "ListBox1")),
              (QStringList{QStringLiteral("Çek"), QStringLiteral("Ödeme")}));
    SourceTypeList reread;
    reread.load();
    EXPECT_EQ(reread.names(), (QStringList{QStringLiteral("Çek"), QStringLiteral("Ödeme")}));
    add(QStringLiteral("ÇEK"));
    EXPECT_EQ(dialogs().messages(), QStringList{kSourceTypeExists});
}

TEST_F(KaynakWindowTest, KaydiSilRemovesTheSelectedNameAfterTheQuestion)
{
    add(QStringLiteral("Nakit"));
    add(QStringLiteral("Banka"));
    add(QStringLiteral("Çek"));

    // Nothing selected: nothing removed, the file written again with the same lines.
    control<QListWidget>("kaynakF", "ListBox1")->clearSelection();
    ASSERT_TRUE(QFile::remove(file()));
    dialogs().answer(Answer::Yes);
    control<QAction>("kaynakF", "KaydSil1")->trigger();
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 3);
    EXPECT_EQ(fileBytes(), QByteArray("Nakit\r\nBanka\r\n\xC3\x87"
                                      "ek\r\n"));

    clickRow(control<QListWidget>("kaynakF", "ListBox1"), 1);
    dialogs().answer(Answer::No);
    control<QAction>("kaynakF", "KaydSil1")->trigger();
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 3);

    clickRow(control<QListWidget>("kaynakF", "ListBox1"), 1);
    dialogs().answer(Answer::Yes);
    control<QAction>("kaynakF", "KaydSil1")->trigger();
    EXPECT_EQ(itemsOf(control<QListWidget>("kaynakF", "ListBox1")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Çek")}));
    EXPECT_EQ(fileBytes(), QByteArray("Nakit\r\n\xC3\x87"
                                      "ek\r\n"));
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "kaynakBox")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Çek")}));
    EXPECT_EQ(dialogs().questions(),
              QStringList(3, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?")));
}

TEST_F(KaynakWindowWithFileTest, TheFileIsReadOnceAtStartAndEnteringFillsTheSourceBox)
{
    EXPECT_EQ(itemsOf(control<QListWidget>("kaynakF", "ListBox1")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Kredi Kartı")}));
    // The movement window's box is empty until the first KaynakSekliAyarla.
    EXPECT_EQ(control<QComboBox>("kasaF", "kaynakBox")->count(), 0);

    // The file is not read again during the run.
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("Başka\r\n");
    }
    click(control<QAbstractButton>("girisF", "JvXPButton9"));
    EXPECT_EQ(control<QListWidget>("kaynakF", "ListBox1")->count(), 2);

    // "KASA İŞLEMLERİNE GİR" refills the source box before any of its checks.
    retype(control<QLineEdit>("girisF", "yilEdit"), {});
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    EXPECT_EQ(dialogs().messages(),
              QStringList{QStringLiteral("Çalışma yılı girişiniz hatalıdır!")});
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "kaynakBox")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Kredi Kartı")}));
}
