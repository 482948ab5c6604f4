#include "cashbooks/ZipArchive.h"

#include "data/Errors.h"
#include "data/AtomicFile.h"
#include "data/PlatformFiles.h"
#include "data/ZipErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <zip.h>

namespace tamevo {

namespace {

// An archive without entries: the end-of-central-directory record alone.
const QByteArray kEmptyArchive = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
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

Error tooLargeError(const QString& archivePath, const QString& reason)
{
    return Error(QStringLiteral("Yedek dosyası geri yüklenemez: %1\n%2")
                     .arg(nativePath(archivePath), reason));
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
        throw writeError(path_, zipOpenErrorText(openError));
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

ZipExtraction::ZipExtraction(const ZipArchive& archive, const QString& folder, qint64 maxEntrySize)
    : archivePath_(archive.path())
{
    int openError = 0;
    zip_t* zip = zip_open(QFile::encodeName(archivePath_).constData(), ZIP_RDONLY | ZIP_CHECKCONS,
                          &openError);
    if (zip == nullptr) {
        throw readError(archivePath_, zipOpenErrorText(openError));
    }
    const auto closeArchive = qScopeGuard([zip] { zip_discard(zip); });

    const QDir dir(folder);
    const zip_int64_t count = zip_get_num_entries(zip, 0);

    // The declared sizes first: an archive that cannot fit is refused before anything is
    // written.
    struct Planned {
        zip_uint64_t index;
        QString name;
        zip_uint64_t size;
    };
    std::vector<Planned> planned;
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS, &stat) != 0 ||
            (stat.valid & ZIP_STAT_NAME) == 0) {
            throw readError(archivePath_, QString::fromLocal8Bit(zip_strerror(zip)));
        }
        const QString name = bareEntryName(QString::fromUtf8(stat.name));
        if (name.isEmpty()) {
            continue;
        }
        if ((stat.valid & ZIP_STAT_SIZE) == 0) {
            throw readError(archivePath_,
                            QStringLiteral("%1 dosyasının boyu okunamadı.").arg(name));
        }
        if (stat.size > zip_uint64_t(maxEntrySize)) {
            throw tooLargeError(archivePath_,
                                QStringLiteral("%1 dosyası %2 bayt; geri yüklenebilecek en "
                                               "büyük dosya %3 bayt.")
                                    .arg(name)
                                    .arg(stat.size)
                                    .arg(maxEntrySize));
        }
        total += stat.size;
        planned.push_back({zip_uint64_t(i), name, stat.size});
    }
    const QStorageInfo storage(dir.absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 &&
        total > zip_uint64_t(storage.bytesAvailable())) {
        throw tooLargeError(archivePath_,
                            QStringLiteral("Dosyalar %1 bayt tutuyor; diskte %2 bayt boş yer var.")
                                .arg(total)
                                .arg(storage.bytesAvailable()));
    }

