// Crash safety under a hard stop: a worker process runs the ledger's saves and deletes, the
// year-end carry-over and a single restore in a loop over real cash-book databases, and is
// killed with SIGKILL at random moments. After each kill the databases are checked as the
// next start finds them: the engine's integrity check, the per-day totals against the sums
// over the movements (in kuruş), every movement whole, and every movement the worker was told
// was saved still there (and every one it was told was deleted gone).
//
// The same program is the worker: started with --kill-worker it runs the loop until it is
// killed.
#include "cashbooks/Backups.h"
#include "cashbooks/RestoreJournal.h"
#include "cashbooks/ZipArchive.h"
#include "data/CashBookFiles.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"
#include "ledger/CarryOver.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"

#include "support/AnsweringDialogs.h"
#include "support/BookChecks.h"
#include "support/KilledWorker.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

using namespace tamevo;

namespace {

// Bounded: so many kills, each after at most this long of work.
constexpr int kKills = 16;
constexpr int kLongestRunMs = 700;

const QString kWorkerFlag = QStringLiteral("--kill-worker");

FirmaRecord recordOf(const QString& code, const QString& title)
{
    FirmaRecord record;
    record.values.fill(QVariant(), firmaFieldNames().size());
    record.values[1] = code;
    record.values[4] = title;
    return record;
}

QString restoreArchive(const QString& folder)
{
    return folder + QStringLiteral("Yedek/K02.ydk");
}

// --- The worker ------------------------------------------------------------------------------

// One line of the worker's log, on the disk before the worker goes on.
class Log {
public:
    explicit Log(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_WRONLY | O_APPEND | O_CREAT, 0644))
    {
    }
    ~Log() { ::close(fd_); }
    void line(const QString& text)
    {
        const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
        if (::write(fd_, bytes.constData(), size_t(bytes.size())) != bytes.size() ||
            ::fsync(fd_) != 0) {
            std::_Exit(4);
        }
    }

private:
    int fd_;
};

// A movement the worker stores: its amount in kuruş on one side, the description naming
// both, so a half-written row cannot pass for a whole one.
QString descriptionOf(qint64 kurus, bool in)
{
    return QStringLiteral("%1 %2").arg(in ? QStringLiteral("B") : QStringLiteral("A")).arg(kurus);
}

void changeOtherBook(const QString& folder, QRandomGenerator& random)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(folder + QStringLiteral("Data/K022021.mdb"));
        if (db.open()) {
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
            const qint64 kurus = random.bounded(1, 100000);
            q.prepare(
                QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                               "doviz_kuru, doviz_borc, aciklama) VALUES "
                               "('2021-02-01', 'TL', ?, 1, ?, ?)"));
            q.addBindValue(kurus / 100.0);
            q.addBindValue(kurus / 100.0);
            q.addBindValue(descriptionOf(kurus, true));
            q.exec();
            q.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
}

