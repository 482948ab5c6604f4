#include "cashbooks/BackupSettings.h"

#include "data/Numbers.h"
#include "data/ProgramFolder.h"

namespace tamevo {

IniFile backupSettingsFile()
{
    return IniFile(GetPathPath() + QStringLiteral("Yedekler.dan"));
}

QString readBackupSetting(const QString& section, const QString& key)
{
    const QString value = backupSettingsFile().read(section, key);
    if (key == kYedekGun) {
        return value.left(kDayCountWidth);
    }
    if (key == kSonOtoYedek || key == kSonTekYedek || key == kSonTumYedek) {
        return value.left(kBackupFolderWidth);
    }
    return value;
}

QString defaultBackupFolder()
{
    return GetPathPath() + QStringLiteral("Yedek/");
}

QString backupStartFolder(const QString& remembered)
{
    return remembered.size() >= 2 ? remembered : defaultBackupFolder();
}

QString backupStamp(const QDate& day)
{
    return day.toString(QStringLiteral("yyyy_MM_dd"));
}

AutoBackupSettings loadAutoBackupSettings()
{
    AutoBackupSettings settings;
    const QString folder = readBackupSetting(kOtoYedekler, kSonOtoYedek);
    settings.folder = folder.size() >= 3 ? folder : defaultBackupFolder();
    const QString dayCount = readBackupSetting(kOtoYedekler, kYedekGun);
    settings.dayCount = dayCount.isEmpty() ? QStringLiteral("7") : dayCount;
    settings.enabled = readBackupSetting(kOtoYedekler, kYedekAl) == QLatin1String("1");

    const qint64 day = SayiyaCevir(readBackupSetting(kOtoYedekler, kTarihOtoGun));
    const qint64 month = SayiyaCevir(readBackupSetting(kOtoYedekler, kTarihOtoAy));
    const qint64 year = SayiyaCevir(readBackupSetting(kOtoYedekler, kTarihOtoYil));
    const QDate stored =
        year >= 1971 && year <= 2049 && month >= 1 && month <= 12 && day >= 1 && day <= 31
            ? QDate(int(year), int(month), int(day))
            : QDate();
    settings.lastBackup = stored.isValid() ? stored : kNoAutomaticBackupYet;
    return settings;
}

void saveAutoBackupSettings(const QString& folder, const QString& dayCount, bool enabled)
{
    const IniFile file = backupSettingsFile();
    file.write(kOtoYedekler, kSonOtoYedek, folder);
    file.write(kOtoYedekler, kYedekGun, dayCount);
    file.write(kOtoYedekler, kYedekAl, enabled ? QStringLiteral("1") : QStringLiteral("2"));
}

void saveAutomaticBackupDate(const QDate& day)
{
    const IniFile file = backupSettingsFile();
    file.write(kOtoYedekler, kTarihOtoGun, QString::number(day.day()));
    file.write(kOtoYedekler, kTarihOtoAy, QString::number(day.month()));
    file.write(kOtoYedekler, kTarihOtoYil, QString::number(day.year()));
}

bool isAutomaticBackupDue(const AutoBackupSettings& settings, const QDateTime& now)
{
    if (!settings.enabled) {
        return false;
    }
    const QDate due = settings.lastBackup.addDays(SayiyaCevir(settings.dayCount));
    return due.isValid() && now >= due.startOfDay();
}

}  // namespace tamevo
