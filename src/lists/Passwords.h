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

// The wrong entry and master passwords of one run (HataliSifreSayisi), never reset: both
// passwords count into the one counter, and from the fourth on the program is to close.
class WrongPasswordCount {
public:
    // Counts one wrong password; true when the count is now above 3.
    bool countOne()
    {
        ++count_;
        return count_ > 3;
    }
    int count() const { return count_; }

private:
    int count_ = 0;
};

enum class MasterCheck {
    Accepted,       // no master record, or its mids equals the typed text exactly
    Wrong,          // counted as a wrong password
    WrongTooOften,  // counted, and the count is now above 3: the program is to close
};
// The master password of "ŞİFRE GİR/DEĞİŞTİR": the first master record's mids (empty when
// null) must equal the typed text exactly: same characters, same letter case, no trimming.
// A wrong one counts into `wrong`, the counter of the entry password too. Opens the tables.
MasterCheck checkMasterPassword(Session& session, WrongPasswordCount& wrong, const QString& typed);

// "SAKLA" of the password window: sifre, then master: a changed pending record is posted.
// Throws Error (the change then stays pending).
void savePasswords(Session& session);
// Hiding the password window: sifre, then master: a pending change is dropped.
void cancelPasswordChanges(Session& session);

}  // namespace tamevo
