#include "data/Schema.h"

#include "data/Errors.h"
#include "data/SqlFailure.h"
#include "data/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace tamevo {

QString resourceText(const QString& name)
{
    QFile file(QStringLiteral(":/schema/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(QStringLiteral("Veritabanı tanımı okunamadı: %1").arg(file.fileName()));
    }
    return QString::fromUtf8(file.readAll());
}

namespace {

// Runs the script that makes `table` of a cash-book database when the database has movements
// but not that table.
void addMissingTable(QSqlDatabase& db, const QString& table, const QString& script)
{
    const QStringList tables = db.tables();
    if (tables.contains(QStringLiteral("nakit")) && !tables.contains(table)) {
        executeScript(db, resourceText(script));
    }
}

}  // namespace

QString schemaText(SchemaKind kind)
{
    // The cash-book record has one description, shared by both kinds of database.
    const QString firma = resourceText(QStringLiteral("firma.sql"));
    if (kind == SchemaKind::Genel) {
        return firma + QLatin1Char('\n') + resourceText(QStringLiteral("genel.sql"));
    }
    return firma + QLatin1Char('\n') + resourceText(QStringLiteral("kasa.sql")) +
           QLatin1Char('\n') + resourceText(QStringLiteral("gunluk.sql")) + QLatin1Char('\n') +
           resourceText(QStringLiteral("yillik.sql")) + QLatin1Char('\n') +
           resourceText(QStringLiteral("gecmis.sql"));
}

void ensureDayTotals(QSqlDatabase& db)
{
    // The table is made when it is missing, and made anew in kuruş when it is the older form
    // that summed the amounts as REAL.
    if (!db.tables().contains(QStringLiteral("nakit")) ||
        db.record(QStringLiteral("nakit_gunluk")).contains(QStringLiteral("borc_kurus"))) {
        return;
    }
    executeScript(db, resourceText(QStringLiteral("gunluk.sql")));
}

void ensureYearTotals(QSqlDatabase& db)
{
    addMissingTable(db, QStringLiteral("nakit_yillik"), QStringLiteral("yillik.sql"));
}

void ensureJournal(QSqlDatabase& db)
{
    addMissingTable(db, QStringLiteral("nakit_gecmis"), QStringLiteral("gecmis.sql"));
}

void ensureMovementIndexes(QSqlDatabase& db)
{
    if (!db.tables().contains(QStringLiteral("nakit"))) {
        return;
    }
    static const QRegularExpression indexOnNakit(QStringLiteral("^CREATE INDEX (\\w+) ON nakit\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    QStringList statements;
    for (const QString& statement : splitSqlScript(resourceText(QStringLiteral("kasa.sql")))) {
        const QRegularExpressionMatch match = indexOnNakit.match(statement);
        if (match.hasMatch()) {
            statements << QStringLiteral("CREATE INDEX IF NOT EXISTS ") +
                              statement.mid(match.capturedStart(1));
        }
    }
    executeScript(db, statements.join(QLatin1Char('\n')));
}

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    bool inTrigger = false;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--"))) {
            continue;
        }
        if (current.isEmpty() &&
            line.startsWith(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive)) {
            inTrigger = true;
        }
        current += rawLine + QLatin1Char('\n');
        const bool ends = inTrigger ? line.compare(QLatin1String("END;"), Qt::CaseInsensitive) == 0
                                    : line.endsWith(QLatin1Char(';'));
        if (ends) {
            statements << current.trimmed();
            current.clear();
            inTrigger = false;
        }
    }
    if (!current.trimmed().isEmpty()) {
        statements << current.trimmed();
    }
    return statements;
}

void executeScript(QSqlDatabase& db, const QString& script)
{
    Transaction transaction(db);
    QSqlQuery query(db);
    for (const QString& statement : splitSqlScript(script)) {
        if (!query.exec(statement)) {
            throwStatementError(query);
        }
    }
    query.finish();
    transaction.commit();
}

void writeDatabaseFile(const QString& path, const QString& copyFrom,
                       const std::function<void(QSqlDatabase&)>& fill)
{
    const QString temporary = path + QStringLiteral(".yeni");
    QFile::remove(temporary);
    QString failure;
    if (!copyFrom.isEmpty() && !QFile::copy(copyFrom, temporary)) {
        failure = QStringLiteral("%1 kopyalanamadı.").arg(QDir::toNativeSeparators(copyFrom));
    } else {
        QFile::setPermissions(temporary, QFile::permissions(temporary) | QFileDevice::WriteOwner);
        const QString connectionName = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
            db.setDatabaseName(temporary);
            if (!db.open()) {
                failure = db.lastError().text();
            } else {
                try {
                    QSqlQuery pragma(db);
                    pragma.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
                    pragma.finish();
                    fill(db);
                } catch (const ValidationError&) {
                    db.close();
                    QSqlDatabase::removeDatabase(connectionName);
                    QFile::remove(temporary);
                    throw;
                } catch (const Error& error) {
                    failure = error.text();
                }
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(connectionName);
    }
    if (failure.isEmpty() && !QFile::rename(temporary, path)) {
        failure = QStringLiteral("Dosyaya ad verilemedi.");
    }
    if (!failure.isEmpty()) {
        QFile::remove(temporary);
        throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), failure));
    }
}

void checkDatabaseFile(const QString& path)
{
    const QString connectionName = QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                           QStringLiteral("?mode=ro"));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) {
                failure = query.lastError().text();
            } else {
                QStringList problems;
                while (query.next()) {
                    const QString line = query.value(0).toString();
                    if (line != QLatin1String("ok")) {
                        problems << line;
                    }
                }
                if (query.lastError().isValid()) {
                    problems << query.lastError().text();
                }
                failure = problems.mid(0, 5).join(QLatin1Char('\n'));
            }
            if (failure.isEmpty() &&
                (!query.exec(
                     QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'")) ||
                 !query.next() || query.value(0).toInt() == 0)) {
                failure = query.lastError().isValid() ? query.lastError().text()
                                                      : QStringLiteral("Veritabanında tablo yok.");
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (!failure.isEmpty()) {
        throw Error(failure);
    }
}

void createDatabase(const QString& path, SchemaKind kind)
{
    if (QFileInfo::exists(path)) {
        throw Error(QStringLiteral("Dosya zaten var: %1").arg(QDir::toNativeSeparators(path)));
    }
    const QString script = schemaText(kind);
    writeDatabaseFile(path, {}, [&](QSqlDatabase& db) { executeScript(db, script); });
}

}  // namespace tamevo
