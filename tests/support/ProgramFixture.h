#pragma once

// The running program over a temporary program folder, for window tests: the windows, each
// built when it is first asked for, are driven through their controls, found by their
// objectNames, with real key and mouse events.

#include "reportengine/ReportPreview.h"
#include "data/JournalUpkeep.h"
#include "shell/Program.h"
#include "support/ProgramFolderFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <memory>
#include <optional>
#include <stdexcept>

namespace tamevo::test {

// The entries of a combo box, in order.
inline QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

class ProgramTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        if (booksOnServer()) {
            TAMEVO_REQUIRE_TEST_SERVER();
            server.emplace();
            writeServerSettings(programSettingsFile(), server->settings());
            // The general schema is there before the program starts, as the delivered
            // general database is in a folder.
            server->createGeneralSchema();
        }
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        beforeProgram();
        program = std::make_unique<Program>();
        program->window(QStringLiteral("girisF"))->show();
    }

    void TearDown() override
    {
        program.reset();
        QLocale::setDefault(QLocale::c());
        ProgramFolderTest::TearDown();
        server.reset();
    }

    // Whether the program keeps its books on the test server; by default as the run of the
    // tests says.
    virtual bool booksOnServer() const { return testsOnServer(); }
    // The program's database on the test server, when it keeps its books there.
    std::optional<TestServerDatabase> server;

    // Runs after the program folder is laid out and before the program starts.
    virtual void beforeProgram() {}

    Session& session() { return program->session(); }

    // A window of the program by its objectName, as its class.
    template <class W = QWidget>
    W* windowNamed(const char* name) const
    {
        auto* window = qobject_cast<W*>(program->window(QString::fromLatin1(name)));
        if (window == nullptr) {
            throw std::runtime_error(std::string("no window ") + name);
        }
        return window;
    }

    // A control of a window, by the window's and the control's objectNames.
    template <class T>
    T* control(const char* windowName, const char* name) const
    {
        T* found = windowNamed(windowName)->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) {
            throw std::runtime_error(std::string("no control ") + windowName + "." + name);
        }
        return found;
    }

    bool isShown(const char* windowName) const { return windowNamed(windowName)->isVisible(); }

    // Adds a cash book to the registry of the general database.
    void registerCashBook(const QString& code, const QString& title)
    {
        execute(QStringLiteral("AnaData/Genel.mdb"),
                QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES (?, ?)"),
                {code, title});
    }

    // A left click on a button, as the mouse gives it.
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // Types text key by key; letters outside ASCII go as key events carrying the letter.
    static void typeKeys(QWidget* widget, const QString& text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(widget, char(c.unicode()));
            } else {
                QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
                QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
            }
        }
    }

    // Replaces the text of an edit as the user does: to its end, erase it, type the new
    // text. The keys go to the edit without moving the focus.
    static void retype(QLineEdit* edit, const QString& text)
    {
        QTest::keyClick(edit, Qt::Key_End);
        for (qsizetype i = edit->text().size(); i > 0; --i) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        }
        typeKeys(edit, text);
    }

    // The same after the user clicked into the edit (the focus moves there first).
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        retype(edit, text);
    }

    // Chooses an entry of a combo box as the user does from the keyboard: up or down to it.
    static void choose(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        while (box->currentIndex() != index) {
            const int before = box->currentIndex();
            QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
            ASSERT_NE(box->currentIndex(), before) << text.toStdString();
        }
    }

    // Types a day into a date box as the user does: the day section selected, then the digits
    // (the box moves on as each section fills). The first pass types day 01, so no day of the
    // old month stands invalid in the new one; the second types the day.
    static void typeDate(QDateEdit* edit, const QDate& day)
    {
        const auto selectDaySection = [edit] {
            QTest::keyClick(edit, Qt::Key_Home);
            QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
            QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier);
        };
        selectDaySection();
        typeKeys(edit, day.toString(QStringLiteral("01MMyyyy")));
        selectDaySection();
        typeKeys(edit, day.toString(QStringLiteral("dd")));
        ASSERT_EQ(edit->date(), day);
    }

    // A click, or a double click, on a row of a grid (scrolled into view first, as the user
    // scrolls to it).
    static void clickRow(QAbstractItemView* view, int row, bool twice = false)
    {
        const QModelIndex index = view->model()->index(row, 0);
        view->scrollTo(index);
        const QPoint at = view->visualRect(index).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        if (twice) {
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
        }
    }

    // Opens a grid's context menu on a row, as a right click does, and clicks an item of it.
    static void chooseFromMenu(QTableView* view, int row, const QString& item)
    {
        clickRow(view, row);
        const QPoint at = view->visualRect(view->model()->index(row, 0)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &event);
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu";
        QAction* chosen = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == item) {
                chosen = action;
            }
        }
        ASSERT_NE(chosen, nullptr) << item.toStdString();
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
    }

    // The next report preview is saved as a PDF at `pdf` with the preview's save button, then
    // closed.
    void saveNextPreviewAsPdf(const QString& pdf)
    {
        dialogs().onNextPreview([this, pdf](const report::PreparedReport& prepared) {
            report::ReportPreview preview(prepared);
            preview.show();
            dialogs().choosePath(pdf);
            click(preview.findChild<QAbstractButton*>(QStringLiteral("saveButton")));
        });
    }

    // Fills the entry screen and presses "KASA İŞLEMLERİNE GİR".
    void enter(const QString& code, const QString& year, const QString& password = {})
    {
        retype(control<QLineEdit>("girisF", "firmaedit"), code);
        retype(control<QLineEdit>("girisF", "yilEdit"), year);
        retype(control<QLineEdit>("girisF", "sifreEdit"), password);
        click(control<QAbstractButton>("girisF", "JvXPButton13"));
    }

    std::unique_ptr<Program> program;
};

}  // namespace tamevo::test
