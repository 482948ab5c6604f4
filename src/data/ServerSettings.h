#pragma once

#include "data/IniFile.h"

#include <QSqlDatabase>
#include <QString>

namespace tamevo {

// The PostgreSQL server that keeps the cash books of a shop with several desks, as
// FirmaAyar.ini's section [Sunucu] names it: a service of pg_service.conf (Servis=), or an
// address, port, database and user (Adres=, Port=, Veritabani=, Kullanici=). No password is
// ever kept here: the server's client library finds it in ~/.pgpass or the service file.
// With no section (or an empty one) every book stays in the local files.
struct ServerSettings {
    QString service;
    QString host;
    int port = 0;
    QString database;
    QString user;

    bool isSet() const { return !service.isEmpty() || !host.isEmpty() || !database.isEmpty(); }
    bool operator==(const ServerSettings&) const = default;
};

ServerSettings readServerSettings(const IniFile& file);

inline const QString kServerPortRefused =
    QStringLiteral("Port 1 ile 65535 arasında bir sayı olmalıdır.");
inline const QString kServerNameMissing =
    QStringLiteral("Sunucu için bir servis adı, bir adres ya da bir veritabanı adı yazınız.");

// The settings as typed into the server window: the texts trimmed, the port as text (empty
// for the client library's default). Throws ValidationError when the port is no number from
// 1 to 65535, or when a user or a port is given without a service, an address or a database
// to go with it. All empty gives settings that are not set (the books stay local).
ServerSettings typedServerSettings(const QString& service, const QString& host, const QString& port,
                                   const QString& database, const QString& user);

// Connects to the server with the settings and lets go again. Throws Error "Sunucuya
// bağlanılamadı." with the server's text when it cannot be reached.
void tryServerConnection(const ServerSettings& settings);
// Writes every key of the section; an empty value clears a key. Throws Error.
void writeServerSettings(const IniFile& file, const ServerSettings& settings);

// A connection to the server through Qt's PostgreSQL driver under the Qt connection name
// `qtName`, configured from the settings and not yet open. Throws Error when the driver is
// not installed.
QSqlDatabase addServerDatabase(const ServerSettings& settings, const QString& qtName);

// addServerDatabase, opened. Throws Error "Sunucuya bağlanılamadı." with the server's text
// when it cannot be reached; the Qt connection stays added (closed).
QSqlDatabase openServerDatabase(const ServerSettings& settings, const QString& qtName);

// An SQL identifier in double quotes, any quote in it doubled, so any name is one name.
QString quotedIdentifier(const QString& name);

// The schema that holds a cash book's working year on the server: its code and its year,
// as the local file is named from them ("K01" or "k01" and 2021 give K01_2021).
QString cashBookSchemaName(const QString& code, int year);

// The schema of the registry, the passwords and the lists (the local Genel.mdb).
QString generalSchemaName();

}  // namespace tamevo
