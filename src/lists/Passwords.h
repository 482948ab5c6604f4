#pragma once

#include <QString>

namespace tamevo {

class Session;

inline const QString kWrongMasterPassword =
    QStringLiteral("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz boş geçin!");
inline const QString kMasterPasswordWarning = QStringLiteral(
    "Master şifreyi değiştirdiyseniz unutmayınız! Aksi Halde bilgileriniz bloke olacaktır.");
// Both passwords are at most this long (sifre.sifre, master.mids).
constexpr int kPasswordMaxLength = 16;

// Connects the general database when it is not connected and opens the password tables
// (sifre, master) when they are closed. Throws Error.
void openPasswordTables(Session& session);

enum class MasterCheck {
    Accepted,       // no master record, or its mids equals the typed text exactly
    Wrong,          // counted into HataliSifreSayisi
    WrongTooOften,  // counted, and the counter is now above 3: the program is to close
};
// The master password of "ŞİFRE GİR/DEĞİŞTİR": the first master record's mids (empty when
// null) must equal the typed text exactly: same characters, same letter case, no trimming.
// A wrong one counts into the same counter as a wrong entry password. Opens the tables.
MasterCheck checkMasterPassword(Session& session, const QString& typed);

// "SAKLA" of the password window: sifre, then master: a changed pending record is posted.
// Throws Error (the change then stays pending).
void savePasswords(Session& session);
// Hiding the password window: sifre, then master: a pending change is dropped.
void cancelPasswordChanges(Session& session);

}  // namespace tamevo
