#include "data/ProgramFolder.h"

#include "data/Errors.h"

#include <QDir>

namespace tamevo {

namespace {
QString& programFolder()
{
    static QString folder;
    return folder;
}
}  // namespace

QString GetPathPath()
{
    return programFolder();
}

void setProgramFolder(const QString& folder)
{
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(QLatin1Char('/'))) {
        path += QLatin1Char('/');
    }
    programFolder() = path;
}

void enterProgramFolder()
{
    if (!QDir::setCurrent(programFolder())) {
        throw Error(QStringLiteral("Program klasörüne geçilemedi: %1")
                        .arg(QDir::toNativeSeparators(programFolder())));
    }
}

CurrentDirectoryKeeper::CurrentDirectoryKeeper() : path_(QDir::currentPath()) {}

CurrentDirectoryKeeper::~CurrentDirectoryKeeper()
{
    QDir::setCurrent(path_);
}

}  // namespace tamevo
