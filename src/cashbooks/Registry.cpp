#include "cashbooks/Registry.h"

#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Numbers.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

namespace tamevo {

namespace {

const QString kCode = QStringLiteral("firma_kodu");
const QString kTitle = QStringLiteral("firma_unvani_1");

}  // namespace

bool isCashBookCodeCharacter(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

bool isValidCashBookCode(const QString& code)
{
    if (code.isEmpty() || code.size() > kCashBookCodeMaxLength) {
        return false;
    }
    for (const QChar c : code) {
        if (!isCashBookCodeCharacter(c)) {
            return false;
        }
    }
    return true;
}

int registryWorkingYear(const QString& yearBoxText, const QDate& today)
{
    const qint64 value = SayiyaCevir(yearBoxText);
    if (value > 1969 && value < 2101) {
        return int(value);
    }
    return today.year();
}

Registry::Registry(Session& session) : session_(session)
{
    // The code becomes part of file names: whatever way it reached the record (typed, pasted,
    // from the entry screen's box), a new or changed code is checked before it is stored.
    session_.FirmaTakip.setBeforePost([](Dataset& registry) {
        const QString code = registry.value(kCode).toString();
        if (registry.state() == DatasetState::Edit && code == registry.storedValue(kCode)) {
            return;
        }
        if (code.isEmpty()) {
            throw ValidationError(kRegistryEmptyCode);
        }
        if (!isValidCashBookCode(code)) {
            throw ValidationError(kRegistryBadCode);
        }
    });
}

Dataset& Registry::FirmaTakip()
{
    return session_.FirmaTakip;
}

void Registry::open()
{
    session_.FirmaTakip.open();
}

void Registry::yeni()
{
    open();
    session_.FirmaTakip.append();
}

FirmaRecord Registry::currentRecord() const
{
    FirmaRecord record;
    for (const QString& field : firmaFieldNames()) {
        record.values << session_.FirmaTakip.value(field);
    }
    return record;
}

Registry::SaveResult Registry::kaydet(const QString& yearBoxText)
{
    enterProgramFolder();
    const int year = registryWorkingYear(yearBoxText);
    Dataset& registry = session_.FirmaTakip;
    if (!registry.isEditing() || !registry.isModified()) {
        return SaveResult::Nothing;
    }
    if (dialogs().question(kProgramTitle, kRegistrySaveQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return SaveResult::Declined;
    }
    if (registry.state() == DatasetState::Insert) {
        return dosyaac(year);
    }
    registry.post();
    copyIntoCashBook(currentRecord(), year);
    return SaveResult::Saved;
}

Registry::SaveResult Registry::dosyaac(int year)
{
    enterProgramFolder();
    Dataset& registry = session_.FirmaTakip;
    const QString code = registry.value(kCode).toString();
    if (code.isEmpty()) {
        dialogs().message(kProgramTitle, kRegistryEmptyCode, Dialogs::Icon::Warning);
        return SaveResult::Refused;
    }
    if (registry.value(kTitle).toString().isEmpty()) {
        dialogs().message(kProgramTitle, kRegistryEmptyTitle, Dialogs::Icon::Warning);
        return SaveResult::Refused;
    }
    if (!isValidCashBookCode(code)) {
        dialogs().message(kProgramTitle, kRegistryBadCode, Dialogs::Icon::Warning);
        return SaveResult::Refused;
    }
    // On the server a book needs no template file: its schema is made from the description.
    if (!session_.onServer() && !QFileInfo(GetPathPath() + QStringLiteral("Kasa.mdb")).isFile()) {
        showMessage(kRegistryTemplateMissing);
        return SaveResult::Refused;
    }
    // An existing file whose name differs only in letter case is the same cash book.
    if (session_.bookYearExists(code, year)) {
        showMessage(kRegistryBookExists);
        return SaveResult::Refused;
    }
    // The database is complete (template plus the record) before the registry gets the
    // record; a registry that refuses the record takes the new database away again, so the
    // user may correct it and save once more.
    session_.createBookYear(code, year, currentRecord());
    try {
        registry.post();
    } catch (const Error&) {
        session_.removeBookYear(code, year);
        throw;
    }
    session_.kasaConnection.close();
    enterProgramFolder();
    session_.pointAtBookYear(session_.kasaConnection, code, year);
    return SaveResult::Created;
}

void Registry::copyIntoCashBook(const FirmaRecord& record, int year)
{
    Connection& connection = session_.kasaConnection;
    connection.close();
    const auto disconnect = qScopeGuard([&connection] { connection.close(); });
    enterProgramFolder();
    session_.pointAtBookYear(connection, record.kodu(), year);
    // A missing database is an error with the file's name; no file is made.
    connection.open();

    Dataset ffTable1(connection, QStringLiteral("ffTable1"));
    ffTable1.setTable(QStringLiteral("firma"));
    ffTable1.open();
    if (ffTable1.isEmpty()) {
        ffTable1.append();
    } else {
        ffTable1.first();
        ffTable1.edit();
    }
    const QStringList& fields = firmaFieldNames();
    for (int i = 1; i < fields.size(); ++i) {
        ffTable1.setValue(fields[i], record.values.value(i));
    }
    ffTable1.post();
    ffTable1.close();
}

bool Registry::vazgec()
{
    Dataset& registry = session_.FirmaTakip;
    if (!registry.isEditing() || !registry.isModified()) {
        return false;
    }
    if (askBeforeReplacing(kProgramTitle, kRegistryCancelQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return false;
    }
    registry.cancel();
    return true;
}

bool Registry::sil()
{
    if (askBeforeReplacing(kApplicationTitle, kRegistryDeleteQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return false;
    }
    Dataset& registry = session_.FirmaTakip;
    if (!registry.isOpen()) {
        return false;
    }
    if (registry.state() == DatasetState::Insert) {
        registry.cancel();
        return false;
    }
    if (registry.currentIndex() < 0) {
        return false;
    }
    registry.remove();
    return true;
}

}  // namespace tamevo
