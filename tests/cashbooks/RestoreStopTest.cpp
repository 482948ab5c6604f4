// A restore of all stopped at any moment: after every step it takes (the worker ends itself
// right after step N) and at random moments (SIGKILL). The next start finishes it or takes it
// back: every database of both folders is the backup's or every one is as it was, and nothing
// the restore made is left behind. The test's program is also the worker it starts.
#include "cashbooks/Backups.h"
#include "cashbooks/RestoreJournal.h"
#include "cashbooks/ZipArchive.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"

#include "support/AnsweringDialogs.h"
#include "support/KilledWorker.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>

using namespace tamevo;

namespace {

const QString kWorkerFlag = QStringLiteral("--restore-worker");
// The worker's exit code when it ends itself after the step it was given.
constexpr int kStoppedExit = 9;
constexpr int kBooks = 12;

const QStringList kFolders{QStringLiteral("Data"), QStringLiteral("AnaData")};

QString archiveOf(const QString& folder, const QString& mark)
{
    return folder + QStringLiteral("Yedek/Tumu%1.zip").arg(mark);
}

// --- The worker ------------------------------------------------------------------------------

// Restores all from `archives` in turn, from the first again after the last, `rounds` times (0:
// until killed). With `stopAfter` above 0 it ends itself right after that step of the restore,
// as a kill there would.
int runWorker(const QString& folder, const QStringList& archives, int rounds, int stopAfter)
{
    setProgramFolder(folder);
    test::AnsweringDialogs workerDialogs(archives.first());
    installDialogs(&workerDialogs);
    int steps = 0;
    RestoreJournal::afterEachStep() = [&steps, stopAfter] {
        if (++steps == stopAfter) {
            std::_Exit(kStoppedExit);
        }
    };
    try {
        Session session;
        session.openStartupConnections();
        Backups backups(session);
        std::fprintf(stdout, "ready\n");
        std::fflush(stdout);
        for (int round = 0; rounds == 0 || round < rounds; ++round) {
            workerDialogs.setFile(archives[round % archives.size()]);
            if (!backups.TumFirmalarGeriYukle()) {
                return 5;
            }
        }
    } catch (const Error& error) {
        std::fprintf(stderr, "hata: %s\n", qPrintable(error.text()));
        return 3;
    }
    std::fprintf(stdout, "steps %d\n", steps);
    return 0;
}

// --- The folder ------------------------------------------------------------------------------

// Runs statements on a database file.
void execute(const QString& file, const QStringList& statements)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open()) << file.toStdString();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            ASSERT_TRUE(query.exec(statement))
                << statement.toStdString() << ": " << query.lastError().text().toStdString();
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// The mark a database carries; "-" for a missing file, the engine's text for one that does not
// open or has no mark.
QString markOf(const QString& file)
{
    if (!QFile::exists(file)) {
        return QStringLiteral("-");
    }
    QString mark;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            mark = db.lastError().text();
        } else {
            QSqlQuery query(db);
            mark = query.exec(QStringLiteral("SELECT ad FROM isaret")) && query.next()
                       ? query.value(0).toString()
                       : query.lastError().text();
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return mark;
}

// Marks every database of both folders with `mark`, replacing the mark it had.
void markDatabases(const QString& folder, const QString& mark)
{
    for (const QString& sub : kFolders) {
        const QDir dir(folder + sub);
        for (const QString& name : dir.entryList({QStringLiteral("*.mdb")}, QDir::Files)) {
            execute(dir.filePath(name),
                    {QStringLiteral("CREATE TABLE IF NOT EXISTS isaret (ad TEXT)"),
                     QStringLiteral("DELETE FROM isaret"),
                     QStringLiteral("INSERT INTO isaret VALUES ('%1')").arg(mark)});
        }
    }
}

// Both folders' databases into the archive pair of `mark`, as the backup of all writes it.
void writeArchivePair(const QString& folder, const QString& mark)
{
    ZipArchive(archiveOf(folder, mark))
        .writeMatchingFiles(folder + QStringLiteral("Data"), QStringLiteral("*.mdb"));
    ZipArchive(archiveOf(folder, mark) + QStringLiteral("Gen"))
        .writeMatchingFiles(folder + QStringLiteral("AnaData"), QStringLiteral("*.mdb"));
}

