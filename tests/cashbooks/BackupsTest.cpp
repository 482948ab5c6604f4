// The backup and restore commands over a real program folder: archive names and contents,
// dialogs, messages and remembered folders, the automatic backup and its due test, restores
// with the connections closed and opened again, and failures that change nothing.
#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "cashbooks/BackupSettings.h"
#include "cashbooks/Backups.h"
#include "cashbooks/Registry.h"
#include "cashbooks/ZipArchive.h"

#include "ArchiveTools.h"
#include "support/BookChecks.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <thread>

using namespace tamevo;
using namespace tamevo::test;
using Answer = Dialogs::Answer;

namespace {

const QDateTime k3May2021(QDate(2021, 5, 3), QTime(14, 30));

class BackupsTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        session.openStartupConnections();
        backups.now = [] { return k3May2021; };
    }

    // A cash-book database in Data/, a copy of the template with one movement naming it.
    void addBook(const QString& fileName)
    {
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("Kasa.mdb")),
                                path(QStringLiteral("Data/") + fileName)));
        execute(QStringLiteral("Data/") + fileName,
                {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('%1')").arg(fileName)});
    }

    void registerBook(const QString& code)
    {
        execute(QStringLiteral("AnaData/Genel.mdb"),
                {QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('%1', "
                                "'Merkez')")
                     .arg(code)});
    }

    QString setting(const QString& section, const QString& key)
    {
        return backupSettingsFile().read(section, key);
    }

    // The backup of all into Yedek/<name>, without questions.
    QString backUpAll(const QString& name)
    {
        const QString archive = path(QStringLiteral("Yedek/") + name);
        dialogs().choosePath(archive);
        EXPECT_TRUE(backups.TumunuYedekle());
        dialogs().clear();
        return archive;
    }

    // Leaves the database in the state of a program that stopped in the middle of a save:
    // pages of the file already changed, the old ones in a rollback journal beside it.
    void leaveHotJournal(const QString& relativePath)
    {
        QTemporaryDir work;
        const QString copy = work.filePath(QStringLiteral("yarim.mdb"));
        ASSERT_TRUE(QFile::copy(path(relativePath), copy));
        {
            QSqlDatabase db =
                QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("yarim"));
            db.setDatabaseName(copy);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            // A small page cache, so changed pages reach the file before the commit.
            ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA cache_size=1")));
            ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
            ASSERT_TRUE(q.exec(QStringLiteral("UPDATE nakit SET aciklama = 'yarım kaldı'")));
            ASSERT_TRUE(QFile::exists(copy + QStringLiteral("-journal")));
            QFile::remove(path(relativePath));
            ASSERT_TRUE(QFile::copy(copy, path(relativePath)));
            ASSERT_TRUE(QFile::copy(copy + QStringLiteral("-journal"),
                                    path(relativePath) + QStringLiteral("-journal")));
            q.exec(QStringLiteral("ROLLBACK"));
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("yarim"));
    }

    // A restore of all from `archive`, answered Yes, that fails: the text of its error.
    QString failingRestoreOfAll(const QString& archive)
    {
        dialogs().answer(Answer::Yes);
        dialogs().choosePath(archive);
        try {
            backups.TumFirmalarGeriYukle();
        } catch (const Error& error) {
            return error.text();
        }
        ADD_FAILURE() << "no error";
        return {};
    }

    const ScriptedDialogs::Shown& shown(size_t i) { return dialogs().shown().at(i); }

    Session session;
    Backups backups{session};
};

}  // namespace

TEST_F(BackupsTest, TheSingleBackupTakesExactlyTheCashBooksOwnDatabases)
{
    for (const char* file : {"K012021.mdb", "K012022.mdb", "K0122021.mdb", "K022021.mdb"}) {
        addBook(QString::fromLatin1(file));
    }
    QDir().mkpath(path(QStringLiteral("Arsiv")));
    const QString archive = path(QStringLiteral("Arsiv/K01_2021_05_03.ydk"));
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TekKasaYedekle(QStringLiteral("K01")));

    ASSERT_EQ(dialogs().shown().size(), 2u);
    EXPECT_EQ(shown(0).kind, QStringLiteral("save"));
    EXPECT_EQ(shown(0).title, QStringLiteral("Norvane Yedek"));
    EXPECT_EQ(shown(0).text, path(QStringLiteral("Yedek/K01_2021_05_03")));
    EXPECT_EQ(shown(0).filter, QStringLiteral("Yedek (*.ydk)"));
    EXPECT_EQ(shown(0).defaultSuffix, QStringLiteral("ydk"));
    EXPECT_EQ(shown(1).title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(shown(1).text, QStringLiteral("\"K01\" kodlu firmanın yedekleme işlemi\n\r"
                                            "başarılı bir şekilde gerçekleştirildi."));

    // K0122021.mdb belongs to cash book K012.
    EXPECT_EQ(archiveNames(archive),
              (QStringList{QStringLiteral("K012021.mdb"), QStringLiteral("K012022.mdb")}));
    EXPECT_EQ(compressionMethods(archive),
              (QStringList{QStringLiteral("Defl:X"), QStringLiteral("Defl:X")}));
    EXPECT_TRUE(unzipAccepts(archive));

    // The folder saved into is where the next single backup starts.
    EXPECT_EQ(setting(kTekYedekler, kSonTekYedek), path(QStringLiteral("Arsiv")));
    dialogs().clear();
    dialogs().choosePath({});
    EXPECT_FALSE(backups.TekKasaYedekle(QStringLiteral("K01")));
    EXPECT_EQ(shown(0).text, path(QStringLiteral("Arsiv/K01_2021_05_03")));
    EXPECT_EQ(dialogs().shown().size(), 1u);  // cancelled: no message
}

