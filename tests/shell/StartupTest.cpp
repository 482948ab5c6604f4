#include "shell/Startup.h"

#include "support/ProgramFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLabel>

using namespace tamevo;
using tamevo::test::itemsOf;
using tamevo::test::ProgramTest;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, TheTitleBarsShowExactlyTheCaptions)
{
    setUpApplication();
    EXPECT_EQ(QApplication::applicationName(), QStringLiteral("Norvane Tamevo"));
    EXPECT_FALSE(QApplication::quitOnLastWindowClosed());
    // The menu entry the package installs is packaging/<this name>.desktop.
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(TAMEVO_SOURCE_DIR "/packaging/") +
                                  QGuiApplication::desktopFileName() + QStringLiteral(".desktop")));
    // No display name of its own: the platform appends none to the windows' titles (the
    // display name falls back to the application's name only when none was set).
    QApplication::setApplicationName(QStringLiteral("başka"));
    EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("başka"));
    QApplication::setApplicationName(QStringLiteral("Norvane Tamevo"));
}

TEST_F(StartupTest, EveryCaptionShowsItsLettersWhole)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    ASSERT_TRUE(isShown("kasaRF"));
    for (QWidget* window : program->windows()) {
        window->show();
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->isVisibleTo(window) || label->text().isEmpty() || label->wordWrap()) {
                continue;
            }
            // The ink of the text, dots of the Turkish capitals (İ, Ü, Ö, Ç, Ş) included, lies
            // inside the label where it draws its line.
            const QFontMetrics metrics = label->fontMetrics();
            const QRect contents = label->contentsRect();
            const Qt::Alignment vertical = label->alignment() & Qt::AlignVertical_Mask;
            const int lineTop = vertical == Qt::AlignTop ? contents.top()
                                : vertical == Qt::AlignBottom
                                    ? contents.bottom() + 1 - metrics.height()
                                    : contents.top() + (contents.height() - metrics.height()) / 2;
            const QRect ink = metrics.tightBoundingRect(label->text() + QStringLiteral("İÜ"))
                                  .translated(0, lineTop + metrics.ascent());
            EXPECT_GE(ink.top(), 0)
                << window->objectName().toStdString() << " " << label->text().toStdString();
            EXPECT_LT(ink.bottom(), label->height())
                << window->objectName().toStdString() << " " << label->text().toStdString();
        }
    }
}

// A program folder whose lists differ from the built-in ones: a fourth currency and a source
// file from an earlier run.
class StartupWithListsTest : public StartupTest {
protected:
    void beforeProgram() override
    {
        execute(QStringLiteral("AnaData/Genel.mdb"),
                {QStringLiteral("INSERT INTO parabirimi (kodu) VALUES ('GBP')")});
        QFile sources(path(QStringLiteral("KaynakSekli.ods")));
        ASSERT_TRUE(sources.open(QIODevice::WriteOnly));
        sources.write("Nakit\r\nBanka\r\n");
    }

    QStringList builtNames() const
    {
        QStringList names;
        for (QWidget* w : program->builtWindows()) {
            names << w->objectName();
        }
        return names;
    }
};

TEST_F(StartupWithListsTest, WindowsAreBuiltWhenFirstShownWithWhatWasAnnouncedBefore)
{
    // Only the entry screen at start; the ledger when a cash book opens.
    EXPECT_EQ(builtNames(), QStringList{QStringLiteral("girisF")});
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    ASSERT_TRUE(isShown("kasaRF"));
    EXPECT_EQ(builtNames(), (QStringList{QStringLiteral("girisF"), QStringLiteral("kasaRF")}));

    // Each window built afterwards shows the lists the entry announced, and the two-date
    // window starts in the working year.
    const QStringList codes{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                            QStringLiteral("GBP")};
    click(control<QAbstractButton>("kasaRF", "JvXPButton7"));
    ASSERT_TRUE(isShown("ikitarihF"));
    EXPECT_EQ(itemsOf(control<QComboBox>("ikitarihF", "dovizBox")),
              codes + QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(control<QDateEdit>("ikitarihF", "SonTarihDate")->date().year(), 2021);

    click(control<QAbstractButton>("kasaRF", "islemturuBut"));
    ASSERT_TRUE(isShown("raporKasaF"));
    EXPECT_EQ(itemsOf(control<QComboBox>("raporKasaF", "dovizBox")),
              QStringList{QStringLiteral("Hepsi")} + codes);

    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    ASSERT_TRUE(isShown("kasaF"));
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "dovizBox")), codes);
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "kaynakBox")),
              (QStringList{QStringLiteral("Nakit"), QStringLiteral("Banka")}));
    EXPECT_TRUE(
        itemsOf(control<QComboBox>("kasaF", "DBLookupComboBox1")).contains(QStringLiteral("KİRA")));
    EXPECT_EQ(builtNames(), (QStringList{QStringLiteral("girisF"), QStringLiteral("kasaRF"),
                                         QStringLiteral("ikitarihF"), QStringLiteral("raporKasaF"),
                                         QStringLiteral("kasaF")}));
}
