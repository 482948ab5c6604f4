#include "data/JournalUpkeep.h"

#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ServerSchema.h"
#include "data/SqlFailure.h"
#include "data/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace tamevo {

namespace {

const QString kSection = QStringLiteral("Gecmis");
const QString kKeepingDays = QStringLiteral("SaklamaGun");

void exec(QSqlQuery& query, const QString& sql)
{
    if (!query.exec(sql)) {
        throwStatementError(query);
    }
}

}  // namespace

IniFile programSettingsFile()
{
    return IniFile(GetPathPath() + QStringLiteral("FirmaAyar.ini"));
}

QString computerName()
{
    return QSysInfo::machineHostName();
}

QString systemUserName()
{
    for (const char* variable : {"USER", "LOGNAME", "USERNAME"}) {
        const QString user = qEnvironmentVariable(variable);
        if (!user.isEmpty()) {
            return user;
        }
    }
    return QStringLiteral("");
}

void identifyJournalWriter(QSqlDatabase& db)
{
    // Bound as text even when empty (a null text would be bound as NULL), so an entry of this
    // program is told from one of another tool.
    const auto text = [](const QString& value) {
        return value.isEmpty() ? QStringLiteral("") : value.left(64);
    };
    QSqlQuery query(db);
    if (onServer(db)) {
        // The server's journal trigger reads the writer from the connection's own settings.
        query.prepare(
            QStringLiteral("SELECT set_config('tamevo.bilgisayar', ?, false), "
                           "set_config('tamevo.kullanici', ?, false)"));
        query.addBindValue(text(computerName()));
        query.addBindValue(text(systemUserName()));
        if (!query.exec()) {
            throwStatementError(query);
        }
        return;
    }
    // The journal's triggers live in the file and cannot know who runs them; a trigger of this
    // connection alone (TEMP) fills the writer into every entry just written. A trigger's
    // statements name their tables unqualified, as the engine requires.
    exec(query,
         QStringLiteral(
             "CREATE TEMP TABLE IF NOT EXISTS gecmis_yazan (bilgisayar TEXT, kullanici TEXT)"));
    exec(query, QStringLiteral("DELETE FROM temp.gecmis_yazan"));
    query.prepare(QStringLiteral("INSERT INTO temp.gecmis_yazan VALUES (?, ?)"));
    query.addBindValue(text(computerName()));
    query.addBindValue(text(systemUserName()));
    if (!query.exec()) {
        throwStatementError(query);
    }
    exec(query, QStringLiteral("CREATE TEMP TRIGGER IF NOT EXISTS gecmis_yazan_yaz "
                               "AFTER INSERT ON main.nakit_gecmis BEGIN "
                               "UPDATE nakit_gecmis SET "
                               "bilgisayar = (SELECT bilgisayar FROM gecmis_yazan), "
                               "kullanici = (SELECT kullanici FROM gecmis_yazan) "
                               "WHERE gid = NEW.gid; END"));
}

int journalKeepingDays()
{
    bool ok = false;
    const int days = programSettingsFile().read(kSection, kKeepingDays).trimmed().toInt(&ok);
    return ok && days >= 0 && days <= kMaxJournalKeepingDays ? days : 0;
}

void setJournalKeepingDays(int days)
{
    programSettingsFile().write(kSection, kKeepingDays, QString::number(days));
}

int pruneJournal(QSqlDatabase& db, int keepDays, const QDate& today)
{
    if (keepDays <= 0) {
        return 0;
    }
    const QString firstKept = today.addDays(-keepDays).toString(Qt::ISODate);
    Transaction transaction(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM nakit_gecmis WHERE zaman < ?"));
    query.addBindValue(firstKept);
    if (!query.exec()) {
        throwStatementError(query);
    }
    const int removed = query.numRowsAffected();
    transaction.commit();
    return removed;
}

}  // namespace tamevo
