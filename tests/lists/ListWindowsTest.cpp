// The transaction-type window nakitnedenF and the currency window parabirimiF
// driven headless through their controls, with the boxes they feed.
#include "app/Dataset.h"
#include "app/GirisWindow.h"
#include "app/Session.h"
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
using tamevo::test::ProgramTest;
using Answer = Dialogs::Answer;

namespace {

const QString kGenel = QStringLiteral("AnaData/Genel.mdb");

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

}  // namespace

class ListWindowsTest : public ProgramTest {
protected:
    void add(ReferenceListWindow* window, const QString& name)
    {
        typeKeys(window->nameEdit, name);
        window->saveButton->click();
    }

    // Corrects the cell of `row` in place, as typing into the grid's editor does.
    void correct(ReferenceListWindow* window, int row, const QString& text)
    {
        const QModelIndex index = window->model->index(row, 0);
        window->DBGrid1->setCurrentIndex(index);
        window->DBGrid1->edit(index);
        auto* editor = window->DBGrid1->viewport()->findChild<QLineEdit*>();
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
        ReferenceListWindow* window;
        int position;
        const char* name;
        const char* caption;
        const char* box;
        const char* column;
    } windows[] = {
        {program->nakitnedenF, 6, "nakitnedenF", "Norvane Tamevo Programı   - Nakit İşlem Türü",
         "İşlem Türü", "Kasa İşlem Türleri"},
        {program->parabirimiF, 8, "parabirimiF", "Para Birimleri", "Para Birimi", "Para Birimi"},
    };
    for (const auto& w : windows) {
        EXPECT_EQ(program->windows().at(w.position), w.window);
        EXPECT_EQ(w.window->objectName(), QString::fromLatin1(w.name));
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        QString boxCaption;
        for (QLabel* label : w.window->findChildren<QLabel*>()) {
            if (label->buddy() == w.window->nameEdit) {
                boxCaption = label->text();
            }
        }
        EXPECT_EQ(boxCaption, QString::fromUtf8(w.box));
        EXPECT_EQ(w.window->nameEdit->maxLength(), 32767);  // the box sets no limit of its own
        EXPECT_EQ(w.window->saveButton->text(), QStringLiteral("SAKLA"));
        EXPECT_EQ(w.window->model->headerData(0, Qt::Horizontal).toString(),
                  QString::fromUtf8(w.column));
        EXPECT_EQ(w.window->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(w.window->correctAction->text(), QStringLiteral("Kaydı Düzelt"));
        EXPECT_EQ(w.window->correctAction->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_Insert));
        EXPECT_EQ(w.window->deleteAction->text(), QStringLiteral("Kaydı Sil"));
        EXPECT_EQ(w.window->deleteAction->shortcut(), QKeySequence(Qt::Key_Delete));
        EXPECT_EQ(w.window->DBGrid1->actions(),
                  (QList<QAction*>{w.window->correctAction, w.window->deleteAction}));
    }
}

TEST_F(ListWindowsTest, TransactionTypesAreAddedAndOfferedAtOnceByTheMovementWindow)
{
    TnakitnedenF* window = program->nakitnedenF;
    EXPECT_FALSE(session().kasanedenTable.isOpen());
    program->kasaF->typesButton->click();
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(session().kasanedenTable.isOpen());
    const int before = window->model->rowCount();
    EXPECT_EQ(before, count(QStringLiteral("SELECT count(*) FROM kasaneden")));

    add(window, QStringLiteral("Kira"));
    EXPECT_TRUE(window->nameEdit->text().isEmpty());
    add(window, QStringLiteral("Kira"));
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'Kira'")),
              2);
    EXPECT_EQ(window->model->rowCount(), before + 2);
    EXPECT_EQ(itemsOf(program->kasaF->typeBox).count(QStringLiteral("Kira")), 2);

    // An empty box does nothing; a name longer than 30 characters is refused and stays typed.
    window->saveButton->click();
    EXPECT_EQ(window->model->rowCount(), before + 2);
    const QString tooLong(31, QLatin1Char('K'));
    add(window, tooLong);
    EXPECT_EQ(dialogs().messages(), QStringList{kTransactionTypeTooLong});
    EXPECT_EQ(window->nameEdit->text(), tooLong);
    EXPECT_EQ(window->model->rowCount(), before + 2);
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Browse);
}

