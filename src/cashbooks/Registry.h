#pragma once

#include "data/CashBookFiles.h"

#include <QDate>
#include <QString>

namespace tamevo {

class Dataset;
class Session;

// The texts of the cash-book registry.
inline const QString kRegistrySaveQuestion =
    QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?");
inline const QString kRegistryCancelQuestion =
    QStringLiteral("Değişiklikler iptal edilecektir, eminmisiniz?");
inline const QString kRegistryDeleteQuestion =
    QStringLiteral("Firma bilgileri silinecektir. Eminmisiniz?");
inline const QString kRegistryEmptyCode = QStringLiteral("Firma kodunu boş geçemezsiniz.");
inline const QString kRegistryEmptyTitle = QStringLiteral("Firma adını boş geçemezsiniz.");
inline const QString kRegistryTemplateMissing =
    QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!");
// The three-line message when a database of that code and year exists (lines separated by a
// line feed and a carriage return).
inline const QString kRegistryBookExists = QStringLiteral(
    "Bu isimde kayıtlı firma mevcut!\n\rBu isimde firma oluşturmak için önce "
    "kayıtlı\n\rfirmayı silin");
// A code that did not come through the code field's key filter (the entry screen's lookup
// puts the typed code into a new record as it stands) and cannot name a database file.
inline const QString kRegistryBadCode = QStringLiteral(
    "Kasa kodu en çok 12 karakter olabilir; yalnız harf (A-Z, a-z) ve rakam içerebilir.");

// The code field accepts at most this many characters.
constexpr int kCashBookCodeMaxLength = 12;

// The characters the code field lets through: the letters A-Z, a-z and the digits 0-9.
bool isCashBookCodeCharacter(QChar c);
// A code that names a database file: 1 to 12 characters, each a letter A-Z, a-z or a digit.
bool isValidCashBookCode(const QString& code);

// The working year of the registry window, from the entry screen's year box: read leniently
// (SayiyaCevir); a value from 1970 to 2100 is used, any other (an empty box too) gives the
// year of `today`.
int registryWorkingYear(const QString& yearBoxText, const QDate& today = QDate::currentDate());

// The registry of cash books (FirmaTakip, the table firma of the general database) and the
// operations of the registry window on it: a new cash book with its first database, saving
// an edited one into the registry and the working year's copy, cancelling, deleting.
// Questions and messages go through dialogs(); a disk or engine failure is an Error. A new or
// changed code is checked whenever the registry stores a record (ValidationError with
// kRegistryEmptyCode or kRegistryBadCode; the record stays pending).
class Registry {
public:
    explicit Registry(Session& session);

    Dataset& FirmaTakip();

    // Opens FirmaTakip when it is closed.
    void open();
    // "YENİ KASA AÇ": opens FirmaTakip when closed and appends a new empty record.
    void yeni();

    enum class SaveResult {
        Nothing,   // nothing pending or nothing changed: no question, no message
        Declined,  // No to the question; the change stays pending
        Refused,   // a message was shown; the new record stays pending
        Created,   // a new cash book: registry record and its first database
        Saved,     // an edited record: registry and the working year's copy
    };
    // "KAYDET" with the entry screen's year box text. Throws Error for a disk or engine
    // failure, and for an edited record whose working year has no database: the registry
    // change is saved by then, no file is made, kasaConnection is left disconnected.
    SaveResult kaydet(const QString& yearBoxText);
    // Creates the new cash book of the record being inserted, for `year`: its database is the
    // template plus a copy of the record, the record is posted into the registry. Refuses
    // (with its message, nothing saved) an empty code or title, a code that cannot name a
    // file, a missing template and an existing database of the same name in any letter case.
    SaveResult dosyaac(int year);

    // "VAZGEÇ": after Yes to its question, drops a changed pending record. True when dropped.
    bool vazgec();
    // "Kasa Firmasını Sil": after Yes, cancels an insertion or deletes the current registry
    // record (its database files stay). True when a record was deleted.
    bool sil();

    // The values of the current registry record, in field order.
    FirmaRecord currentRecord() const;

private:
    // Writes the record into the first firma record of the cash book's database for `year`.
    void copyIntoCashBook(const FirmaRecord& record, int year);

    Session& session_;
};

}  // namespace tamevo
