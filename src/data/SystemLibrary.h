#pragma once

#include <QByteArray>
#include <QHash>
#include <QLibrary>
#include <QMutex>
#include <QString>

namespace tamevo {

// A library of the system the program loads on the first call of one of its functions, not
// at its start: the archive, workbook and JPEG libraries serve the backups, the export and
// the documents, never the entry screen, and each one loaded at start would delay it.
class SystemLibrary {
public:
    // The library `name` of ABI version `version` ("zip", 4 is libzip.so.4).
    SystemLibrary(const QString& name, int version) : library_(name, version) {}

    // The function `symbol` of the library, as a pointer of type F; the library is loaded on
    // the first call. Throws Error with the platform's text when the library or the function
    // cannot be found.
    template <class F>
    F function(const char* symbol)
    {
        return reinterpret_cast<F>(resolve(symbol));
    }

private:
    QFunctionPointer resolve(const char* symbol);

    QLibrary library_;
    QMutex mutex_;
    QHash<QByteArray, QFunctionPointer> resolved_;
};

// The program's libraries loaded on first use.
SystemLibrary& zipLibrary();
SystemLibrary& xlsxwriterLibrary();
SystemLibrary& jpegLibrary();

}  // namespace tamevo

// The function `f` of a library loaded on first use, called as `f` itself would be:
// TAMEVO_CALL(zipLibrary, zip_open)(path, flags, &error). `f` is declared by the library's
// header, which gives its type; the program never links it.
#define TAMEVO_CALL(library, f) (::tamevo::library().function<decltype(&::f)>(#f))
