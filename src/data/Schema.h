#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

namespace tamevo {

// The two database descriptions of the program, kept as resources.
enum class SchemaKind { Genel, Kasa };

QString schemaText(SchemaKind kind);

// One file of the database descriptions (schema/), by its name there ("kasa.sql",
// "server/kasa.sql"). Throws Error.
QString resourceText(const QString& name);

// Gives a cash-book database made before the per-day totals existed its totals table and
// triggers, filled from its movements, in one transaction. No effect on a database that has
// them. Throws Error.
void ensureDayTotals(QSqlDatabase& db);

// Gives a cash-book database made before the yearly totals existed their table and triggers,
// filled from its movements, in one transaction. No effect on a database that has them.
// Throws Error.
void ensureYearTotals(QSqlDatabase& db);

// Gives a cash-book database made before the journal of movements existed its journal table
// and triggers, in one transaction; the journal starts empty. No effect on a database that
// has it. Throws Error.
void ensureJournal(QSqlDatabase& db);

// Gives a cash-book database made before some index of nakit existed every index of nakit
// the cash-book description has, in one transaction. No effect on a database that has them.
// Throws Error.
void ensureMovementIndexes(QSqlDatabase& db);

// Splits an SQL script into statements: each ends with ";" at the end of a line, and a
// trigger ends with the line "END;". Comment lines ("--") are dropped.
QStringList splitSqlScript(const QString& script);

// Runs every statement of a script in one transaction; throws Error with the engine's text.
void executeScript(QSqlDatabase& db, const QString& script);

// Writes a database file whole: a temporary file beside `path` (a copy of `copyFrom` when
// given, else a new database) is opened, filled by `fill`, closed, and renamed to `path` only
// when everything succeeded. A failure removes the temporary file and leaves `path` as it
// was. Throws Error with the file's name and the reason; ValidationError from `fill` passes
// through as it is.
void writeDatabaseFile(const QString& path, const QString& copyFrom,
                       const std::function<void(QSqlDatabase&)>& fill);

// Opens the database file `path` for reading only and checks it whole: the engine's integrity
// check passes and it holds at least one table. Throws Error with the engine's text for a
// file that is not a database, is damaged or is empty. The file is not changed.
void checkDatabaseFile(const QString& path);

// Creates the database file `path` from a schema. The file is written under a temporary
// name beside it and renamed into place when complete, so a failure never leaves a half
// file. Throws Error when `path` exists or anything fails.
void createDatabase(const QString& path, SchemaKind kind);

}  // namespace tamevo
