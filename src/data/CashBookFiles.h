#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace tamevo {

class Connection;

// The 23 fields of a cash book's `firma` record, in their binding order: the same layout in
// the registry of the general database and in every cash-book database.
const QStringList& firmaFieldNames();

// One `firma` record: the values of its 23 fields in field order (the first is the
// auto-number, never copied).
struct FirmaRecord {
    QVariantList values;

    QString kodu() const { return values.value(1).toString(); }
    QString unvani1() const { return values.value(4).toString(); }
};

// The message when a cash-book database has to be made and the template is missing.
inline const QString kTemplateMissing =
    QStringLiteral("Kasa oluşturulması için gerekli dosya bulunamadı!");

// The file name of a cash book's database for a year: code and four-digit year, no separator.
QString cashBookFileName(const QString& code, const QString& yearText);

// The path relative to the program folder ("Data/K012021.mdb") of a cash book's database.
// Codes that differ only in letter case name the same cash book: an existing file of that
// name in any letter case is returned with its own spelling.
QString cashBookRelativePath(const QString& code, const QString& yearText);

// Adds the one firma record of a new cash-book database: fields 2 to 23 of `record`. Throws
// Error.
void insertFirmaRecord(QSqlDatabase& db, const FirmaRecord& record);

// Makes a new cash-book database at `absolutePath`: the template Kasa.mdb of the program
// folder plus one `firma` record with the fields 2 to 23 of `record`. The file is built under
// a temporary name and renamed into place when complete, so a failure never leaves a file
// that later counts as an existing cash book. Throws ValidationError(kTemplateMissing)
// when the template is missing, Error for a disk or engine failure.
void createCashBookDatabase(const QString& absolutePath, const FirmaRecord& record);

// The first `firma` record of the database open on `connection`; an empty record (no
// values) when the table is empty. Throws Error.
FirmaRecord readFirmaRecord(Connection& connection);

// The texts that show which cash book and year are open.
struct OpenBookTexts {
    QString caption;  // ledger window caption
    QString header;   // ledger header label
    QString status;   // last panel of the ledger's status bar
};
OpenBookTexts openBookTexts(const FirmaRecord& record, const QString& yearText);

}  // namespace tamevo
