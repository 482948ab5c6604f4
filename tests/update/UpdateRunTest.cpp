#include "update/UpdateCommand.h"

#include "data/ProgramFolder.h"
#include "update/HiddenProcess.h"
#include "update/InternetConnection.h"

#include "LoopbackServer.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tamevo;
using tamevo::test::LoopbackServer;
using tamevo::test::ProgramFolderTest;
using Code = TZubSimpleUpdaterError;

namespace {

class FixedConnection : public InternetConnection {
public:
    bool connected() override { return present; }
    bool present = true;
};

QByteArray contents(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& file, const QByteArray& content)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << file.toStdString();
    f.write(content);
}

#ifdef Q_OS_LINUX
// True while the script waits in its loop: a `sleep` runs whose parent's command line names
// the script.
bool scriptIsWaiting(const QString& script)
{
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& pid : pids) {
        // "pid (comm) state ppid ..."
        const QByteArray stat = contents(QStringLiteral("/proc/%1/stat").arg(pid));
        const qsizetype close = stat.lastIndexOf(')');
        if (close < 0 ||
            stat.mid(stat.indexOf('(') + 1, close - stat.indexOf('(') - 1) != "sleep") {
            continue;
        }
        const QByteArray parent = stat.mid(close + 2).split(' ').value(1);
        const QList<QByteArray> command =
            contents(QStringLiteral("/proc/%1/cmdline").arg(QString::fromLatin1(parent)))
                .split('\0');
        if (command.contains(QFile::encodeName(script))) {
            return true;
        }
    }
    return false;
}
#endif

}  // namespace

// A program folder with the stand-in program as its program file, a server with a newer
// build of it, the update command over them, and the updater's errors, started scripts and
// close requests recorded. Scripts are only recorded unless a test starts them for real.
class UpdateTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(server.listen());
        ASSERT_TRUE(QFile::copy(QStringLiteral(TAMEVO_STAND_IN), path(QStringLiteral("Tamevo"))));
        oldProgram = contents(path(QStringLiteral("Tamevo")));
        newProgram = oldProgram + "\n-- newer build --\n";
        server.serve(kUpdatePath, newProgram);
        command.server = server.address();
        TZubUpdater& updater = command.updater;
        updater.programFile = path(QStringLiteral("Tamevo"));
        updater.OnError = [this](TZubUpdater&, Code code, const QString&, const QString&) {
            errors.push_back(code);
        };
        updater.startHidden = [this](const QString& script, const QString&) {
            startedScripts << script;
            return scriptStarts;
        };
        QObject::connect(&updater, &TZubUpdater::closeRequested, [this] { ++closeRequests; });
        QObject::connect(&command, &UpdateCommand::exitQuestionWaived,
                         [this] { ++exitQuestionWaivers; });
    }

    void pressUpdate(Dialogs::Answer answer = Dialogs::Answer::Yes)
    {
        dialogs().answer(answer);
        command.updateProgram();
    }

    // Nothing of the program was replaced, staged or handed to a script.
    void expectProgramUntouched(const QString& name = QStringLiteral("Tamevo"))
    {
        EXPECT_EQ(contents(path(name)), oldProgram);
        for (const QString& left : {QStringLiteral("_") + name, QStringLiteral("B") + name,
                                    name + QStringLiteral(".sh")}) {
            EXPECT_FALSE(QFileInfo(path(left)).isFile()) << left.toStdString();
        }
        EXPECT_EQ(closeRequests, 0);
        EXPECT_FALSE(command.updater.done());
    }

    FixedConnection internet;
    LoopbackServer server;
    UpdateCommand command{internet};
    QByteArray oldProgram;
    QByteArray newProgram;
    std::vector<Code> errors;
    QStringList startedScripts;
    bool scriptStarts = true;
    int closeRequests = 0;
    int exitQuestionWaivers = 0;
};

