#pragma once

#include "data/CashBookFiles.h"
#include "data/Numbers.h"
#include "lists/Passwords.h"

#include <QString>

#include <optional>

namespace tamevo {

class Session;

inline const QString kCodeNotFoundQuestion =
    QStringLiteral("Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?");
inline const QString kWrongPassword =
    QStringLiteral("Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!");
inline const QString kWrongYear = QStringLiteral("Çalışma yılı girişiniz hatalıdır!");
inline const QString kWrongCode = QStringLiteral("Firma girişiniz hatalıdır!");
inline const QString kExitQuestion = QStringLiteral("Programı kapatmak istediğinize eminmisiniz?");

// The widths of the remembered entry values: the code and the title are the registry's
// firma_kodu and firma_unvani_1, the year box holds four digits.
constexpr int kRememberedCodeWidth = 20;
constexpr int kRememberedYearWidth = 4;
constexpr int kRememberedTitleWidth = 100;

// The entry values remembered in FirmaAyar.ini of the program folder (section "Giris", keys
// "Kodu", "Yil" and "Adi"). A missing file or key reads as the empty text; a value longer than
// its field is cut to it on reading, so a damaged file cannot stretch the entry screen.
struct RememberedEntry {
    QString code;
    QString year;
    QString title;
};
RememberedEntry readRememberedEntry();
// Throws Error when the file cannot be written; it then stays as it was.
void writeRememberedEntry(const RememberedEntry& entry);

struct CodeLookup {
    bool found = false;
    QString title;  // firma_unvani_1 of the registered cash book
};

// Looks a code up in the registry (FirmaTakip, opened when closed) and positions the
// registry on its record. Codes that differ only in letter case are the same cash book.
CodeLookup lookUpCashBookCode(Session& session, const QString& code);

// Appends a new registry record with the typed code, for the user to complete.
void startNewRegistryRecord(Session& session, const QString& code);

// The registry record a new cash-book database is made with: the registry's current
// record, or none while that record is being edited or inserted.
std::optional<FirmaRecord> registryRecordForNewFile(Session& session);

enum class PasswordCheck { Accepted, Wrong, WrongTooOften };

// The entry password: accepted when the password table has no record, otherwise the first
// record's password must equal the typed text exactly (letter case, blanks and all). A wrong
// one counts into `wrong`; from the fourth wrong password of the run on, the program is to end
// without the exit question (WrongTooOften).
PasswordCheck checkEntryPassword(Session& session, WrongPasswordCount& wrong, const QString& typed);

}  // namespace tamevo
