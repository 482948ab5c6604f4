#pragma once

#include <QString>

namespace tamevo {

// Copies the database file `path` as it is at one moment into the new file `copyPath`: the
// engine writes the copy (VACUUM INTO) from one read transaction, so a save of another
// connection or program is in the copy whole or not at all (it waits for the copy, or the
// copy for it, as long as a save takes). A save another program left half done is rolled
// back first, as at any opening. Then the copy is checked whole (checkDatabaseFile). `path`
// is not changed. Throws Error with the engine's text; a copy made is removed then.
void snapshotDatabase(const QString& path, const QString& copyPath);

}  // namespace tamevo
