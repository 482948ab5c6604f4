// The transaction-type window nakitnedenF and the currency window parabirimiF
// driven headless through their controls, with the boxes they feed.
#include "data/Dataset.h"
#include "entry/GirisWindow.h"
#include "data/Session.h"
#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "lists/ListWindows.h"
#include "lists/ReferenceLists.h"

#include "support/ProgramFixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace tamevo;
using tamevo::test::itemsOf;
using tamevo::test::ProgramTest;
using Answer = Dialogs::Answer;

namespace {

const QString kGenel = QStringLiteral("AnaData/Genel.mdb");

}  // namespace

class ListWindowsTest : public ProgramTest {
protected:
    // The controls of a list window, by their objectNames.
    static QLineEdit* nameEdit(QWidget* w)
    {
        return w->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    }
    static QAbstractButton* saveButton(QWidget* w)
    {
        return w->findChild<QAbstractButton*>(QStringLiteral("saklaButton"));
    }
    static QTableView* grid(QWidget* w)
    {
        return w->findChild<QTableView*>(QStringLiteral("DBGrid1"));
    }
    static ReferenceListWindow* listWindow(QWidget* w)
    {
        return qobject_cast<ReferenceListWindow*>(w);
    }
    static QAction* action(QWidget* w, const char* name)
    {
        return w->findChild<QAction*>(QString::fromLatin1(name));
    }

    void add(QWidget* window, const QString& name)
    {
        typeKeys(nameEdit(window), name);
        click(saveButton(window));
    }