TEST_F(BackupsTest, ACodeThatCannotNameFilesIsRefusedBeforeAnyDialog)
{
    addBook(QStringLiteral("K012021.mdb"));
    for (const auto& [code, message] : {std::pair{QString(), kRegistryEmptyCode},
                                        std::pair{QStringLiteral("K*"), kRegistryBadCode},
                                        std::pair{QStringLiteral("[K]0"), kRegistryBadCode}}) {
        try {
            backups.TekKasaYedekle(code);
            ADD_FAILURE() << "accepted: " << code.toStdString();
        } catch (const ValidationError& error) {
            EXPECT_EQ(error.text(), message);
        }
    }
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(folderEntries(path(QStringLiteral("Yedek"))), QStringList());
}

TEST_F(BackupsTest, TheBackupOfAllWritesTheArchiveAndItsCompanion)
{
    addBook(QStringLiteral("K012021.mdb"));
    addBook(QStringLiteral("K022021.mdb"));
    const QString archive = path(QStringLiteral("Yedek/NorvaneKasaTumu_2021_05_03.zip"));
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TumunuYedekle());

    ASSERT_EQ(dialogs().shown().size(), 2u);
    EXPECT_EQ(shown(0).title, QStringLiteral("Norvane Yedek"));
    EXPECT_EQ(shown(0).text, path(QStringLiteral("Yedek/NorvaneKasaTumu_2021_05_03")));
    EXPECT_EQ(shown(0).filter, QStringLiteral("Yedek (*.zip)"));
    EXPECT_EQ(shown(0).defaultSuffix, QStringLiteral("zip"));
    EXPECT_EQ(shown(1).kind, QStringLiteral("message"));
    EXPECT_EQ(shown(1).title, QStringLiteral("Norvane Tamevo Programı"));
    EXPECT_EQ(shown(1).icon, Dialogs::Icon::Information);
    EXPECT_EQ(shown(1).text, QStringLiteral("Tüm firmaların yedekleme işlemi\n\rbaşarılı bir "
                                            "şekilde gerçekleştirildi."));

    const QString companion = path(QStringLiteral("Yedek/NorvaneKasaTumu_2021_05_03.zipGen"));
    EXPECT_EQ(archiveNames(archive),
              (QStringList{QStringLiteral("K012021.mdb"), QStringLiteral("K022021.mdb")}));
    EXPECT_EQ(archiveNames(companion),
              (QStringList{QStringLiteral("Genel.mdb"), QStringLiteral("Kasa.mdb")}));
    EXPECT_TRUE(unzipAccepts(archive));
    EXPECT_TRUE(unzipAccepts(companion));
    EXPECT_EQ(compressionMethods(companion),
              (QStringList{QStringLiteral("Defl:X"), QStringLiteral("Defl:X")}));
    EXPECT_EQ(setting(kTumYedekler, kSonTumYedek), path(QStringLiteral("Yedek")));

    // Saving over it asks first; No returns to the dialog, Yes replaces both archives.
    addBook(QStringLiteral("K032021.mdb"));
    dialogs().clear();
    dialogs().choosePath(archive);
    dialogs().answer(Answer::No);
    dialogs().choosePath(archive);
    dialogs().answer(Answer::Yes);
    EXPECT_TRUE(backups.TumunuYedekle());
    ASSERT_EQ(dialogs().shown().size(), 5u);
    EXPECT_EQ(shown(1).kind, QStringLiteral("question"));
    EXPECT_EQ(shown(1).title, QStringLiteral("Norvane Yedek"));
    EXPECT_EQ(shown(1).text,
              archive + QStringLiteral(" zaten var.\n\rDeğiştirmek istiyor musunuz?"));
    EXPECT_EQ(shown(2).text, archive);  // the dialog again, on the file chosen
    EXPECT_EQ(archiveNames(archive).size(), 3);
}