TEST_F(UpdateTest, TheScriptReplacesTheProgramOnceItHasEndedAndRestartsIt)
{
    const QString program = path(QStringLiteral("Tamevo"));
    QProcess running;
    running.start(program, {QStringLiteral("--wait")});
    ASSERT_TRUE(running.waitForStarted());
    TZubUpdater& updater = command.updater;
    updater.programProcessId = running.processId();
    updater.startHidden = startHiddenScript;

    pressUpdate();

    EXPECT_EQ(dialogs().questions(), QStringList{kUpdateQuestion});
    EXPECT_EQ(dialogs().shown().front().title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(dialogs().shown().front().buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(dialogs().messages(), QStringList{kUpdateDone});
    EXPECT_EQ(server.requests(), QStringList{kUpdatePath});
    EXPECT_EQ(exitQuestionWaivers, 1);
    EXPECT_EQ(closeRequests, 1);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(updater.done());
    EXPECT_EQ(contents(path(QStringLiteral("Yedek/Tamevo"))), newProgram);

    // While the program runs the script waits: the new build staged, the current one saved.
#ifdef Q_OS_LINUX
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return scriptIsWaiting(path(QStringLiteral("Tamevo.sh"))); }, 30000));
#endif
    EXPECT_EQ(contents(program), oldProgram);
    EXPECT_EQ(contents(path(QStringLiteral("_Tamevo"))), newProgram);
    EXPECT_EQ(contents(path(QStringLiteral("BTamevo"))), oldProgram);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Tamevo.sh"))));

    running.closeWriteChannel();
    ASSERT_TRUE(running.waitForFinished());
    const bool finished = QTest::qWaitFor(
        [&] {
            return contents(path(QStringLiteral("restarted.txt"))) == "restarted\n" &&
                   !QFile::exists(path(QStringLiteral("Tamevo.sh")));
        },
        30000);
    ASSERT_TRUE(finished) << "the script did not restart the program and end";
    EXPECT_EQ(contents(program), newProgram);
    EXPECT_TRUE(QFileInfo(program).isExecutable());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("_Tamevo"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("BTamevo"))));
}

TEST_F(UpdateTest, NoAnswerOrNoConnectionEndsBeforeTheDownload)
{
    const struct {
        Dialogs::Answer answer;
        bool connected;
        QStringList messages;
    } cases[] = {
        {Dialogs::Answer::No, true, {}},
        {Dialogs::Answer::Yes, false, {kNoInternetConnection}},
    };
    for (const auto& c : cases) {
        dialogs().clear();
        internet.present = c.connected;
        pressUpdate(c.answer);
        EXPECT_EQ(dialogs().messages(), c.messages);
        EXPECT_TRUE(server.requests().isEmpty());
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("Yedek/Tamevo"))));
        EXPECT_EQ(exitQuestionWaivers, 0);
        expectProgramUntouched();
    }
}

TEST_F(UpdateTest, AnInstalledProgramLeavesItsUpdatesToThePackageManager)
{
    // The program's own files elsewhere, as a package installs them; the data folder is this.
    QTemporaryDir installed;
    setProgramFolders({installed.path(), folder(), true});
    dialogs().clear();
    command.updateProgram();

    EXPECT_TRUE(dialogs().questions().isEmpty());
    EXPECT_EQ(dialogs().messages(), QStringList{kUpdatedByPackageManager});
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Yedek/Tamevo"))));
    EXPECT_TRUE(QDir(installed.path()).isEmpty());
    EXPECT_EQ(exitQuestionWaivers, 0);
    expectProgramUntouched();
}

TEST_F(UpdateTest, ADownloadThatIsNoProgramOfThisPlatformIsRefusedAndReplacesNothing)
{
    // An earlier download stays as it was.
    writeFile(path(QStringLiteral("Yedek/Tamevo")), "earlier download");
#ifdef Q_OS_WIN
    const QByteArray otherPlatform = QByteArray(
                                         "\x7F"
                                         "ELF\x02\x01\x01",
                                         7) +
                                     newProgram;
#else
    const QByteArray otherPlatform = QByteArray("MZ\x90\x00\x03", 5) + newProgram;
#endif
    const struct {
        const char* what;
        bool served;
        QByteArray body;
    } cases[] = {
        {"empty file", true, QByteArray()},
        {"web page", true, "<html><body>Bakımdayız</body></html>"},
        {"program of another platform", true, otherPlatform},
        {"missing on the server", false, QByteArray()},
    };
    for (const auto& c : cases) {
        dialogs().clear();
        if (c.served) {
            server.serve(kUpdatePath, c.body);
        } else {
            server.forget(kUpdatePath);
        }
        const qsizetype requestsBefore = server.requests().size();
        pressUpdate();
        EXPECT_EQ(server.requests().size(), requestsBefore + 1) << c.what;
        EXPECT_TRUE(dialogs().messages().isEmpty()) << c.what;
        EXPECT_EQ(contents(path(QStringLiteral("Yedek/Tamevo"))), QByteArray("earlier download"))
            << c.what;
        EXPECT_EQ(exitQuestionWaivers, 0) << c.what;
        EXPECT_TRUE(startedScripts.isEmpty()) << c.what;
        expectProgramUntouched();
    }
    EXPECT_EQ(QDir(path(QStringLiteral("Yedek"))).entryList(QDir::Files),
              QStringList{QStringLiteral("Tamevo")});
}