    // Corrects the cell of `row` in place, as typing into the grid's editor does.
    void correct(QWidget* window, int row, const QString& text)
    {
        clickRow(grid(window), row);
        QTest::keyClick(grid(window), Qt::Key_F2);
        auto* editor = grid(window)->viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr) << "no editor: the grid is locked";
        editor->selectAll();
        typeKeys(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits and closes the editor from the event loop; the closed editor
        // goes at once, so the next correction finds its own.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    int count(const QString& sql) { return queryValue(kGenel, sql).toInt(); }
};

TEST_F(ListWindowsTest, TheWindowsHaveTheirCaptionsAndControls)
{
    const struct {
        QWidget* window;
        int position;
        const char* name;
        const char* caption;
        const char* box;
        const char* column;
    } windows[] = {
        {windowNamed("nakitnedenF"), 6, "nakitnedenF",
         "Norvane Tamevo Programı   - Nakit İşlem Türü", "İşlem Türü", "Kasa İşlem Türleri"},
        {windowNamed("parabirimiF"), 8, "parabirimiF", "Para Birimleri", "Para Birimi",
         "Para Birimi"},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(program->windows().at(w.position), w.window);
        EXPECT_EQ(w.window->objectName(), QString::fromLatin1(w.name));
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        QString boxCaption;
        for (QLabel* label : w.window->findChildren<QLabel*>()) {
            if (label->buddy() == nameEdit(w.window)) {
                boxCaption = label->text();
            }
        }
        EXPECT_EQ(boxCaption, QString::fromUtf8(w.box));
        EXPECT_EQ(nameEdit(w.window)->maxLength(), 32767);  // the box sets no limit of its own
        EXPECT_EQ(saveButton(w.window)->text(), QStringLiteral("SAKLA"));
        EXPECT_EQ(grid(w.window)->model()->headerData(0, Qt::Horizontal).toString(),
                  QString::fromUtf8(w.column));
        EXPECT_EQ(grid(w.window)->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(action(w.window, "KaydDzelt1")->text(), QStringLiteral("Kaydı Düzelt"));
        EXPECT_EQ(action(w.window, "KaydDzelt1")->shortcut(),
                  QKeySequence(Qt::SHIFT | Qt::Key_Insert));
        EXPECT_EQ(action(w.window, "KaydSil1")->text(), QStringLiteral("Kaydı Sil"));
        EXPECT_EQ(action(w.window, "KaydSil1")->shortcut(), QKeySequence(Qt::Key_Delete));
        EXPECT_EQ(grid(w.window)->actions(),
                  (QList<QAction*>{action(w.window, "KaydDzelt1"), action(w.window, "KaydSil1")}));
    }
}

TEST_F(ListWindowsTest, TransactionTypesAreAddedAndOfferedAtOnceByTheMovementWindow)
{
    QWidget* window = windowNamed("nakitnedenF");
    EXPECT_FALSE(session().kasanedenTable.isOpen());
    click(control<QAbstractButton>("kasaF", "islemTuruGirisi"));
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(session().kasanedenTable.isOpen());
    const int before = grid(window)->model()->rowCount();
    EXPECT_EQ(before, count(QStringLiteral("SELECT count(*) FROM kasaneden")));

    add(window, QStringLiteral("Kira"));
    EXPECT_TRUE(nameEdit(window)->text().isEmpty());
    add(window, QStringLiteral("Kira"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'Kira'")),
              2);
    EXPECT_EQ(grid(window)->model()->rowCount(), before + 2);
    EXPECT_EQ(
        itemsOf(control<QComboBox>("kasaF", "DBLookupComboBox1")).count(QStringLiteral("Kira")), 2);

    // An empty box does nothing; a name longer than 30 characters is refused and stays typed.
    click(saveButton(window));
    EXPECT_EQ(grid(window)->model()->rowCount(), before + 2);
    const QString tooLong(31, QLatin1Char('K'));
    add(window, tooLong);
    EXPECT_EQ(dialogs().messages(), QStringList{kTransactionTypeTooLong});
    EXPECT_EQ(nameEdit(window)->text(), tooLong);
    EXPECT_EQ(grid(window)->model()->rowCount(), before + 2);
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Browse);
}

TEST_F(ListWindowsTest, KaydiDuzeltUnlocksTheGridUntilTheNextSave)
{
    QWidget* window = windowNamed("nakitnedenF");
    listWindow(window)->openAndShow();
    // Locked: no editor opens.
    clickRow(grid(window), 0);
    QTest::keyClick(grid(window), Qt::Key_F2);
    EXPECT_EQ(grid(window)->viewport()->findChild<QLineEdit*>(), nullptr);

    action(window, "KaydDzelt1")->trigger();
    EXPECT_TRUE(listWindow(window)->isGridUnlocked());
    correct(window, 0, QStringLiteral("PEŞİN SATIŞ"));
    // Pending until the row is left.
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Edit);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1"))
                  .toString(),
              QStringLiteral("SATIŞ"));
    EXPECT_TRUE(itemsOf(control<QComboBox>("kasaF", "DBLookupComboBox1"))
                    .contains(QStringLiteral("PEŞİN SATIŞ")));
    clickRow(grid(window), 1);
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Browse);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1"))
                  .toString(),
              QStringLiteral("PEŞİN SATIŞ"));
    EXPECT_FALSE(listWindow(window)->isGridUnlocked());
    EXPECT_EQ(grid(window)->editTriggers(), QAbstractItemView::NoEditTriggers);

    // A correction longer than the column is refused when the row is left.
    action(window, "KaydDzelt1")->trigger();
    correct(window, 1, QString(31, QLatin1Char('T')));
    clickRow(grid(window), 2);
    EXPECT_EQ(dialogs().messages(), QStringList{kTransactionTypeTooLong});
    EXPECT_EQ(session().kasanedenTable.currentIndex(), 1);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1 OFFSET 1"))
                  .toString(),
              QStringLiteral("TAHSİLAT"));
    correct(window, 1, QStringLiteral("TAHSİLAT NAKİT"));
    // "SAKLA" saves the pending correction first and locks the grid too.
    add(window, QStringLiteral("Kira"));
    EXPECT_FALSE(listWindow(window)->isGridUnlocked());
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1 OFFSET 1"))
                  .toString(),
              QStringLiteral("TAHSİLAT NAKİT"));
}