TEST_F(BackupsTest, AFailedBackupSaysWhyAndUpdatesNoSetting)
{
    // Books holding pictures that do not compress: each is copied whole before the archive
    // is written, and the archive of them all is larger than the disk allows.
    for (const char* book : {"K012021.mdb", "K022021.mdb", "K032021.mdb", "K042021.mdb"}) {
        addBook(QString::fromLatin1(book));
        execute(QStringLiteral("Data/") + QString::fromLatin1(book),
                {QStringLiteral("INSERT INTO resimnakit (resim) VALUES (randomblob(45000))")});
    }
    // Two folders that cannot exist, their parent being a regular file; a disk that fills.
    const QString underFile = path(QStringLiteral("Kasa.mdb/"));
    QDir().mkpath(path(QStringLiteral("Oto")));
    backupSettingsFile().write(kOtoYedekler, kSonOtoYedek, path(QStringLiteral("Oto")));

    const struct {
        const char* name;
        std::function<void()> run;
        QString section;
        QString key;
        QString folder;
    } cases[] = {
        {"single",
         [&] {
             dialogs().choosePath(underFile + QStringLiteral("K01.ydk"));
             backups.TekKasaYedekle(QStringLiteral("K01"));
         },
         kTekYedekler, kSonTekYedek, underFile},
        {"all",
         [&] {
             dialogs().choosePath(underFile + QStringLiteral("Tumu.zip"));
             backups.TumunuYedekle();
         },
         kTumYedekler, kSonTumYedek, underFile},
        {"all, its companion not writable",
         [&] {
             QDir().mkpath(path(QStringLiteral("Yedek/Tumu.zipGen")));
             dialogs().choosePath(path(QStringLiteral("Yedek/Tumu.zip")));
             backups.TumunuYedekle();
         },
         kTumYedekler, kSonTumYedek, path(QStringLiteral("Yedek"))},
        {"automatic, disk full",
         [&] {
             const FileSizeLimit full(150000);
             backups.TumunuYedekleOto();
         },
         kOtoYedekler, kTarihOtoYil, path(QStringLiteral("Oto"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        try {
            c.run();
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().startsWith(QStringLiteral("Yedek dosyası yazılamadı: ")))
                << error.what();
        }
        EXPECT_TRUE(dialogs().messages().isEmpty());
        EXPECT_EQ(setting(c.section, c.key), QString());
    }
    EXPECT_EQ(folderEntries(path(QStringLiteral("Oto"))), QStringList());
    // A pair or nothing: the cash books' archive goes when its companion cannot be written.
    EXPECT_EQ(folderEntries(path(QStringLiteral("Yedek"))),
              QStringList{QStringLiteral("Tumu.zipGen")});
}

namespace {

// Another copy of the program saving: its own connection to a cash book, storing movements
// on random days, a few to a transaction, until it is stopped.
class OtherCopySaving {
public:
    explicit OtherCopySaving(const QString& file) : file_(file), thread_([this] { run(); }) {}
    ~OtherCopySaving() { stop(); }
    // Stops it and waits for its last save to end.
    void stop()
    {
        stop_ = true;
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    int saves() const { return saves_; }
    // Read after stop(): why it stopped saving, if it failed.
    QString failure() const { return failure_; }

private:
    void run()
    {
        const QString name = QStringLiteral("baska-kopya");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file_);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=60000"));
            if (!db.open()) {
                failure_ = db.lastError().text();
                return;
            }
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
            QRandomGenerator random(20210503);
            while (!stop_ && failure_.isEmpty()) {
                bool ok = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
                for (int i = 0; ok && i < 8; ++i) {
                    q.prepare(QStringLiteral(
                        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, doviz_kuru, "
                        "aciklama) VALUES (?, 'TL', ?, 1, 'baska kopya')"));
                    q.addBindValue(
                        QDate(2021, 1, 1).addDays(random.bounded(365)).toString(Qt::ISODate));
                    q.addBindValue(random.bounded(1, 100000) / 100.0);
                    ok = q.exec();
                }
                if (!ok || !q.exec(QStringLiteral("COMMIT"))) {
                    failure_ = q.lastError().text();
                }
                ++saves_;
            }
            q.finish();
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    QString file_;
    std::atomic<bool> stop_{false};
    std::atomic<int> saves_{0};
    QString failure_;
    std::thread thread_;
};

}  // namespace

TEST_F(BackupsTest, ABackupTakenWhileAnotherCopySavesRestoresToAWholeBook)
{
    // A book of some megabytes, so that archiving it takes a while.
    addBook(QStringLiteral("K012021.mdb"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 15000) INSERT INTO nakit (islem_tarihi, doviz_cinsi, "
                            "borc_tutar, doviz_kuru, aciklama) SELECT date('2021-01-01', "
                            "'+' || (i * 7919 % 365) || ' days'), 'TL', (i % 9973) / 100.0, 1, "
                            "'hareket ' || hex(randomblob(40)) FROM n")});
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        const QString archive = path(QStringLiteral("Yedek/Tumu%1.zip").arg(round));
        int savesDuring = 0;
        {
            OtherCopySaving other(path(QStringLiteral("Data/K012021.mdb")));
            for (int waited = 0; other.saves() < 3 && waited < 2000; ++waited) {
                QThread::msleep(5);
            }
            const int before = other.saves();
            backUpAll(QFileInfo(archive).fileName());
            savesDuring = other.saves() - before;
            other.stop();
            ASSERT_EQ(other.failure(), QString());
        }
        EXPECT_GT(savesDuring, 0);

        // Restored elsewhere, the book is whole and its per-day totals are its movements'.
        QTemporaryDir restored;
        ZipArchive(archive).extractAll(restored.path());
        const QString book = restored.filePath(QStringLiteral("K012021.mdb"));
        EXPECT_EQ(integrityProblems(book), QStringList());
        EXPECT_EQ(daysDifferingFromMovements(book), 0);
    }
}

TEST_F(BackupsTest, ADatabaseThatIsNotWholeStopsTheBackupBeforeAnyArchive)
{
    addBook(QStringLiteral("K012021.mdb"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 3000) INSERT INTO nakit (islem_tarihi, aciklama) SELECT "
                            "'2021-02-01', hex(randomblob(60)) FROM n")});
    const QByteArray whole = readAll(path(QStringLiteral("Data/K012021.mdb")));
    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"not a database", QByteArray("bu bir veritabanı değil").repeated(100)},
        {"cut in half", whole.left(whole.size() / 2)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(path(QStringLiteral("Data/K022021.mdb")), c.content);
        dialogs().clear();
        dialogs().choosePath(path(QStringLiteral("Yedek/Tumu.zip")));
        try {
            backups.TumunuYedekle();
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().startsWith(
                QStringLiteral("K022021.mdb veritabanı yedeklenemedi; yedek alınmadı.\n\r")))
                << error.what();
        }
        EXPECT_TRUE(dialogs().messages().isEmpty());
        EXPECT_EQ(folderEntries(path(QStringLiteral("Yedek"))), QStringList());
        EXPECT_EQ(setting(kTumYedekler, kSonTumYedek), QString());
        EXPECT_EQ(readAll(path(QStringLiteral("Data/K022021.mdb"))), c.content);
    }
}

