#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace tamevo {

// The name of the program file on this platform: "Tamevo.exe" on Windows, "Tamevo"
// elsewhere. The update is downloaded under this name.
QString programFileName();

// True when `head`, the first bytes of a file, begins as a program of this platform does:
// an MZ executable on Windows, a Mach-O file on macOS, an ELF file elsewhere.
bool looksLikeProgram(const QByteArray& head);

// Downloads `url` to the file `target`. The file is written under a temporary name and put in
// place only when the whole download arrived and is a program of this platform (made
// executable where that is a file's permission); an earlier file stays as it was otherwise.
// Waits for the download without taking the user's input. True on success; every failure
// (no connection, an HTTP error status, a stalled transfer, an empty file or another kind of
// file, a disk error) gives false.
bool DownloadFile(const QUrl& url, const QString& target);

}  // namespace tamevo
