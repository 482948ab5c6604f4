#include "update/HiddenProcess.h"

#include <QDir>
#include <QProcess>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tamevo {

bool startHiddenScript(const QString& script, const QString& workingDirectory)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
#ifdef Q_OS_WIN
    process.setProgram(QStringLiteral("cmd.exe"));
    process.setNativeArguments(QStringLiteral("/c \"%1\"").arg(QDir::toNativeSeparators(script)));
    process.setCreateProcessArgumentsModifier([](QProcess::CreateProcessArguments* arguments) {
        arguments->flags |= CREATE_NO_WINDOW | IDLE_PRIORITY_CLASS;
        arguments->inheritHandles = FALSE;
    });
#else
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({script});
    // The script and the program it restarts must not hold the program's output open.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#endif
    return process.startDetached();
}

}  // namespace tamevo
