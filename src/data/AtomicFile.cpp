#include "data/AtomicFile.h"

#include "data/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tamevo {

namespace {

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

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
    const QFileInfo target(path_);
    QByteArray pattern = QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                                           target.fileName() + QStringLiteral(".XXXXXX"));
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        fail(systemError(errno));
    }
    temporary_ = QFile::decodeName(pattern);
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(path_).constData(), &old) == 0
                            ? (old.st_mode & 07777)
                            : mode_t(0644);
    if (::fchmod(fd_, mode) != 0) {
        fail(systemError(errno));
    }
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(QFile::encodeName(temporary_).constData());
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
    while (size > 0) {
        const ssize_t written = ::write(fd_, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            fail(systemError(errno));
        }
        if (written == 0) {
            fail(systemError(ENOSPC));
        }
        data += written;
        size -= written;
    }
}

void AtomicFile::commit()
{
    if (fd_ < 0) {
        fail(QStringLiteral("Dosya yazmaya açık değil."));
    }
    if (::fsync(fd_) != 0) {
        fail(systemError(errno));
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        fail(systemError(errno));
    }
    if (std::rename(QFile::encodeName(temporary_).constData(),
                    QFile::encodeName(path_).constData()) != 0) {
        fail(systemError(errno));
    }
    temporary_.clear();
    // The new name reaches the disk with the folder's entry.
    const int folder =
        ::open(QFile::encodeName(QFileInfo(path_).absolutePath()).constData(), O_RDONLY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    AtomicFile file(path);
    file.write(content);
    file.commit();
}

}  // namespace tamevo