int runWorker(const QString& folder, const QString& logPath, quint32 seed)
{
    setProgramFolder(folder);
    test::AnsweringDialogs workerDialogs(restoreArchive(GetPathPath()));
    installDialogs(&workerDialogs);
    QRandomGenerator random(seed);
    Log log(logPath);
    try {
        Session session;
        session.openStartupConnections();
        session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), std::nullopt);
        Ledger ledger(session);
        ledger.setCurrencySelection(kAllCurrencies);
        ledger.setPickerDate(QDate(2021, 6, 1));
        ledger.openBook();
        ledger.yenile();  // the date list of all currencies
        Backups backups(session);
        std::fprintf(stdout, "ready\n");
        std::fflush(stdout);

        for (;;) {
            const int choice = int(random.bounded(100));
            if (choice < 60) {
                // A new movement through the ledger, as "SAKLA" stores it.
                const QDate day = QDate(2021, 1, 1).addDays(random.bounded(90));
                const bool in = random.bounded(2) == 0;
                const qint64 kurus = random.bounded(1, 10000000);
                const QString currency =
                    random.bounded(4) == 0 ? QStringLiteral("USD") : QStringLiteral("TL");
                ledger.appendMovement();
                ledger.movementEntry().setValue(
                    in ? QStringLiteral("borc_tutar") : QStringLiteral("alacak_tutar"),
                    kurus / 100.0);
                ledger.movementEntry().setValue(QStringLiteral("aciklama"),
                                                descriptionOf(kurus, in));
                if (ledger.saveMovement({day, currency}) != Ledger::SaveResult::Saved) {
                    return 5;
                }
                // The newest movement of that description is the one just stored.
                QSqlQuery stored(session.kasaConnection.database());
                stored.prepare(QStringLiteral("SELECT max(nid) FROM nakit WHERE aciklama = ?"));
                stored.addBindValue(descriptionOf(kurus, in));
                if (!stored.exec() || !stored.next()) {
                    throw Error(stored.lastError().text());
                }
                log.line(QStringLiteral("S %1 %2")
                             .arg(stored.value(0).toLongLong())
                             .arg(descriptionOf(kurus, in)));
            } else if (choice < 85) {
                // A movement deleted through the ledger.
                QSqlQuery pick(session.kasaConnection.database());
                if (!pick.exec(QStringLiteral(
                        "SELECT nid, islem_tarihi FROM nakit WHERE neden IS NOT 'DEVİR' "
                        "ORDER BY random() LIMIT 1"))) {
                    throw Error(pick.lastError().text());
                }
                if (!pick.next()) {
                    continue;
                }
                const qint64 nid = pick.value(0).toLongLong();
                const QDate day = QDate::fromString(pick.value(1).toString(), Qt::ISODate);
                pick.finish();
                if (!ledger.locateMovement(day, nid)) {
                    return 6;
                }
                log.line(QStringLiteral("d %1").arg(nid));
                ledger.deleteCurrentMovement();
                log.line(QStringLiteral("D %1").arg(nid));
            } else if (choice < 93) {
                // The year-end carry-over into 2022, then back to 2021.
                YilSonuDevri(ledger, [](const QString&) {});
                ledger.setPickerDate(QDate(2021, 6, 1));
                ledger.switchToPickerYear();
            } else {
                // Another cash book changed, then restored from its backup.
                changeOtherBook(GetPathPath(), random);
                if (!backups.TekKasaGeriYukle()) {
                    return 7;
                }
            }
        }
    } catch (const Error& error) {
        std::fprintf(stderr, "hata: %s\n", qPrintable(error.text()));
        return 3;
    }
}

// --- The checks --------------------------------------------------------------------------

struct LogState {
    QHash<qint64, QString> saved;  // nid -> description, reported saved and not deleted
    QSet<qint64> deleting;         // a delete begun, not reported done
    QSet<qint64> deleted;
};

// The complete lines of the log: a line cut by the kill is not a report.
LogState readLog(const QString& path)
{
    QFile file(path);
    LogState state;
    if (!file.open(QIODevice::ReadOnly)) {
        return state;
    }
    const QByteArray all = file.readAll();
    const QList<QByteArray> lines = all.left(all.lastIndexOf('\n') + 1).split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw);
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.size() < 2) {
            continue;
        }
        const qint64 nid = parts[1].toLongLong();
        if (parts[0] == QLatin1String("S")) {
            state.saved.insert(nid, parts.mid(2).join(QLatin1Char(' ')));
        } else if (parts[0] == QLatin1String("d")) {
            state.deleting.insert(nid);
        } else if (parts[0] == QLatin1String("D")) {
            state.deleting.remove(nid);
            state.saved.remove(nid);
            state.deleted.insert(nid);
        }
    }
    return state;
}

class Checker {
public:
    int passed = 0;

    // Opens a database as the next start does (a journal left by the kill is rolled back)
    // and checks it whole. Returns the movements: nid -> description.
    QHash<qint64, QString> checkBook(const QString& file)
    {
        // The engine's own check, and the per-day totals against the sums over the movements,
        // in kuruş.
        EXPECT_EQ(test::integrityProblems(file), QStringList()) << file.toStdString();
        ++passed;
        EXPECT_EQ(test::daysDifferingFromMovements(file), 0) << file.toStdString();
        ++passed;

        QHash<qint64, QString> movements;
        const QString name = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            EXPECT_TRUE(db.open()) << file.toStdString();
            QSqlQuery q(db);
            const auto rows = [&](const QString& sql) {
                QList<QVariantList> result;
                EXPECT_TRUE(q.exec(sql))
                    << sql.toStdString() << ": " << q.lastError().text().toStdString();
                while (q.next()) {
                    QVariantList row;
                    for (int i = 0; i < q.record().count(); ++i) {
                        row << q.value(i);
                    }
                    result << row;
                }
                return result;
            };
            // Every movement whole: one side, its description naming it, its local amount.
            for (const QVariantList& row : rows(QStringLiteral(
                     "SELECT nid, neden, borc_tutar, alacak_tutar, doviz_kuru, doviz_borc, "
                     "doviz_alacak, aciklama FROM nakit"))) {
                const qint64 nid = row[0].toLongLong();
                const QString description = row[7].toString();
                movements.insert(nid, description);
                if (row[1].toString() == kCarryOverType) {
                    EXPECT_TRUE(row[2].isNull() != row[3].isNull()) << nid;
                    continue;
                }
                const bool in = !row[2].isNull();
                EXPECT_NE(in, !row[3].isNull()) << "movement " << nid << " on both or no side";
                const qint64 kurus = qRound64((in ? row[2] : row[3]).toDouble() * 100);
                EXPECT_EQ(description, descriptionOf(kurus, in)) << "movement " << nid;
                EXPECT_DOUBLE_EQ(row[4].toDouble(), 1.0) << "movement " << nid;
                EXPECT_EQ(qRound64((in ? row[5] : row[6]).toDouble() * 100), kurus)
                    << "movement " << nid;
            }
            ++passed;
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return movements;
    }

