#include "update/ZubUpdater.h"

#include "data/Errors.h"
#include "data/AtomicFile.h"
#include "update/HiddenProcess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamevo {

namespace {

using Code = TZubSimpleUpdaterError;

// Copies a file over its target; false when the source is missing or the copy failed.
bool copyOver(const QString& from, const QString& to)
{
    if (QFile::exists(to) && !QFile::remove(to)) {
        return false;
    }
    return QFile::copy(from, to);
}

}  // namespace

TZubUpdater::TZubUpdater(QObject* parent) : QObject(parent), startHidden(startHiddenScript) {}

void TZubUpdater::setOtherFiles(const QStringList& files)
{
    otherFiles_.clear();
    for (const QString& f : files) {
        if (!otherFiles_.contains(f, Qt::CaseInsensitive)) {
            otherFiles_ << f;
        }
    }
}

void TZubUpdater::ReportError(TZubSimpleUpdaterError code, const QString& parameter)
{
    const QString message = updaterErrorMessage(code, Language);
    if (OnError) {
        OnError(*this, code, parameter, message);
    }
}

bool TZubUpdater::RunUpdate()
{
    if (done_) {
        ReportError(Code::suecAlreadyUpdated);
        return false;
    }
    if (UpdateSrc.trimmed().isEmpty()) {
        ReportError(Code::suecEmptySourceDir);
        return false;
    }

    const ScriptKind kind = nativeScriptKind();
    const QString sep = kind == ScriptKind::Batch ? QStringLiteral("\\") : QStringLiteral("/");
    const QString program =
        programFile.isEmpty() ? QCoreApplication::applicationFilePath() : programFile;
    const UpdateNames n = updateNames(QDir::toNativeSeparators(program), UpdateSrc, kind);
    UpdateSrc = n.sourceFolder;
    if (!SaveDir.trimmed().isEmpty()) {
        if (!SaveDir.endsWith(sep)) {
            SaveDir += sep;
        }
    } else {
        SaveDir = n.programFolder + QStringLiteral("PRGBACKUP") + sep;
    }

    // A name of the run as a path on disk; relative names are taken from the program folder.
    const QDir programFolder = QFileInfo(program).absoluteDir();
    const auto onDisk = [&](const QString& name) {
        return QDir::cleanPath(programFolder.absoluteFilePath(QDir::fromNativeSeparators(name)));
    };
    const QString staged = n.programFolder + QLatin1Char('_') + n.programName;
    const QString saved = n.programFolder + QLatin1Char('B') + n.programName;
    // Removes what the run has put beside the program, when it ends without the script.
    const auto abandon = [&] {
        QFile::remove(onDisk(staged));
        QFile::remove(onDisk(saved));
        for (const QString& f : otherFiles_) {
            QFile::remove(onDisk(n.programFolder + QLatin1Char('_') + f));
        }
        return false;
    };
    // A soft error: reported; true when the run is to stop at it.
    const auto stopsAt = [this](Code code, const QString& parameter) {
        ReportError(code, parameter);
        return StopOnFirstError;
    };

    if (!QFileInfo(onDisk(n.sourceFolder)).isDir() &&
        stopsAt(Code::suecNoEXESourceDir, n.sourceFolder)) {
        return false;
    }
    if (!QFileInfo::exists(onDisk(n.sourceFolder + n.programName)) &&
        stopsAt(Code::suecNoEXESource, n.sourceFolder + n.programName)) {
        return false;
    }
    if (SaveOriginalFiles && !QDir().mkpath(onDisk(SaveDir)) &&
        stopsAt(Code::suecCannotCreateSaveDir, SaveDir)) {
        return false;
    }
    saveFolder_ =
        SaveDir + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")) + sep;
    if (SaveOriginalFiles && !QDir().mkpath(onDisk(saveFolder_)) &&
        stopsAt(Code::suecCannotCreateSaveDir, saveFolder_)) {
        return false;
    }

    const bool savedCopy = copyOver(onDisk(n.programPath), onDisk(saved));
    if (!savedCopy && stopsAt(Code::suecFileCopyError, n.programName)) {
        return abandon();
    }
    if (SaveOriginalFiles && QFileInfo(onDisk(saveFolder_)).isDir()) {
        if (!copyOver(onDisk(n.programPath), onDisk(saveFolder_ + n.programName)) &&
            stopsAt(Code::suecFileCopyError, n.programName)) {
            return abandon();
        }
        for (const QString& f : otherFiles_) {
            if (QFileInfo::exists(onDisk(n.programFolder + f)) &&
                !copyOver(onDisk(n.programFolder + f), onDisk(saveFolder_ + f)) &&
                stopsAt(Code::suecFileCopyError, f)) {
                return abandon();
            }
        }
    }
    const bool stagedCopy = copyOver(onDisk(n.sourceFolder + n.programName), onDisk(staged));
    if (!stagedCopy && stopsAt(Code::suecFileCopyError, QLatin1Char('_') + n.programName)) {
        return abandon();
    }
    QStringList stagedOtherFiles;
    for (const QString& f : otherFiles_) {
        if (!QFileInfo::exists(onDisk(n.sourceFolder + f))) {
            continue;
        }
        if (!copyOver(onDisk(n.sourceFolder + f), onDisk(n.programFolder + QLatin1Char('_') + f)) &&
            stopsAt(Code::suecFileCopyError, QLatin1Char('_') + f)) {
            return abandon();
        }
    }
    // The script swaps the files only with the new program staged and the current one saved
    // to fall back on; otherwise the program stays as it is and is not closed.
    if (!savedCopy || !stagedCopy) {
        return abandon();
    }
    for (const QString& f : otherFiles_) {
        if (QFileInfo::exists(onDisk(n.programFolder + QLatin1Char('_') + f))) {
            stagedOtherFiles << f;
        }
    }

    const QStringList lines =
        kind == ScriptKind::Batch
            ? batchFileLines(n, stagedOtherFiles, AutoRestartApp)
            : shellScriptLines(
                  n, stagedOtherFiles, AutoRestartApp,
                  programProcessId != 0 ? programProcessId : QCoreApplication::applicationPid());
    const QString script = onDisk(n.scriptPath);
    try {
        writeFileAtomically(script, scriptFileContent(kind, lines));
    } catch (const Error&) {
        ReportError(Code::suecFileCopyError, QFileInfo(script).fileName());
        return abandon();
    }
    if (!startHidden || !startHidden(script, QDir::currentPath())) {
        QFile::remove(script);
        return abandon();
    }

    done_ = true;
    if (AutoRestartApp) {
        emit closeRequested();
    } else {
        ReportError(Code::suecNeedRestartApp);
    }
    return true;
}

}  // namespace tamevo
