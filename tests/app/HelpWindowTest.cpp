#include "help/YardimWindow.h"
#include "ledger/KasaRWindow.h"

#include "support/ProgramFixture.h"

#include <QComboBox>
#include <QFile>
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
    TyardimF* help = program->yardimF;
    program->girisF->helpButton->click();
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->RichEdit1->toPlainText(), QStringLiteral("Giriş yardımı"));

    // From the ledger: the ledger's topic, the version text, the list left as it was.
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    program->kasaRF->helpButton->click();
    EXPECT_EQ(help->RichEdit1->toPlainText(), QStringLiteral("Kasa yardımı\tsekme"));
    EXPECT_EQ(help->ComboBox1->currentText(),
              QStringLiteral("Giriş ve Yedekleme İşlemleri Kullanımı"));
    EXPECT_EQ(help->statusPanelText(2), QStringLiteral(" Version: 3.4 Guncelleme: 0"));

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("ygiris"))));
    choose(help->ComboBox1, QStringLiteral("Giriş ve Yedekleme İşlemleri Kullanımı"));
    EXPECT_EQ(help->RichEdit1->toPlainText(), QStringLiteral("Kasa yardımı\tsekme"));
    help->closeButton->click();
    EXPECT_FALSE(help->isVisible());
}
