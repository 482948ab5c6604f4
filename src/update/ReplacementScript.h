#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tamevo {

// The running program cannot overwrite its own file, so an update hands the swap to a
// script that runs after the program has ended: a batch file on Windows, a POSIX shell
// script elsewhere. Both are built as text on every platform.
enum class ScriptKind { Batch, Shell };

// The kind of script this platform runs.
ScriptKind nativeScriptKind();

// The names of an update run.
struct UpdateNames {
    // P: full path of the running program file
    QString programPath;
    // N: its file name
    QString programName;
    // A: the program folder with a trailing separator (upper case for a batch file)
    QString programFolder;
    // S: the source folder with a trailing separator added when it has none
    QString sourceFolder;
    // T: the script: the program path with the extension ".bat" (".sh" for a shell script)
    QString scriptPath;
};

// Works the names out from the program file and the source folder. A batch file names its
// paths with backslashes; a shell script with slashes and the letter case of the disk.
UpdateNames updateNames(const QString& programFile, const QString& updateSrc, ScriptKind kind);

// The batch file: it retries the deletion of the program file until the program has ended,
// copies the staged program (folder + "_" + name) and each staged other file in place, puts the
// saved copy (folder + "B" + name) back when the program file is still missing, deletes the copies,
// restarts the program when asked to and deletes itself. `stagedOtherFiles` are the other
// files whose staged copy exists, in list order.
QStringList batchFileLines(const UpdateNames& names, const QStringList& stagedOtherFiles,
                           bool autoRestart);

// The shell script with the same steps. Deleting a running program's file succeeds at once
// on POSIX systems, so the script waits for the program's process `processId` to end
// instead; a copy that failed midway is removed so the saved copy takes its place.
QStringList shellScriptLines(const UpdateNames& names, const QStringList& stagedOtherFiles,
                             bool autoRestart, qint64 processId);

// The content of the script file: batch lines end with CR LF and are in the system's code
// page; shell lines end with LF.
QByteArray scriptFileContent(ScriptKind kind, const QStringList& lines);

}  // namespace tamevo
