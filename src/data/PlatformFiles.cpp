#include "data/PlatformFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <QRandomGenerator>

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#define NOMINMAX
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tamevo::platform {

namespace {

thread_local QString lastError;

bool failWith(const QString& reason)
{
    lastError = reason;
    return false;
}

// The C library's text for an errno value (both platforms' C runtime calls set errno).
QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

#ifdef Q_OS_WIN
// The system's text for the last error of a Windows call.
QString windowsErrorText()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString reason = length > 0 ? QString::fromWCharArray(text, int(length)).trimmed()
                                : QStringLiteral("Windows hatası %1").arg(code);
    LocalFree(text);
    return reason;
}

std::wstring nativeName(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}
#endif

}  // namespace

QString lastErrorText()
{
    return lastError;
}

#ifdef Q_OS_WIN

int createFileBeside(const QString& target, QString* path)
{
    const QFileInfo info(target);
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString name =
            info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.');
        for (int i = 0; i < 6; ++i) {
            name += QLatin1Char(letters[QRandomGenerator::global()->bounded(36)]);
        }
        const int file =
            _wopen(nativeName(name).c_str(),
                   _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
        if (file >= 0) {
            *path = name;
            return file;
        }
        if (errno != EEXIST) {
            failWith(errnoText(errno));
            return -1;
        }
    }
    failWith(errnoText(EEXIST));
    return -1;
}

bool writeAll(int file, const char* data, qint64 size)
{
    while (size > 0) {
        const unsigned int chunk = unsigned(qMin<qint64>(size, INT_MAX));
        const int written = _write(file, data, chunk);
        if (written < 0) {
            return failWith(errnoText(errno));
        }
        if (written == 0) {
            return failWith(errnoText(ENOSPC));
        }
        data += written;
        size -= written;
    }
    return true;
}

bool flushToDisk(int file)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(file));
    if (handle == INVALID_HANDLE_VALUE) {
        return failWith(errnoText(EBADF));
    }
    return FlushFileBuffers(handle) ? true : failWith(windowsErrorText());
}

bool closeFile(int file)
{
    return _close(file) == 0 ? true : failWith(errnoText(errno));
}

bool replaceFile(const QString& from, const QString& to)
{
    return MoveFileExW(nativeName(from).c_str(), nativeName(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? true
               : failWith(windowsErrorText());
}

bool linkFile(const QString& existing, const QString& link)
{
    return CreateHardLinkW(nativeName(link).c_str(), nativeName(existing).c_str(), nullptr)
               ? true
               : failWith(windowsErrorText());
}

void flushFolder(const QString&) {}

#else

int createFileBeside(const QString& target, QString* path)
{
    const QFileInfo info(target);
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") +
                                           info.fileName() + QStringLiteral(".XXXXXX"));
    const int file = ::mkstemp(pattern.data());
    if (file < 0) {
        failWith(errnoText(errno));
        return -1;
    }
    *path = QFile::decodeName(pattern);
    struct stat old {};
    const mode_t mode = ::stat(QFile::encodeName(target).constData(), &old) == 0
                            ? (old.st_mode & 07777)
                            : mode_t(0644);
    if (::fchmod(file, mode) != 0) {
        failWith(errnoText(errno));
        ::close(file);
        ::unlink(pattern.constData());
        return -1;
    }
    return file;
}

bool writeAll(int file, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t written = ::write(file, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return failWith(errnoText(errno));
        }
        if (written == 0) {
            return failWith(errnoText(ENOSPC));
        }
        data += written;
        size -= written;
    }
    return true;
}

bool flushToDisk(int file)
{
    return ::fsync(file) == 0 ? true : failWith(errnoText(errno));
}

bool closeFile(int file)
{
    return ::close(file) == 0 ? true : failWith(errnoText(errno));
}

bool replaceFile(const QString& from, const QString& to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
               ? true
               : failWith(errnoText(errno));
}

bool linkFile(const QString& existing, const QString& link)
{
    return ::link(QFile::encodeName(existing).constData(), QFile::encodeName(link).constData()) == 0
               ? true
               : failWith(errnoText(errno));
}

void flushFolder(const QString& folder)
{
    const int file = ::open(QFile::encodeName(folder).constData(), O_RDONLY);
    if (file >= 0) {
        ::fsync(file);
        ::close(file);
    }
}

#endif

}  // namespace tamevo::platform
