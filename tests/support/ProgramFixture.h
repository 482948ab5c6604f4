#pragma once

// The running program over a temporary program folder, for window tests: the windows are
// created in their order and driven through their controls.

#include "app/GirisWindow.h"
#include "app/Program.h"
#include "support/ProgramFolderFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace tamevo::test {

class ProgramTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
        beforeProgram();
        program = std::make_unique<Program>();
        program->girisF->show();
    }

    void TearDown() override
    {
        program.reset();
        QLocale::setDefault(QLocale::c());
        ProgramFolderTest::TearDown();
    }

    // Runs after the program folder is laid out and before the program starts.
    virtual void beforeProgram() {}

    Session& session() { return program->session(); }

    // Adds a cash book to the registry of the general database.
    void registerCashBook(const QString& code, const QString& title)
    {
        execute(
            QStringLiteral("AnaData/Genel.mdb"),
            {QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('%1', '%2')")
                 .arg(code, title)});
    }

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

    // Replaces the text of an edit as the user does: select everything, type over it.
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        typeKeys(edit, text);
    }

    // Chooses an entry of a combo box as the user does.
    static void choose(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
        emit box->textActivated(text);
    }

    // Fills the entry screen and presses "KASA İŞLEMLERİNE GİR".
    void enter(const QString& code, const QString& year, const QString& password = {})
    {
        TgirisF* giris = program->girisF;
        giris->firmaedit->setText(code);
        giris->yilEdit->setText(year);
        giris->sifreEdit->setText(password);
        giris->enterButton->click();
    }

    std::unique_ptr<Program> program;
};

}  // namespace tamevo::test
