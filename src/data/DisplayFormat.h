#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace tamevo {

// Display and edit formats of amounts and rates. A pattern is "#,###.00" style: "," asks for
// thousands grouping, the zeros after "." give the decimals, and every integer digit is
// optional, so a zero shows as the decimal separator and the decimals (",00" under Turkish
// settings). The locale gives the separators. A negative value has a leading minus; a value
// that rounds to zero has none.
QString formatFloat(double value, const QString& pattern, const QLocale& locale = QLocale());
// The same with the separators given: printed reports group with the locale's thousands
// separator but always write a decimal comma.
QString formatFloat(double value, const QString& pattern, const QString& groupSeparator,
                    const QString& decimalSeparator, const QString& negativeSign);

// The same for a field value: an empty (null) value shows as nothing.
QString formatField(const QVariant& value, const QString& pattern,
                    const QLocale& locale = QLocale());

inline const QString kAmountDisplay = QStringLiteral("#,###.00");
inline const QString kAmountEdit = QStringLiteral("#.00");
inline const QString kRateDisplay = QStringLiteral("#,###.0000");
inline const QString kRateEdit = QStringLiteral("#.0000");

inline QString formatAmount(const QVariant& value, const QLocale& locale = QLocale())
{
    return formatField(value, kAmountDisplay, locale);
}
inline QString formatRate(const QVariant& value, const QLocale& locale = QLocale())
{
    return formatField(value, kRateDisplay, locale);
}

// A day of the date list: "dd.mm.yyyy ddd", the weekday's short name from the locale
// ("05.01.2021 Sal" under Turkish settings). An invalid day shows as nothing.
QString formatListDay(const QDate& day, const QLocale& locale = QLocale());

// Reads an amount or rate typed with the locale's separators ("1.234,50" or "1234,5" under
// Turkish settings); a null QVariant for an empty text, and ok=false for text that is not a
// number.
QVariant parseAmount(const QString& text, bool* ok, const QLocale& locale = QLocale());

}  // namespace tamevo
