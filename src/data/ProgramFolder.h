#pragma once

#include <QString>

namespace tamevo {

// The two places the program's files live. A program run from its own folder (the folder
// scripts/run keeps, or a copied folder on Windows) has both in that folder. An installed
// program (its executable in <prefix>/bin, its own files in <prefix>/share/tamevo) reads its
// own files there, never writing them, and keeps the user's data in the folder named by
// TAMEVO_HOME, else in Tamevo in the user's home folder.
struct ProgramFolders {
    QString programFiles;  // the program's own files: help texts, the manual, the fresh layout
    QString data;          // the user's data: databases, backups, settings files
    bool installed = false;
};

// The folders of a program whose executable lies in `executableFolder`: installed when that
// folder is a bin/ with share/tamevo/ beside it. `tamevoHome` is the value of TAMEVO_HOME
// (empty when unset) and `home` the user's home folder.
ProgramFolders locateProgramFolders(const QString& executableFolder, const QString& tamevoHome,
                                    const QString& home);

// Sets both folders (start-up sets those of the executable).
void setProgramFolders(const ProgramFolders& folders);

// Sets one folder for both, as a program run from its own folder has them (tests set a
// temporary one).
void setProgramFolder(const QString& folder);

// The user's data folder, with a trailing separator: the databases, backups, settings files
// and temporary pictures are located relative to it. For a program run from its own folder
// it is that folder, the program folder.
QString GetPathPath();

// The folder of the program's own files (help texts, the manual), with a trailing separator.
QString programFilesFolder();

// True for an installed program: the system's package manager updates it; it never replaces
// its own files.
bool programIsInstalled();

// Makes the data folder the current directory; relative paths of the connections rely on
// it. Throws Error when the folder cannot be entered.
void enterProgramFolder();

// Remembers the current directory and makes it current again when it goes out of scope, so a
// command that enters the program folder leaves the current directory as it found it.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper();
    ~CurrentDirectoryKeeper();
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;

private:
    QString path_;
};

}  // namespace tamevo
