#include "data/Transaction.h"

#include "data/Errors.h"
#include "data/ServerSchema.h"

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
            throw Error(begin.lastError().text());
        }
    } else if (!db_.transaction()) {
        throw Error(db_.lastError().text());
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
        const QString text = db_.lastError().text();
        db_.rollback();
        active_ = false;
        throw Error(text);
    }
    active_ = false;
}

}  // namespace tamevo
