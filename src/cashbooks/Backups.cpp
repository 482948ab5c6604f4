#include "cashbooks/Backups.h"

#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "cashbooks/BackupSettings.h"
#include "cashbooks/Registry.h"
#include "cashbooks/RestoreJournal.h"
#include "cashbooks/ZipArchive.h"
#include "data/DatabaseSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tamevo {

namespace {

QString dataFolder()
{
    return GetPathPath() + QStringLiteral("Data");
}

QString generalFolder()
{
    return GetPathPath() + QStringLiteral("AnaData");
}

// The save dialog of a backup, proposing `name` in `startFolder`; before an existing file is
// replaced the user is asked, and No returns to the dialog. Empty when the user cancels.
QString askBackupPath(const QString& startFolder, const QString& name, const QString& filter,
                      const QString& suffix)
{
    QString start = QDir(startFolder).filePath(name);
    for (;;) {
        const QString path = dialogs().saveFileName(kBackupDialogTitle, start, filter, suffix);
        if (path.isEmpty() || !QFileInfo::exists(path)) {
            return path;
        }
        if (askBeforeReplacing(kBackupDialogTitle, backupOverwriteQuestion(path),
                               Dialogs::Buttons::YesNo) == Dialogs::Answer::Yes) {
            return path;
        }
        start = path;
    }
}

// The folder the user saved into, remembered as the next dialog's start folder.
QString folderOf(const QString& path)
{
    return QFileInfo(path).absolutePath();
}

// Every unpacked database is opened and checked before it replaces anything: a file that is
// not a database, or a damaged one, is refused with its name and changes nothing.
void checkRestoredDatabases(const ZipExtraction& extraction, Progress& progress)
{
    extraction.checkEach([&progress](const QString& unpacked, const QString& target) {
        if (!target.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)) {
            return;
        }
        progress.report(0, 0, QStringLiteral("%1 denetleniyor").arg(QFileInfo(target).fileName()));
        try {
            checkDatabaseFile(unpacked);
        } catch (const Error& error) {
            throw Error(restoredDatabaseRefusedMessage(QFileInfo(target).fileName(), error.text()));
        }
    });
}

// A rollback journal left beside a database by a program that stopped in the middle of a
// save belongs to the file it replaced: the engine would play it back into the restored
// database at its next opening and damage it, so it goes with that file.
const QStringList kStaleCompanions{QStringLiteral("-journal"), QStringLiteral("-wal"),
                                   QStringLiteral("-shm")};

// The progress of a backup: the user may stop it, and then no archive is left.
std::unique_ptr<Progress> backupProgress()
{
    return dialogs().startProgress(QStringLiteral("Yedek Alınıyor"), true);
}

// The progress of a restore, never stopped halfway: once files are replaced, every one is.
std::unique_ptr<Progress> restoreProgress()
{
    return dialogs().startProgress(QStringLiteral("Yedekten Geri Yükleniyor"), false);
}

// Unpacks the archives, checks every database and puts them all in place as one step, under
// the restore journal: a stop at any moment is finished or taken back at the next start.
void restoreTogether(RestoreJournal& journal, const std::vector<ZipExtraction*>& extractions,
                     Progress& progress)
{
    journal.unpacking({extractions.begin(), extractions.end()});
    for (ZipExtraction* extraction : extractions) {
        extraction->unpack(&journal, &progress);
    }
    for (const ZipExtraction* extraction : extractions) {
        checkRestoredDatabases(*extraction, progress);
    }
    progress.report(0, 0, QStringLiteral("Dosyalar yerine konuyor"));
    ZipExtraction::replaceTogether(extractions, kStaleCompanions, &journal);
}

// The databases of `folder` matching `wildcard`, each copied as it is at one moment into
// `into` and checked: the archive's entries (name, copy). A save of another copy of the
// program waits for the copy or goes on before it, and never shows half in it. Throws Error
// naming a database that cannot be copied whole or fails the check.
// `progress` is told the database it is on; a cancel there ends the backup before any archive.
QList<QPair<QString, QString>> databaseSnapshots(const QString& folder, const QString& wildcard,
                                                 const QString& into, Progress& progress)
{
    if (!QDir().mkpath(into)) {
        throw Error(QStringLiteral("%1 oluşturulamadı.").arg(QDir::toNativeSeparators(into)));
    }
    QList<QPair<QString, QString>> entries;
    const QStringList names = ZipArchive::matchingFiles(folder, wildcard);
    for (const QString& name : names) {
        progress.step(entries.size(), names.size(), QStringLiteral("%1 kopyalanıyor").arg(name));
        const QString copy = QDir(into).filePath(name);
        try {
            snapshotDatabase(QDir(folder).filePath(name), copy);
        } catch (const Error& error) {
            throw Error(backupDatabaseRefusedMessage(name, error.text()));
        }
        entries.append({name, copy});
    }
    return entries;
}