TEST_F(ListWindowsTest, KaydiDuzeltUnlocksTheGridUntilTheNextSave)
{
    TnakitnedenF* window = program->nakitnedenF;
    window->openAndShow();
    // Locked: no editor opens.
    window->DBGrid1->edit(window->model->index(0, 0));
    EXPECT_EQ(window->DBGrid1->viewport()->findChild<QLineEdit*>(), nullptr);

    window->correctAction->trigger();
    EXPECT_TRUE(window->isGridUnlocked());
    correct(window, 0, QStringLiteral("PEŞİN SATIŞ"));
    // Pending until the row is left.
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Edit);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1"))
                  .toString(),
              QStringLiteral("SATIŞ"));
    EXPECT_TRUE(itemsOf(program->kasaF->typeBox).contains(QStringLiteral("PEŞİN SATIŞ")));
    window->DBGrid1->selectRow(1);
    EXPECT_EQ(session().kasanedenTable.state(), DatasetState::Browse);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1"))
                  .toString(),
              QStringLiteral("PEŞİN SATIŞ"));
    EXPECT_FALSE(window->isGridUnlocked());
    EXPECT_EQ(window->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);

    // A correction longer than the column is refused when the row is left.
    window->correctAction->trigger();
    correct(window, 1, QString(31, QLatin1Char('T')));
    window->DBGrid1->selectRow(2);
    EXPECT_EQ(dialogs().messages(), QStringList{kTransactionTypeTooLong});
    EXPECT_EQ(session().kasanedenTable.currentIndex(), 1);
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1 OFFSET 1"))
                  .toString(),
              QStringLiteral("TAHSİLAT"));
    correct(window, 1, QStringLiteral("TAHSİLAT NAKİT"));
    // "SAKLA" saves the pending correction first and locks the grid too.
    add(window, QStringLiteral("Kira"));
    EXPECT_FALSE(window->isGridUnlocked());
    EXPECT_EQ(queryValue(kGenel, QStringLiteral("SELECT kasanedenine FROM kasaneden ORDER BY "
                                                "kasanedeid LIMIT 1 OFFSET 1"))
                  .toString(),
              QStringLiteral("TAHSİLAT NAKİT"));
}

TEST_F(ListWindowsTest, KaydiSilDeletesTheCurrentRowAfterTheQuestion)
{
    TnakitnedenF* window = program->nakitnedenF;
    window->openAndShow();
    const int before = window->model->rowCount();
    window->DBGrid1->selectRow(2);
    dialogs().answer(Answer::No);
    window->deleteAction->trigger();
    EXPECT_EQ(window->model->rowCount(), before);
    dialogs().answer(Answer::Yes);
    window->deleteAction->trigger();
    EXPECT_EQ(window->model->rowCount(), before - 1);
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM kasaneden WHERE kasanedenine = 'ÖDEME'")),
              0);
    EXPECT_EQ(dialogs().questions(),
              QStringList(2, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?")));
    EXPECT_FALSE(itemsOf(program->kasaF->typeBox).contains(QStringLiteral("ÖDEME")));
}

TEST_F(ListWindowsTest, AddingGbpFillsTheCurrencyBoxesInTheirOrders)
{
    TparabirimiF* window = program->parabirimiF;
    program->girisF->currenciesButton->click();
    EXPECT_TRUE(window->isVisible());
    ASSERT_TRUE(session().parabirimiTable.isOpen());
    EXPECT_EQ(window->model->rowCount(), 3);

    add(window, QStringLiteral("GBP"));
    EXPECT_TRUE(window->nameEdit->text().isEmpty());
    EXPECT_EQ(itemsOf(program->kasaRF->dovizBox),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("GBP"), QStringLiteral("Hepsi")}));
    EXPECT_EQ(program->kasaRF->dovizBox->currentIndex(), 0);
    EXPECT_EQ(itemsOf(program->kasaF->dovizBox),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("GBP")}));
    EXPECT_EQ(program->kasaF->dovizBox->currentIndex(), 0);

    // A deleted currency stays in the boxes until the next "SAKLA".
    window->DBGrid1->selectRow(3);
    dialogs().answer(Answer::Yes);
    window->deleteAction->trigger();
    EXPECT_EQ(window->model->rowCount(), 3);
    EXPECT_TRUE(itemsOf(program->kasaF->dovizBox).contains(QStringLiteral("GBP")));
    add(window, QStringLiteral("CHF"));
    EXPECT_EQ(itemsOf(program->kasaF->dovizBox),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                           QStringLiteral("CHF")}));

    // A code a movement cannot store is refused.
    add(window, QStringLiteral("DOLAR1"));
    EXPECT_EQ(dialogs().messages(), QStringList{kCurrencyCodeTooLong});
    EXPECT_EQ(window->model->rowCount(), 4);
    EXPECT_EQ(program->kasaF->dovizBox->count(), 4);
}

TEST_F(ListWindowsTest, AnEmptyCurrencyListLeavesOnlyHepsiInTheBoxes)
{
    execute(kGenel, {QStringLiteral("DELETE FROM parabirimi")});
    program->girisF->ParaBirimiAyarla();
    EXPECT_EQ(program->kasaF->dovizBox->count(), 0);
    EXPECT_EQ(itemsOf(program->kasaRF->dovizBox), QStringList{QStringLiteral("Hepsi")});
    EXPECT_EQ(program->kasaRF->dovizBox->currentIndex(), 0);
}
