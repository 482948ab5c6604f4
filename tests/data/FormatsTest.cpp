#include "data/DisplayFormat.h"
#include "data/Numbers.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

using namespace tamevo;

namespace {

struct FormatCase {
    std::optional<double> value;  // nullopt: an empty field
    const char* pattern;
    const char* turkish;
    const char* english;
};

}  // namespace

TEST(DisplayFormat, AmountsAndRatesUnderTurkishAndEnglishSettings)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const FormatCase cases[] = {
        {1234.5, "#,###.00", "1.234,50", "1,234.50"},
        {0.0, "#,###.00", ",00", ".00"},
        {std::nullopt, "#,###.00", "", ""},
        {-570.0, "#,###.00", "-570,00", "-570.00"},
        {-0.004, "#,###.00", ",00", ".00"},  // rounds to zero: no minus
        {0.5, "#,###.00", ",50", ".50"},
        {1234567.891, "#,###.00", "1.234.567,89", "1,234,567.89"},
        {999.999, "#,###.00", "1.000,00", "1,000.00"},
        {1234.5, "#.00", "1234,50", "1234.50"},
        {-1234.5, "#.00", "-1234,50", "-1234.50"},
        {32.5, "#,###.0000", "32,5000", "32.5000"},
        {12345.678912, "#,###.0000", "12.345,6789", "12,345.6789"},
        {0.0, "#.0000", ",0000", ".0000"},
        {1.23456, "#.0000", "1,2346", "1.2346"},
    };
    for (const FormatCase& c : cases) {
        const QVariant v = c.value ? QVariant(*c.value) : QVariant();
        const QString pattern = QString::fromLatin1(c.pattern);
        EXPECT_EQ(formatField(v, pattern, tr), QString::fromUtf8(c.turkish))
            << c.pattern << " " << c.value.value_or(-1);
        EXPECT_EQ(formatField(v, pattern, en), QString::fromUtf8(c.english))
            << c.pattern << " " << c.value.value_or(-1);
    }
}

TEST(DisplayFormat, ListDayHasTheLocalesShortWeekday)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    EXPECT_EQ(formatListDay(QDate(2021, 1, 5), tr), QStringLiteral("05.01.2021 Sal"));
    EXPECT_EQ(formatListDay(QDate(2021, 1, 1), tr), QStringLiteral("01.01.2021 Cum"));
    EXPECT_EQ(formatListDay(QDate(2022, 1, 1), tr), QStringLiteral("01.01.2022 Cmt"));
    EXPECT_EQ(formatListDay(QDate(2021, 1, 6), QLocale(QLocale::English)),
              QStringLiteral("06.01.2021 Wed"));
    EXPECT_EQ(formatListDay(QDate()), QString());
}

TEST(DisplayFormat, ParseAmountReadsTheLocalesSeparators)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    bool ok = false;
    EXPECT_DOUBLE_EQ(parseAmount(QStringLiteral("1.234,50"), &ok, tr).toDouble(), 1234.5);
    EXPECT_TRUE(ok);
    EXPECT_DOUBLE_EQ(parseAmount(QStringLiteral("1234,5"), &ok, tr).toDouble(), 1234.5);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(parseAmount(QStringLiteral("  "), &ok, tr).isNull());
    EXPECT_TRUE(ok);
    parseAmount(QStringLiteral("12a"), &ok, tr);
    EXPECT_FALSE(ok);
}

TEST(SayiyaCevir, KeepsDigitsAndALeadingSign)
{
    const struct {
        const char* text;
        qint64 value;
    } cases[] = {
        {"2021", 2021},
        {"20a1", 201},
        {"-7", -7},
        {"+7", 7},
        {"7-", 7},
        {"", 0},
        {"abc", 0},
        {"-", 0},
        {" 12", 12},
        {"1.970", 1970},
        {"99999999999999999999999", std::numeric_limits<qint64>::max()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SayiyaCevir(QString::fromLatin1(c.text)), c.value) << c.text;
    }
}

TEST(WorkingYear, IsFourDigitsFrom1970To2100)
{
    const struct {
        const char* text;
        bool valid;
    } cases[] = {
        {"1970", true},  {"2100", true}, {"2021", true}, {"1969", false},  {"2101", false},
        {"20a1", false}, {"", false},    {"202", false}, {"+2021", false}, {"02021", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isValidWorkingYear(QString::fromLatin1(c.text)), c.valid) << c.text;
    }
}
