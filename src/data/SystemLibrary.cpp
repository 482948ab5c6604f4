#include "data/SystemLibrary.h"

#include "data/Errors.h"

#include <QMutexLocker>

namespace tamevo {

QFunctionPointer SystemLibrary::resolve(const char* symbol)
{
    const QMutexLocker locker(&mutex_);
    const auto known = resolved_.constFind(QByteArray(symbol));
    if (known != resolved_.cend()) {
        return *known;
    }
    if (!library_.isLoaded() && !library_.load()) {
        throw Error(QStringLiteral("Kitaplık yüklenemedi: %1").arg(library_.errorString()));
    }
    const QFunctionPointer function = library_.resolve(symbol);
    if (function == nullptr) {
        throw Error(QStringLiteral("Kitaplıkta işlev bulunamadı: %1").arg(library_.errorString()));
    }
    resolved_.insert(QByteArray(symbol), function);
    return function;
}

SystemLibrary& zipLibrary()
{
    static SystemLibrary library(QStringLiteral("zip"), 4);
    return library;
}

SystemLibrary& xlsxwriterLibrary()
{
    static SystemLibrary library(QStringLiteral("xlsxwriter"), 4);
    return library;
}

SystemLibrary& jpegLibrary()
{
    // libjpeg-turbo's DLL on Windows carries its ABI in its name; the version is not used
    // there.
#ifdef Q_OS_WIN
    static SystemLibrary library(QStringLiteral("jpeg62"), 62);
#else
    static SystemLibrary library(QStringLiteral("jpeg"), 62);
#endif
    return library;
}

}  // namespace tamevo
