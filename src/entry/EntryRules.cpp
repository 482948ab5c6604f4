#include "entry/EntryRules.h"

#include "data/IniFile.h"
#include "data/JournalUpkeep.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"

namespace tamevo {

namespace {

const QString kSection = QStringLiteral("Giris");

}  // namespace

RememberedEntry readRememberedEntry()
{
    const IniFile ini = programSettingsFile();
    return {ini.read(kSection, QStringLiteral("Kodu")).left(kRememberedCodeWidth),
            ini.read(kSection, QStringLiteral("Yil")).left(kRememberedYearWidth),
            ini.read(kSection, QStringLiteral("Adi")).left(kRememberedTitleWidth)};
}

void writeRememberedEntry(const RememberedEntry& entry)
{
    const IniFile ini = programSettingsFile();
    ini.write(kSection, QStringLiteral("Kodu"), entry.code);
    ini.write(kSection, QStringLiteral("Yil"), entry.year);
    ini.write(kSection, QStringLiteral("Adi"), entry.title);
}

CodeLookup lookUpCashBookCode(Session& session, const QString& code)
{
    Dataset& registry = session.FirmaTakip;
    registry.open();
    const QString field = QStringLiteral("firma_kodu");
    for (int row = 0; row < registry.recordCount(); ++row) {
        if (registry.valueAt(row, field).toString().compare(code, Qt::CaseInsensitive) == 0) {
            registry.setCurrentIndex(row);
            return {true, registry.value(QStringLiteral("firma_unvani_1")).toString()};
        }
    }
    return {};
}

void startNewRegistryRecord(Session& session, const QString& code)
{
    Dataset& registry = session.FirmaTakip;
    registry.open();
    registry.append();
    registry.setValue(QStringLiteral("firma_kodu"), code);
}

std::optional<FirmaRecord> registryRecordForNewFile(Session& session)
{
    Dataset& registry = session.FirmaTakip;
    if (registry.isEditing() || registry.currentIndex() < 0) {
        return std::nullopt;
    }
    return FirmaRecord{registry.rowValues()};
}

PasswordCheck checkEntryPassword(Session& session, WrongPasswordCount& wrong, const QString& typed)
{
    Dataset& passwords = session.sifreTable;
    passwords.open();
    if (passwords.isEmpty() || passwords.value(QStringLiteral("sifre")).toString() == typed) {
        return PasswordCheck::Accepted;
    }
    return wrong.countOne() ? PasswordCheck::WrongTooOften : PasswordCheck::Wrong;
}

}  // namespace tamevo