// The folder the copies are made in, removed with everything in it after the backup.
void requireFolder(const QTemporaryDir& folder)
{
    if (!folder.isValid()) {
        throw Error(QStringLiteral("Geçici klasör oluşturulamadı.\n%1").arg(folder.errorString()));
    }
}

void reopen(Connection& connection, const QString& connectionString)
{
    if (connection.isOpen()) {
        return;
    }
    connection.setConnectionString(connectionString);
    enterProgramFolder();
    connection.open();
}

}  // namespace

QString singleBackupDoneMessage(const QString& code)
{
    return QStringLiteral(
               "\"%1\" kodlu firmanın yedekleme işlemi\n\rbaşarılı bir şekilde "
               "gerçekleştirildi.")
        .arg(code);
}

QString backupOverwriteQuestion(const QString& path)
{
    return QStringLiteral("%1 zaten var.\n\rDeğiştirmek istiyor musunuz?")
        .arg(QDir::toNativeSeparators(path));
}

QString companionMissingMessage(const QString& companionPath)
{
    return QStringLiteral("%1 dosyası bulunamadığından\n\rgenel bilgiler geri yüklenmedi.")
        .arg(QDir::toNativeSeparators(companionPath));
}

QString restoredDatabaseRefusedMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral(
               "Yedekteki %1 geçerli bir veritabanı değil; geri yükleme yapılmadı.\n\r%2")
        .arg(fileName, reason);
}

QString backupDatabaseRefusedMessage(const QString& fileName, const QString& reason)
{
    return QStringLiteral("%1 veritabanı yedeklenemedi; yedek alınmadı.\n\r%2")
        .arg(fileName, reason);
}

QString openCashBookRestoreMessage(const QString& path)
{
    return QStringLiteral(
               "%1 dosyası açık olan kasaya ait; geri yükleme yapılmadı.\n\rÖnce kasayı "
               "kapatın.")
        .arg(QDir::toNativeSeparators(path));
}

Backups::Backups(Session& session) : session_(session) {}

void Backups::refuseOnServer() const
{
    // The archives hold the local files; the books on a server are not in them, so a backup
    // would be reported done with none of them.
    if (session_.onServer()) {
        throw ValidationError(kServerBackupRefused);
    }
}

void Backups::writeBackupPair(const QString& path)
{
    const auto progress = backupProgress();
    // Every database is copied and checked before either archive is written.
    const QTemporaryDir work;
    requireFolder(work);
    const auto data = databaseSnapshots(dataFolder(), QStringLiteral("*.mdb"),
                                        work.filePath(QStringLiteral("Data")), *progress);
    const auto general = databaseSnapshots(generalFolder(), QStringLiteral("*.mdb"),
                                           work.filePath(QStringLiteral("AnaData")), *progress);
    ZipArchive(path).writeFiles(data, progress.get());
    try {
        ZipArchive(path + QStringLiteral("Gen")).writeFiles(general, progress.get());
    } catch (...) {
        // A pair or nothing: the archive of the cash books goes without its companion.
        QFile::remove(path);
        throw;
    }
}

bool Backups::TekKasaYedekle(const QString& code)
{
    refuseOnServer();
    if (code.isEmpty()) {
        throw ValidationError(kRegistryEmptyCode);
    }
    // The code names the files: one with other characters could take other cash books'.
    if (!isValidCashBookCode(code)) {
        throw ValidationError(kRegistryBadCode);
    }
    const CurrentDirectoryKeeper keeper;
    const IniFile settings = backupSettingsFile();
    const QString path =
        askBackupPath(backupStartFolder(readBackupSetting(kTekYedekler, kSonTekYedek)),
                      code + QLatin1Char('_') + backupStamp(now().date()), kSingleBackupFilter,
                      QStringLiteral("ydk"));
    if (path.isEmpty()) {
        return false;
    }
    // Exactly this cash book's databases: the code followed by a four-digit year, so the
    // backup of K1 takes K12021.mdb but not K122021.mdb of cash book K12.
    {
        const auto progress = backupProgress();
        const QTemporaryDir work;
        requireFolder(work);
        ZipArchive(path).writeFiles(
            databaseSnapshots(dataFolder(), code + QStringLiteral("[0-9][0-9][0-9][0-9].mdb"),
                              work.path(), *progress),
            progress.get());
    }
    settings.write(kTekYedekler, kSonTekYedek, folderOf(path));
    showMessage(singleBackupDoneMessage(code));
    return true;
}

bool Backups::TumunuYedekle()
{
    refuseOnServer();
    const CurrentDirectoryKeeper keeper;
    const IniFile settings = backupSettingsFile();
    const QString path =
        askBackupPath(backupStartFolder(readBackupSetting(kTumYedekler, kSonTumYedek)),
                      QStringLiteral("NorvaneKasaTumu_") + backupStamp(now().date()),
                      kAllBackupFilter, QStringLiteral("zip"));
    if (path.isEmpty()) {
        return false;
    }
    // The connections stay open: each database is copied as it is at one moment.
    writeBackupPair(path);
    settings.write(kTumYedekler, kSonTumYedek, folderOf(path));
    dialogs().message(kProgramTitle, kBackupAllDone, Dialogs::Icon::Information);
    return true;
}

