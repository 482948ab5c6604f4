#pragma once

#include "data/IniFile.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace tamevo {

// The backup settings file Yedekler.dan of the program folder: the folders the backup
// dialogs were last in and the automatic backup's settings.
IniFile backupSettingsFile();

inline const QString kTekYedekler = QStringLiteral("TekYedekler");
inline const QString kSonTekYedek = QStringLiteral("SonTekYedek");
inline const QString kTumYedekler = QStringLiteral("TumYedekler");
inline const QString kSonTumYedek = QStringLiteral("SonTumYedek");
inline const QString kOtoYedekler = QStringLiteral("OtoYedekler");
inline const QString kSonOtoYedek = QStringLiteral("SonOtoYedek");
inline const QString kYedekGun = QStringLiteral("YedekGun");
inline const QString kYedekAl = QStringLiteral("YedekAl");
inline const QString kTarihOtoGun = QStringLiteral("TarihOtoGun");
inline const QString kTarihOtoAy = QStringLiteral("TarihOtoAy");
inline const QString kTarihOtoYil = QStringLiteral("TarihOtoYil");

// The longest folder a setting names, and the day-count box's width.
constexpr int kBackupFolderWidth = 4096;
constexpr int kDayCountWidth = 3;

// A value of Yedekler.dan, cut to its field on reading: the day count to the width of its
// box, a folder to the longest folder name; the switch and the date parts as they stand.
QString readBackupSetting(const QString& section, const QString& key);

// The program's backup folder: program folder + "Yedek/".
QString defaultBackupFolder();

// The folder a backup dialog starts in: a remembered folder of at least two characters,
// else the program's backup folder.
QString backupStartFolder(const QString& remembered);

// The date part of every archive name: 3 May 2021 gives "2021_05_03".
QString backupStamp(const QDate& day);

// The date the panel shows when no valid date of a last automatic backup is stored.
inline const QDate kNoAutomaticBackupYet(2012, 1, 1);

// The automatic backup as the registry window's lower panel shows it.
struct AutoBackupSettings {
    QString folder;    // "Otomatik Yedeklenecek Yer"
    QString dayCount;  // the day-count box, as typed
    bool enabled = false;
    QDate lastBackup;  // "Son Yedek Alınma Tarihi"
};

// The panel's values from Yedekler.dan, with their defaults: a stored folder of at least three
// characters, else the program's backup folder; the day count "7" when none is stored; on
// only for "1"; the stored day, month and year (read leniently) when they make a date from
// 1971 to 2049, else 1 January 2012.
AutoBackupSettings loadAutoBackupSettings();

// OtoYedekAyarlariniSakla: the folder, the day count as typed, "1" for on and "2" for off.
// Throws Error.
void saveAutoBackupSettings(const QString& folder, const QString& dayCount, bool enabled);

// The date of a successful automatic backup, as day, month and year. Throws Error.
void saveAutomaticBackupDate(const QDate& day);

// Whether the automatic backup runs at an exit at `now`: it is on and `now` is not before
// midnight of the last backup's day plus the day count (read leniently; empty or no digits
// count as 0, so the backup then runs at every exit).
bool isAutomaticBackupDue(const AutoBackupSettings& settings, const QDateTime& now);

}  // namespace tamevo
