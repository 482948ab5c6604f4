#pragma once

#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace tamevo {

class Session;

// The texts of the backup commands (lines separated by a line feed and a carriage return).
inline const QString kBackupDialogTitle = QStringLiteral("Norvane Yedek");
inline const QString kSingleRestoreDialogTitle = QStringLiteral("Norvane Tamevo Yedek");
inline const QString kSingleBackupFilter = QStringLiteral("Yedek (*.ydk)");
inline const QString kAllBackupFilter = QStringLiteral("Yedek (*.zip)");
// A backup or restore asked for while the books live on a PostgreSQL server.
inline const QString kServerBackupRefused = QStringLiteral(
    "Kasalar sunucuda tutuluyor. Yedekleme ve geri yükleme şimdilik yalnız bu bilgisayardaki "
    "kasalar için yapılabilir; sunucunun yedeğini PostgreSQL'in kendi araçlarıyla (pg_dump) "
    "alın.");
inline const QString kBackupAllDone =
    QStringLiteral("Tüm firmaların yedekleme işlemi\n\rbaşarılı bir şekilde gerçekleştirildi.");
inline const QString kAutomaticBackupFolderMissing = QStringLiteral(
    "Otomatik yedekleme klasörü bulunamadığından\n\rotomatik yedekleme işlemi başarısız "
    "oldu!\n\rOtomatik yedekleme adresini kontrol edin.");
inline const QString kRestoreAllWarning = QStringLiteral(
    "Yedekten yükleme sonucu halihazırda mevcut bilgiler silinecek ve\n\ryedek alınan "
    "bilgiler yüklenecektir. Hali hazırda bilgilere bir daha\n\rulaşmanız mümkün "
    "olmayacaktır! İşleme devam edecekmisiniz?");

// "K01" gives: "K01" kodlu firmanın yedekleme işlemi / başarılı bir şekilde gerçekleştirildi.
QString singleBackupDoneMessage(const QString& code);
// The question before a backup replaces an existing file.
QString backupOverwriteQuestion(const QString& path);
// A restore of all whose companion archive of the general databases is missing.
QString companionMissingMessage(const QString& companionPath);
// An unpacked database that is not a database or is damaged: nothing was restored.
QString restoredDatabaseRefusedMessage(const QString& fileName, const QString& reason);
// A database that cannot be copied whole for a backup, or whose copy fails the check: no
// archive was written.
QString backupDatabaseRefusedMessage(const QString& fileName, const QString& reason);
// A single restore that would replace the database of the cash book open in the ledger.
QString openCashBookRestoreMessage(const QString& path);

// The backup and restore commands of the registry window, over the program folder's Data/
// (cash-book databases) and AnaData/ (general databases), with their dialogs and the
// settings of Yedekler.dan. Each returns true when it wrote or restored archives, false when
// the user stopped it. A failure of the disk or of an archive is an Error with the reason,
// thrown before the success message and the settings update; a restore leaves every file
// as it was when an archive cannot be read whole. Each command leaves the current directory
// as it found it. A backup shows its progress (the database it copies, the archive it
// writes) and may be stopped by the user: it then ends with Progress::OperationCancelled and
// leaves no archive. A restore shows its progress too and is never stopped halfway.
class Backups {
public:
    explicit Backups(Session& session);

    // The clock of the commands: the date stamp of the archive names and the date of an
    // automatic backup come from it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    // The databases of cash book `code` (the code followed by a four-digit year) into one
    // archive "<code>_<stamp>.ydk" the user places. An empty or unusable code is refused
    // with the registry's message.
    bool TekKasaYedekle(const QString& code);
    // Data/*.mdb into "NorvaneKasaTumu_<stamp>.zip" the user places, AnaData/*.mdb into the
    // same name followed by "Gen".
    bool TumunuYedekle();
    // The same pair, without questions, as "NorvaneKasa_<stamp>.zip" in the automatic
    // backup folder stored in Yedekler.dan; then stores today as the last backup's date. A
    // missing folder gets its message and changes nothing.
    bool TumunuYedekleOto();
    // One archive the user picks, extracted into Data/. The database of a cash book open in
    // the ledger is never replaced under it.
    bool TekKasaGeriYukle();
    // After the warning: an archive the user picks into Data/ and its companion into
    // AnaData/, with the general and the cash-book connections closed meanwhile and opened
    // again after (those that were open), and the registry opened.
    bool TumFirmalarGeriYukle();
    // The folder chooser of the automatic backup; the chosen folder with a trailing
    // separator, nothing when the user cancels.
    std::optional<QString> OtoYedekAdresiniBul();

private:
    // Refuses a backup or restore while the books live on a server. Throws ValidationError.
    void refuseOnServer() const;
    // Data/*.mdb into `path`, AnaData/*.mdb into `path` + "Gen".
    void writeBackupPair(const QString& path);
    void reconnect(bool generalWasOpen, const QString& generalString, bool cashWasOpen,
                   const QString& cashString);

    Session& session_;
};

}  // namespace tamevo