TEST_F(BackupsTest, TheAutomaticBackupWritesThePairIntoTheStoredFolder)
{
    addBook(QStringLiteral("K012021.mdb"));
    QTemporaryDir elsewhere;
    for (const QString& folder : {elsewhere.path(), elsewhere.path() + QLatin1Char('/')}) {
        SCOPED_TRACE(folder.toStdString());
        backupSettingsFile().write(kOtoYedekler, kSonOtoYedek, folder);
        EXPECT_TRUE(backups.TumunuYedekleOto());
        const QString archive = elsewhere.filePath(QStringLiteral("NorvaneKasa_2021_05_03.zip"));
        EXPECT_EQ(folderEntries(elsewhere.path()),
                  (QStringList{QStringLiteral("NorvaneKasa_2021_05_03.zip"),
                               QStringLiteral("NorvaneKasa_2021_05_03.zipGen")}));
        EXPECT_EQ(archiveNames(archive), QStringList{QStringLiteral("K012021.mdb")});
        EXPECT_TRUE(unzipAccepts(archive));
        EXPECT_TRUE(unzipAccepts(archive + QStringLiteral("Gen")));
        EXPECT_EQ(setting(kOtoYedekler, kTarihOtoGun), QStringLiteral("3"));
        EXPECT_EQ(setting(kOtoYedekler, kTarihOtoAy), QStringLiteral("5"));
        EXPECT_EQ(setting(kOtoYedekler, kTarihOtoYil), QStringLiteral("2021"));
        EXPECT_EQ(loadAutoBackupSettings().lastBackup, QDate(2021, 5, 3));
        EXPECT_TRUE(dialogs().shown().empty());  // no message on success
        QFile::remove(archive);
        QFile::remove(archive + QStringLiteral("Gen"));
    }
}

TEST_F(BackupsTest, TheAutomaticBackupIntoAMissingFolderSaysSoAndKeepsTheDate)
{
    for (const QString& folder :
         {QString(), path(QStringLiteral("YokKlasor")), path(QStringLiteral("Kasa.mdb"))}) {
        SCOPED_TRACE(folder.toStdString());
        dialogs().clear();
        backupSettingsFile().write(kOtoYedekler, kSonOtoYedek, folder);
        EXPECT_FALSE(backups.TumunuYedekleOto());
        EXPECT_EQ(dialogs().messages(),
                  QStringList{QStringLiteral("Otomatik yedekleme klasörü bulunamadığından\n\r"
                                             "otomatik yedekleme işlemi başarısız oldu!\n\r"
                                             "Otomatik yedekleme adresini kontrol edin.")});
        EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
        EXPECT_EQ(setting(kOtoYedekler, kTarihOtoYil), QString());
    }
    EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral("YokKlasor"))));
}

TEST_F(BackupsTest, ASingleRestoreGivesBackTheBackedUpBytes)
{
    addBook(QStringLiteral("K012021.mdb"));
    addBook(QStringLiteral("K022021.mdb"));
    const QString archive = path(QStringLiteral("Yedek/K01.ydk"));
    dialogs().choosePath(archive);
    backups.TekKasaYedekle(QStringLiteral("K01"));
    const QByteArray backedUp = archivedBytes(archive, QStringLiteral("K012021.mdb"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    execute(QStringLiteral("Data/K022021.mdb"),
            {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    const QByteArray otherBook = readAll(path(QStringLiteral("Data/K022021.mdb")));
    ASSERT_NE(readAll(path(QStringLiteral("Data/K012021.mdb"))), backedUp);

    dialogs().clear();
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TekKasaGeriYukle());
    ASSERT_EQ(dialogs().shown().size(), 1u);  // no question before, no message after
    EXPECT_EQ(shown(0).kind, QStringLiteral("open"));
    EXPECT_EQ(shown(0).title, QStringLiteral("Norvane Tamevo Yedek"));
    EXPECT_EQ(shown(0).text, path(QStringLiteral("Yedek/")));
    EXPECT_EQ(shown(0).filter, QStringLiteral("Yedek (*.ydk)"));
    EXPECT_EQ(readAll(path(QStringLiteral("Data/K012021.mdb"))), backedUp);
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT group_concat(aciklama) FROM nakit")),
              QVariant(QStringLiteral("K012021.mdb")));
    EXPECT_EQ(readAll(path(QStringLiteral("Data/K022021.mdb"))), otherBook);
    EXPECT_TRUE(session.ADOConnection1.isOpen());
    EXPECT_FALSE(session.kasaConnection.isOpen());  // no book was entered

    // The cash book open in the ledger keeps its file.
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), std::nullopt);
    const QByteArray open = readAll(path(QStringLiteral("Data/K012021.mdb")));
    dialogs().choosePath(archive);
    try {
        backups.TekKasaGeriYukle();
        ADD_FAILURE() << "restored over the open cash book";
    } catch (const ValidationError& error) {
        EXPECT_EQ(error.text(),
                  openCashBookRestoreMessage(path(QStringLiteral("Data/K012021.mdb"))));
    }
    EXPECT_EQ(readAll(path(QStringLiteral("Data/K012021.mdb"))), open);
    EXPECT_EQ(folderEntries(path(QStringLiteral("Data"))),
              (QStringList{QStringLiteral("K012021.mdb"), QStringLiteral("K022021.mdb")}));
}

