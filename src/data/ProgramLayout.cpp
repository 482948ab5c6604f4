#include "data/ProgramLayout.h"

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

}  // namespace

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
