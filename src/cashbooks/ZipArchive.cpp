#include "cashbooks/ZipArchive.h"

#include "data/Errors.h"
#include "data/SystemLibrary.h"
#include "data/AtomicFile.h"
#include "data/PlatformFiles.h"
#include "data/ZipErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSet>
#include <QStorageInfo>

#include <zip.h>

// The library is loaded on the first call (SystemLibrary).
#define ZIP(f) TAMEVO_CALL(zipLibrary, f)

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

QStringList ZipArchive::matchingFiles(const QString& folder, const QString& wildcard)
{
    return QDir(folder).entryList({wildcard}, QDir::Files, QDir::Name);
}

QStringList ZipArchive::writeMatchingFiles(const QString& folder, const QString& wildcard) const
{
    const QDir dir(folder);
    const QStringList names = matchingFiles(folder, wildcard);
    QList<QPair<QString, QString>> files;
    for (const QString& name : names) {
        files.append({name, dir.filePath(name)});
    }
    writeFiles(files);
    return names;
}

void ZipArchive::writeFiles(const QList<QPair<QString, QString>>& files, Progress* progress) const
{
    if (files.isEmpty()) {
        // A ZIP writer drops an archive without entries; the backup still gets its file.
        try {
            writeFileAtomically(path_, kEmptyArchive);
        } catch (const Error& error) {
            throw writeError(path_, error.text().section(QLatin1Char('\n'), 1));
        }
        return;
    }

    int openError = 0;
    zip_t* zip =
        ZIP(zip_open)(QFile::encodeName(path_).constData(), ZIP_CREATE | ZIP_TRUNCATE, &openError);
    if (zip == nullptr) {
        throw writeError(path_, zipOpenErrorText(openError));
    }
    const auto fail = [&]() {
        const QString reason = QString::fromLocal8Bit(ZIP(zip_strerror)(zip));
        ZIP(zip_discard)(zip);
        return writeError(path_, reason);
    };
    for (const auto& [name, file] : files) {
        zip_source_t* source =
            ZIP(zip_source_file)(zip, QFile::encodeName(file).constData(), 0, -1);
        if (source == nullptr) {
            throw fail();
        }
        const zip_int64_t index =
            ZIP(zip_file_add)(zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            ZIP(zip_source_free)(source);
            throw fail();
        }
        if (ZIP(zip_set_file_compression)(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 9) != 0) {
            throw fail();
        }
    }
    // What the archive library's callbacks report to, while it writes: they run inside the
    // library, so they report and answer, never throw.
    struct Reporting {
        Progress* progress;
        QString step;
    } reporting{progress, QStringLiteral("%1 yazılıyor").arg(QFileInfo(path_).fileName())};
    if (progress != nullptr) {
        const auto reportShare = [](zip_t*, double share, void* state) {
            const auto* r = static_cast<const Reporting*>(state);
            r->progress->report(qRound64(share * 100), 100, r->step);
        };
        const auto cancelled = [](zip_t*, void* state) {
            return static_cast<const Reporting*>(state)->progress->wasCancelled() ? 1 : 0;
        };
        ZIP(zip_register_progress_callback_with_state)(zip, 0.01, reportShare, nullptr, &reporting);
        ZIP(zip_register_cancel_callback_with_state)(zip, cancelled, nullptr, &reporting);
    }
    // The files are read and compressed here, into a temporary file that replaces the
    // archive only when it is complete.
    if (ZIP(zip_close)(zip) != 0) {
        if (progress != nullptr && progress->wasCancelled()) {
            ZIP(zip_discard)(zip);
            throw Progress::OperationCancelled();
        }
        throw fail();
    }
}

void ZipArchive::extractAll(const QString& folder) const
{
    ZipExtraction extraction(*this, folder);
    extraction.unpack();
    ZipExtraction::replaceTogether({&extraction});
}

