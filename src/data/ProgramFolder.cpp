#include "data/ProgramFolder.h"

#include "data/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace tamevo {

namespace {

ProgramFolders& folders()
{
    static ProgramFolders current;
    return current;
}

QString withSeparator(const QString& folder)
{
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    return path;
}

}  // namespace

ProgramFolders locateProgramFolders(const QString& executableFolder, const QString& tamevoHome,
                                    const QString& home)
{
    const QDir executable(executableFolder);
    const QFileInfo shared(executable.filePath(QStringLiteral("../share/tamevo")));
    if (executable.dirName() != QLatin1String("bin") || !shared.isDir()) {
        return {withSeparator(executableFolder), withSeparator(executableFolder), false};
    }
    const QString data =
        tamevoHome.isEmpty() ? QDir(home).filePath(QStringLiteral("Tamevo")) : tamevoHome;
    return {withSeparator(shared.absoluteFilePath()), withSeparator(data), true};
}

void setProgramFolders(const ProgramFolders& chosen)
{
    folders() = {withSeparator(chosen.programFiles), withSeparator(chosen.data), chosen.installed};
}

void setProgramFolder(const QString& folder)
{
    setProgramFolders({folder, folder, false});
}

QString GetPathPath()
{
    return folders().data;
}

QString programFilesFolder()
{
    return folders().programFiles;
}

bool programIsInstalled()
{
    return folders().installed;
}

void enterProgramFolder()
{
    if (!QDir::setCurrent(folders().data)) {
        throw Error(QStringLiteral("Program klasörüne geçilemedi: %1")
                        .arg(QDir::toNativeSeparators(folders().data)));
    }
}

CurrentDirectoryKeeper::CurrentDirectoryKeeper() : path_(QDir::currentPath()) {}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper()
{
    QDir::setCurrent(path_);
}

}  // namespace tamevo