    // Every movement reported saved is there as it was saved; every one reported deleted is
    // gone.
    void checkReports(const LogState& log, const QHash<qint64, QString>& movements)
    {
        for (auto it = log.saved.cbegin(); it != log.saved.cend(); ++it) {
            if (log.deleting.contains(it.key())) {
                continue;
            }
            EXPECT_EQ(movements.value(it.key()), it.value()) << "saved movement " << it.key();
        }
        for (const qint64 nid : log.deleted) {
            EXPECT_FALSE(movements.contains(nid)) << "deleted movement " << nid;
        }
        ++passed;
    }
};

}  // namespace

TEST(KillTest, DatabasesStayWholeWhenTheProgramIsKilledAtRandomMoments)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    layOutProgramFolder(dir.path());
    setProgramFolder(dir.path());
    const QString folder = GetPathPath();
    {
        // Two cash books for 2021: K01 worked on, K02 restored from its backup.
        Session session;
        session.openStartupConnections();
        session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"),
                       recordOf(QStringLiteral("K01"), QStringLiteral("Merkez")));
        session.kasaac(QStringLiteral("K02"), QStringLiteral("2021"),
                       recordOf(QStringLiteral("K02"), QStringLiteral("Şube")));
        session.closeCashBook();
    }
    ZipArchive(restoreArchive(folder))
        .writeMatchingFiles(folder + QStringLiteral("Data"),
                            QStringLiteral("K02[0-9][0-9][0-9][0-9].mdb"));
    const QString logPath = folder + QStringLiteral("kayit.log");

    QRandomGenerator random(20210503);
    Checker checker;
    int survived = 0;
    for (int round = 1; round <= kKills; ++round) {
        SCOPED_TRACE(round);
        test::killWorkerAfter({kWorkerFlag, folder, logPath, QString::number(round)},
                              int(random.bounded(10, kLongestRunMs)));
        ASSERT_FALSE(::testing::Test::HasFatalFailure());

        // The next start finishes a restore the kill stopped, and nothing it made is left.
        EXPECT_NO_THROW(finishInterruptedRestore());
        EXPECT_EQ(QDir(folder + QStringLiteral("Data"))
                      .entryList(QDir::Files | QDir::Hidden)
                      .filter(QRegularExpression(QStringLiteral("^\\."))),
                  QStringList());
        ++checker.passed;

        const QHash<qint64, QString> movements =
            checker.checkBook(folder + QStringLiteral("Data/K012021.mdb"));
        if (QFile::exists(folder + QStringLiteral("Data/K012022.mdb"))) {
            checker.checkBook(folder + QStringLiteral("Data/K012022.mdb"));
        }
        checker.checkBook(folder + QStringLiteral("Data/K022021.mdb"));
        checker.checkReports(readLog(logPath), movements);
        if (::testing::Test::HasFailure()) {
            break;
        }
        ++survived;
    }
    const LogState log = readLog(logPath);
    std::cout << "kills survived: " << survived << " of " << kKills
              << "; checks passed: " << checker.passed
              << "; movements reported saved: " << log.saved.size() + log.deleted.size()
              << ", deleted: " << log.deleted.size() << std::endl;
    ::testing::Test::RecordProperty("kills_survived", survived);
    ::testing::Test::RecordProperty("checks_passed", checker.passed);
    EXPECT_EQ(survived, kKills);
    // The kills landed while work was going on.
    EXPECT_GT(log.saved.size() + log.deleted.size(), kKills);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 5 && args[1] == kWorkerFlag) {
        return runWorker(args[2], args[3], args[4].toUInt());
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
