#include "data/AtomicFile.h"

#include "data/Errors.h"

#include "data/PlatformFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tamevo {

namespace {

// The file a path names: a symbolic link is written through, so the link stays.
QString resolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink()) {
        return info.symLinkTarget();
    }
    return info.absoluteFilePath();
}

}  // namespace

AtomicFile::AtomicFile(const QString& path) : path_(resolvedTarget(path))
{
    fd_ = platform::createFileBeside(path_, &temporary_);
    if (fd_ < 0) {
        fail(platform::lastErrorText());
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        platform::closeFile(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        QFile::remove(temporary_);
        temporary_.clear();
    }
}

void AtomicFile::fail(const QString& reason)
{
    discard();
    throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path_), reason));
}

void AtomicFile::write(const char* data, qint64 size)
{
    if (fd_ < 0) {
        fail(QStringLiteral("Dosya yazmaya açık değil."));
    }
    if (!platform::writeAll(fd_, data, size)) {
        fail(platform::lastErrorText());
    }
}

void AtomicFile::commit()
{
    if (fd_ < 0) {
        fail(QStringLiteral("Dosya yazmaya açık değil."));
    }
    if (!platform::flushToDisk(fd_)) {
        fail(platform::lastErrorText());
    }
    const int fd = fd_;
    fd_ = -1;
    if (!platform::closeFile(fd)) {
        fail(platform::lastErrorText());
    }
    if (!platform::replaceFile(temporary_, path_)) {
        fail(platform::lastErrorText());
    }
    temporary_.clear();
    // The new name reaches the disk with the folder's entry.
    platform::flushFolder(QFileInfo(path_).absolutePath());
}

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    AtomicFile file(path);
    file.write(content);
    file.commit();
}

}  // namespace tamevo
