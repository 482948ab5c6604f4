#include "ledger/DayCalendar.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerTexts.h"
#include "reports/TwoDateQueries.h"

#include <gtest/gtest.h>

using namespace tamevo;

TEST(DayCalendar, RowsWeekdaysAndWeekendsOfAYear)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const struct {
        int year;
        int row;
        const char* text;
        bool weekend;
    } cases[] = {
        {2021, 1, "01.01.2021 Cuma", false},       {2021, 2, "02.01.2021 Cumartesi", true},
        {2021, 3, "03.01.2021 Pazar", true},       {2021, 4, "04.01.2021 Pazartesi", false},
        {2021, 365, "31.12.2021 Cuma", false},     {2021, 366, "01.01.2022 Cumartesi", true},
        {2020, 366, "31.12.2020 Perşembe", false}, {2020, 60, "29.02.2020 Cumartesi", true},
        {2023, 1, "01.01.2023 Pazar", true},       {2023, 7, "07.01.2023 Cumartesi", true},
        {2024, 1, "01.01.2024 Pazartesi", false},  {2024, 6, "06.01.2024 Cumartesi", true},
        {2024, 7, "07.01.2024 Pazar", true},       {2021, 6, "06.01.2021 Çarşamba", false},
    };
    DayCalendar calendar;
    for (const auto& c : cases) {
        calendar.fill(c.year, tr);
        ASSERT_EQ(calendar.rows().size(), DayCalendar::kRows);
        EXPECT_EQ(calendar.rowText(0), QStringLiteral("Kasa Tarihi"));
        EXPECT_EQ(calendar.rowText(c.row), QString::fromUtf8(c.text)) << c.year << "/" << c.row;
        EXPECT_EQ(calendar.isWeekendRow(c.row), c.weekend) << c.text;
    }
}

TEST(DayCalendar, FindsADaysRowAndReadsItBack)
{
    DayCalendar calendar;
    calendar.fill(2021, QLocale(QLocale::Turkish));
    EXPECT_EQ(calendar.rowOf(QDate(2021, 1, 5)), 5);
    EXPECT_EQ(calendar.rowOf(QDate(2022, 1, 1)), 366);
    EXPECT_EQ(calendar.rowOf(QDate(2020, 6, 1)), 366);  // outside the year: the last row
    EXPECT_EQ(calendar.dayOfRow(40), QDate(2021, 2, 9));
    EXPECT_EQ(calendar.dayOfRow(366), QDate(2022, 1, 1));
    EXPECT_FALSE(calendar.dayOfRow(0).isValid());

    // Another date separator is the system's own.
    calendar.fill(2021, QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(calendar.rowText(1), QStringLiteral("01/01/2021 Cuma"));
    EXPECT_EQ(calendar.dayOfRow(1), QDate(2021, 1, 1));
}

TEST(DayCalendar, TheYearIsTheWorkingYearOrThePickersYear)
{
    EXPECT_EQ(DayCalendar::calendarYear(2021, QDate(2030, 1, 1)), 2021);
    EXPECT_EQ(DayCalendar::calendarYear(1971, QDate(2030, 1, 1)), 1971);
    EXPECT_EQ(DayCalendar::calendarYear(1970, QDate(2030, 1, 1)), 2030);
    EXPECT_EQ(DayCalendar::calendarYear(2100, QDate(2030, 1, 1)), 2030);
    EXPECT_EQ(DayCalendar::calendarYear(0, QDate(2030, 1, 1)), 2030);
}

// The ledger's date box and the two-date window start inside the book's working year: today
// when it lies there, else the day shown (or 1 January), and the last thirty days of the year.
TEST(StartingDays, TodayOnlyWhenItLiesInTheWorkingYear)
{
    const struct {
        QDate today;
        int year;
        QDate shown;
        QDate day;
        QDate first;
        QDate last;
    } cases[] = {
        {{2021, 6, 15}, 2021, {2021, 3, 1}, {2021, 6, 15}, {2021, 5, 16}, {2021, 6, 15}},
        {{2026, 12, 10}, 2021, {2021, 3, 1}, {2021, 3, 1}, {2021, 12, 1}, {2021, 12, 31}},
        {{2026, 12, 10}, 2021, kZeroDate, {2021, 1, 1}, {2021, 12, 1}, {2021, 12, 31}},
        {{2022, 1, 2}, 2021, {2022, 1, 1}, {2021, 1, 1}, {2021, 12, 1}, {2021, 12, 31}},
        {{2021, 1, 10}, 2021, {}, {2021, 1, 10}, {2020, 12, 11}, {2021, 1, 10}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startingDay(c.today, c.year, c.shown), c.day) << c.today.toString().toStdString();
        const TwoDateRange range = startingTwoDateRange(c.today, c.year);
        EXPECT_EQ(range.first, c.first) << c.today.toString().toStdString();
        EXPECT_EQ(range.last, c.last) << c.today.toString().toStdString();
    }
}
