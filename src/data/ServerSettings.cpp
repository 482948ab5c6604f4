#include "data/ServerSettings.h"

#include "data/Errors.h"

#include <QScopeGuard>
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

ServerSettings typedServerSettings(const QString& service, const QString& host, const QString& port,
                                   const QString& database, const QString& user)
{
    ServerSettings settings;
    settings.service = service.trimmed();
    settings.host = host.trimmed();
    settings.database = database.trimmed();
    settings.user = user.trimmed();
    const QString portText = port.trimmed();
    if (!portText.isEmpty()) {
        bool ok = false;
        settings.port = portText.toInt(&ok);
        if (!ok || settings.port < 1 || settings.port > 65535) {
            throw ValidationError(kServerPortRefused);
        }
    }
    if (!settings.isSet() && (settings.port > 0 || !settings.user.isEmpty())) {
        throw ValidationError(kServerNameMissing);
    }
    return settings;
}

void tryServerConnection(const ServerSettings& settings)
{
    const QString qtName = QStringLiteral("tamevo_sunucu_deneme");
    // Let go of after the handle below, whichever way this is left.
    const auto removing = qScopeGuard([&qtName] { QSqlDatabase::removeDatabase(qtName); });
    openServerDatabase(settings, qtName).close();
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
