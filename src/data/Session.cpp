#include "data/Session.h"

#include "data/ConnectionString.h"
#include "data/Errors.h"
#include "data/JournalUpkeep.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"
#include "data/ServerSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlError>
#include <QSqlQuery>

namespace tamevo {

void prepareCashBookDatabase(Connection& connection)
{
    QSqlDatabase db = connection.database();
    if (connection.onServer()) {
        // A schema on the server is made whole from the current description, and the
        // connection names its desk to the journal at every opening (Connection).
        pruneJournal(db, journalKeepingDays(), QDate::currentDate());
        return;
    }
    ensureDayTotals(db);
    ensureYearTotals(db);
    ensureMovementIndexes(db);
    ensureJournal(db);
    identifyJournalWriter(db);
    pruneJournal(db, journalKeepingDays(), QDate::currentDate());
}

Session::Session(QObject* parent) : QObject(parent)
{
    FirmaTakip.setTable(QStringLiteral("firma"));
    sifreTable.setTable(QStringLiteral("sifre"));
    masterTable.setTable(QStringLiteral("master"));
    kasanedenTable.setTable(QStringLiteral("kasaneden"), QStringLiteral("kasanedeid"));
    parabirimiTable.setTable(QStringLiteral("parabirimi"));
}

QStringList Session::currencyCodes()
{
    parabirimiTable.open();
    QStringList codes;
    for (int row = 0; row < parabirimiTable.recordCount(); ++row) {
        codes << parabirimiTable.valueAt(row, QStringLiteral("kodu")).toString();
    }
    return codes;
}

Session::~Session() = default;

namespace {

// Makes a schema on the server when it is missing, on a connection of its own. Two desks
// starting at once may both try: the one that finds it made meanwhile goes on.
void ensureServerSchema(const ServerSettings& server, const QString& schema,
                        const std::function<void(QSqlDatabase&)>& create)
{
    const QString name = QStringLiteral("tamevo_sunucu_kurulum");
    // Let go of after the connection below, whichever way the block is left.
    const auto removing = qScopeGuard([&name] { QSqlDatabase::removeDatabase(name); });
    {
        QSqlDatabase db = openServerDatabase(server, name);
        const auto closing = qScopeGuard([&db] { db.close(); });
        if (!serverSchemaExists(db, schema)) {
            try {
                create(db);
            } catch (const Error&) {
                if (!serverSchemaExists(db, schema)) {
                    throw;
                }
            }
        }
    }
}

}  // namespace

void Session::openStartupConnections()
{
    enterProgramFolder();
    server_ = readServerSettings(programSettingsFile());
    if (onServer()) {
        ensureServerSchema(server_, generalSchemaName(), [](QSqlDatabase& db) {
            createServerGeneralSchema(db, generalSchemaName());
        });
        ADOConnection1.setServerSchema(server_, generalSchemaName());
        ADOConnection1.open();
        return;
    }
    // Only the general database is opened: the cash-book connection stays closed until a
    // book is entered, so start-up does not read the template's schema for nothing.
    ADOConnection1.setConnectionString(BaglantiMetni(QStringLiteral("AnaData\\Genel.mdb")));
    ADOConnection1.open();
}

bool Session::bookYearExists(const QString& code, int year)
{
    if (onServer()) {
        QSqlDatabase db = ADOConnection1.database();
        return serverSchemaExists(db, cashBookSchemaName(code, year));
    }
    return QFileInfo::exists(GetPathPath() + cashBookRelativePath(code, QString::number(year)));
}

void Session::createBookYear(const QString& code, int year, const FirmaRecord& record)
{
    if (onServer()) {
        QSqlDatabase db = ADOConnection1.database();
        createServerCashBookSchema(
            db, cashBookSchemaName(code, year),
            [&record](QSqlDatabase& book) { insertFirmaRecord(book, record); });
        return;
    }
    createCashBookDatabase(GetPathPath() + cashBookRelativePath(code, QString::number(year)),
                           record);
}

void Session::removeBookYear(const QString& code, int year)
{
    if (onServer()) {
        QSqlQuery(ADOConnection1.database())
            .exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE")
                      .arg(quotedIdentifier(cashBookSchemaName(code, year))));
        return;
    }
    QFile::remove(GetPathPath() + cashBookRelativePath(code, QString::number(year)));
}