TEST_F(BackupsTest, ARestoreOfAllGivesBackBothFoldersWithTheConnectionsOpenedAgain)
{
    registerBook(QStringLiteral("K01"));
    addBook(QStringLiteral("K012021.mdb"));
    const QString archive = backUpAll(QStringLiteral("Tumu.zip"));
    const QStringList files{QStringLiteral("Data/K012021.mdb"), QStringLiteral("AnaData/Genel.mdb"),
                            QStringLiteral("AnaData/Kasa.mdb")};
    QList<QByteArray> backedUp;
    for (const QString& file : files) {
        backedUp << archivedBytes(
            file.startsWith(QLatin1String("Data/")) ? archive : archive + QStringLiteral("Gen"),
            QFileInfo(file).fileName());
    }
    registerBook(QStringLiteral("K02"));
    execute(files[0], {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    addBook(QStringLiteral("K022021.mdb"));  // not in the backup: stays
    session.FirmaTakip.open();
    ASSERT_EQ(session.FirmaTakip.recordCount(), 2);

    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    dialogs().answer(Answer::Yes);
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TumFirmalarGeriYukle());

    ASSERT_EQ(dialogs().shown().size(), 2u);  // no message after
    EXPECT_EQ(shown(0).kind, QStringLiteral("question"));
    EXPECT_EQ(shown(0).title, QStringLiteral("Norvane Tamevo Programı"));
    EXPECT_EQ(shown(0).text,
              QStringLiteral("Yedekten yükleme sonucu halihazırda mevcut bilgiler silinecek ve\n\r"
                             "yedek alınan bilgiler yüklenecektir. Hali hazırda bilgilere bir "
                             "daha\n\rulaşmanız mümkün olmayacaktır! İşleme devam edecekmisiniz?"));
    EXPECT_EQ(shown(1).title, QStringLiteral("Norvane Yedek"));
    EXPECT_EQ(shown(1).text, path(QStringLiteral("Yedek")));  // the remembered folder
    EXPECT_EQ(shown(1).filter, QStringLiteral("Yedek (*.zip)"));
    for (int i = 0; i < files.size(); ++i) {
        EXPECT_EQ(readAll(path(files[i])), backedUp[i]) << files[i].toStdString();
    }
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Data/K022021.mdb"))));
    EXPECT_TRUE(session.ADOConnection1.isOpen());
    EXPECT_FALSE(session.kasaConnection.isOpen());  // no book was entered
    ASSERT_TRUE(session.FirmaTakip.isOpen());
    // The registry as it was backed up, read through the connection opened again.
    EXPECT_EQ(session.FirmaTakip.recordCount(), 1);
    EXPECT_EQ(QDir::currentPath(), QDir(elsewhere.path()).absolutePath());
}

// A backup and a restore show their progress with the file they are on; only the backup may
// be stopped.
TEST_F(BackupsTest, BackupsAndRestoresShowTheFileTheyAreOn)
{
    addBook(QStringLiteral("K012021.mdb"));
    addBook(QStringLiteral("K022021.mdb"));
    const QString archive = backUpAll(QStringLiteral("Tumu.zip"));
    ASSERT_EQ(dialogs().progresses().size(), 1u);
    const auto& backup = dialogs().progresses()[0];
    EXPECT_EQ(backup.title, QStringLiteral("Yedek Alınıyor"));
    EXPECT_TRUE(backup.cancellable);
    // A copy of each of the four databases, then the two archives written.
    EXPECT_GE(backup.reports, 6);
    EXPECT_EQ(backup.lastStep, QStringLiteral("Tumu.zipGen yazılıyor"));

    dialogs().answer(Answer::Yes);
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TumFirmalarGeriYukle());
    ASSERT_EQ(dialogs().progresses().size(), 2u);
    const auto& restore = dialogs().progresses()[1];
    EXPECT_EQ(restore.title, QStringLiteral("Yedekten Geri Yükleniyor"));
    EXPECT_FALSE(restore.cancellable);
    // Each database unpacked and checked, then all put in place.
    EXPECT_EQ(restore.reports, 4 * 2 + 1);
    EXPECT_EQ(restore.lastStep, QStringLiteral("Dosyalar yerine konuyor"));
}