// A run whose new program cannot be put in place beside a saved copy of the current one
// reports that the update was not made and leaves the program as it is, running.
struct UnplacedCase {
    const char* what;
    const char* programName;  // the program file's name
    const char* blockedName;  // a folder standing where the run writes a file
    bool scriptStarts;
    std::vector<Code> errors;
};

void PrintTo(const UnplacedCase& c, std::ostream* out)
{
    *out << c.what;
}

class UnplacedUpdateTest : public UpdateTest, public ::testing::WithParamInterface<UnplacedCase> {};

TEST_P(UnplacedUpdateTest, ReportsFailureAndKeepsTheProgram)
{
    const UnplacedCase& c = GetParam();
    const QString name = QString::fromLatin1(c.programName);
    if (name != QLatin1String("Tamevo")) {
        ASSERT_TRUE(QFile::rename(path(QStringLiteral("Tamevo")), path(name)));
        command.updater.programFile = path(name);
    }
    if (c.blockedName != nullptr) {
        ASSERT_TRUE(QDir().mkpath(path(QString::fromLatin1(c.blockedName))));
    }
    scriptStarts = c.scriptStarts;

    pressUpdate();

    EXPECT_EQ(dialogs().messages(), QStringList{kUpdateFailed});
    EXPECT_EQ(errors, c.errors);
    EXPECT_EQ(exitQuestionWaivers, 0);
    EXPECT_EQ(contents(path(QStringLiteral("Yedek/Tamevo"))), newProgram);
    expectProgramUntouched(name);
}

INSTANTIATE_TEST_SUITE_P(
    UpdateTest, UnplacedUpdateTest,
    ::testing::Values(
        UnplacedCase{"no new program under the program's name",
                     "Kasa",
                     nullptr,
                     true,
                     {Code::suecNoEXESource, Code::suecFileCopyError}},
        UnplacedCase{
            "new program cannot be staged", "Tamevo", "_Tamevo", true, {Code::suecFileCopyError}},
        UnplacedCase{"current program cannot be saved",
                     "Tamevo",
                     "BTamevo",
                     true,
                     {Code::suecFileCopyError}},
        UnplacedCase{"script does not start", "Tamevo", nullptr, false, {}}),
    [](const auto& info) { return std::to_string(info.index); });

TEST_F(UpdateTest, ACompletedRunIsNotRepeated)
{
    command.updater.AutoRestartApp = false;
    pressUpdate();
    pressUpdate();

    EXPECT_EQ(dialogs().messages(), (QStringList{kUpdateDone, kUpdateFailed}));
    EXPECT_EQ(errors, (std::vector<Code>{Code::suecNeedRestartApp, Code::suecAlreadyUpdated}));
    EXPECT_EQ(startedScripts, QStringList{path(QStringLiteral("Tamevo.sh"))});
    EXPECT_EQ(closeRequests, 0);
    EXPECT_EQ(exitQuestionWaivers, 1);
}

