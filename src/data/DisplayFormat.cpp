#include "data/DisplayFormat.h"

#include "data/Money.h"

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

    // The digits of |value| rounded half away from zero to the decimals, by the same rule as
    // the money sums (very large values, beyond exact units, as the C library prints them).
    QString digits;
    const double scaled = std::fabs(value) * std::pow(10.0, decimals);
    if (scaled < 4503599627370496.0) {
        digits = QString::number(roundedUnits(std::fabs(value), decimals));
        if (decimals > 0) {
            digits = digits.rightJustified(decimals + 1, QLatin1Char('0'));
            digits.insert(digits.size() - decimals, QLatin1Char('.'));
        }
    } else {
        digits = QString::number(std::fabs(value), 'f', decimals);
    }
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

QVariant parseAmount(const QString& text, bool* ok, const QLocale& locale, int decimals)
{
    *ok = false;
    QString rest = text.trimmed();
    if (rest.isEmpty()) {
        *ok = true;
        return {};
    }
    QString plain;  // the number in the C locale's form, built as the text is read
    if (rest.startsWith(locale.negativeSign()) || rest.startsWith(QLatin1Char('-'))) {
        plain += QLatin1Char('-');
        rest.remove(0, rest.startsWith(locale.negativeSign()) ? locale.negativeSign().size() : 1);
    } else if (rest.startsWith(locale.positiveSign()) || rest.startsWith(QLatin1Char('+'))) {
        rest.remove(0, rest.startsWith(locale.positiveSign()) ? locale.positiveSign().size() : 1);
    }
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const qsizetype pointAt = rest.indexOf(point);
    const QString whole = pointAt < 0 ? rest : rest.left(pointAt);
    const QString fraction = pointAt < 0 ? QString() : rest.mid(pointAt + point.size());
    const auto allDigits = [](const QString& part) {
        return std::all_of(part.begin(), part.end(),
                           [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
    };
    // The whole part: plain digits, or groups of three after a first group of one to three.
    QStringList groups = group.isEmpty() ? QStringList{whole} : whole.split(group);
    if (groups.size() > 1 && (groups.first().isEmpty() || groups.first().size() > 3 ||
                              std::any_of(groups.begin() + 1, groups.end(),
                                          [](const QString& g) { return g.size() != 3; }))) {
        return {};
    }
    const QString digits = groups.join(QString());
    if (!allDigits(digits) || !allDigits(fraction) || fraction.size() > decimals ||
        (digits.isEmpty() && fraction.isEmpty())) {
        return {};
    }
    plain += (digits.isEmpty() ? QStringLiteral("0") : digits) + QLatin1Char('.') + fraction +
             (fraction.isEmpty() ? QStringLiteral("0") : QString());
    bool read = false;
    const double value = plain.toDouble(&read);
    if (!read || !std::isfinite(value)) {
        return {};
    }
    *ok = true;
    return value;
}

QString unreadableAmountMessage(const QString& fieldCaption, const QString& text, int decimals,
                                const QLocale& locale)
{
    const QString example = decimals <= 2 ? formatFloat(1234.56, kAmountDisplay, locale)
                                          : formatFloat(1234.5678, kRateDisplay, locale);
    return QStringLiteral(
               "\"%1\" alanına yazılan \"%2\" sayı olarak okunamadı.\n\r"
               "Sayıyı %3 biçiminde, ondalık ayracından sonra en çok %4 basamakla "
               "yazınız.")
        .arg(fieldCaption, text, example, QString::number(decimals));
}

}  // namespace tamevo