// A backup stopped by the user, while it copies the databases or while it writes an archive,
// leaves no archive, no remembered folder and no message.
TEST_F(BackupsTest, AStoppedBackupLeavesNoArchive)
{
    addBook(QStringLiteral("K012021.mdb"));
    addBook(QStringLiteral("K022021.mdb"));
    // Pictures that do not compress, so that writing the archive takes many reports.
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                            "i < 40) INSERT INTO resimnakit (resim) SELECT randomblob(50000) FROM "
                            "n")});
    const QString archive = path(QStringLiteral("Yedek/Tumu.zip"));
    const struct {
        const char* name;
        int cancelAt;
    } cases[] = {
        {"copying the first database", 1},
        {"copying the general database", 3},
        {"writing the archive", 20},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        dialogs().choosePath(archive);
        dialogs().cancelNextProgressAt(c.cancelAt);
        EXPECT_THROW(backups.TumunuYedekle(), Progress::OperationCancelled);
        EXPECT_TRUE(dialogs().progresses().back().cancelled);
        EXPECT_TRUE(dialogs().messages().isEmpty());
        EXPECT_EQ(folderEntries(path(QStringLiteral("Yedek"))), QStringList());
        EXPECT_EQ(setting(kTumYedekler, kSonTumYedek), QString());
    }
}

TEST_F(BackupsTest, ARestoreOfAllAnsweredNoTouchesNothing)
{
    registerBook(QStringLiteral("K01"));
    session.FirmaTakip.open();
    session.FirmaTakip.setValue(QStringLiteral("firma_unvani_1"), QStringLiteral("Yazılıyor"));
    const QByteArray genel = readAll(path(QStringLiteral("AnaData/Genel.mdb")));

    dialogs().answer(Answer::No);
    EXPECT_FALSE(backups.TumFirmalarGeriYukle());
    EXPECT_EQ(dialogs().shown().size(), 1u);  // the question only
    EXPECT_EQ(session.FirmaTakip.state(), DatasetState::Edit);
    EXPECT_EQ(session.FirmaTakip.value(QStringLiteral("firma_unvani_1")),
              QVariant(QStringLiteral("Yazılıyor")));
    EXPECT_TRUE(session.ADOConnection1.isOpen());
    EXPECT_FALSE(session.kasaConnection.isOpen());  // no book was entered
    EXPECT_EQ(readAll(path(QStringLiteral("AnaData/Genel.mdb"))), genel);
}

TEST_F(BackupsTest, TheRestoreOfAllStartsInTheRememberedFolder)
{
    const struct {
        QString sonTum;
        QString sonOto;
        QString start;
    } cases[] = {
        {QStringLiteral("/arsiv/tum"), QStringLiteral("/arsiv/oto"), QStringLiteral("/arsiv/tum")},
        {QStringLiteral("x"), QStringLiteral("/arsiv/oto"), QStringLiteral("/arsiv/oto")},
        {QString(), QStringLiteral("y"), path(QStringLiteral("Yedek/"))},
    };
    for (const auto& c : cases) {
        dialogs().clear();
        backupSettingsFile().write(kTumYedekler, kSonTumYedek, c.sonTum);
        backupSettingsFile().write(kOtoYedekler, kSonOtoYedek, c.sonOto);
        dialogs().answer(Answer::Yes);
        dialogs().choosePath({});
        EXPECT_FALSE(backups.TumFirmalarGeriYukle());
        EXPECT_EQ(shown(1).text, c.start);
        EXPECT_TRUE(session.ADOConnection1.isOpen());
    }
}

