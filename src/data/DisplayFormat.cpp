#include "data/DisplayFormat.h"

#include <algorithm>
#include <cmath>

namespace tamevo {

QString formatFloat(double value, const QString& pattern, const QLocale& locale)
{
    return formatFloat(value, pattern, locale.groupSeparator(), locale.decimalPoint(),
                       locale.negativeSign());
}

QString formatFloat(double value, const QString& pattern, const QString& groupSeparator,
                    const QString& decimalSeparator, const QString& negativeSign)
{
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const QString integerPart = point < 0 ? pattern : pattern.left(point);
    const int decimals = point < 0 ? 0 : int(pattern.mid(point + 1).count(QLatin1Char('0')));
    const bool grouping = integerPart.contains(QLatin1Char(','));
    const int requiredIntegerDigits = int(integerPart.count(QLatin1Char('0')));

    // The digits of |value| rounded to the decimals, as the C library prints them.
    const QString digits = QString::number(std::fabs(value), 'f', decimals);
    const qsizetype dot = digits.indexOf(QLatin1Char('.'));
    QString whole = dot < 0 ? digits : digits.left(dot);
    const QString fraction = dot < 0 ? QString() : digits.mid(dot + 1);

    // Integer digits are optional: leading zeros go, down to the required count.
    while (whole.size() > requiredIntegerDigits && whole.startsWith(QLatin1Char('0'))) {
        whole.remove(0, 1);
    }
    if (grouping && whole.size() > 3) {
        for (qsizetype i = whole.size() - 3; i > 0; i -= 3) {
            whole.insert(i, groupSeparator);
        }
    }
    QString text = whole;
    if (decimals > 0) {
        text += decimalSeparator + fraction;
    }
    const bool roundsToZero = std::none_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    });
    if (value < 0 && !roundsToZero) {
        text.prepend(negativeSign);
    }
    return text;
}

QString formatField(const QVariant& value, const QString& pattern, const QLocale& locale)
{
    if (value.isNull() || !value.isValid()) {
        return {};
    }
    return formatFloat(value.toDouble(), pattern, locale);
}

QString formatListDay(const QDate& day, const QLocale& locale)
{
    if (!day.isValid()) {
        return {};
    }
    return locale.toString(day, QStringLiteral("dd.MM.yyyy ddd"));
}

QVariant parseAmount(const QString& text, bool* ok, const QLocale& locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        *ok = true;
        return {};
    }
    double value = locale.toDouble(trimmed, ok);
    if (!*ok) {
        // Without thousands separators the locale's reader may still refuse "1234,5"; try
        // again without the group separators.
        QString plain = trimmed;
        plain.remove(locale.groupSeparator());
        value = locale.toDouble(plain, ok);
    }
    if (!*ok || !std::isfinite(value)) {
        *ok = false;
        return {};
    }
    return value;
}

}  // namespace tamevo