// A program folder with kBooks cash books of some hundred kilobytes each.
void layOutBooks(const QString& folder)
{
    layOutProgramFolder(folder);
    for (int i = 1; i <= kBooks; ++i) {
        const QString book =
            folder + QStringLiteral("Data/K%1%2.mdb").arg(i, 2, 10, QLatin1Char('0')).arg(2021);
        ASSERT_TRUE(QFile::copy(folder + QStringLiteral("Kasa.mdb"), book));
        execute(book, {QStringLiteral(
                          "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                          "i < 600) INSERT INTO nakit (islem_tarihi, aciklama) SELECT "
                          "'2021-03-01', hex(randomblob(90)) FROM n")});
    }
}

// Every database of both folders, by its path under the program folder: its mark.
QMap<QString, QString> marks(const QString& folder, const QStringList& files)
{
    QMap<QString, QString> result;
    for (const QString& file : files) {
        result.insert(file, markOf(folder + file));
    }
    return result;
}

QStringList databasesOf(const QString& folder)
{
    QStringList files;
    for (const QString& sub : kFolders) {
        for (const QString& name :
             QDir(folder + sub).entryList({QStringLiteral("*.mdb")}, QDir::Files)) {
            files << sub + QLatin1Char('/') + name;
        }
    }
    return files;
}

// What a restore may leave behind: hidden files beside the databases, the journal, its cut
// copies and the lock in the program folder.
QStringList leftovers(const QString& folder)
{
    QStringList found;
    for (const QString& sub : kFolders) {
        for (const QString& name : QDir(folder + sub).entryList(QDir::Files | QDir::Hidden)) {
            if (name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1String("-journal"))) {
                found << sub + QLatin1Char('/') + name;
            }
        }
    }
    for (const QString& name :
         QDir(folder).entryList({QStringLiteral("*GeriYukleme*")}, QDir::Files | QDir::Hidden)) {
        found << name;
    }
    return found;
}

// A copy of the folder `from` into `to`, subfolders too.
void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + QDir(from).relativeFilePath(file);
        QDir().mkpath(QFileInfo(target).absolutePath());
        ASSERT_TRUE(QFile::copy(file, target)) << target.toStdString();
    }
}

struct Worker {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::NormalExit;
    QString output;
};

QStringList workerArguments(const QString& folder, const QStringList& archives, int rounds,
                            int stopAfter)
{
    return {kWorkerFlag, folder, archives.join(QLatin1Char('|')), QString::number(rounds),
            QString::number(stopAfter)};
}

Worker runToEnd(const QStringList& arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), arguments);
    EXPECT_TRUE(process.waitForFinished(120000));
    return {
        process.exitCode(), process.exitStatus(),
        QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError())};
}

// The next start's part, as the program runs it: the message it gives, the text of an error.
QString nextStart(const QString& folder)
{
    setProgramFolder(folder);
    try {
        return finishInterruptedRestore();
    } catch (const Error& error) {
        ADD_FAILURE() << "the next start failed: " << error.what();
        return error.text();
    }
}

}  // namespace

