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
        if (!isSettingsFile(source.fileName()) &&
            !source.fileName().endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive)) {
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
    makeFolder(root, QStringLiteral("."));
    for (const char* sub : {"AnaData", "Data", "Yedek"}) {
        makeFolder(root, QString::fromLatin1(sub));
    }
    createIfMissing(root.filePath(QStringLiteral("Kasa.mdb")), SchemaKind::Kasa);
    createIfMissing(root.filePath(QStringLiteral("AnaData/Kasa.mdb")), SchemaKind::Kasa);
    createIfMissing(root.filePath(QStringLiteral("AnaData/Genel.mdb")), SchemaKind::Genel);

    if (deliveredFiles.isEmpty()) {
        return;
    }
    QDirIterator it(deliveredFiles, QDir::Files);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        const QString target = root.filePath(source.fileName());
        if (QFileInfo::exists(target)) {
            continue;
        }
        const QString temporary = target + QStringLiteral(".yeni");
        QFile::remove(temporary);
        if (!QFile::copy(source.filePath(), temporary) || !QFile::rename(temporary, target)) {
            QFile::remove(temporary);
            throw Error(
                QStringLiteral("Dosya kopyalanamadı: %1").arg(QDir::toNativeSeparators(target)));
        }
    }
}

}  // namespace tamevo