TEST_F(BackupsTest, ARestoreOfAllWithoutItsCompanionSaysTheGeneralDatabasesStayed)
{
    addBook(QStringLiteral("K012021.mdb"));
    const QString archive = backUpAll(QStringLiteral("Tumu.zip"));
    const QByteArray book = archivedBytes(archive, QStringLiteral("K012021.mdb"));
    QFile::remove(archive + QStringLiteral("Gen"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    registerBook(QStringLiteral("K02"));
    const QByteArray genel = readAll(path(QStringLiteral("AnaData/Genel.mdb")));

    dialogs().answer(Answer::Yes);
    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TumFirmalarGeriYukle());
    EXPECT_EQ(readAll(path(QStringLiteral("Data/K012021.mdb"))), book);
    EXPECT_EQ(readAll(path(QStringLiteral("AnaData/Genel.mdb"))), genel);
    EXPECT_EQ(dialogs().messages(),
              QStringList{archive + QStringLiteral("Gen dosyası bulunamadığından\n\rgenel "
                                                   "bilgiler geri yüklenmedi.")});
    EXPECT_TRUE(session.ADOConnection1.isOpen());
    EXPECT_TRUE(session.FirmaTakip.isOpen());
}

TEST_F(BackupsTest, ARestoreOfAllFromADamagedPairChangesNoDatabase)
{
    addBook(QStringLiteral("K012021.mdb"));
    const QString archive = backUpAll(QStringLiteral("Tumu.zip"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    registerBook(QStringLiteral("K02"));
    // The book is open in the ledger while the restore fails.
    session.kasaConnection.setConnectionString(BaglantiMetni(QStringLiteral("Data\\K012021.mdb")));
    session.kasaConnection.open();
    const QByteArray book = readAll(path(QStringLiteral("Data/K012021.mdb")));
    const QByteArray genel = readAll(path(QStringLiteral("AnaData/Genel.mdb")));

    for (const QString& damaged : {archive, archive + QStringLiteral("Gen")}) {
        SCOPED_TRACE(damaged.toStdString());
        const QByteArray whole = readAll(damaged);
        writeAll(damaged, whole.left(whole.size() - 30));
        const QString error = failingRestoreOfAll(archive);
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(damaged))) << error.toStdString();
        EXPECT_EQ(readAll(path(QStringLiteral("Data/K012021.mdb"))), book);
        EXPECT_EQ(readAll(path(QStringLiteral("AnaData/Genel.mdb"))), genel);
        EXPECT_EQ(folderEntries(path(QStringLiteral("Data"))),
                  QStringList{QStringLiteral("K012021.mdb")});
        EXPECT_TRUE(session.ADOConnection1.isOpen());
        EXPECT_TRUE(session.kasaConnection.isOpen());
        EXPECT_TRUE(session.FirmaTakip.isOpen());
        writeAll(damaged, whole);
    }
}

TEST(BackupSettingsTest, TheDueTestCountsWholeDaysFromMidnightOfTheLastBackup)
{
    const QDate may1(2021, 5, 1);
    const struct {
        bool enabled;
        const char* dayCount;
        QDateTime now;
        bool due;
    } cases[] = {
        {true, "7", QDateTime(QDate(2021, 5, 7), QTime(23, 59, 59)), false},
        {true, "7", QDateTime(QDate(2021, 5, 8), QTime(0, 0)), true},
        {true, "7", QDateTime(QDate(2021, 6, 20), QTime(9, 0)), true},
        {true, "7", QDateTime(QDate(2021, 4, 30), QTime(9, 0)), false},
        {true, "0", QDateTime(may1, QTime(0, 0)), true},
        {true, "", QDateTime(may1, QTime(0, 0)), true},
        {true, "gün", QDateTime(may1, QTime(0, 0)), true},
        {true, "1a0", QDateTime(QDate(2021, 5, 10), QTime(23, 0)), false},
        {true, "1a0", QDateTime(QDate(2021, 5, 11), QTime(0, 0)), true},
        {false, "0", QDateTime(QDate(2021, 6, 20), QTime(9, 0)), false},
    };
    for (const auto& c : cases) {
        const AutoBackupSettings settings{{}, QString::fromUtf8(c.dayCount), c.enabled, may1};
        EXPECT_EQ(isAutomaticBackupDue(settings, c.now), c.due)
            << c.dayCount << " " << c.now.toString(Qt::ISODate).toStdString();
    }
}

TEST_F(BackupsTest, ThePanelSettingsAreReadWithTheirDefaults)
{
    const AutoBackupSettings fresh = loadAutoBackupSettings();
    EXPECT_EQ(fresh.folder, path(QStringLiteral("Yedek/")));
    EXPECT_EQ(fresh.dayCount, QStringLiteral("7"));
    EXPECT_FALSE(fresh.enabled);
    EXPECT_EQ(fresh.lastBackup, QDate(2012, 1, 1));

    const struct {
        const char* folder;
        const char* dayCount;
        const char* on;
        const char* day;
        const char* month;
        const char* year;
        QString shownFolder;
        QString shownCount;
        bool enabled;
        QDate date;
    } cases[] = {
        {"/yedek", "14", "1", "3", "5", "2021", QStringLiteral("/yedek"), QStringLiteral("14"),
         true, QDate(2021, 5, 3)},
        {"/y", "0", "2", "03", "05", "2021.", path(QStringLiteral("Yedek/")), QStringLiteral("0"),
         false, QDate(2021, 5, 3)},
        {"", "", "11", "1", "1", "1971", path(QStringLiteral("Yedek/")), QStringLiteral("7"), false,
         QDate(1971, 1, 1)},
        {"abc", "7", "1", "31", "2", "2021", QStringLiteral("abc"), QStringLiteral("7"), true,
         QDate(2012, 1, 1)},
        {"abc", "7", "1", "1", "1", "2050", QStringLiteral("abc"), QStringLiteral("7"), true,
         QDate(2012, 1, 1)},
        {"abc", "7", "1", "1", "13", "2021", QStringLiteral("abc"), QStringLiteral("7"), true,
         QDate(2012, 1, 1)},
        {"abc", "7", "1", "", "", "", QStringLiteral("abc"), QStringLiteral("7"), true,
         QDate(2012, 1, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        const IniFile file = backupSettingsFile();
        file.write(kOtoYedekler, kSonOtoYedek, QString::fromUtf8(c.folder));
        file.write(kOtoYedekler, kYedekGun, QString::fromUtf8(c.dayCount));
        file.write(kOtoYedekler, kYedekAl, QString::fromUtf8(c.on));
        file.write(kOtoYedekler, kTarihOtoGun, QString::fromUtf8(c.day));
        file.write(kOtoYedekler, kTarihOtoAy, QString::fromUtf8(c.month));
        file.write(kOtoYedekler, kTarihOtoYil, QString::fromUtf8(c.year));
        const AutoBackupSettings loaded = loadAutoBackupSettings();
        EXPECT_EQ(loaded.folder, c.shownFolder);
        EXPECT_EQ(loaded.dayCount, c.shownCount);
        EXPECT_EQ(loaded.enabled, c.enabled);
        EXPECT_EQ(loaded.lastBackup, c.date);
    }
}

TEST_F(BackupsTest, ARestoredDatabaseDropsTheJournalOfTheFileItReplaced)
{
    addBook(QStringLiteral("K012021.mdb"));
    const QString file = QStringLiteral("Data/K012021.mdb");
    const QString text = QStringLiteral("Hareket açıklaması ").repeated(8);
    QStringList rows;
    for (int i = 0; i < 400; ++i) {
        rows << QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('%1 %2')").arg(text).arg(i);
    }
    execute(file, rows);
    const QString archive = path(QStringLiteral("Yedek/K01.ydk"));
    dialogs().choosePath(archive);
    backups.TekKasaYedekle(QStringLiteral("K01"));
    const QByteArray backedUp = archivedBytes(archive, QStringLiteral("K012021.mdb"));
    // Saved after the backup, then a save that stopped halfway.
    execute(file, {QStringLiteral("UPDATE nakit SET aciklama = 'sonra'")});
    leaveHotJournal(file);

    dialogs().choosePath(archive);
    EXPECT_TRUE(backups.TekKasaGeriYukle());
    EXPECT_FALSE(QFile::exists(path(file + QStringLiteral("-journal"))));
    EXPECT_EQ(
        queryValue(file, QStringLiteral("SELECT count(*) FROM nakit WHERE aciklama = 'sonra'")),
        QVariant(0));
    EXPECT_EQ(readAll(path(file)), backedUp);
}

TEST_F(BackupsTest, AnArchivedFileThatIsNotASoundDatabaseIsRefusedAndNothingChanges)
{
    addBook(QStringLiteral("K012021.mdb"));
    const QString book = QStringLiteral("Data/K012021.mdb");
    execute(book, {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                  "WHERE i < 300) INSERT INTO nakit (aciklama) "
                                  "SELECT printf('%.60c satır %d', '*', i) FROM n")});
    const QByteArray sound = readAll(path(book));
    QByteArray damaged = sound;
    // The pages of the movements overwritten in the middle: the header still says database.
    damaged.replace(damaged.size() / 2, 3000, QByteArray(3000, '\x7F'));

    const struct {
        const char* name;
        QByteArray content;
    } cases[] = {
        {"not a database", QByteArray("Bu bir veritabanı değil. ").repeated(100)},
        {"empty", QByteArray()},
        {"damaged", damaged},
    };
    QTemporaryDir source;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(source.filePath(QStringLiteral("K012021.mdb")), c.content);
        const QString archive = path(QStringLiteral("Yedek/K01.ydk"));
        ZipArchive(archive).writeMatchingFiles(source.path(), QStringLiteral("*.mdb"));
        dialogs().clear();
        dialogs().choosePath(archive);
        dialogs().expectError(QStringLiteral("Yedekteki K012021.mdb geçerli bir veritabanı değil"));
        guarded([&] { backups.TekKasaGeriYukle(); });
        EXPECT_EQ(readAll(path(book)), sound);
        EXPECT_EQ(folderEntries(path(QStringLiteral("Data"))),
                  QStringList{QStringLiteral("K012021.mdb")});
    }
    // The cash book opens as before.
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), std::nullopt);
    EXPECT_EQ(queryValue(book, QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 301);
}

