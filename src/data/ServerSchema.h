#pragma once

#include "data/SqlEngine.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

namespace tamevo {

// The tables and indexes of a local database description (schema/), written for the
// PostgreSQL server: INTEGER as BIGINT, REAL as DOUBLE PRECISION, BLOB as BYTEA, an
// AUTOINCREMENT key as an identity that is never given twice, and days and times as the same
// ISO text a local file keeps. The local files' triggers and their upkeep statements are left
// out: the server's own totals and journal come from schema/server/.
QString serverTablesText(const QString& localScript);

// Makes the schema of a cash book's working year on the server, in one transaction: the
// tables of the local description and the server's totals and journal, with the schema as
// the search path of its functions, then what `fill` writes into it (its firma record).
// Throws Error with the server's text; the server is then as it was.
void createServerCashBookSchema(QSqlDatabase& db, const QString& schemaName,
                                const std::function<void(QSqlDatabase&)>& fill = {});

// Makes the schema of the registry, the passwords and the lists, with the lists' first
// values, in one transaction. Throws Error.
void createServerGeneralSchema(QSqlDatabase& db, const QString& schemaName);

// Whether the server has a schema of that name. Throws Error.
bool serverSchemaExists(QSqlDatabase& db, const QString& schemaName);

// Makes the schema the only one the connection reads and writes unqualified names in.
// Throws Error.
void useServerSchema(QSqlDatabase& db, const QString& schemaName);

}  // namespace tamevo
