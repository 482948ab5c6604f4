#include "data/Session.h"

#include "data/ConnectionString.h"
#include "data/Errors.h"
#include "data/JournalUpkeep.h"
#include "data/ProgramFolder.h"
#include "data/Schema.h"

#include <QFileInfo>

namespace tamevo {

void prepareCashBookDatabase(Connection& connection)
{
    QSqlDatabase db = connection.database();
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

void Session::openStartupConnections()
{
    enterProgramFolder();
    // Only the general database is opened: the cash-book connection stays closed until a
    // book is entered, so start-up does not read the template's schema for nothing.
    ADOConnection1.setConnectionString(BaglantiMetni(QStringLiteral("AnaData\\Genel.mdb")));
    ADOConnection1.open();
}

OpenBookTexts Session::connectCashBook(const QString& connectionPath, const QString& absolutePath,
                                       const std::optional<FirmaRecord>& recordForNewFile,
                                       const QString& yearText, bool keepPreviousOnFailure)
{
    // The new file is made before the old one is let go, so a missing template leaves the
    // open cash book as it was.
    if (!QFileInfo::exists(absolutePath) && recordForNewFile) {
        createCashBookDatabase(absolutePath, *recordForNewFile);
    }
    const QString previous = kasaConnection.connectionString();
    const bool previousWasOpen = kasaConnection.isOpen();
    kasaConnection.close();
    try {
        enterProgramFolder();
        kasaConnection.setConnectionString(BaglantiMetni(connectionPath));
        kasaConnection.open();
        prepareCashBookDatabase(kasaConnection);
        const FirmaRecord record = readFirmaRecord(kasaConnection);
        const OpenBookTexts texts = openBookTexts(record, yearText);
        CalismaYili = yearText.toInt();
        openBookCode = record.kodu();
        return texts;
    } catch (...) {
        // Never connected to one year while the windows show another: a step that fails after
        // the new file was connected lets it go again, and a year switch goes back to the
        // year it came from.
        kasaConnection.close();
        if (keepPreviousOnFailure) {
            kasaConnection.setConnectionString(previous);
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
    connection.setConnectionString(BaglantiMetni(yearDatabasePath(year)));
    connection.open();
    prepareCashBookDatabase(connection);
}

QString Session::yearDatabasePath(int year) const
{
    return GetPathPath() + cashBookRelativePath(openBookCode, QString::number(year));
}

OpenBookTexts Session::kasaac(const QString& code, const QString& yearText,
                              const std::optional<FirmaRecord>& registryRecord)
{
    const QString relative = cashBookRelativePath(code, yearText);
    return connectCashBook(relative, GetPathPath() + relative, registryRecord, yearText, false);
}

QString Session::ensureYearDatabase(int year)
{
    const FirmaRecord current = readFirmaRecord(kasaConnection);
    const QString absolute =
        GetPathPath() + cashBookRelativePath(current.kodu(), QString::number(year));
    if (!QFileInfo::exists(absolute)) {
        createCashBookDatabase(absolute, current);
    }
    return absolute;
}

OpenBookTexts Session::kasadegistir(int year)
{
    const QString absolute = ensureYearDatabase(year);
    return connectCashBook(absolute, absolute, std::nullopt, QString::number(year), true);
}

void Session::closeCashBook()
{
    kasaConnection.close();
}

}  // namespace tamevo
