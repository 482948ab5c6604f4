// The entry and master passwords over the real general database: the exact
// comparison, the shared wrong-entry counter, "SAKLA" and dropping unsaved typing.
#include "data/Dataset.h"
#include "entry/EntryRules.h"
#include "data/Session.h"
#include "lists/Passwords.h"

#include "support/ProgramFolderFixture.h"

using namespace tamevo;
using tamevo::test::ProgramFolderTest;

namespace {
const QString kGenel = QStringLiteral("AnaData/Genel.mdb");
}

class PasswordsTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        session.openStartupConnections();
    }

    QVariant stored(const char* sql) { return queryValue(kGenel, QString::fromLatin1(sql)); }

    Session session;
    WrongPasswordCount wrong;
};

TEST_F(PasswordsTest, WithoutAMasterRecordTheWindowOpensForAnything)
{
    EXPECT_EQ(checkMasterPassword(session, wrong, QString()), MasterCheck::Accepted);
    EXPECT_EQ(checkMasterPassword(session, wrong, QStringLiteral("herhangi")),
              MasterCheck::Accepted);
    EXPECT_EQ(wrong.count(), 0);
    EXPECT_TRUE(session.sifreTable.isOpen());
    EXPECT_TRUE(session.masterTable.isOpen());
}

TEST_F(PasswordsTest, TheMasterPasswordIsComparedExactly)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Gizli1')"),
                     QStringLiteral("INSERT INTO master (mids) VALUES ('ikinci')")});
    const struct {
        const char* typed;
        MasterCheck expected;
    } cases[] = {
        {"Gizli1", MasterCheck::Accepted},      {"gizli1", MasterCheck::Wrong},
        {"GIZLI1", MasterCheck::Wrong},         {"Gizli1 ", MasterCheck::Wrong},
        {"ikinci", MasterCheck::WrongTooOften},  // only the first record counts
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkMasterPassword(session, wrong, QString::fromLatin1(c.typed)), c.expected)
            << c.typed;
    }
    EXPECT_EQ(wrong.count(), 4);
}

TEST_F(PasswordsTest, AnEmptyStoredMasterIsMatchedOnlyByAnEmptyBox)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES (NULL)")});
    EXPECT_EQ(checkMasterPassword(session, wrong, QString()), MasterCheck::Accepted);
    EXPECT_EQ(checkMasterPassword(session, wrong, QStringLiteral("x")), MasterCheck::Wrong);
}

TEST_F(PasswordsTest, WrongMasterAndEntryPasswordsCountIntoOneCounter)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('Usta')"),
                     QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Giris')")});
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(checkMasterPassword(session, wrong, QStringLiteral("usta")), MasterCheck::Wrong);
        EXPECT_EQ(wrong.count(), i);
    }
    // The fourth wrong password of the run, an entry password: the program ends without the
    // exit question.
    EXPECT_EQ(checkEntryPassword(session, wrong, QStringLiteral("giris")),
              PasswordCheck::WrongTooOften);
    EXPECT_EQ(wrong.count(), 4);
    // A right master password counts nothing.
    EXPECT_EQ(checkMasterPassword(session, wrong, QStringLiteral("Usta")), MasterCheck::Accepted);
    EXPECT_EQ(wrong.count(), 4);
}

TEST_F(PasswordsTest, TypingIntoEmptyTablesAndSavingCreatesTheFirstRecords)
{
    openPasswordTables(session);
    session.sifreTable.setValue(QStringLiteral("sifre"), QStringLiteral("Kasa2021"));
    session.masterTable.setValue(QStringLiteral("mids"), QStringLiteral("Usta"));
    EXPECT_EQ(session.sifreTable.state(), DatasetState::Insert);
    savePasswords(session);
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Kasa2021"));
    EXPECT_EQ(stored("SELECT mids FROM master").toString(), QStringLiteral("Usta"));
    EXPECT_EQ(stored("SELECT count(*) FROM sifre").toInt(), 1);

    // From now on only that exact text opens a cash book.
    EXPECT_EQ(checkEntryPassword(session, wrong, QStringLiteral("Kasa2021")),
              PasswordCheck::Accepted);
    EXPECT_EQ(checkEntryPassword(session, wrong, QStringLiteral("kasa2021")), PasswordCheck::Wrong);

    // Emptying a field and saving removes the password.
    session.sifreTable.setValue(QStringLiteral("sifre"), QVariant());
    savePasswords(session);
    EXPECT_EQ(checkEntryPassword(session, wrong, QString()), PasswordCheck::Accepted);
}

TEST_F(PasswordsTest, TypingWithoutSaklaChangesNothingStored)
{
    execute(kGenel, {QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Eski')")});
    openPasswordTables(session);
    session.sifreTable.setValue(QStringLiteral("sifre"), QStringLiteral("Yeni"));
    session.masterTable.setValue(QStringLiteral("mids"), QStringLiteral("Usta"));
    cancelPasswordChanges(session);
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Eski"));
    EXPECT_EQ(stored("SELECT count(*) FROM master").toInt(), 0);
    EXPECT_EQ(session.sifreTable.value(QStringLiteral("sifre")).toString(), QStringLiteral("Eski"));
    EXPECT_EQ(session.masterTable.recordCount(), 0);
    EXPECT_EQ(session.sifreTable.state(), DatasetState::Browse);
    EXPECT_EQ(session.masterTable.state(), DatasetState::Browse);
    // "SAKLA" with nothing pending stores nothing.
    savePasswords(session);
    EXPECT_EQ(stored("SELECT sifre FROM sifre").toString(), QStringLiteral("Eski"));
}
