#include "lists/ReferenceLists.h"

#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Session.h"

namespace tamevo {

ReferenceList::ReferenceList(Dataset& table, const QString& nameField, int maxLength,
                             const QString& tooLongMessage)
    : table_(table), nameField_(nameField), maxLength_(maxLength), tooLongMessage_(tooLongMessage)
{
    // Every post of the table passes the same rule: "SAKLA" and corrections in the grid.
    const QString field = nameField_;
    const int limit = maxLength_;
    const QString message = tooLongMessage_;
    table_.setBeforePost([field, limit, message](Dataset& dataset) {
        if (dataset.value(field).toString().size() > limit) {
            throw ValidationError(message);
        }
    });
}

void ReferenceList::check(const QString& name) const
{
    if (name.size() > maxLength_) {
        throw ValidationError(tooLongMessage_);
    }
}

bool ReferenceList::add(const QString& name)
{
    if (name.isEmpty()) {
        return false;
    }
    // Refused before anything is appended, so no refused row is left pending.
    check(name);
    table_.open();
    table_.append();
    try {
        table_.setValue(nameField_, name);
        table_.post();
    } catch (const Error&) {
        table_.cancel();
        throw;
    }
    return true;
}

bool ReferenceList::removeCurrent()
{
    table_.open();
    if (askBeforeReplacing(kApplicationTitle, kDeleteRecordQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return false;
    }
    if (table_.currentIndex() < 0) {
        return false;
    }
    table_.remove();
    return true;
}

QStringList ReferenceList::names() const
{
    QStringList list;
    for (int row = 0; row < table_.recordCount(); ++row) {
        list << table_.valueAt(row, nameField_).toString();
    }
    return list;
}

ReferenceList transactionTypes(Session& session)
{
    return ReferenceList(session.kasanedenTable, QStringLiteral("kasanedenine"),
                         kTransactionTypeMaxLength, kTransactionTypeTooLong);
}

ReferenceList currencies(Session& session)
{
    return ReferenceList(session.parabirimiTable, QStringLiteral("kodu"), kCurrencyCodeMaxLength,
                         kCurrencyCodeTooLong);
}

CurrencyBoxes currencyBoxes(const QStringList& codes)
{
    CurrencyBoxes boxes;
    boxes.movement = codes;
    boxes.ledger = codes;
    boxes.ledger << kAllCurrencies;
    boxes.twoDate = boxes.ledger;
    boxes.analysis << kAllCurrencies;
    boxes.analysis << codes;
    return boxes;
}

CurrencyChoices::CurrencyChoices(Session& session, QObject* parent)
    : QObject(parent), session_(session)
{
}

void CurrencyChoices::ParaBirimiAyarla()
{
    emit boxesChanged(currencyBoxes(session_.currencyCodes()));
}

}  // namespace tamevo
