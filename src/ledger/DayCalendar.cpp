#include "ledger/DayCalendar.h"

namespace tamevo {

int DayCalendar::calendarYear(int workingYear, const QDate& pickerDate)
{
    if (workingYear >= 1971 && workingYear <= 2099) {
        return workingYear;
    }
    return pickerDate.year();
}

QString DayCalendar::dateSeparator(const QLocale& locale)
{
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat)) {
        if (!c.isLetter()) {
            return QString(c);
        }
    }
    return QStringLiteral(".");
}

QString DayCalendar::weekdayName(int dayOfWeek)
{
    static const char* const names[] = {"Pazartesi", "Salı",      "Çarşamba", "Perşembe",
                                        "Cuma",      "Cumartesi", "Pazar"};
    return dayOfWeek >= 1 && dayOfWeek <= 7 ? QString::fromUtf8(names[dayOfWeek - 1]) : QString();
}

QString DayCalendar::dayKey(const QDate& day) const
{
    return QStringLiteral("%1%2%3%4%5")
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .arg(separator_)
        .arg(day.month(), 2, 10, QLatin1Char('0'))
        .arg(separator_)
        .arg(day.year());
}

void DayCalendar::fill(int year, const QLocale& locale)
{
    year_ = year;
    separator_ = dateSeparator(locale);
    QDate day(year, 1, 1);
    // Weekday number with Sunday 1 to Saturday 7.
    const int w = day.dayOfWeek() % 7 + 1;
    weekendOffset_ = 8 - w;
    rows_ = QStringList{kTitle};
    for (int row = 1; row < kRows; ++row) {
        rows_ << dayKey(day) + QLatin1Char(' ') + weekdayName(day.dayOfWeek());
        day = day.addDays(1);
    }
}

bool DayCalendar::isWeekendRow(int row) const
{
    const int r = row % 7;
    return r == weekendOffset_ % 7 || r == (weekendOffset_ + 1) % 7;
}

int DayCalendar::rowOf(const QDate& day) const
{
    if (rows_.size() < kRows) {
        return 0;
    }
    const QString key = day.isValid() ? dayKey(day) : QString();
    for (int row = 1; row < kRows && !key.isEmpty(); ++row) {
        if (rows_[row].left(10) == key) {
            return row;
        }
    }
    return kRows - 1;
}

QDate DayCalendar::dayOfRow(int row) const
{
    if (row < 1 || row >= rows_.size()) {
        return {};
    }
    const QString text = rows_[row];
    return QDate(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt());
}

}  // namespace tamevo