// Another copy of the program renames a transaction type while this copy corrects it: leaving
// the row asks, and keeps what the user chooses.
TEST_F(ListWindowsTest, ACorrectionOverAnotherCopysChangeAsksFirst)
{
    QWidget* window = windowNamed("nakitnedenF");
    listWindow(window)->openAndShow();
    const struct {
        Answer answer;
        const char* theirs;
        const char* stored;
    } cases[] = {
        {Answer::No, "KARTLI SATIŞ", "KARTLI SATIŞ"},
        {Answer::Yes, "VERESİYE SATIŞ", "PEŞİN SATIŞ"},
    };
    const QString first =
        QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY kasanedeid LIMIT 1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.theirs);
        const QString theirs = QString::fromUtf8(c.theirs);
        dialogs().clear();
        action(window, "KaydDzelt1")->trigger();
        correct(window, 0, QStringLiteral("PEŞİN SATIŞ"));
        execute(kGenel,
                QStringLiteral("UPDATE kasaneden SET kasanedenine = ? WHERE kasanedeid = (SELECT "
                               "min(kasanedeid) FROM kasaneden)"),
                {theirs});
        dialogs().answer(c.answer);
        clickRow(grid(window), 1);
        ASSERT_EQ(dialogs().questions().size(), 1);
        EXPECT_TRUE(
            dialogs().questions()[0].contains(QStringLiteral("İşlem Türü: \"%1\"").arg(theirs)))
            << dialogs().questions()[0].toStdString();
        EXPECT_EQ(dialogs().last()->defaultAnswer, Answer::No);
        EXPECT_EQ(queryValue(kGenel, first).toString(), QString::fromUtf8(c.stored));
        EXPECT_EQ(grid(window)->model()->index(0, 0).data().toString(),
                  QString::fromUtf8(c.stored));
        EXPECT_EQ(session().kasanedenTable.currentIndex(), 1);
    }
}

TEST_F(ListWindowsTest, KaydiSilDeletesTheCurrentRowAfterTheQuestion)
{
    QWidget* window = windowNamed("nakitnedenF");
    listWindow(window)->openAndShow();
    const int before = grid(window)->model()->rowCount();
    clickRow(grid(window), 2);
    dialogs().answer(Answer::No);
    action(window, "KaydSil1")->trigger();
    EXPECT_EQ(grid(window)->model()->rowCount(), before);
    dialogs().answer(Answer::Yes);
    action(window, "KaydSil1")->trigger();
    EXPECT_EQ(grid(window)->model()->rowCount(), before - 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'ÖDEME'")),
              0);
    EXPECT_EQ(dialogs().questions(),
              QStringList(2, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?")));
    EXPECT_FALSE(itemsOf(control<QComboBox>("kasaF", "DBLookupComboBox1"))
                     .contains(QStringLiteral("ÖDEME")));
}

TEST_F(ListWindowsTest, AddingGbpFillsTheCurrencyBoxesInTheirOrders)
{
    QWidget* window = windowNamed("parabirimiF");
    click(control<QAbstractButton>("girisF", "JvXPButton4"));
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(session().parabirimiTable.isOpen());
    EXPECT_EQ(grid(window)->model()->rowCount(), 3);

    add(window, QStringLiteral("GBP"));
    EXPECT_TRUE(nameEdit(window)->text().isEmpty());
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaRF", "dovizBox")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("GBP"), QStringLiteral("Hepsi")}));
    EXPECT_EQ(control<QComboBox>("kasaRF", "dovizBox")->currentIndex(), 0);
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "dovizBox")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("GBP")}));
    EXPECT_EQ(control<QComboBox>("kasaF", "dovizBox")->currentIndex(), 0);

    // A deleted currency stays in the boxes until the next "SAKLA".
    clickRow(grid(window), 3);
    dialogs().answer(Answer::Yes);
    action(window, "KaydSil1")->trigger();
    EXPECT_EQ(grid(window)->model()->rowCount(), 3);
    EXPECT_TRUE(itemsOf(control<QComboBox>("kasaF", "dovizBox")).contains(QStringLiteral("GBP")));
    add(window, QStringLiteral("CHF"));
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaF", "dovizBox")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("CHF")}));

    // A code a movement cannot store is refused.
    add(window, QStringLiteral("DOLAR1"));
    EXPECT_EQ(dialogs().messages(), QStringList{kCurrencyCodeTooLong});
    EXPECT_EQ(grid(window)->model()->rowCount(), 4);
    EXPECT_EQ(control<QComboBox>("kasaF", "dovizBox")->count(), 4);
}

TEST_F(ListWindowsTest, AnEmptyCurrencyListLeavesOnlyHepsiInTheBoxes)
{
    execute(kGenel, {QStringLiteral("DELETE FROM parabirimi")});
    program->currencyChoices().ParaBirimiAyarla();
    EXPECT_EQ(control<QComboBox>("kasaF", "dovizBox")->count(), 0);
    EXPECT_EQ(itemsOf(control<QComboBox>("kasaRF", "dovizBox")),
              QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(control<QComboBox>("kasaRF", "dovizBox")->currentIndex(), 0);
}
