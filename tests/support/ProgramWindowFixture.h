#pragma once

// For window test programs only (they link the windows): the running program with all its
// windows over a fresh program folder, and typing into controls as a user types.

#include "app/Program.h"

#include "support/ProgramFolderFixture.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace tamevo::test {

class ProgramWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        beforeProgram();
        program = std::make_unique<Program>();
    }
    void TearDown() override
    {
        program.reset();
        ProgramFolderTest::TearDown();
    }
    // Runs after the program folder is laid out and before the program starts.
    virtual void beforeProgram() {}

    Session& session() { return program->session(); }

    // Types text key by key; letters outside ASCII go as key events carrying the letter.
    static void type(QWidget* widget, const QString& text)
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

    // Replaces the text of an edit as a user does: select everything, type over it.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Backspace);
        } else {
            type(edit, text);
        }
    }

    std::unique_ptr<Program> program;
};

}  // namespace tamevo::test
