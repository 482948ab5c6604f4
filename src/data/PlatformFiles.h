#pragma once

#include <QString>
#include <QtGlobal>

// The file calls whose form differs between POSIX systems and Windows. Both forms are written
// here, side by side, and no other file of the program includes a header of the operating
// system's own interface. An open file is a C runtime descriptor on both (what
// QFileDevice::handle() gives too). A call reports failure by its result; lastErrorText()
// then gives the system's reason.
namespace tamevo::platform {

// The reason the last failed call of this file (on this thread) gave.
QString lastErrorText();

// Creates a new file beside `target`, named "." + the target's name + six random characters,
// never one that exists, and opens it for writing. Returns its descriptor and puts its path
// in `path`; -1 when it cannot be made. On POSIX systems it gets the permissions of `target`
// when that exists, else read for all and write for its owner; on Windows a new file takes
// the access rules of its folder.
int createFileBeside(const QString& target, QString* path);

// Writes all `size` bytes; a write that stores nothing counts as a full disk.
bool writeAll(int file, const char* data, qint64 size);

// Sends the file's data to the disk: fsync, FlushFileBuffers on Windows.
bool flushToDisk(int file);

// Closes a descriptor.
bool closeFile(int file);

// Puts the file `from` in the place of `to` in one step, replacing a file there: rename;
// MoveFileEx with MOVEFILE_REPLACE_EXISTING and MOVEFILE_WRITE_THROUGH on Windows.
bool replaceFile(const QString& from, const QString& to);

// Gives the file `existing` a second name `link` (a hard link): link, CreateHardLink on
// Windows.
bool linkFile(const QString& existing, const QString& link);

// Sends the entries of a folder (a file just renamed into it) to the disk: fsync on the
// folder. Nothing on Windows, where the rename was written through.
void flushFolder(const QString& folder);

}  // namespace tamevo::platform
