#include "data/Transaction.h"

#include "data/Errors.h"
#include "data/ServerSchema.h"
#include "data/SqlFailure.h"

#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

namespace tamevo {

Transaction::Transaction(const QSqlDatabase& db, Mode mode) : db_(db)
{
    if (mode == Mode::Write) {
        // SQLite takes its write lock at once. The server gives the transaction one snapshot
        // instead: a row another desk changed after it was read here is not overwritten, the
        // change fails and nothing of the transaction stays. commit() and the rollback end
        // either as any other transaction.
        QSqlQuery begin(db_);
        if (!begin.exec(onServer(db_) ? QStringLiteral("BEGIN ISOLATION LEVEL REPEATABLE READ")
                                      : QStringLiteral("BEGIN IMMEDIATE"))) {
            throwStatementError(begin);
        }
    } else if (!db_.transaction()) {
        throwDatabaseError(db_);
    }
    active_ = true;
}

Transaction::~Transaction()
{
    if (active_) {
        db_.rollback();
    }
}

void Transaction::commit()
{
    if (!db_.commit()) {
        active_ = false;
        // Rolled back once the error is read: the rollback would replace the engine's text.
        const auto rollingBack = qScopeGuard([this] { db_.rollback(); });
        throwDatabaseError(db_, FailedAt::Commit);
    }
    active_ = false;
}

}  // namespace tamevo
