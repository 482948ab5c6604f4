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

// Reads an amount or rate written only as the locale writes it: an optional sign, the digits
// with group separators in their places or none at all, the locale's decimal separator and
// at most `decimals` decimals ("1.234,56", "1234,5", "30," or ",50" under Turkish settings).
// A null QVariant for an empty text; ok=false for anything else ("30.5" or "1234.56" under
// Turkish settings, three decimals, letters, an exponent), never a guess.
QVariant parseAmount(const QString& text, bool* ok, const QLocale& locale = QLocale(),
                     int decimals = 2);

// The message for a text of an amount or rate field that parseAmount refuses, naming the
// field by its caption.
QString unreadableAmountMessage(const QString& fieldCaption, const QString& text, int decimals,
                                const QLocale& locale = QLocale());

}  // namespace tamevo
