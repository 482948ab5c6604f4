#pragma once

#include "reportengine/ReportTemplate.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QVariant>

namespace tamevo::report {

// Writes a value as a report object's format asks. An empty (null) value is blank whatever
// the format. Amounts group thousands with the locale's separator and always have two
// decimals after a decimal comma (1234.5 is "1.234,50" under Turkish settings); rates the
// same with five decimals; dates by the template's pattern ("dd.mm.yyyy", "dd.mmmm.yyyy",
// "dddd") with the locale's month and day names. A value the format does not fit (text
// under an amount format) is written as text. Text is the system's conventions: a day in
// the short date format, a number without grouping.
QString formatValue(const QVariant& value, const ValueFormat& format, const QLocale& locale);

// The pattern of a template date format in Qt's notation ("dd.mmmm.yyyy" -> "dd.MMMM.yyyy").
QString qtDatePattern(const QString& templatePattern);

// "[DATE]" and "[TIME]": the short date and the long time of the locale (a time zone, which
// the locale's long format may name, is left out).
QString reportDate(const QDate& date, const QLocale& locale);
QString reportTime(const QTime& time, const QLocale& locale);

}  // namespace tamevo::report