    const QHash<QString, QString> existing = existingNames(dir);
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (const Planned& entry : planned) {
        const QString name = existing.value(entry.name.toCaseFolded(), entry.name);
        const QString target = dir.absoluteFilePath(name);

        auto temporary = std::make_unique<QTemporaryFile>(
            dir.absoluteFilePath(QStringLiteral(".%1.XXXXXX").arg(name)));
        if (!temporary->open()) {
            throw extractError(target, temporary->errorString());
        }
        zip_file_t* file = zip_fopen_index(zip, entry.index, 0);
        if (file == nullptr) {
            throw readError(archivePath_, QString::fromLocal8Bit(zip_strerror(zip)));
        }
        const auto closeFile = qScopeGuard([file] { zip_fclose(file); });
        zip_uint64_t written = 0;
        for (;;) {
            // A damaged entry fails here: its data do not inflate or its checksum differs.
            const zip_int64_t read = zip_fread(file, buffer.data(), zip_uint64_t(buffer.size()));
            if (read < 0) {
                throw readError(archivePath_, QString::fromLocal8Bit(zip_file_strerror(file)));
            }
            if (read == 0) {
                break;
            }
            written += zip_uint64_t(read);
            if (written > entry.size) {
                throw readError(archivePath_,
                                QStringLiteral("%1 dosyası bildirilen boyundan uzun.").arg(name));
            }
            if (temporary->write(buffer.constData(), read) != read) {
                throw extractError(target, temporary->errorString());
            }
        }
        if (!temporary->flush() || !platform::flushToDisk(temporary->handle())) {
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

void ZipExtraction::checkEach(
    const std::function<void(const QString& unpacked, const QString& target)>& check) const
{
    for (const Entry& entry : entries_) {
        check(entry.temporary->fileName(), entry.target);
    }
}

void ZipExtraction::replaceTargets(const QStringList& staleCompanionSuffixes)
{
    replaceTogether({this}, staleCompanionSuffixes);
}

namespace {

// A name beside `path` that no file has, for the file it replaces while the others follow.
QString keptName(const QString& path)
{
    const QFileInfo info(path);
    for (int n = 0;; ++n) {
        const QString name =
            info.absolutePath() + QStringLiteral("/.%1.onceki%2")
                                      .arg(info.fileName())
                                      .arg(n == 0 ? QString() : QString::number(n));
        if (!QFileInfo::exists(name) && !QFileInfo(name).isSymLink()) {
            return name;
        }
    }
}

// One file put in place, with what it replaced kept aside.
struct Replacement {
    QString target;
    QString kept;                               // the file replaced; empty when there was none
    bool keptByLink = false;                    // the target still had the old file then
    bool replaced = false;                      // the new file is in place
    QList<QPair<QString, QString>> companions;  // (name, kept name) of the files moved aside
};

// Puts every replaced file back, in reverse order; the names of the files it could not put
// back.
QStringList putBack(std::vector<Replacement>& done)
{
    QStringList failed;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        Replacement& r = *it;
        bool ok = true;
        if (r.replaced && r.kept.isEmpty()) {
            ok = QFile::remove(r.target);
        } else if (r.replaced || (!r.kept.isEmpty() && !r.keptByLink)) {
            ok = platform::replaceFile(r.kept, r.target);
        } else if (!r.kept.isEmpty()) {
            QFile::remove(r.kept);
        }
        if (!ok) {
            failed << QDir::toNativeSeparators(r.kept.isEmpty() ? r.target : r.kept);
        }
        for (const auto& [name, kept] : r.companions) {
            if (!platform::replaceFile(kept, name)) {
                failed << QDir::toNativeSeparators(kept);
            }
        }
    }
    return failed;
}

}  // namespace

void ZipExtraction::replaceTogether(const std::vector<ZipExtraction*>& extractions,
                                    const QStringList& staleCompanionSuffixes)
{
    std::vector<Replacement> done;
    const auto fail = [&](const QString& target, const QString& reason) {
        const QStringList notBack = putBack(done);
        QString text = reason;
        if (!notBack.isEmpty()) {
            text += QStringLiteral("\nEski dosyalar geri konamadı; kopyaları: %1")
                        .arg(notBack.join(QStringLiteral(", ")));
        }
        throw extractError(target, text);
    };
    for (ZipExtraction* extraction : extractions) {
        for (Entry& entry : extraction->entries_) {
            done.push_back({entry.target, {}, false, false, {}});
            Replacement& r = done.back();
            const QFileInfo old(entry.target);
            if (old.exists() && old.isFile()) {
                // The old file stays reachable under a second name until every file is in
                // place; a link keeps it under its own name meanwhile too.
                r.kept = keptName(entry.target);
                if (platform::linkFile(entry.target, r.kept)) {
                    r.keptByLink = true;
                } else if (!platform::replaceFile(entry.target, r.kept)) {
                    const QString reason = platform::lastErrorText();
                    done.pop_back();
                    fail(entry.target, reason);
                }
            }
            for (const QString& suffix : staleCompanionSuffixes) {
                const QString companion = entry.target + suffix;
                if (QFileInfo::exists(companion)) {
                    const QString kept = keptName(companion);
                    if (!platform::replaceFile(companion, kept)) {
                        fail(companion, platform::lastErrorText());
                    }
                    r.companions.append({companion, kept});
                }
            }
            if (!platform::replaceFile(entry.temporary->fileName(), entry.target)) {
                fail(entry.target, platform::lastErrorText());
            }
            r.replaced = true;
            entry.temporary->setAutoRemove(false);
        }
    }
    // Every file is in place: what they replaced goes.
    for (const Replacement& r : done) {
        if (!r.kept.isEmpty()) {
            QFile::remove(r.kept);
        }
        for (const auto& companion : r.companions) {
            QFile::remove(companion.second);
        }
    }
    for (ZipExtraction* extraction : extractions) {
        extraction->entries_.clear();
    }
}

}  // namespace tamevo
