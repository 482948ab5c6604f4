#include "data/Transaction.h"

#include "data/Errors.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tamevo {

Transaction::Transaction(const QSqlDatabase& db, Mode mode) : db_(db)
{
    if (mode == Mode::Write) {
        // SQLite's own form; commit() and the rollback end it as any other transaction.
        QSqlQuery begin(db_);
        if (!begin.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
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
