#include "data/ProgramFolder.h"
#include "help/YardimWindow.h"
#include "ledger/KasaRWindow.h"

#include "support/ProgramFixture.h"

#include <QComboBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

using namespace tamevo;
using tamevo::test::ProgramTest;

class HelpWindowTest : public ProgramTest {
protected:
    void writeTopic(const char* name, const QByteArray& text)
    {
        QFile f(path(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
};

TEST_F(HelpWindowTest, TopicsLoadFromTheirFilesAndAMissingFileKeepsTheText)
{
    writeTopic("ygiris", "Giriş yardımı");
    writeTopic("ykasa", "Kasa yardımı\tsekme");
    click(control<QAbstractButton>("girisF", "tfXPButton1"));
    EXPECT_TRUE(isShown("yardimF"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Giriş yardımı"));

    // From the ledger: the ledger's topic, the version text, the list left as it was.
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    click(control<QAbstractButton>("kasaRF", "helpButton"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Kasa yardımı\tsekme"));
    EXPECT_EQ(control<QComboBox>("yardimF", "ComboBox1")->currentText(),
              QStringLiteral("Giriş ve Yedekleme İşlemleri Kullanımı"));
    EXPECT_EQ(windowNamed<TyardimF>("yardimF")->statusPanelText(2),
              QStringLiteral(" Version: 3.4 Guncelleme: 0"));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("ygiris"))));
    // Choosing the entry topic again, from the other one: its file is gone, the text stays.
    choose(control<QComboBox>("yardimF", "ComboBox1"),
           QStringLiteral("Kasa İşlemlerinin Kullanımı"));
    choose(control<QComboBox>("yardimF", "ComboBox1"),
           QStringLiteral("Giriş ve Yedekleme İşlemleri Kullanımı"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Kasa yardımı\tsekme"));
    click(control<QAbstractButton>("yardimF", "JvXPButton10"));
    EXPECT_FALSE(isShown("yardimF"));
}

TEST_F(HelpWindowTest, AMissingLedgerTopicKeepsTheTextAndStillSetsTheVersion)
{
    writeTopic("ygiris", "<h3>Giriş</h3><p>Kasa <b>kodu</b> ve yıl.</p>");
    click(control<QAbstractButton>("girisF", "tfXPButton1"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Giriş\nKasa kodu ve yıl."));  // rich text, shown as such
    ASSERT_FALSE(QFile::exists(path(QStringLiteral("ykasa"))));
    EXPECT_EQ(windowNamed<TyardimF>("yardimF")->statusPanelText(2), QString());

    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    click(control<QAbstractButton>("kasaRF", "helpButton"));
    EXPECT_TRUE(isShown("yardimF"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Giriş\nKasa kodu ve yıl."));
    EXPECT_EQ(control<QComboBox>("yardimF", "ComboBox1")->currentIndex(), 0);
    EXPECT_EQ(windowNamed<TyardimF>("yardimF")->statusPanelText(2),
              QStringLiteral(" Version: 3.4 Guncelleme: 0"));
}

TEST_F(HelpWindowTest, AnInstalledProgramReadsItsHelpAndManualFromItsOwnFiles)
{
    // The help texts in the data folder are not the program's; its own lie elsewhere.
    writeTopic("ygiris", "eski kopya");
    QTemporaryDir programFiles;
    QFile topic(programFiles.filePath(QStringLiteral("ygiris")));
    ASSERT_TRUE(topic.open(QIODevice::WriteOnly));
    topic.write("Kurulu programın yardımı");
    topic.close();
    setProgramFolders({programFiles.path(), folder(), true});

    click(control<QAbstractButton>("girisF", "tfXPButton1"));
    EXPECT_EQ(control<QTextEdit>("yardimF", "RichEdit1")->toPlainText(),
              QStringLiteral("Kurulu programın yardımı"));
    click(control<QAbstractButton>("girisF", "JvXPButton5"));
    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->kind, QStringLiteral("default-program"));
    EXPECT_EQ(dialogs().last()->text, programFiles.filePath(QStringLiteral("TamevoYardim.pdf")));
}