bool Backups::TumunuYedekleOto()
{
    refuseOnServer();
    const CurrentDirectoryKeeper keeper;
    const QDate today = now().date();
    // The stored folder, not the panel's: settings not saved do not count.
    QString folder = readBackupSetting(kOtoYedekler, kSonOtoYedek);
    if (!QFileInfo(folder).isDir()) {
        showMessage(kAutomaticBackupFolderMissing);
        return false;
    }
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    writeBackupPair(folder + QStringLiteral("NorvaneKasa_") + backupStamp(today) +
                    QStringLiteral(".zip"));
    saveAutomaticBackupDate(today);
    return true;
}

bool Backups::TekKasaGeriYukle()
{
    refuseOnServer();
    const CurrentDirectoryKeeper keeper;
    const QString path = dialogs().openFileName(kSingleRestoreDialogTitle, defaultBackupFolder(),
                                                kSingleBackupFilter);
    if (path.isEmpty()) {
        return false;
    }
    RestoreJournal journal(QFileInfo(path).fileName());
    ZipExtraction extraction{ZipArchive(path), dataFolder()};
    // The connections stay as they are, so the cash book open in the ledger keeps its file: a
    // file replaced under an open connection would take the following entries with it.
    if (session_.kasaConnection.isOpen()) {
        const QString open = QFileInfo(session_.cashBookPath()).canonicalFilePath();
        for (const QString& target : extraction.targets()) {
            if (!open.isEmpty() && QFileInfo(target).canonicalFilePath() == open) {
                throw ValidationError(openCashBookRestoreMessage(target));
            }
        }
    }
    restoreTogether(journal, {&extraction}, *restoreProgress());
    return true;
}

bool Backups::TumFirmalarGeriYukle()
{
    refuseOnServer();
    if (askBeforeReplacing(kProgramTitle, kRestoreAllWarning, Dialogs::Buttons::YesNo,
                           Dialogs::Icon::Warning) != Dialogs::Answer::Yes) {
        return false;
    }
    const CurrentDirectoryKeeper keeper;
    Connection& general = session_.ADOConnection1;
    Connection& cash = session_.kasaConnection;
    const QString generalString = general.connectionString();
    const QString cashString = cash.connectionString();
    const bool generalWasOpen = general.isOpen();
    const bool cashWasOpen = cash.isOpen();

    QString start = readBackupSetting(kTumYedekler, kSonTumYedek);
    if (start.size() < 2) {
        start = backupStartFolder(readBackupSetting(kOtoYedekler, kSonOtoYedek));
    }
    const QString path = dialogs().openFileName(kBackupDialogTitle, start, kAllBackupFilter);
    const QString companion = path + QStringLiteral("Gen");
    bool companionMissing = false;
    if (!path.isEmpty()) {
        general.close();
        cash.close();
        try {
            // Both archives are read whole before any database is replaced.
            const auto progress = restoreProgress();
            RestoreJournal journal(QFileInfo(path).fileName());
            ZipExtraction data{ZipArchive(path), dataFolder()};
            companionMissing = !QFileInfo(companion).isFile();
            std::optional<ZipExtraction> generalData;
            if (!companionMissing) {
                generalData.emplace(ZipArchive(companion), generalFolder());
            }
            std::vector<ZipExtraction*> all{&data};
            if (generalData) {
                all.push_back(&*generalData);
            }
            // Both folders change together or not at all.
            restoreTogether(journal, all, *progress);
        } catch (const Error& error) {
            try {
                reconnect(generalWasOpen, generalString, cashWasOpen, cashString);
            } catch (const Error& again) {
                throw Error(error.text() + QLatin1Char('\n') + again.text());
            }
            throw;
        }
    }
    reconnect(generalWasOpen, generalString, cashWasOpen, cashString);
    if (companionMissing) {
        showMessage(companionMissingMessage(companion));
    }
    return !path.isEmpty();
}

void Backups::reconnect(bool generalWasOpen, const QString& generalString, bool cashWasOpen,
                        const QString& cashString)
{
    if (generalWasOpen) {
        reopen(session_.ADOConnection1, generalString);
    }
    if (cashWasOpen) {
        reopen(session_.kasaConnection, cashString);
    }
    if (session_.ADOConnection1.isOpen()) {
        session_.FirmaTakip.open();
    }
}

std::optional<QString> Backups::OtoYedekAdresiniBul()
{
    const CurrentDirectoryKeeper keeper;
    const QString start = backupStartFolder(readBackupSetting(kOtoYedekler, kSonOtoYedek));
    QString folder = dialogs().existingFolder(kBackupDialogTitle, start);
    if (folder.isEmpty()) {
        return std::nullopt;
    }
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    return folder;
}

}  // namespace tamevo
