#pragma once

#include "data/CashBookFiles.h"
#include "data/Connection.h"
#include "data/Dataset.h"

#include <QObject>
#include <QString>

#include <optional>

namespace tamevo {

// What opening a cash-book database does before the book is used: an older database gets the
// per-day totals, the indexes and the journal it lacks; the journal learns this computer and
// user and drops entries older than its keeping setting. Throws Error.
void prepareCashBookDatabase(Connection& connection);

// The program's shared data: the three connections, the open cash book's year and the
// datasets of the general database that several windows use. One object for the whole run.
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(QObject* parent = nullptr);
    ~Session() override;

    Connection ADOConnection1{QStringLiteral("ADOConnection1")};
    Connection kasaConnection{QStringLiteral("kasaConnection")};

    // The registry of cash books (table firma of the general database), in key order.
    Dataset FirmaTakip{ADOConnection1, QStringLiteral("FirmaTakip")};
    // The entry password (table sifre) and the master password (table master).
    Dataset sifreTable{ADOConnection1, QStringLiteral("sifre")};
    Dataset masterTable{ADOConnection1, QStringLiteral("master")};
    // The transaction types (kasaneden), in the order of their creation; the movement
    // table's type lookup and the transaction-type window use it.
    Dataset kasanedenTable{ADOConnection1, QStringLiteral("kasaneden")};
    // The currencies (parabirimi), in the table's order.
    Dataset parabirimiTable{ADOConnection1, QStringLiteral("parabirimi")};

    // The currency codes of the currency list, in its order.
    QStringList currencyCodes();

    // Year of the open cash-book database.
    int CalismaYili = 0;
    // Code of the open cash book (its registry record's code), as its files are named.
    QString openBookCode;

    // The start-up connection: the general database, from the program folder made current.
    // The cash-book connection is opened when a book is entered. Throws Error with the
    // file's name.
    void openStartupConnections();

    // Opens the database of cash book `code` for `yearText` (already validated) on
    // kasaConnection, creating it from the template with `registryRecord` when it is
    // missing. With no registry record (the registry record is being edited) no file is made
    // and the connection to a missing file fails. Sets CalismaYili. Returns the texts of the
    // open book. Throws ValidationError(kTemplateMissing) with the connection unchanged, or
    // Error (kasaConnection then stays disconnected).
    OpenBookTexts kasaac(const QString& code, const QString& yearText,
                         const std::optional<FirmaRecord>& registryRecord);

    // Makes the open cash book's database for `year` when it is missing: the template with
    // the current year's firma record. Throws ValidationError(kTemplateMissing) without the
    // template; nothing else changes then. Returns the database's absolute path.
    QString ensureYearDatabase(int year);

    // Switches kasaConnection to the same cash book's database for `year`, made first when it
    // is missing (ensureYearDatabase). On a missing template the old year stays open
    // (ValidationError). Sets CalismaYili. When a later step fails (the new file cannot be
    // read as a cash book) the old year's file is connected again and CalismaYili stays: the
    // switch is made whole or not at all.
    OpenBookTexts kasadegistir(int year);

    // Closes the open cash book: the datasets on kasaConnection drop pending changes and
    // close, and the connection is disconnected.
    void closeCashBook();

    // The absolute path of the open cash book's database for `year` (which may not exist).
    QString yearDatabasePath(int year) const;
    // Whether the open cash book has a database (a file, or a schema on the server) for
    // `year`. Throws Error when the server cannot be asked.
    bool yearExists(int year);
    // Opens the open cash book's existing database for `year` on `connection` (not
    // kasaConnection), prepared as an opened book is (prepareCashBookDatabase). Throws Error.
    void openOtherYear(Connection& connection, int year);

    // The absolute path of the cash-book database kasaConnection names; empty on the server.
    QString cashBookPath() const { return kasaConnection.databasePath(); }

    // The server the books live on, as FirmaAyar.ini's [Sunucu] named it when the general
    // database was opened; not set, every book is a local file.
    const ServerSettings& server() const { return server_; }
    bool onServer() const { return server_.isSet(); }

    // Whether cash book `code` has a database for `year`: its file (whatever the letter case
    // of its name), or its schema on the server. Throws Error.
    bool bookYearExists(const QString& code, int year);
    // Makes cash book `code`'s database for `year` whole, with `record` as its firma record:
    // a file from the template, or a schema on the server, never half made. Throws
    // ValidationError(kTemplateMissing) without the template, or Error.
    void createBookYear(const QString& code, int year, const FirmaRecord& record);
    // Removes what createBookYear made, when the registry refused the record after it.
    void removeBookYear(const QString& code, int year);
    // Points `connection` at cash book `code`'s database for `year` (not opened).
    void pointAtBookYear(Connection& connection, const QString& code, int year) const;

private:
    OpenBookTexts connectCashBook(const QString& code, const QString& yearText,
                                  const std::optional<FirmaRecord>& recordForNewFile,
                                  bool keepPreviousOnFailure);

    ServerSettings server_;
};

}  // namespace tamevo
