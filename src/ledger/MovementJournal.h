#pragma once

#include "data/Statement.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>

#include <optional>

namespace tamevo {

// What a journal entry (nakit_gecmis) records: a movement deleted, changed, or brought back
// after it was deleted. The texts are the values of the column islem.
enum class JournalKind { Deleted, Changed, BroughtBack };
QString journalKindText(JournalKind kind);
std::optional<JournalKind> journalKindOf(const QString& text);

// The entries the journal window lists: made on the days `from` to `to` (either may be
// invalid for no limit), of one kind or of every kind, newest first.
struct JournalFilter {
    QDate from;
    QDate to;
    std::optional<JournalKind> kind;
};
Statement journalStatement(const JournalFilter& filter);

// The days of the first and the last entry of the journal; invalid dates when it is empty.
// Throws Error.
std::pair<QDate, QDate> journalDays(QSqlDatabase& db);

// What "Geri Al" does with an entry, decided by its kind and whether its movement is in the
// cash book now:
//   PutBack: a deleted movement (or one changed and deleted since) is added again with its
//     number, day and values;
//   RestoreEarlier: a changed movement gets the values it had before the change;
//   DeleteAgain: a movement brought back is deleted again.
enum class JournalAction { PutBack, RestoreEarlier, DeleteAgain };

// An entry with what bringing it back would do, and the movement's values in the entry.
struct JournalEntry {
    qint64 gid = 0;
    qint64 nid = 0;
    JournalKind kind = JournalKind::Deleted;
    JournalAction action = JournalAction::PutBack;
    QDate day;
    QString currency;
    QVariant in;
    QVariant out;
    QString description;
};

inline const QString kJournalMovementThere =
    QStringLiteral("Bu hareket kasada duruyor; geri alınacak bir silme yok.");
inline const QString kJournalMovementGone =
    QStringLiteral("Bu hareket kasada yok; yeniden silinecek bir kayıt yok.");
inline const QString kJournalEntryGone = QStringLiteral("Bu kayıt geçmişte artık yok.");
inline const QString kJournalOtherYear =
    QStringLiteral("Bu hareketin tarihi açık çalışma yılında değil; geri alınamaz.");

// Reads entry `gid` and decides its action. Throws ValidationError when the entry is gone,
// when a deleted movement is already back in the cash book, or when a movement brought back
// is not there any more; Error for the engine.
JournalEntry readJournalEntry(QSqlDatabase& db, qint64 gid);

// The question "Geri Al" asks before it replaces or deletes (RestoreEarlier, DeleteAgain);
// empty for PutBack, which only adds.
QString journalQuestion(const JournalEntry& entry);

// Carries out the entry's action in one transaction, after the checks "SAKLA" makes (a day of
// `workingYear`, an amount on one side only); the journal's triggers record it. Throws
// ValidationError with the check's message (nothing changes then), Error for the engine.
void applyJournalEntry(QSqlDatabase& db, const JournalEntry& entry, int workingYear);

}  // namespace tamevo
