#include "data/DatabaseSnapshot.h"

#include "data/Errors.h"
#include "data/Schema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace tamevo {

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
            // The engine writes the copy from one read transaction: every page as it was at
            // its start, whatever another connection commits meanwhile.
            QSqlQuery query(db);
            if (!query.prepare(QStringLiteral("VACUUM INTO ?"))) {
                failure = query.lastError().text();
            } else {
                query.addBindValue(copyPath);
                if (!query.exec()) {
                    failure = query.lastError().text();
                }
            }
            query.finish();
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
