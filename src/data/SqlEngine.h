#pragma once

#include <QSqlDatabase>

namespace tamevo {

// The engine behind a connection: a local SQLite file, or the PostgreSQL server. The few
// statements that differ between the two ask it, each in one place.
enum class SqlEngine { SQLite, PostgreSQL };

inline SqlEngine engineOf(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL") ? SqlEngine::PostgreSQL : SqlEngine::SQLite;
}

// Whether the connection is to the PostgreSQL server (else to a local SQLite file).
inline bool onServer(const QSqlDatabase& db)
{
    return engineOf(db) == SqlEngine::PostgreSQL;
}

}  // namespace tamevo
