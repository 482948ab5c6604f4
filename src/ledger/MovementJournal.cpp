#include "ledger/MovementJournal.h"

#include "data/Errors.h"
#include "data/Money.h"
#include "data/SqlFailure.h"
#include "data/Transaction.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerTexts.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace tamevo {

namespace {

// The movement's columns, as nakit and the journal both have them.
const QStringList& movementColumns()
{
    static const QStringList columns =
        QStringLiteral(
            "nid cekid firmaid firmakodu firmaadi bankaid bankakodu bankaadi islem_tarihi "
            "islem_vadesi borc_tutar alacak_tutar neden doviz_cinsi doviz_borc doviz_alacak "
            "hes_dov_cinsi hes_doviz_borc hes_doviz_alacak aciklama kur_farki doviz_kuru "
            "fatura_KDV "
            "fatura_no fatura_seri irsaliye_no irsaliye_seri")
            .split(QLatin1Char(' '));
    return columns;
}

void run(QSqlQuery& query)
{
    if (!query.exec()) {
        throwStatementError(query);
    }
}

bool movementIsThere(QSqlDatabase& db, qint64 nid)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT 1 FROM nakit WHERE nid = ?"));
    query.addBindValue(nid);
    run(query);
    return query.next();
}

}  // namespace

QString journalKindText(JournalKind kind)
{
    switch (kind) {
        case JournalKind::Deleted:
            return QStringLiteral("SİLİNDİ");
        case JournalKind::Changed:
            return QStringLiteral("DEĞİŞTİ");
        case JournalKind::BroughtBack:
            return QStringLiteral("GERİ GELDİ");
    }
    return {};
}

std::optional<JournalKind> journalKindOf(const QString& text)
{
    for (const JournalKind kind :
         {JournalKind::Deleted, JournalKind::Changed, JournalKind::BroughtBack}) {
        if (journalKindText(kind) == text) {
            return kind;
        }
    }
    return std::nullopt;
}

Statement journalStatement(const JournalFilter& filter)
{
    Statement statement{QStringLiteral("SELECT * FROM nakit_gecmis WHERE 1 = 1"), {}};
    // zaman is "YYYY-MM-DD HH:MM:SS": a day's entries sort from its date up to the next date.
    if (filter.from.isValid()) {
        statement.sql += QStringLiteral(" AND zaman >= ?");
        statement.values << filter.from.toString(Qt::ISODate);
    }
    if (filter.to.isValid()) {
        statement.sql += QStringLiteral(" AND zaman < ?");
        statement.values << filter.to.addDays(1).toString(Qt::ISODate);
    }
    if (filter.kind) {
        statement.sql += QStringLiteral(" AND islem = ?");
        statement.values << journalKindText(*filter.kind);
    }
    statement.sql += QStringLiteral(" ORDER BY gid DESC");
    return statement;
}

std::pair<QDate, QDate> journalDays(QSqlDatabase& db)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT MIN(zaman), MAX(zaman) FROM nakit_gecmis"));
    run(query);
    if (!query.next() || query.value(0).isNull()) {
        return {};
    }
    return {QDate::fromString(query.value(0).toString().left(10), Qt::ISODate),
            QDate::fromString(query.value(1).toString().left(10), Qt::ISODate)};
}

JournalEntry readJournalEntry(QSqlDatabase& db, qint64 gid)
{
    QSqlQuery query(db);
    query.prepare(
        QStringLiteral("SELECT islem, nid, islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, "
                       "aciklama FROM nakit_gecmis WHERE gid = ?"));
    query.addBindValue(gid);
    run(query);
    if (!query.next()) {
        throw ValidationError(kJournalEntryGone);
    }
    JournalEntry entry;
    entry.gid = gid;
    entry.kind = journalKindOf(query.value(0).toString()).value_or(JournalKind::Changed);
    entry.nid = query.value(1).toLongLong();
    entry.day = query.value(2).toDate();
    entry.currency = query.value(3).toString();
    entry.in = query.value(4);
    entry.out = query.value(5);
    entry.description = query.value(6).toString();

    const bool there = movementIsThere(db, entry.nid);
    switch (entry.kind) {
        case JournalKind::Deleted:
            if (there) {
                throw ValidationError(kJournalMovementThere);
            }
            entry.action = JournalAction::PutBack;
            break;
        case JournalKind::Changed:
            entry.action = there ? JournalAction::RestoreEarlier : JournalAction::PutBack;
            break;
        case JournalKind::BroughtBack:
            if (!there) {
                throw ValidationError(kJournalMovementGone);
            }
            entry.action = JournalAction::DeleteAgain;
            break;
    }
    return entry;
}

QString journalQuestion(const JournalEntry& entry)
{
    const QString movement =
        movementSummary(entry.day, entry.in, entry.out, entry.currency, entry.description);
    switch (entry.action) {
        case JournalAction::PutBack:
            return {};
        case JournalAction::RestoreEarlier:
            return QStringLiteral(
                       "Hareketin şimdiki değerleri, değişiklikten önceki değerleriyle "
                       "değiştirilecek:\n\r") +
                   movement + QStringLiteral("\n\rDevam edilsin mi?");
        case JournalAction::DeleteAgain:
            return QStringLiteral("Geri getirilen hareket yeniden silinecek:\n\r") + movement +
                   QStringLiteral("\n\rDevam edilsin mi?");
    }
    return {};
}

void applyJournalEntry(QSqlDatabase& db, const JournalEntry& entry, int workingYear)
{
    if (entry.action != JournalAction::DeleteAgain) {
        if (entry.day.year() != workingYear) {
            throw ValidationError(kJournalOtherYear);
        }
        checkMovementAmounts(Money::fromStored(entry.in), Money::fromStored(entry.out));
    }
    // The write lock is taken first, so the movement checked is the movement changed.
    Transaction transaction(db, Transaction::Mode::Write);
    const bool there = movementIsThere(db, entry.nid);
    QSqlQuery query(db);
    const QString columns = movementColumns().join(QStringLiteral(", "));
    switch (entry.action) {
        case JournalAction::PutBack:
            if (there) {
                throw ValidationError(kJournalMovementThere);
            }
            query.prepare(QStringLiteral("INSERT INTO nakit (%1) SELECT %1 FROM nakit_gecmis "
                                         "WHERE gid = ?")
                              .arg(columns));
            query.addBindValue(entry.gid);
            break;
        case JournalAction::RestoreEarlier: {
            if (!there) {
                throw ValidationError(kJournalMovementGone);
            }
            const QString values = movementColumns().mid(1).join(QStringLiteral(", "));
            query.prepare(QStringLiteral("UPDATE nakit SET (%1) = (SELECT %1 FROM nakit_gecmis "
                                         "WHERE gid = ?) WHERE nid = ?")
                              .arg(values));
            query.addBindValue(entry.gid);
            query.addBindValue(entry.nid);
            break;
        }
        case JournalAction::DeleteAgain:
            if (!there) {
                throw ValidationError(kJournalMovementGone);
            }
            query.prepare(QStringLiteral("DELETE FROM nakit WHERE nid = ?"));
            query.addBindValue(entry.nid);
            break;
    }
    run(query);
    query.finish();
    transaction.commit();
}

}  // namespace tamevo
