#pragma once

#include <QString>
#include <QStringList>

namespace tamevo::test {

// Checks of a database file as the next start finds it, each on a connection of its own (a
// rollback journal left beside the file is played back first, as any opening does).

// The lines of the engine's integrity check other than "ok"; empty for a sound file.
QStringList integrityProblems(const QString& file);

// How many (day, currency) rows of the per-day totals differ from the sums over that day's
// movements, counted in kuruş, either way round.
int daysDifferingFromMovements(const QString& file);

}  // namespace tamevo::test
