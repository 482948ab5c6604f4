#include "data/SystemLibrary.h"

#include "data/Errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>

namespace tamevo {

SystemLibrary::SystemLibrary(const QString& name, const QStringList& folders)
    : library_(name), folders_(folders)
{
}

QFunctionPointer SystemLibrary::resolve(const char* symbol)
{
    const QMutexLocker locker(&mutex_);
    const auto known = resolved_.constFind(QByteArray(symbol));
    if (known != resolved_.cend()) {
        return *known;
    }
    if (!library_.isLoaded()) {
        load();
    }
    const QFunctionPointer function = library_.resolve(symbol);
    if (function == nullptr) {
        throw Error(QStringLiteral("Kitaplıkta işlev bulunamadı: %1").arg(library_.errorString()));
    }
    resolved_.insert(QByteArray(symbol), function);
    return function;
}

void SystemLibrary::load()
{
    if (folders_.isEmpty()) {
        if (!library_.load()) {
            throw Error(QStringLiteral("Kitaplık yüklenemedi: %1").arg(library_.errorString()));
        }
        return;
    }
    const QString name = QFileInfo(library_.fileName()).fileName();
    for (const QString& folder : folders_) {
        library_.setFileName(QDir(folder).filePath(name));
        if (library_.load()) {
            return;
        }
    }
    throw Error(QStringLiteral("Programın %1 modülü bulunamadı: %2")
                    .arg(name, folders_.join(QStringLiteral(", "))));
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

namespace tamevo {

SystemLibrary& networkModule()
{
    static SystemLibrary module(QStringLiteral("tamevo_network"), [] {
        const QString program = QCoreApplication::applicationDirPath();
        QStringList folders{program, program + QStringLiteral("/../lib/tamevo/modules")};
#ifdef TAMEVO_BUILD_MODULES
        folders << QStringLiteral(TAMEVO_BUILD_MODULES);
#endif
        return folders;
    }());
    return module;
}

}  // namespace tamevo
