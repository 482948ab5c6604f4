#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>

namespace tamevo {

// Where a statement failed: while the work of a command was being done, or at its commit.
// A lost connection says what became of the command, and at the commit that is not known.
enum class FailedAt { Statement, Commit };

// Ends the current command after a statement on `query` failed: ConnectionLost when the
// connection to the server is gone with it (the user is told in plain words and the
// connection is made again by the next command), else Error with the engine's text.
[[noreturn]] void throwStatementError(const QSqlQuery& query);
// The same for a failure of the database itself: a begin, a commit.
[[noreturn]] void throwDatabaseError(const QSqlDatabase& db, FailedAt where = FailedAt::Statement);

// Whether the connection behind `driver` was to the server and is gone: the engine closes it
// when it finds the server no longer answering.
bool serverConnectionLost(const QSqlDriver* driver);

}  // namespace tamevo
