// The daily job from the keyboard alone: every key goes to the control that has the focus,
// as it does for a user who never touches the mouse.
#include "ledger/LedgerTexts.h"

#include "support/ProgramFixture.h"
#include "support/TurkishLocale.h"

#include <QApplication>
#include <QLabel>

namespace tamevo::test {

class KeyboardTest : public ProgramTest {
protected:
    // A key to whatever has the focus now.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        QTest::keyClick(focused, Qt::Key(key), modifiers);
    }
    // Text typed key by key into whatever has the focus.
    static void typeText(const QString& text)
    {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        typeKeys(focused, text);
    }
    // Tab until the control named `name` has the focus; at most once round any window.
    static void tabTo(const char* name)
    {
        for (int i = 0; i < 40; ++i) {
            QWidget* focused = QApplication::focusWidget();
            if (focused != nullptr && focused->objectName() == QLatin1String(name)) {
                return;
            }
            press(Qt::Key_Tab);
        }
        FAIL() << "Tab never reaches " << name;
    }
    static QString focusedName()
    {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused->objectName() : QString();
    }
    QString label(const char* name) { return control<QLabel>("kasaRF", name)->text(); }

private:
    TurkishLocale turkish_;
};

TEST_F(KeyboardTest, TheDailyJobByKeyboardAlone)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    QWidget* entry = windowNamed("girisF");
    entry->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(entry));

    // Code, Tab, year, Tab, password (none), Enter moves on, Enter enters.
    EXPECT_EQ(focusedName(), QStringLiteral("firmaedit"));
    typeText(QStringLiteral("K01"));
    press(Qt::Key_Tab);
    EXPECT_EQ(focusedName(), QStringLiteral("yilEdit"));
    typeText(QStringLiteral("2021"));
    press(Qt::Key_Tab);  // Tab leaves the digits-only year box
    EXPECT_EQ(focusedName(), QStringLiteral("sifreEdit"));
    press(Qt::Key_Return);
    EXPECT_EQ(focusedName(), QStringLiteral("JvXPButton13"));
    press(Qt::Key_Return);
    ASSERT_TRUE(isShown("kasaRF"));
    QWidget* ledger = windowNamed("kasaRF");
    ledger->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(ledger));

    // "YENİ" by Tab and Enter; the movement window starts at its first field.
    const auto record = [&](const QString& day, const QString& amount, const QString& text) {
        tabTo("tahsilatYap");
        press(Qt::Key_Return);
        ASSERT_TRUE(isShown("kasaF"));
        ASSERT_TRUE(QTest::qWaitForWindowActive(windowNamed("kasaF")));
        EXPECT_EQ(focusedName(), QStringLiteral("vadesiDate"));
        typeText(day);          // over the selected day, month and year
        press(Qt::Key_Return);  // İşlem Tarihi -> Para Birimi
        EXPECT_EQ(focusedName(), QStringLiteral("dovizBox"));
        press(Qt::Key_Return);  // -> Kasaya Giren Tutar
        EXPECT_EQ(focusedName(), QStringLiteral("DBEdit1"));
        typeText(amount);
        for (int i = 0; i < 3; ++i) {
            press(Qt::Key_Return);  // -> Kasadan Çıkan, Döviz Kuru, Açıklama
        }
        EXPECT_EQ(focusedName(), QStringLiteral("DBEdit4"));
        typeText(text);
        press(Qt::Key_Return);  // -> İşlem Türü
        EXPECT_EQ(focusedName(), QStringLiteral("DBLookupComboBox1"));
        press(Qt::Key_Return);  // -> Kaynak
        EXPECT_EQ(focusedName(), QStringLiteral("kaynakBox"));
        typeText(QStringLiteral("Nakit"));
        press(Qt::Key_Return);  // the last field stores the movement
        ASSERT_FALSE(dialogs().messages().isEmpty());
        EXPECT_EQ(dialogs().messages().last(), kSavedMessage);
        press(Qt::Key_Escape);  // closes the movement window
        EXPECT_FALSE(isShown("kasaF"));
        // The desktop gives the keyboard back to the ledger, as window managers do.
        ledger->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ledger));
    };
    record({}, QStringLiteral("150,25"), QStringLiteral("Peşin satış"));
    EXPECT_EQ(label("dayInLabel"), QStringLiteral("150,25"));
    const QString firstDay = label("bottomDayLabel");
    // The next day, typed into the movement window's date box.
    const QDate next = QDate::fromString(firstDay, QStringLiteral("dd.MM.yyyy")).addDays(1);
    record(next.toString(QStringLiteral("ddMMyyyy")), QStringLiteral("20"),
           QStringLiteral("Tahsilat"));
    EXPECT_EQ(label("bottomDayLabel"), next.toString(QStringLiteral("dd.MM.yyyy")));
    EXPECT_EQ(label("dayStartLabel"), QStringLiteral("150,25"));
    EXPECT_EQ(label("Label10"), QStringLiteral("170,25"));

    // Back to the first day: its date typed into "Tarih", Enter goes there as "GİT" does.
    tabTo("vadesiDate");
    typeText(QString(firstDay).remove(QLatin1Char('.')));
    press(Qt::Key_Return);
    EXPECT_EQ(label("bottomDayLabel"), firstDay);
    EXPECT_EQ(label("Label10"), QStringLiteral("150,25"));
    EXPECT_EQ(
        joinedRows(QStringLiteral("Data/K012021.mdb"),
                   QStringLiteral("SELECT aciklama FROM nakit ORDER BY nid"), QStringLiteral("|")),
        QStringLiteral("Peşin satış|Tahsilat"));
}

}  // namespace tamevo::test
