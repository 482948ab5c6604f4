// The password window sifreF and "ŞİFRE GİR/DEĞİŞTİR" driven headless through
// their controls.
#include "entry/EntryRules.h"
#include "entry/GirisWindow.h"
#include "data/Session.h"
#include "lists/Passwords.h"
#include "lists/SifreWindow.h"

#include "support/ProgramFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tamevo;
using tamevo::test::ProgramTest;
using Answer = Dialogs::Answer;

namespace {
const QString kGenel = QStringLiteral("AnaData/Genel.mdb");
}

class SifreWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        window = windowNamed<TsifreF>("sifreF");
    }

    // "ŞİFRE GİR/DEĞİŞTİR" with `typed` in the entry screen's password box.
    void openWith(const QString& typed)
    {
        retype(control<QLineEdit>("girisF", "sifreEdit"), typed);
        click(control<QAbstractButton>("girisF", "JvXPButton8"));
    }

    QVariant stored(const char* sql) { return queryValue(kGenel, QString::fromLatin1(sql)); }

    TsifreF* window = nullptr;
};

TEST_F(SifreWindowTest, TheWindowHasItsCaptionFieldsAndWarning)
{
    EXPECT_EQ(program->windows().at(12), window);
    EXPECT_EQ(window->objectName(), QStringLiteral("sifreF"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Norvane Tamevo Şifre Girişi"));
    QStringList captions;
    for (QLineEdit* edit :
         {control<QLineEdit>("sifreF", "DBEdit1"), control<QLineEdit>("sifreF", "DBEdit2")}) {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == edit) {
                captions << label->text();
            }
        }
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal);  // shown in clear
        EXPECT_EQ(edit->maxLength(), 16);
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Program Giriş Şifresi"),
                                     QStringLiteral("Program Master Şifresi")}));
    EXPECT_EQ(control<QLabel>("sifreF", "Label3")->text(),
              QStringLiteral("Master şifreyi değiştirdiyseniz unutmayınız! Aksi Halde "
                             "bilgileriniz bloke olacaktır."));
    EXPECT_EQ(control<QAbstractButton>("sifreF", "saklaButton")->text(), QStringLiteral("SAKLA"));
}

TEST_F(SifreWindowTest, WithEmptyTablesTheWindowOpensAndTypingWithSaklaCreatesTheFirstRecord)
{
    openWith(QString());
    EXPECT_TRUE(isShown("sifreF"));
    EXPECT_TRUE(dialogs().shown().empty());

    typeKeys(control<QLineEdit>("sifreF", "DBEdit1"), QStringLiteral("Kasa2021"));
    click(control<QAbstractButton>("sifreF", "saklaButton"));
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Kasa2021"));
    EXPECT_EQ(stored("SELECT count(*) FROM sifre").toInt(), 1);
    EXPECT_EQ(stored("SELECT count(*) FROM master").toInt(), 0);

    // From now on entering needs exactly that text.
    window->hide();
    retype(control<QLineEdit>("girisF", "firmaedit"), QStringLiteral("K01"));
    retype(control<QLineEdit>("girisF", "yilEdit"), QStringLiteral("2021"));
    retype(control<QLineEdit>("girisF", "sifreEdit"), QStringLiteral("kasa2021"));
    dialogs().expectError(kWrongPassword);
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    EXPECT_EQ(dialogs().messages(), QStringList{kWrongPassword});
    EXPECT_TRUE(control<QLineEdit>("girisF", "sifreEdit")->text().isEmpty());
    EXPECT_EQ(windowNamed<TgirisF>("girisF")->wrongPasswordCount(), 1);
}

