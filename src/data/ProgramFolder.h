#pragma once

#include <QString>

namespace tamevo {

// The program folder: the folder of the program file, with a trailing separator. Every
// file of the program is located relative to it.
QString GetPathPath();

// Sets the program folder (start-up sets the executable's folder; tests a temporary one).
void setProgramFolder(const QString& folder);

// Makes the program folder the current directory; relative paths of the connections rely
// on it. Throws Error when the folder cannot be entered.
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