namespace {

bool fileExists(const QString& path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

// The archive opened for reading, its consistency checked. Throws Error.
zip_t* openForReading(const QString& archivePath)
{
    int openError = 0;
    zip_t* zip = ZIP(zip_open)(QFile::encodeName(archivePath).constData(),
                               ZIP_RDONLY | ZIP_CHECKCONS, &openError);
    if (zip == nullptr) {
        throw readError(archivePath, zipOpenErrorText(openError));
    }
    return zip;
}

// A name beside `path` that no file has: ".<name>.<suffix>", then with a number.
QString freeNameBeside(const QString& path, const QString& suffix)
{
    const QFileInfo info(path);
    for (int n = 0;; ++n) {
        const QString name =
            info.absolutePath() + QStringLiteral("/.%1.%2%3")
                                      .arg(info.fileName(), suffix)
                                      .arg(n == 0 ? QString() : QString::number(n));
        if (!fileExists(name)) {
            return name;
        }
    }
}

}  // namespace

ZipExtraction::ZipExtraction(const ZipArchive& archive, const QString& folder, qint64 maxEntrySize)
    : archivePath_(archive.path())
{
    zip_t* zip = openForReading(archivePath_);
    const auto closeArchive = qScopeGuard([zip] { ZIP(zip_discard)(zip); });

    // The declared sizes first: an archive that cannot fit is refused before anything is
    // written.
    const QDir dir(folder);
    const QHash<QString, QString> existing = existingNames(dir);
    const zip_int64_t count = ZIP(zip_get_num_entries)(zip, 0);
    zip_uint64_t total = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        ZIP(zip_stat_init)(&stat);
        if (ZIP(zip_stat_index)(zip, zip_uint64_t(i), ZIP_FL_ENC_GUESS, &stat) != 0 ||
            (stat.valid & ZIP_STAT_NAME) == 0) {
            throw readError(archivePath_, QString::fromLocal8Bit(ZIP(zip_strerror)(zip)));
        }
        const QString bareName = bareEntryName(QString::fromUtf8(stat.name));
        if (bareName.isEmpty()) {
            continue;
        }
        if ((stat.valid & ZIP_STAT_SIZE) == 0) {
            throw readError(archivePath_,
                            QStringLiteral("%1 dosyasının boyu okunamadı.").arg(bareName));
        }
        if (stat.size > zip_uint64_t(maxEntrySize)) {
            throw tooLargeError(archivePath_,
                                QStringLiteral("%1 dosyası %2 bayt; geri yüklenebilecek en "
                                               "büyük dosya %3 bayt.")
                                    .arg(bareName)
                                    .arg(stat.size)
                                    .arg(maxEntrySize));
        }
        total += stat.size;
        const QString target =
            dir.absoluteFilePath(existing.value(bareName.toCaseFolded(), bareName));
        entries_.push_back({quint64(i), stat.size, target, {}, false});
    }
    const QStorageInfo storage(dir.absolutePath());
    if (storage.isValid() && storage.bytesAvailable() >= 0 &&
        total > zip_uint64_t(storage.bytesAvailable())) {
        throw tooLargeError(archivePath_,
                            QStringLiteral("Dosyalar %1 bayt tutuyor; diskte %2 bayt boş yer var.")
                                .arg(total)
                                .arg(storage.bytesAvailable()));
    }
    for (Entry& entry : entries_) {
        entry.unpacked = freeNameBeside(entry.target, QStringLiteral("yeni"));
    }
}

ZipExtraction::~ZipExtraction()
{
    for (const Entry& entry : entries_) {
        if (entry.written) {
            QFile::remove(entry.unpacked);
        }
    }
}

QStringList ZipExtraction::targets() const
{
    QStringList paths;
    for (const Entry& entry : entries_) {
        paths << entry.target;
    }
    return paths;
}

QStringList ZipExtraction::unpackedFiles() const
{
    QStringList paths;
    for (const Entry& entry : entries_) {
        paths << entry.unpacked;
    }
    return paths;
}