TEST_F(SifreWindowTest, TypingWithoutSaklaChangesNothingStored)
{
    execute(kGenel, {QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Eski')")});
    openWith(QString());
    ASSERT_TRUE(isShown("sifreF"));
    EXPECT_EQ(control<QLineEdit>("sifreF", "DBEdit1")->text(), QStringLiteral("Eski"));

    type(control<QLineEdit>("sifreF", "DBEdit1"), QStringLiteral("Yeni"));
    typeKeys(control<QLineEdit>("sifreF", "DBEdit2"), QStringLiteral("Usta"));
    window->close();
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Eski"));
    EXPECT_EQ(stored("SELECT count(*) FROM master").toInt(), 0);

    // Shown again: the stored values.
    openWith(QString());
    EXPECT_EQ(control<QLineEdit>("sifreF", "DBEdit1")->text(), QStringLiteral("Eski"));
    EXPECT_TRUE(control<QLineEdit>("sifreF", "DBEdit2")->text().isEmpty());

    // Saved, then emptied and saved: no password any more.
    typeKeys(control<QLineEdit>("sifreF", "DBEdit2"), QStringLiteral("Usta"));
    click(control<QAbstractButton>("sifreF", "saklaButton"));
    EXPECT_EQ(stored("SELECT mids FROM master").toString(), QStringLiteral("Usta"));
    type(control<QLineEdit>("sifreF", "DBEdit1"), QString());
    click(control<QAbstractButton>("sifreF", "saklaButton"));
    EXPECT_TRUE(stored("SELECT sifre FROM sifre").isNull());
    WrongPasswordCount wrong;
    EXPECT_EQ(checkEntryPassword(session(), wrong, QString()), PasswordCheck::Accepted);
}

TEST_F(SifreWindowTest, TheMasterPasswordGuardsTheWindowWithLetterCase)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')")});
    dialogs().expectError(kWrongMasterPassword);
    openWith(QStringLiteral("usta"));
    EXPECT_FALSE(isShown("sifreF"));
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().last()->text,
              QStringLiteral("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz "
                             "boş geçin!"));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
    EXPECT_TRUE(control<QLineEdit>("girisF", "sifreEdit")->text().isEmpty());
    EXPECT_EQ(windowNamed<TgirisF>("girisF")->wrongPasswordCount(), 1);

    openWith(QStringLiteral("Usta"));
    EXPECT_TRUE(isShown("sifreF"));
    EXPECT_EQ(control<QLineEdit>("sifreF", "DBEdit2")->text(), QStringLiteral("Usta"));
    EXPECT_EQ(windowNamed<TgirisF>("girisF")->wrongPasswordCount(), 1);
}

TEST_F(SifreWindowTest, TheFourthWrongMasterPasswordAsksToCloseTheProgram)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')")});
    for (int i = 0; i < 3; ++i) {
        dialogs().expectError(kWrongMasterPassword);
        openWith(QStringLiteral("yanlis"));
    }
    EXPECT_TRUE(dialogs().questions().isEmpty());
    dialogs().answer(Answer::No);  // the exit question: stay
    dialogs().expectError(kWrongMasterPassword);
    openWith(QStringLiteral("yanlis"));
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Programı kapatmak istediğinize eminmisiniz?")});
    EXPECT_EQ(dialogs().messages(), QStringList(4, kWrongMasterPassword));
    EXPECT_FALSE(program->ended());
    EXPECT_EQ(windowNamed<TgirisF>("girisF")->wrongPasswordCount(), 4);
}

TEST_F(SifreWindowTest, ThreeWrongMasterPasswordsThenAWrongEntryPasswordEndTheProgram)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')"),
                     QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Giris')")});
    for (int i = 0; i < 3; ++i) {
        dialogs().expectError(kWrongMasterPassword);
        openWith(QStringLiteral("yanlis"));
    }
    retype(control<QLineEdit>("girisF", "firmaedit"), QStringLiteral("K01"));
    retype(control<QLineEdit>("girisF", "yilEdit"), QStringLiteral("2021"));
    retype(control<QLineEdit>("girisF", "sifreEdit"), QStringLiteral("giris"));
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    EXPECT_TRUE(program->ended());
    EXPECT_TRUE(dialogs().questions().isEmpty());  // no exit question
}
