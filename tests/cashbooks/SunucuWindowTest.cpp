// The server window, opened from the registry window: settings tried against the test
// server, saved into FirmaAyar.ini only when they reach it or the user says so, shown again,
// and cleared to take the books back to the local files.
#include "cashbooks/SunucuWindow.h"
#include "data/JournalUpkeep.h"
#include "data/ServerSettings.h"
#include "data/Session.h"

#include "support/ProgramFixture.h"

#include <QLabel>

using namespace tamevo;
using tamevo::test::ProgramTest;
using tamevo::test::TestServerDatabase;

namespace {

class SunucuWindowTest : public ProgramTest {
protected:
    // The program starts on its local files, as a shop does before it has a server.
    bool booksOnServer() const override { return false; }

    void SetUp() override
    {
        ProgramTest::SetUp();
        TAMEVO_REQUIRE_TEST_SERVER();
        testDatabase.emplace();
        program->window(QStringLiteral("firmaF"))->show();
        click(control<QAbstractButton>("firmaF", "sunucuBut"));
        ASSERT_TRUE(isShown("sunucuF"));
    }

    QLineEdit* field(const char* name) const { return control<QLineEdit>("sunucuF", name); }

    // Types the five fields, as the user does, each from empty.
    void typeSettings(const QString& host, const QString& port, const QString& database,
                      const QString& user)
    {
        type(field("servisEdit"), {});
        type(field("adresEdit"), host);
        type(field("portEdit"), port);
        type(field("veritabaniEdit"), database);
        type(field("kullaniciEdit"), user);
    }

    // The test server's address, port and user, as its environment names them.
    static QString env(const char* name) { return qEnvironmentVariable(name); }

    ServerSettings saved() const { return readServerSettings(programSettingsFile()); }

    std::optional<TestServerDatabase> testDatabase;
};

}  // namespace

TEST_F(SunucuWindowTest, SettingsThatReachTheServerAreSavedAndTheNextStartUsesThem)
{
    const ServerSettings target = testDatabase->settings();
    // A letter typed into the port is not taken.
    typeSettings(env("PGHOST"), env("PGPORT").insert(1, QLatin1Char('a')), target.database,
                 env("PGUSER"));
    EXPECT_EQ(field("portEdit")->text(), env("PGPORT"));

    click(control<QAbstractButton>("sunucuF", "denemeBut"));
    EXPECT_EQ(dialogs().messages(), QStringList{kServerConnected});
    EXPECT_FALSE(saved().isSet()) << "trying saves nothing";

    click(control<QAbstractButton>("sunucuF", "kaydetBut"));
    EXPECT_EQ(dialogs().messages().last(), kServerSettingsSaved);
    const ServerSettings expected{
        {}, env("PGHOST"), env("PGPORT").toInt(), target.database, env("PGUSER")};
    EXPECT_EQ(saved(), expected);

    // Shown again as saved; the program opened again keeps its books on the server.
    click(control<QAbstractButton>("sunucuF", "kapatBut"));
    typeSettings({}, {}, {}, {});
    program->window(QStringLiteral("sunucuF"))->show();
    EXPECT_EQ(field("veritabaniEdit")->text(), target.database);
    EXPECT_EQ(field("portEdit")->text(), env("PGPORT"));
    Session next;
    next.openStartupConnections();
    EXPECT_TRUE(next.onServer());
    EXPECT_TRUE(next.ADOConnection1.isOpen());
    next.ADOConnection1.close();
}

TEST_F(SunucuWindowTest, RefusedSettingsAndAnUnreachableServerSaveNothingUnlessTheUserSaysSo)
{
    const struct {
        const char* port;
        const char* database;
        const char* user;
        QString message;
    } refusals[] = {
        {"70000", "kasa", "", kServerPortRefused},
        {"0", "kasa", "", kServerPortRefused},
        {"5432", "", "kasiyer", kServerNameMissing},
    };
    for (const auto& r : refusals) {
        SCOPED_TRACE(r.port);
        dialogs().clear();
        typeSettings({}, QString::fromLatin1(r.port), QString::fromLatin1(r.database),
                     QString::fromLatin1(r.user));
        click(control<QAbstractButton>("sunucuF", "kaydetBut"));
        EXPECT_EQ(dialogs().messages(), QStringList{r.message});
        EXPECT_FALSE(saved().isSet());
    }

    // A database the server does not have: the server's reason, then a question whose
    // default keeps the file as it was.
    typeSettings(env("PGHOST"), env("PGPORT"), QStringLiteral("tamevo_yok_boyle"), {});
    for (const Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
        dialogs().clear();
        dialogs().answer(answer);
        click(control<QAbstractButton>("sunucuF", "kaydetBut"));
        ASSERT_EQ(dialogs().questions().size(), 1);
        EXPECT_TRUE(
            dialogs().questions().first().startsWith(QStringLiteral("Sunucuya bağlanılamadı.")));
        EXPECT_TRUE(dialogs().questions().first().endsWith(kServerSaveAnyway));
        if (answer == Dialogs::Answer::No) {
            // Nothing follows the question: it is the last thing shown.
            EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
            EXPECT_FALSE(saved().isSet());
        } else {
            EXPECT_EQ(dialogs().messages(), QStringList{kServerSettingsSaved});
            EXPECT_EQ(saved().database, QStringLiteral("tamevo_yok_boyle"));
        }
    }
}

TEST_F(SunucuWindowTest, EmptyFieldsTakeTheBooksBackToTheLocalFilesAfterAQuestion)
{
    writeServerSettings(programSettingsFile(), testDatabase->settings());
    program->window(QStringLiteral("sunucuF"))->hide();
    program->window(QStringLiteral("sunucuF"))->show();
    typeSettings({}, {}, {}, {});
    for (const Dialogs::Answer answer : {Dialogs::Answer::No, Dialogs::Answer::Yes}) {
        dialogs().clear();
        dialogs().answer(answer);
        click(control<QAbstractButton>("sunucuF", "kaydetBut"));
        EXPECT_EQ(dialogs().questions(), QStringList{kServerSettingsClearQuestion});
        EXPECT_EQ(saved().isSet(), answer == Dialogs::Answer::No);
    }
    EXPECT_EQ(dialogs().messages().last(), kServerSettingsCleared);
}
