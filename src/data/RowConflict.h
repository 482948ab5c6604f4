#pragma once

#include "data/Errors.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace tamevo {

// A field of a stored row, named as the user knows it, with a value: what another copy of the
// program (another program on the same file) changed after this copy read the row, or what
// was typed here.
struct FieldValue {
    QString caption;
    QVariant value;
};

// The question when this copy's change of a row meets the other copy's: what the other copy
// stored and what was typed here. Yes stores the typed values, No keeps the other copy's row.
QString changedRowQuestion(const QList<FieldValue>& theirs, const QList<FieldValue>& typed);
// The question when this copy deletes a row that the other copy changed meanwhile: what the
// other copy stored. Yes deletes it all the same.
QString deletedRowQuestion(const QList<FieldValue>& theirs);

// The user kept the other copy's row: nothing of this copy was stored, and the row shows what
// the other copy stored. The command that stored ends with this message.
class OtherCopyKept : public ValidationError {
public:
    using ValidationError::ValidationError;
};
inline const QString kOtherCopyKeptChange =
    QStringLiteral("Diğer kopyanın sakladığı değerler korundu; yazdığınız değerler saklanmadı.");
inline const QString kOtherCopyKeptDelete =
    QStringLiteral("Kayıt silinmedi; diğer kopyanın sakladığı değerler gösteriliyor.");

// The caption the user knows a column of a table by ("Kasaya Giren Tutar" for borc_tutar of
// nakit); the column's own name for a column no window shows.
QString columnCaption(const QString& table, const QString& column);

// A field's value as a line of a question shows it: a day as dd.MM.yyyy, an amount with its
// decimals in the locale's format, a text in quotes, a picture by its size, "(boş)" for none.
QString fieldText(const QVariant& value);

}  // namespace tamevo
