#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace tamevo {

class Dataset;
class Session;

// The question before a row of a list is deleted (transaction types, currencies, sources).
inline const QString kDeleteRecordQuestion =
    QStringLiteral("Kaydı silmek istediğinize eminmisiniz?");
// Names longer than their columns are refused, never cut.
inline const QString kTransactionTypeTooLong =
    QStringLiteral("İşlem türü en çok 30 karakter olabilir.");
inline const QString kCurrencyCodeTooLong = QStringLiteral(
    "Para birimi kodu en çok 5 karakter olabilir; kasa hareketleri daha uzun bir kodu "
    "saklayamaz.");

// Widths: a transaction type's name (kasanedenine, as a movement's neden holds it), a
// currency code as a movement stores it (doviz_cinsi; the list's own column holds 15).
constexpr int kTransactionTypeMaxLength = 30;
constexpr int kCurrencyCodeMaxLength = 5;

// The pseudo-currency of the selection lists: all currencies, never stored.
inline const QString kAllCurrencies = QStringLiteral("Hepsi");
// The codes the currency boxes offer before a cash book's currency list is read.
inline const QStringList kBuiltInCurrencies{QStringLiteral("TL"), QStringLiteral("USD"),
                                            QStringLiteral("EURO")};

// One of the two small lists of the general database: a table with one name
// column, shown in the order of its rows. Its rule against names longer than their column
// is installed on the table's dataset, so it holds for "SAKLA" and for corrections in the
// grid alike.
class ReferenceList {
public:
    ReferenceList(Dataset& table, const QString& nameField, int maxLength,
                  const QString& tooLongMessage);

    Dataset& table() const { return table_; }
    const QString& nameField() const { return nameField_; }

    // "SAKLA": an empty name does nothing (false). Opens the table when closed, appends the
    // name and posts it. A name longer than the column is a ValidationError and nothing is
    // added. Throws Error for an engine failure (nothing stays pending).
    bool add(const QString& name);
    // "Kaydı Sil": after Yes to the question deletes the current row; with an empty list,
    // or on No, nothing. True when a row was deleted.
    bool removeCurrent();
    // The names, in list order.
    QStringList names() const;

private:
    void check(const QString& name) const;

    Dataset& table_;
    QString nameField_;
    int maxLength_;
    QString tooLongMessage_;
};

// The transaction types (kasaneden.kasanedenine) and the currencies (parabirimi.kodu).
ReferenceList transactionTypes(Session& session);
ReferenceList currencies(Session& session);

// What ParaBirimiAyarla gives the four currency boxes (first entry selected in each).
struct CurrencyBoxes {
    QStringList movement;  // movement window: the codes
    QStringList ledger;    // ledger window: the codes, then "Hepsi"
    QStringList twoDate;   // two-date report window: the codes, then "Hepsi"
    QStringList analysis;  // analysis window: "Hepsi", then the codes
};
CurrencyBoxes currencyBoxes(const QStringList& codes);

// The currency boxes of the windows: ParaBirimiAyarla reads the currency list and announces
// what each box gets; every window with a currency box follows the announcement.
class CurrencyChoices : public QObject {
    Q_OBJECT
public:
    explicit CurrencyChoices(Session& session, QObject* parent = nullptr);

    // Throws Error when the currency list cannot be read; nothing is announced then.
    void ParaBirimiAyarla();

signals:
    void boxesChanged(const tamevo::CurrencyBoxes& boxes);

private:
    Session& session_;
};

}  // namespace tamevo
