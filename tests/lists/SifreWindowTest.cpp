// The password window sifreF and "ŞİFRE GİR/DEĞİŞTİR" driven headless through
// their controls.
#include "app/EntryRules.h"
#include "app/GirisWindow.h"
#include "app/Session.h"
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
        window = program->sifreF;
        entry = program->girisF;
    }

    // "ŞİFRE GİR/DEĞİŞTİR" with `typed` in the entry screen's password box.
    void openWith(const QString& typed)
    {
        entry->sifreEdit->setText(typed);
        entry->passwordsButton->click();
    }

    QVariant stored(const char* sql) { return queryValue(kGenel, QString::fromLatin1(sql)); }

    TsifreF* window = nullptr;
    TgirisF* entry = nullptr;
};

TEST_F(SifreWindowTest, TheWindowHasItsCaptionFieldsAndWarning)
{
    EXPECT_EQ(program->windows().at(12), window);
    EXPECT_EQ(window->objectName(), QStringLiteral("sifreF"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Norvane Tamevo Şifre Girişi"));
    QStringList captions;
    for (QLineEdit* edit : {window->entryPasswordEdit, window->masterPasswordEdit}) {
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
    EXPECT_EQ(window->warningLabel->text(),
              QStringLiteral("Master şifreyi değiştirdiyseniz unutmayınız! Aksi Halde "
                             "bilgileriniz bloke olacaktır."));
    EXPECT_EQ(window->saveButton->text(), QStringLiteral("SAKLA"));
}

TEST_F(SifreWindowTest, WithEmptyTablesTheWindowOpensAndTypingWithSaklaCreatesTheFirstRecord)
{
    openWith(QString());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dialogs().shown().empty());

    typeKeys(window->entryPasswordEdit, QStringLiteral("Kasa2021"));
    window->saveButton->click();
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Kasa2021"));
    EXPECT_EQ(stored("SELECT count(*) FROM sifre").toInt(), 1);
    EXPECT_EQ(stored("SELECT count(*) FROM master").toInt(), 0);

    // From now on entering needs exactly that text.
    window->hide();
    entry->firmaedit->setText(QStringLiteral("K01"));
    entry->yilEdit->setText(QStringLiteral("2021"));
    entry->sifreEdit->setText(QStringLiteral("kasa2021"));
    entry->enterButton->click();
    EXPECT_EQ(dialogs().messages(), QStringList{kWrongPassword});
    EXPECT_TRUE(entry->sifreEdit->text().isEmpty());
    EXPECT_EQ(session().HataliSifreSayisi, 1);
}

TEST_F(SifreWindowTest, TypingWithoutSaklaChangesNothingStored)
{
    execute(kGenel, {QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Eski')")});
    openWith(QString());
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->entryPasswordEdit->text(), QStringLiteral("Eski"));

    type(window->entryPasswordEdit, QStringLiteral("Yeni"));
    typeKeys(window->masterPasswordEdit, QStringLiteral("Usta"));
    window->close();
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Eski"));
    EXPECT_EQ(stored("SELECT count(*) FROM master").toInt(), 0);

    // Shown again: the stored values.
    openWith(QString());
    EXPECT_EQ(window->entryPasswordEdit->text(), QStringLiteral("Eski"));
    EXPECT_TRUE(window->masterPasswordEdit->text().isEmpty());

    // Saved, then emptied and saved: no password any more.
    typeKeys(window->masterPasswordEdit, QStringLiteral("Usta"));
    window->saveButton->click();
    EXPECT_EQ(stored("SELECT mids FROM master").toString(), QStringLiteral("Usta"));
    type(window->entryPasswordEdit, QString());
    window->saveButton->click();
    EXPECT_TRUE(stored("SELECT sifre FROM sifre").isNull());
    EXPECT_EQ(checkEntryPassword(session(), QString()), PasswordCheck::Accepted);
}

TEST_F(SifreWindowTest, TheMasterPasswordGuardsTheWindowWithLetterCase)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')")});
    openWith(QStringLiteral("usta"));
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().last()->text,
              QStringLiteral("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz "
                             "boş geçin!"));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
    EXPECT_TRUE(entry->sifreEdit->text().isEmpty());
    EXPECT_EQ(session().HataliSifreSayisi, 1);

    openWith(QStringLiteral("Usta"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->masterPasswordEdit->text(), QStringLiteral("Usta"));
    EXPECT_EQ(session().HataliSifreSayisi, 1);
}

TEST_F(SifreWindowTest, TheFourthWrongMasterPasswordAsksToCloseTheProgram)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')")});
    for (int i = 0; i < 3; ++i) {
        openWith(QStringLiteral("yanlis"));
    }
    EXPECT_TRUE(dialogs().questions().isEmpty());
    dialogs().answer(Answer::No);  // the exit question: stay
    openWith(QStringLiteral("yanlis"));
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Programı kapatmak istediğinize eminmisiniz?")});
    EXPECT_EQ(dialogs().messages(), QStringList(4, kWrongMasterPassword));
    EXPECT_FALSE(program->ended());
    EXPECT_EQ(session().HataliSifreSayisi, 4);
}

TEST_F(SifreWindowTest, ThreeWrongMasterPasswordsThenAWrongEntryPasswordEndTheProgram)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')"),
                     QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Giris')")});
    for (int i = 0; i < 3; ++i) {
        openWith(QStringLiteral("yanlis"));
    }
    entry->firmaedit->setText(QStringLiteral("K01"));
    entry->yilEdit->setText(QStringLiteral("2021"));
    entry->sifreEdit->setText(QStringLiteral("giris"));
    entry->enterButton->click();
    EXPECT_TRUE(program->ended());
    EXPECT_TRUE(dialogs().questions().isEmpty());  // no exit question
}
