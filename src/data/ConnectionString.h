#pragma once

#include <QString>

namespace tamevo {

// The one connection string of the program for a database path: nineteen pairs joined by
// ";". The pairs other than "Data Source=" describe the engine options every connection of the
// program has always carried, and are kept so that every connection string the program ever
// produced stays the same.
QString BaglantiMetni(const QString& path);

// The database path of a connection string: the value of its "Data Source=" pair, or an
// empty text when it has none.
QString dataSourceOf(const QString& connectionString);

}  // namespace tamevo
