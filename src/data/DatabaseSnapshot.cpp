#include "data/DatabaseSnapshot.h"

#include "data/Errors.h"
#include "data/Schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

#include <sqlite3.h>

namespace tamevo {

namespace {

// The engine's handle of a connection the Qt driver opened.
sqlite3* engineHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        return nullptr;
    }
    return *static_cast<sqlite3* const*>(handle.constData());
}

// Copies every page of `source` into a new database at `copyPath`; the engine's text on
// failure.
QString copyPages(sqlite3* source, const QString& copyPath)
{
    sqlite3* copy = nullptr;
    int code = sqlite3_open_v2(QFile::encodeName(copyPath).constData(), &copy,
                               SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString failure;
    if (code != SQLITE_OK) {
        failure = QString::fromUtf8(copy != nullptr ? sqlite3_errmsg(copy) : sqlite3_errstr(code));
    } else if (sqlite3_backup* backup = sqlite3_backup_init(copy, "main", source, "main")) {
        // All pages in one step: the source stays read-locked until the copy is whole.
        code = sqlite3_backup_step(backup, -1);
        if (code != SQLITE_DONE) {
            failure = QString::fromUtf8(sqlite3_errstr(code));
        }
        if (sqlite3_backup_finish(backup) != SQLITE_OK && failure.isEmpty()) {
            failure = QString::fromUtf8(sqlite3_errmsg(copy));
        }
    } else {
        failure = QString::fromUtf8(sqlite3_errmsg(copy));
    }
    sqlite3_close(copy);
    return failure;
}

}  // namespace

void snapshotDatabase(const QString& path, const QString& copyPath)
{
    const QString connectionName = QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        // Opened for writing, so that a save another program left half done is rolled back
        // first; never created when missing. A save in progress is waited for.
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=rw"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=30000"));
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            QSqlQuery first(db);
            if (!first.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                failure = first.lastError().text();
            }
            first.finish();
            sqlite3* source = engineHandle(db);
            if (failure.isEmpty()) {
                failure = source != nullptr ? copyPages(source, copyPath)
                                            : QStringLiteral("Veritabanı kopyalanamadı.");
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    try {
        if (!failure.isEmpty()) {
            throw Error(failure);
        }
        checkDatabaseFile(copyPath);
    } catch (const Error&) {
        QFile::remove(copyPath);
        throw;
    }
}

}  // namespace tamevo
