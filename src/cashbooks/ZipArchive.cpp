#include "cashbooks/ZipArchive.h"

#include "data/Errors.h"
#include "data/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <zip.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace tamevo {

namespace {

// An archive without entries: the end-of-central-directory record alone.
const QByteArray kEmptyArchive = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

QString openErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromLocal8Bit(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

Error writeError(const QString& archivePath, const QString& reason)
{
    return Error(
        QStringLiteral("Yedek dosyası yazılamadı: %1\n%2").arg(nativePath(archivePath), reason));
}

Error readError(const QString& archivePath, const QString& reason)
{
    return Error(
        QStringLiteral("Yedek dosyası okunamadı: %1\n%2").arg(nativePath(archivePath), reason));
}

Error extractError(const QString& target, const QString& reason)
{
    return Error(QStringLiteral("Dosya geri yüklenemedi: %1\n%2").arg(nativePath(target), reason));
}

// The names of the files in `folder`, by their letter-case-free form.
QHash<QString, QString> existingNames(const QDir& folder)
{
    QHash<QString, QString> names;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        names.insert(name.toCaseFolded(), name);
    }
    return names;
}

}  // namespace

QString bareEntryName(const QString& storedName)
{
    QString name = storedName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    name = name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
    if (name == QLatin1String(".") || name == QLatin1String("..")) {
        return {};
    }
    return name;
}

QStringList ZipArchive::writeMatchingFiles(const QString& folder, const QString& wildcard) const
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({wildcard}, QDir::Files, QDir::Name);
    if (names.isEmpty()) {
        // A ZIP writer drops an archive without entries; the backup still gets its file.
        try {
            writeFileAtomically(path_, kEmptyArchive);
        } catch (const Error& error) {
            throw writeError(path_, error.text().section(QLatin1Char('\n'), 1));
        }
        return names;
    }

    int openError = 0;
    zip_t* zip =
        zip_open(QFile::encodeName(path_).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (zip == nullptr) {
        throw writeError(path_, openErrorText(openError));
    }
    const auto fail = [&]() {
        const QString reason = QString::fromLocal8Bit(zip_strerror(zip));
        zip_discard(zip);
        return writeError(path_, reason);
    };
    for (const QString& name : names) {
        zip_source_t* source =
            zip_source_file(zip, QFile::encodeName(dir.filePath(name)).constData(), 0, -1);
        if (source == nullptr) {
            throw fail();
        }
        const zip_int64_t index =
            zip_file_add(zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            throw fail();
        }
        if (zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 9) != 0) {
            throw fail();
        }
    }
    // The files are read and compressed here, into a temporary file that replaces the
    // archive only when it is complete.
    if (zip_close(zip) != 0) {
        throw fail();
    }
    return names;
}

void ZipArchive::extractAll(const QString& folder) const
{
    ZipExtraction extraction(*this, folder);
    extraction.replaceTargets();
}

ZipExtraction::ZipExtraction(const ZipArchive& archive, const QString& folder)
    : archivePath_(archive.path())
{
    int openError = 0;
    zip_t* zip = zip_open(QFile::encodeName(archivePath_).constData(), ZIP_RDONLY | ZIP_CHECKCONS,
                          &openError);
    if (zip == nullptr) {
        throw readError(archivePath_, openErrorText(openError));
    }
    const auto closeArchive = qScopeGuard([zip] { zip_discard(zip); });

    const QDir dir(folder);
    const QHash<QString, QString> existing = existingNames(dir);
    const zip_int64_t count = zip_get_num_entries(zip, 0);
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* stored = zip_get_name(zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        if (stored == nullptr) {
            throw readError(archivePath_, QString::fromLocal8Bit(zip_strerror(zip)));
        }
        QString name = bareEntryName(QString::fromUtf8(stored));
        if (name.isEmpty()) {
            continue;
        }
        name = existing.value(name.toCaseFolded(), name);
        const QString target = dir.absoluteFilePath(name);

        auto temporary = std::make_unique<QTemporaryFile>(
            dir.absoluteFilePath(QStringLiteral(".%1.XXXXXX").arg(name)));
        if (!temporary->open()) {
            throw extractError(target, temporary->errorString());
        }
        zip_file_t* file = zip_fopen_index(zip, zip_uint64_t(i), 0);
        if (file == nullptr) {
            throw readError(archivePath_, QString::fromLocal8Bit(zip_strerror(zip)));
        }
        const auto closeFile = qScopeGuard([file] { zip_fclose(file); });
        for (;;) {
            // A damaged entry fails here: its data do not inflate or its checksum differs.
            const zip_int64_t read = zip_fread(file, buffer.data(), zip_uint64_t(buffer.size()));
            if (read < 0) {
                throw readError(archivePath_, QString::fromLocal8Bit(zip_file_strerror(file)));
            }
            if (read == 0) {
                break;
            }
            if (temporary->write(buffer.constData(), read) != read) {
                throw extractError(target, temporary->errorString());
            }
        }
        if (!temporary->flush() || ::fsync(temporary->handle()) != 0) {
            throw extractError(target, temporary->errorString());
        }
        const QFileInfo old(target);
        temporary->setPermissions(old.exists()
                                      ? old.permissions()
                                      : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                            QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        temporary->close();
        entries_.push_back({std::move(temporary), target});
    }
}

ZipExtraction::~ZipExtraction() = default;

QStringList ZipExtraction::targets() const
{
    QStringList paths;
    for (const Entry& entry : entries_) {
        paths << entry.target;
    }
    return paths;
}

void ZipExtraction::replaceTargets()
{
    for (Entry& entry : entries_) {
        if (std::rename(QFile::encodeName(entry.temporary->fileName()).constData(),
                        QFile::encodeName(entry.target).constData()) != 0) {
            throw extractError(entry.target, QString::fromLocal8Bit(std::strerror(errno)));
        }
        entry.temporary->setAutoRemove(false);
    }
    entries_.clear();
}

}  // namespace tamevo