void ZipExtraction::unpack(ReplacementLog* log, Progress* progress)
{
    zip_t* zip = openForReading(archivePath_);
    const auto closeArchive = qScopeGuard([zip] { ZIP(zip_discard)(zip); });
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    qint64 done = 0;
    for (Entry& entry : entries_) {
        const QString name = QFileInfo(entry.target).fileName();
        if (progress != nullptr) {
            progress->report(done++, qint64(entries_.size()),
                             QStringLiteral("%1 açılıyor").arg(name));
        }
        QFile unpacked(entry.unpacked);
        if (!unpacked.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            throw extractError(entry.target, unpacked.errorString());
        }
        entry.written = true;
        zip_file_t* file = ZIP(zip_fopen_index)(zip, entry.index, 0);
        if (file == nullptr) {
            throw readError(archivePath_, QString::fromLocal8Bit(ZIP(zip_strerror)(zip)));
        }
        const auto closeFile = qScopeGuard([file] { ZIP(zip_fclose)(file); });
        zip_uint64_t written = 0;
        for (;;) {
            // A damaged entry fails here: its data do not inflate or its checksum differs.
            const zip_int64_t read =
                ZIP(zip_fread)(file, buffer.data(), zip_uint64_t(buffer.size()));
            if (read < 0) {
                throw readError(archivePath_, QString::fromLocal8Bit(ZIP(zip_file_strerror)(file)));
            }
            if (read == 0) {
                break;
            }
            written += zip_uint64_t(read);
            if (written > entry.size) {
                throw readError(archivePath_,
                                QStringLiteral("%1 dosyası bildirilen boyundan uzun.").arg(name));
            }
            if (unpacked.write(buffer.constData(), read) != read) {
                throw extractError(entry.target, unpacked.errorString());
            }
        }
        if (!unpacked.flush() || !platform::flushToDisk(unpacked.handle())) {
            throw extractError(entry.target, unpacked.errorString());
        }
        const QFileInfo old(entry.target);
        unpacked.setPermissions(old.exists()
                                    ? old.permissions()
                                    : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                          QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        unpacked.close();
        if (log != nullptr) {
            log->stepDone();
        }
    }
}

void ZipExtraction::checkEach(
    const std::function<void(const QString& unpacked, const QString& target)>& check) const
{
    for (const Entry& entry : entries_) {
        check(entry.unpacked, entry.target);
    }
}

void ZipExtraction::replaceTogether(const std::vector<ZipExtraction*>& extractions,
                                    const QStringList& staleCompanionSuffixes, ReplacementLog* log)
{
    // Every name is chosen before the first file moves, so a journal can hold them all.
    std::vector<ReplacedFile> files;
    std::vector<Entry*> entries;
    for (ZipExtraction* extraction : extractions) {
        for (Entry& entry : extraction->entries_) {
            ReplacedFile file{entry.target, entry.unpacked, {}, {}};
            if (QFileInfo(entry.target).isFile()) {
                file.kept = freeNameBeside(entry.target, QStringLiteral("onceki"));
            }
            for (const QString& suffix : staleCompanionSuffixes) {
                const QString companion = entry.target + suffix;
                if (fileExists(companion)) {
                    file.companions.append(
                        {companion, freeNameBeside(companion, QStringLiteral("onceki"))});
                }
            }
            files.push_back(file);
            entries.push_back(&entry);
        }
    }
    if (log != nullptr) {
        log->replacing(files);
        // From here the unpacked files are the journal's: however this replacement ends, the
        // next start may need them to finish it.
        for (Entry* entry : entries) {
            entry->written = false;
        }
    }
    const auto fail = [&](const QString& target, const QString& reason) {
        if (log != nullptr) {
            try {
                log->puttingBack();
            } catch (const Error&) {
                // The journal still says "replacing"; what is put back here needs no journal.
            }
        }
        const QStringList notBack = putBackReplaced(files);
        QString text = reason;
        if (notBack.isEmpty()) {
            if (log != nullptr) {
                log->finished();
            }
        } else {
            text += QStringLiteral("\nEski dosyalar geri konamadı; kopyaları: %1")
                        .arg(notBack.join(QStringLiteral(", ")));
        }
        throw extractError(target, text);
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ReplacedFile& file = files[i];
        if (!file.kept.isEmpty()) {
            // The old file stays reachable under a second name until every file is in
            // place; a link keeps it under its own name meanwhile too.
            if (!platform::linkFile(file.target, file.kept) &&
                !platform::replaceFile(file.target, file.kept)) {
                fail(file.target, platform::lastErrorText());
            }
        }
        for (const auto& [companion, kept] : file.companions) {
            if (!platform::replaceFile(companion, kept)) {
                fail(companion, platform::lastErrorText());
            }
        }
        if (!platform::replaceFile(file.unpacked, file.target)) {
            fail(file.target, platform::lastErrorText());
        }
        entries[i]->written = false;
        if (log != nullptr) {
            log->stepDone();
        }
    }
    // Every file is in place, and its name on the disk: what they replaced goes.
    syncTargetFolders(files);
    if (log != nullptr) {
        log->cleaningUp();
    }
    removeReplaced(files, log);
    for (ZipExtraction* extraction : extractions) {
        extraction->entries_.clear();
    }
    if (log != nullptr) {
        log->finished();
    }
}

QStringList putBackReplaced(const std::vector<ReplacedFile>& files)
{
    QStringList failed;
    const auto move = [&failed](const QString& from, const QString& to) {
        if (fileExists(from) && !platform::replaceFile(from, to)) {
            failed << QDir::toNativeSeparators(from);
        }
    };
    for (auto it = files.rbegin(); it != files.rend(); ++it) {
        const ReplacedFile& file = *it;
        if (fileExists(file.unpacked)) {
            // Not replaced: the old file may have a second name (a link) or be under it
            // alone.
            if (!file.kept.isEmpty() && fileExists(file.kept)) {
                if (fileExists(file.target)) {
                    QFile::remove(file.kept);
                } else {
                    move(file.kept, file.target);
                }
            }
            QFile::remove(file.unpacked);
        } else if (file.kept.isEmpty()) {
            // A file the restore made where there was none.
            if (fileExists(file.target) && !QFile::remove(file.target)) {
                failed << QDir::toNativeSeparators(file.target);
            }
        } else {
            move(file.kept, file.target);
        }
        for (const auto& [companion, kept] : file.companions) {
            move(kept, companion);
        }
    }
    return failed;
}

void completeReplacement(const std::vector<ReplacedFile>& files)
{
    for (const ReplacedFile& file : files) {
        if (!fileExists(file.unpacked)) {
            continue;  // in place already
        }
        // The files beside the old target belong to it; they go before the new file comes.
        for (const auto& [companion, kept] : file.companions) {
            if (!fileExists(companion)) {
                continue;
            }
            if (fileExists(kept) ? !QFile::remove(companion)
                                 : !platform::replaceFile(companion, kept)) {
                throw extractError(companion, platform::lastErrorText());
            }
        }
        if (!platform::replaceFile(file.unpacked, file.target)) {
            throw extractError(file.target, platform::lastErrorText());
        }
    }
}

void syncTargetFolders(const std::vector<ReplacedFile>& files)
{
    QSet<QString> folders;
    for (const ReplacedFile& file : files) {
        folders.insert(QFileInfo(file.target).absolutePath());
    }
    for (const QString& folder : folders) {
        platform::flushFolder(folder);
    }
}

void removeReplaced(const std::vector<ReplacedFile>& files, ReplacementLog* log)
{
    for (const ReplacedFile& file : files) {
        if (!file.kept.isEmpty()) {
            QFile::remove(file.kept);
        }
        for (const auto& companion : file.companions) {
            QFile::remove(companion.second);
        }
        if (log != nullptr) {
            log->stepDone();
        }
    }
}

}  // namespace tamevo
