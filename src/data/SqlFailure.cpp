#include "data/SqlFailure.h"

#include "data/Errors.h"

#include <QSqlDriver>
#include <QSqlError>

namespace tamevo {

bool serverConnectionLost(const QSqlDriver* driver)
{
    return driver != nullptr && driver->dbmsType() == QSqlDriver::PostgreSQL && !driver->isOpen();
}

void throwStatementError(const QSqlQuery& query)
{
    if (serverConnectionLost(query.driver())) {
        throw ConnectionLost(kServerConnectionLost);
    }
    throw Error(query.lastError().text());
}

void throwDatabaseError(const QSqlDatabase& db, FailedAt where)
{
    if (serverConnectionLost(db.driver())) {
        throw ConnectionLost(where == FailedAt::Commit ? kServerConnectionLostAtCommit
                                                       : kServerConnectionLost);
    }
    throw Error(db.lastError().text());
}

}  // namespace tamevo
