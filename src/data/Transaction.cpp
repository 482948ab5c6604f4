#include "data/Transaction.h"

#include "data/Errors.h"

#include <QSqlError>

namespace tamevo {

Transaction::Transaction(const QSqlDatabase& db) : db_(db)
{
    if (!db_.transaction()) {
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