void Session::pointAtBookYear(Connection& connection, const QString& code, int year) const
{
    if (onServer()) {
        connection.setServerSchema(server_, cashBookSchemaName(code, year));
    } else {
        // Relative to the program folder, which is made current before the connection opens.
        connection.setConnectionString(
            BaglantiMetni(cashBookRelativePath(code, QString::number(year))));
    }
}

OpenBookTexts Session::connectCashBook(const QString& code, const QString& yearText,
                                       const std::optional<FirmaRecord>& recordForNewFile,
                                       bool keepPreviousOnFailure)
{
    // The new database is made before the old one is let go, so a missing template leaves
    // the open cash book as it was.
    const int year = yearText.toInt();
    if (recordForNewFile && !bookYearExists(code, year)) {
        createBookYear(code, year, *recordForNewFile);
    }
    const QString previousString = kasaConnection.connectionString();
    const bool previousOnServer = kasaConnection.onServer();
    const QString previousSchema = kasaConnection.serverSchema();
    const bool previousWasOpen = kasaConnection.isOpen();
    kasaConnection.close();
    try {
        enterProgramFolder();
        pointAtBookYear(kasaConnection, code, year);
        kasaConnection.open();
        prepareCashBookDatabase(kasaConnection);
        const FirmaRecord record = readFirmaRecord(kasaConnection);
        const OpenBookTexts texts = openBookTexts(record, yearText);
        CalismaYili = year;
        openBookCode = record.kodu();
        return texts;
    } catch (...) {
        // Never connected to one year while the windows show another: a step that fails after
        // the new database was connected lets it go again, and a year switch goes back to the
        // year it came from.
        kasaConnection.close();
        if (keepPreviousOnFailure) {
            if (previousOnServer) {
                kasaConnection.setServerSchema(server_, previousSchema);
            } else {
                kasaConnection.setConnectionString(previousString);
            }
            if (previousWasOpen) {
                try {
                    enterProgramFolder();
                    kasaConnection.open();
                } catch (const Error&) {
                    // The old year cannot be read either: the connection stays closed and
                    // the first failure is the one reported.
                }
            }
        }
        throw;
    }
}

void Session::openOtherYear(Connection& connection, int year)
{
    connection.close();
    enterProgramFolder();
    pointAtBookYear(connection, openBookCode, year);
    connection.open();
    prepareCashBookDatabase(connection);
}

QString Session::yearDatabasePath(int year) const
{
    return GetPathPath() + cashBookRelativePath(openBookCode, QString::number(year));
}

bool Session::yearExists(int year)
{
    return bookYearExists(openBookCode, year);
}

OpenBookTexts Session::kasaac(const QString& code, const QString& yearText,
                              const std::optional<FirmaRecord>& registryRecord)
{
    return connectCashBook(code, yearText, registryRecord, false);
}

QString Session::ensureYearDatabase(int year)
{
    const FirmaRecord current = readFirmaRecord(kasaConnection);
    if (!bookYearExists(current.kodu(), year)) {
        createBookYear(current.kodu(), year, current);
    }
    return onServer() ? cashBookSchemaName(current.kodu(), year)
                      : GetPathPath() + cashBookRelativePath(current.kodu(), QString::number(year));
}

OpenBookTexts Session::kasadegistir(int year)
{
    ensureYearDatabase(year);
    return connectCashBook(openBookCode, QString::number(year), std::nullopt, true);
}

void Session::closeCashBook()
{
    kasaConnection.close();
}

}  // namespace tamevo
