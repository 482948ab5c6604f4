#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace tamevo {

// The year calendar under the date list: a title row and 366 day rows from 1 January of
// the calendar year on (in a year of 365 days the last row is 1 January of the next year).
class DayCalendar {
public:
    static constexpr int kRows = 367;
    static inline const QString kTitle = QStringLiteral("Kasa Tarihi");

    // The calendar year: the working year when it lies from 1971 to 2099, otherwise the
    // year of the ledger's date picker.
    static int calendarYear(int workingYear, const QDate& pickerDate);

    // Fills the rows for a year (tarihyukle's content).
    void fill(int year, const QLocale& locale = QLocale());

    int year() const { return year_; }
    // Row texts; row 0 is the title.
    const QStringList& rows() const { return rows_; }
    QString rowText(int row) const { return rows_.value(row); }

    // Saturday and Sunday rows are shaded: k = 8 − w, w the weekday of 1 January (Sunday 1
    // to Saturday 7); row r is a weekend row when r mod 7 is k mod 7 or (k + 1) mod 7.
    bool isWeekendRow(int row) const;

    // The row of a day (stringtebul): the first day row whose first ten characters are the
    // day's two-digit day, month and year with the date separator; the last row when none.
    int rowOf(const QDate& day) const;

    // The day of a day row (the double click reads it back from the text); invalid for the
    // title row or a row out of range.
    QDate dayOfRow(int row) const;

    // The system's date separator ("." under Turkish settings).
    static QString dateSeparator(const QLocale& locale);
    // Turkish weekday names, by Qt's day number (Monday 1 to Sunday 7).
    static QString weekdayName(int dayOfWeek);

private:
    QString dayKey(const QDate& day) const;

    int year_ = 0;
    int weekendOffset_ = 0;
    QString separator_ = QStringLiteral(".");
    QStringList rows_{kTitle};
};

}  // namespace tamevo