TEST_F(BackupsTest, ARestoreOfAllThatFailsHalfWayPutsBackWhatItReplaced)
{
    addBook(QStringLiteral("K012021.mdb"));
    // A second general database that a folder will stand in the way of at the restore.
    ASSERT_TRUE(QFile::copy(path(QStringLiteral("AnaData/Kasa.mdb")),
                            path(QStringLiteral("AnaData/Ek.mdb"))));
    const QString archive = backUpAll(QStringLiteral("Tumu.zip"));
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('sonra')")});
    leaveHotJournal(QStringLiteral("Data/K012021.mdb"));
    registerBook(QStringLiteral("K02"));
    QFile::remove(path(QStringLiteral("AnaData/Ek.mdb")));
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("AnaData/Ek.mdb/icerik"))));
    const QStringList files{
        QStringLiteral("Data/K012021.mdb"), QStringLiteral("Data/K012021.mdb-journal"),
        QStringLiteral("AnaData/Genel.mdb"), QStringLiteral("AnaData/Kasa.mdb")};
    QList<QByteArray> before;
    for (const QString& file : files) {
        before << readAll(path(file));
    }
    const QStringList dataEntries = folderEntries(path(QStringLiteral("Data")));
    const QStringList generalEntries = folderEntries(path(QStringLiteral("AnaData")));

    const QString error = failingRestoreOfAll(archive);
    EXPECT_TRUE(error.contains(QStringLiteral("Ek.mdb"))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("geri konamadı"))) << error.toStdString();
    for (int i = 0; i < files.size(); ++i) {
        EXPECT_EQ(readAll(path(files[i])), before[i]) << files[i].toStdString();
    }
    EXPECT_EQ(folderEntries(path(QStringLiteral("Data"))), dataEntries);
    EXPECT_EQ(folderEntries(path(QStringLiteral("AnaData"))), generalEntries);
    EXPECT_TRUE(session.ADOConnection1.isOpen());
    EXPECT_TRUE(session.FirmaTakip.isOpen());
    EXPECT_EQ(session.FirmaTakip.recordCount(), 1);
}
