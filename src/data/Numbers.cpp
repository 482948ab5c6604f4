#include "data/Numbers.h"

#include <limits>

namespace tamevo {

qint64 SayiyaCevir(const QString& text)
{
    bool negative = false;
    bool anyDigit = false;
    qint64 value = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (i == 0 && (c == QLatin1Char('+') || c == QLatin1Char('-'))) {
            negative = c == QLatin1Char('-');
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            continue;
        }
        anyDigit = true;
        const int digit = c.unicode() - '0';
        if (value > (std::numeric_limits<qint64>::max() - digit) / 10) {
            value = std::numeric_limits<qint64>::max();
        } else {
            value = value * 10 + digit;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    return negative ? -value : value;
}

bool isValidWorkingYear(const QString& yearText)
{
    if (yearText.size() != 4) {
        return false;
    }
    for (const QChar c : yearText) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    const int year = yearText.toInt();
    return year >= 1970 && year <= 2100;
}

}  // namespace tamevo