TEST_F(UpdateTest, ErrorsComeInTheChosenLanguageWithTheFileConcerned)
{
    TZubUpdater updater;
    updater.programFile = path(QStringLiteral("Tamevo"));
    updater.Language = TZubSimpleUpdaterLanguage::sulaFrench;
    updater.UpdateSrc = QStringLiteral("Yedek");
    QStringList reported;
    updater.OnError = [&](TZubUpdater& sender, Code code, const QString& parameter,
                          const QString& message) {
        EXPECT_EQ(&sender, &updater);
        reported << QStringLiteral("%1 %2 %3").arg(int(code)).arg(parameter, message);
    };
    updater.StopOnFirstError = true;

    EXPECT_FALSE(updater.RunUpdate());
    EXPECT_EQ(updater.UpdateSrc, QStringLiteral("Yedek/"));
    EXPECT_EQ(reported, QStringList{QStringLiteral(
                            "2 Yedek/Tamevo Le directory pour la mise à jour n'existe pas "
                            "(application)!")});

    reported.clear();
    updater.UpdateSrc = QStringLiteral("  ");
    updater.Language = TZubSimpleUpdaterLanguage::sulaHungarian;
    EXPECT_FALSE(updater.RunUpdate());
    EXPECT_EQ(reported,
              QStringList{QStringLiteral("7  A frissítés forrás könyvtára nincs megadva!")});
}

TEST_F(UpdateTest, OriginalFilesAreKeptInATimeStampedSaveFolder)
{
    writeFile(path(QStringLiteral("Yedek/Tamevo")), newProgram);
    writeFile(path(QStringLiteral("Other.dat")), "current other");
    writeFile(path(QStringLiteral("Yedek/Other.dat")), "new other");
    TZubUpdater& updater = command.updater;
    updater.setOtherFiles(
        {QStringLiteral("Other.dat"), QStringLiteral("OTHER.DAT"), QStringLiteral("Missing.dat")});
    EXPECT_EQ(updater.OtherFiles(),
              (QStringList{QStringLiteral("Other.dat"), QStringLiteral("Missing.dat")}));
    updater.SaveOriginalFiles = true;
    updater.SaveDir = path(QStringLiteral("Saves"));

    ASSERT_TRUE(updater.RunUpdate());

    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(updater.SaveDir, path(QStringLiteral("Saves/")));
    EXPECT_TRUE(
        QRegularExpression(
            QStringLiteral("^%1[0-9]{14}/$").arg(QRegularExpression::escape(updater.SaveDir)))
            .match(updater.saveFolder())
            .hasMatch())
        << updater.saveFolder().toStdString();
    EXPECT_EQ(contents(updater.saveFolder() + QStringLiteral("Tamevo")), oldProgram);
    EXPECT_EQ(contents(updater.saveFolder() + QStringLiteral("Other.dat")), "current other");
    EXPECT_EQ(contents(path(QStringLiteral("_Other.dat"))), "new other");
    const QString script = QString::fromUtf8(contents(path(QStringLiteral("Tamevo.sh"))));
    EXPECT_TRUE(script.contains(
        QStringLiteral("cp '%1' '%2'")
            .arg(path(QStringLiteral("_Other.dat")), path(QStringLiteral("Other.dat")))))
        << script.toStdString();
    EXPECT_FALSE(script.contains(QStringLiteral("Missing.dat")));
    EXPECT_EQ(closeRequests, 1);
}

TEST_F(UpdateTest, ASaveFolderThatCannotBeMadeStopsTheRunOnlyWhenAskedTo)
{
    writeFile(path(QStringLiteral("Yedek/Tamevo")), newProgram);
    for (const bool stop : {true, false}) {
        errors.clear();
        TZubUpdater& updater = command.updater;
        updater.StopOnFirstError = stop;
        updater.SaveOriginalFiles = true;
        // Under a regular file no folder can be made.
        updater.SaveDir = path(QStringLiteral("Tamevo/Saves"));

        EXPECT_EQ(updater.RunUpdate(), !stop);
        if (stop) {
            EXPECT_EQ(errors, std::vector<Code>{Code::suecCannotCreateSaveDir});
            expectProgramUntouched();
        } else {
            EXPECT_EQ(errors, (std::vector<Code>{Code::suecCannotCreateSaveDir,
                                                 Code::suecCannotCreateSaveDir}));
            EXPECT_EQ(contents(path(QStringLiteral("_Tamevo"))), newProgram);
            EXPECT_EQ(closeRequests, 1);
        }
    }
}
