#include "data/ServerSettings.h"

#include "data/Errors.h"

#include <QSqlError>
#include <QStringList>

namespace tamevo {

namespace {

const QString kSection = QStringLiteral("Sunucu");
const QString kService = QStringLiteral("Servis");
const QString kHost = QStringLiteral("Adres");
const QString kPort = QStringLiteral("Port");
const QString kDatabase = QStringLiteral("Veritabani");
const QString kUser = QStringLiteral("Kullanici");

// A value of the client library's connection text in single quotes, so a space, a quote or
// a backslash in a name stays part of it.
QString connectionValue(const QString& value)
{
    QString quoted = value;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    quoted.replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

ServerSettings readServerSettings(const IniFile& file)
{
    ServerSettings settings;
    settings.service = file.read(kSection, kService).trimmed();
    settings.host = file.read(kSection, kHost).trimmed();
    bool ok = false;
    const int port = file.read(kSection, kPort).trimmed().toInt(&ok);
    settings.port = ok && port > 0 && port < 65536 ? port : 0;
    settings.database = file.read(kSection, kDatabase).trimmed();
    settings.user = file.read(kSection, kUser).trimmed();
    return settings;
}

void writeServerSettings(const IniFile& file, const ServerSettings& settings)
{
    file.write(kSection, kService, settings.service);
    file.write(kSection, kHost, settings.host);
    file.write(kSection, kPort, settings.port > 0 ? QString::number(settings.port) : QString());
    file.write(kSection, kDatabase, settings.database);
    file.write(kSection, kUser, settings.user);
}

QSqlDatabase addServerDatabase(const ServerSettings& settings, const QString& qtName)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        throw Error(QStringLiteral("PostgreSQL sürücüsü kurulu değil (Qt QPSQL)."));
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), qtName);
    // Only what is set is passed: the client library takes the rest from its environment,
    // its service file and ~/.pgpass, as every PostgreSQL tool does.
    QStringList options;
    if (!settings.service.isEmpty()) {
        options << QStringLiteral("service=") + connectionValue(settings.service);
    }
    options << QStringLiteral("application_name='Norvane Tamevo'");
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!settings.host.isEmpty()) {
        db.setHostName(settings.host);
    }
    if (settings.port > 0) {
        db.setPort(settings.port);
    }
    if (!settings.database.isEmpty()) {
        db.setDatabaseName(settings.database);
    }
    if (!settings.user.isEmpty()) {
        db.setUserName(settings.user);
    }
    return db;
}

QSqlDatabase openServerDatabase(const ServerSettings& settings, const QString& qtName)
{
    QSqlDatabase db = addServerDatabase(settings, qtName);
    if (!db.open()) {
        throw Error(
            QStringLiteral("Sunucuya bağlanılamadı.\n%1").arg(db.lastError().text().trimmed()));
    }
    return db;
}

QString quotedIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString cashBookSchemaName(const QString& code, int year)
{
    // Codes that differ only in letter case name the same cash book, as the local files do.
    return code.toUpper() + QLatin1Char('_') + QString::number(year);
}

QString generalSchemaName()
{
    return QStringLiteral("genel");
}

}  // namespace tamevo
