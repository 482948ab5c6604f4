#include "data/ProgramLayout.h"

#include "data/AtomicFile.h"
#include "data/Errors.h"
#include "data/Schema.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace tamevo {

namespace {

void makeFolder(const QDir& root, const QString& name)
{
    if (!root.mkpath(name)) {
        throw Error(QStringLiteral("Klasör oluşturulamadı: %1")
                        .arg(QDir::toNativeSeparators(root.filePath(name))));
    }
}

// The folder itself and its folders AnaData, Data and Yedek.
void makeFolders(const QDir& root)
{
    makeFolder(root, QStringLiteral("."));
    for (const char* sub : {"AnaData", "Data", "Yedek"}) {
        makeFolder(root, QString::fromLatin1(sub));
    }
}

void createIfMissing(const QString& path, SchemaKind kind)
{
    if (!QFileInfo::exists(path)) {
        createDatabase(path, kind);
    }
}

QByteArray readWhole(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return file.readAll();
}

// Copies `source` to `target` when no file is there, under a temporary name renamed into
// place, so a failed copy never leaves a half file that later counts as existing.
void copyIfMissing(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target)) {
        return;
    }
    const QString temporary = target + QStringLiteral(".yeni");
    QFile::remove(temporary);
    // A copy of a read-only delivered file (an installed program's) is the user's to write.
    if (!QFile::copy(source, temporary) ||
        !QFile::setPermissions(
            temporary, QFile::permissions(temporary) | QFile::WriteOwner | QFile::WriteUser) ||
        !QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        throw Error(
            QStringLiteral("Dosya kopyalanamadı: %1").arg(QDir::toNativeSeparators(target)));
    }
}

// Replaces `target` with the content of `source` when they differ.
void bringUpToDate(const QString& source, const QString& target, bool executable)
{
    const QByteArray content = readWhole(source);
    if (QFileInfo(target).isFile() && readWhole(target) == content) {
        return;
    }
    writeFileAtomically(target, content);
    if (executable) {
        QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner |
                                          QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther);
    }
}

// The files that are the user's once they exist: the databases and the settings files.
bool isUsersFile(const QString& fileName)
{
    return isSettingsFile(fileName) ||
           fileName.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive);
}

}  // namespace

bool isSettingsFile(const QString& fileName)
{
    for (const char* name : {"FirmaAyar.ini", "Yedekler.dan", "KaynakSekli.ods"}) {
        if (fileName.compare(QLatin1String(name), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

void updateProgramFolder(const QString& folder, const QString& deliveredFiles,
                         const QString& program, const QStringList& builtFiles)
{
    layOutProgramFolder(folder, deliveredFiles);
    const QDir root(folder);
    QDirIterator it(deliveredFiles, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        if (!isUsersFile(source.fileName())) {
            bringUpToDate(source.filePath(), root.filePath(source.fileName()), false);
        }
    }
    bringUpToDate(program, root.filePath(QFileInfo(program).fileName()), true);
    for (const QString& built : builtFiles) {
        bringUpToDate(built, root.filePath(QFileInfo(built).fileName()), false);
    }
}

void layOutProgramFolder(const QString& folder, const QString& deliveredFiles)
{
    const QDir root(folder);
    makeFolders(root);
    createIfMissing(root.filePath(QStringLiteral("Kasa.mdb")), SchemaKind::Kasa);
    createIfMissing(root.filePath(QStringLiteral("AnaData/Kasa.mdb")), SchemaKind::Kasa);
    createIfMissing(root.filePath(QStringLiteral("AnaData/Genel.mdb")), SchemaKind::Genel);

    if (deliveredFiles.isEmpty()) {
        return;
    }
    QDirIterator it(deliveredFiles, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        copyIfMissing(source.filePath(), root.filePath(source.fileName()));
    }
}

void layOutDataFolder(const QString& dataFolder, const QString& programFiles)
{
    const QDir root(dataFolder);
    makeFolders(root);
    const QDir from(programFiles);
    QDirIterator it(programFiles, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        if (isUsersFile(source.fileName())) {
            const QString relative = from.relativeFilePath(source.filePath());
            makeFolder(root, QFileInfo(relative).path());
            copyIfMissing(source.filePath(), root.filePath(relative));
        }
    }
}

}  // namespace tamevo
