#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tamevo {

// The two database descriptions of the program, kept as resources.
enum class SchemaKind { Genel, Kasa };

QString schemaText(SchemaKind kind);

// Splits an SQL script into statements: each ends with ";" at the end of a line, and a
// trigger ends with the line "END;". Comment lines ("--") are dropped.
QStringList splitSqlScript(const QString& script);

// Runs every statement of a script in one transaction; throws Error with the engine's text.
void executeScript(QSqlDatabase& db, const QString& script);

// Creates the database file `path` from a schema. The file is written under a temporary
// name beside it and renamed into place when complete, so a failure never leaves a half
// file. Throws Error when `path` exists or anything fails.
void createDatabase(const QString& path, SchemaKind kind);

}  // namespace tamevo