TEST(RestoreStopTest, ARestoreStoppedAfterAnyStepIsFinishedOrTakenBackAtTheNextStart)
{
    // The backup: every database marked "yedek", and a cash book the folder does not have yet.
    QTemporaryDir pristine;
    ASSERT_TRUE(pristine.isValid());
    const QString original = pristine.path() + QLatin1Char('/');
    layOutBooks(original);
    markDatabases(original, QStringLiteral("yedek"));
    const QString extraBook = QStringLiteral("Data/K992021.mdb");
    ASSERT_TRUE(QFile::copy(original + QStringLiteral("Data/K012021.mdb"), original + extraBook));
    writeArchivePair(original, QStringLiteral("Y"));
    QFile::remove(original + extraBook);
    markDatabases(original, QStringLiteral("eski"));
    const QStringList files = databasesOf(original) << extraBook;
    QMap<QString, QString> allOld;
    QMap<QString, QString> allNew;
    for (const QString& file : files) {
        allOld.insert(file, file == extraBook ? QStringLiteral("-") : QStringLiteral("eski"));
        allNew.insert(file, QStringLiteral("yedek"));
    }

    // How many steps a whole restore takes.
    int totalSteps = 0;
    {
        QTemporaryDir run;
        const QString folder = run.path() + QLatin1Char('/');
        copyFolder(original, folder);
        const Worker worker =
            runToEnd(workerArguments(folder, {archiveOf(folder, QStringLiteral("Y"))}, 1, 0));
        ASSERT_EQ(worker.exitCode, 0) << worker.output.toStdString();
        totalSteps = worker.output.section(QStringLiteral("steps "), 1).trimmed().toInt();
        EXPECT_EQ(marks(folder, files), allNew);
        EXPECT_EQ(leftovers(folder), QStringList());
    }
    // A journal, every file unpacked, put in place and cleaned up is a step of its own.
    ASSERT_GT(totalSteps, 3 * (kBooks + 2));

    bool sawOld = false;
    bool sawNew = false;
    for (int stop = 1; stop <= totalSteps; ++stop) {
        SCOPED_TRACE(stop);
        QTemporaryDir run;
        const QString folder = run.path() + QLatin1Char('/');
        copyFolder(original, folder);
        const Worker worker =
            runToEnd(workerArguments(folder, {archiveOf(folder, QStringLiteral("Y"))}, 1, stop));
        ASSERT_EQ(worker.exitCode, kStoppedExit) << worker.output.toStdString();

        const QString message = nextStart(folder);
        const QMap<QString, QString> found = marks(folder, files);
        EXPECT_TRUE(found == allOld || found == allNew)
            << QStringList(found.values()).join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(leftovers(folder), QStringList());
        // A restore stopped before its end is reported; one stopped after its journal went
        // was whole already.
        EXPECT_EQ(message.isEmpty(), stop == totalSteps) << message.toStdString();
        EXPECT_EQ(nextStart(folder), QString());
        sawOld = sawOld || found == allOld;
        sawNew = sawNew || found == allNew;
        if (::testing::Test::HasFailure()) {
            break;
        }
    }
    std::cout << "restore stopped after each of its " << totalSteps << " steps" << std::endl;
    EXPECT_TRUE(sawOld);
    EXPECT_TRUE(sawNew);
}

TEST(RestoreStopTest, ARestoreKilledAtRandomMomentsLeavesAllOldOrAllNew)
{
    constexpr int kKills = 20;
    constexpr int kLongestRunMs = 1500;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + QLatin1Char('/');
    layOutBooks(folder);
    markDatabases(folder, QStringLiteral("A"));
    writeArchivePair(folder, QStringLiteral("A"));
    markDatabases(folder, QStringLiteral("B"));
    writeArchivePair(folder, QStringLiteral("B"));
    const QStringList files = databasesOf(folder);
    const QStringList arguments = workerArguments(
        folder, {archiveOf(folder, QStringLiteral("A")), archiveOf(folder, QStringLiteral("B"))}, 0,
        0);

    QRandomGenerator random(20210503);
    int checks = 0;
    int passed = 0;
    int reported = 0;
    int survived = 0;
    for (int round = 1; round <= kKills; ++round) {
        SCOPED_TRACE(round);
        test::killWorkerAfter(arguments, int(random.bounded(10, kLongestRunMs)));
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        const QString message = nextStart(folder);
        reported += message.isEmpty() ? 0 : 1;
        const QMap<QString, QString> found = marks(folder, files);
        const QString first = found.first();
        ++checks;
        passed += (first == QStringLiteral("A") || first == QStringLiteral("B")) &&
                          std::all_of(found.cbegin(), found.cend(),
                                      [&](const QString& mark) { return mark == first; })
                      ? 1
                      : 0;
        EXPECT_EQ(passed, checks)
            << QStringList(found.values()).join(QLatin1Char(' ')).toStdString();
        ++checks;
        const QStringList left = leftovers(folder);
        passed += left.isEmpty() ? 1 : 0;
        EXPECT_EQ(left, QStringList());
        if (::testing::Test::HasFailure()) {
            break;
        }
        ++survived;
    }
    std::cout << "restores killed: " << survived << " of " << kKills
              << "; checks passed: " << passed << " of " << checks
              << "; stopped restores reported at the next start: " << reported << std::endl;
    ::testing::Test::RecordProperty("kills", survived);
    ::testing::Test::RecordProperty("checks", checks);
    ::testing::Test::RecordProperty("checks_passed", passed);
    EXPECT_EQ(survived, kKills);
    // Some kills landed in the middle of a restore.
    EXPECT_GT(reported, 0);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 6 && args[1] == kWorkerFlag) {
        return runWorker(args[2], args[3].split(QLatin1Char('|')), args[4].toInt(),
                         args[5].toInt());
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
