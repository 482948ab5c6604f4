#include "reportengine/ValueText.h"

#include "data/DisplayFormat.h"

namespace tamevo::report {

namespace {

const QString kAmountPattern = QStringLiteral("#,##0.00");
const QString kRatePattern = QStringLiteral("#,##0.00000");
const QString kDecimalComma = QStringLiteral(",");

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
            return true;
        default:
            return false;
    }
}

QDate dateOf(const QVariant& value)
{
    switch (value.typeId()) {
        case QMetaType::QDate:
            return value.toDate();
        case QMetaType::QDateTime:
            return value.toDateTime().date();
        case QMetaType::QString:
            return QDate::fromString(value.toString(), Qt::ISODate);
        default:
            return {};
    }
}

QString asText(const QVariant& value, const QLocale& locale)
{
    switch (value.typeId()) {
        case QMetaType::QDate:
            return locale.toString(value.toDate(), QLocale::ShortFormat);
        case QMetaType::QDateTime:
            return locale.toString(value.toDateTime(), QLocale::ShortFormat);
        case QMetaType::Double:
        case QMetaType::Float: {
            QLocale plain = locale;
            plain.setNumberOptions(QLocale::OmitGroupSeparator);
            return plain.toString(value.toDouble(), 'g', 15);
        }
        default:
            return value.toString();
    }
}

}  // namespace

QString qtDatePattern(const QString& templatePattern)
{
    QString pattern = templatePattern;
    pattern.replace(QLatin1Char('m'), QLatin1Char('M'));
    return pattern;
}

QString formatValue(const QVariant& value, const ValueFormat& format, const QLocale& locale)
{
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    switch (format.kind) {
        case ValueFormat::Kind::Text:
            break;
        case ValueFormat::Kind::Amount:
        case ValueFormat::Kind::Rate: {
            bool ok = isNumber(value);
            const double number = ok ? value.toDouble() : locale.toDouble(value.toString(), &ok);
            if (!ok) {
                break;
            }
            return formatFloat(
                number, format.kind == ValueFormat::Kind::Amount ? kAmountPattern : kRatePattern,
                locale.groupSeparator(), kDecimalComma, locale.negativeSign());
        }
        case ValueFormat::Kind::Date: {
            const QDate date = dateOf(value);
            if (!date.isValid()) {
                break;
            }
            return locale.toString(date, qtDatePattern(format.datePattern));
        }
    }
    return asText(value, locale);
}

QString reportDate(const QDate& date, const QLocale& locale)
{
    return locale.toString(date, QLocale::ShortFormat);
}

QString reportTime(const QTime& time, const QLocale& locale)
{
    QString pattern = locale.timeFormat(QLocale::LongFormat);
    pattern.remove(QLatin1Char('t'));
    return locale.toString(time, pattern.trimmed());
}

}  // namespace tamevo::report
