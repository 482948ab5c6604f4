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
        // Half away from zero, on the value times the units, as the money sums count it.
        {0.125, "#,###.00", ",13", ".13"},
        {-0.125, "#,###.00", "-,13", "-.13"},
        {0.335, "#,###.00", ",34", ".34"},
        {1.005, "#,###.00", "1,00", "1.00"},
        {2.675, "#,###.00", "2,68", "2.68"},
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

TEST(DisplayFormat, AmountsAreReadOnlyAsTheLocaleWritesThem)
{
    const QLocale tr(QLocale::Turkish, QLocale::Turkey);
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const struct {
        const QLocale& locale;
        const char* text;
        int decimals;
        std::optional<double> value;  // nullopt: refused
    } cases[] = {
        {tr, "1.234,56", 2, 1234.56},
        {tr, "1234,56", 2, 1234.56},
        {tr, "30,5", 2, 30.5},
        {tr, "30,", 2, 30},
        {tr, ",50", 2, 0.5},
        {tr, "-570,00", 2, -570},
        {tr, "1.234.567", 2, 1234567},
        {tr, " 12 ", 2, 12},
        {tr, "30.5", 2, std::nullopt},     // a dot as decimal mark
        {tr, "1.5", 2, std::nullopt},      // a group of one digit
        {tr, "1234.56", 2, std::nullopt},  // four digits before a group separator
        {tr, "1.23", 2, std::nullopt},
        {tr, "0,335", 2, std::nullopt},  // three decimals
        {tr, "1e3", 2, std::nullopt},
        {tr, "12a", 2, std::nullopt},
        {tr, ",", 2, std::nullopt},
        {tr, "1,2,3", 2, std::nullopt},
        {tr, "--5", 2, std::nullopt},
        {tr, "32,5678", 4, 32.5678},  // a rate takes four decimals
        {tr, "32,56789", 4, std::nullopt},
        {en, "1,234.56", 2, 1234.56},
        {en, "30.5", 2, 30.5},
        {en, "30,5", 2, std::nullopt},
    };
    for (const auto& c : cases) {
        bool ok = false;
        const QVariant value = parseAmount(QString::fromLatin1(c.text), &ok, c.locale, c.decimals);
        EXPECT_EQ(ok, c.value.has_value()) << c.text;
        if (c.value) {
            EXPECT_DOUBLE_EQ(value.toDouble(), *c.value) << c.text;
        }
    }
    bool ok = false;
    EXPECT_TRUE(parseAmount(QStringLiteral("  "), &ok, tr).isNull());
    EXPECT_TRUE(ok);
    EXPECT_EQ(unreadableAmountMessage(QStringLiteral("Kasaya Giren Tutar"), QStringLiteral("30.5"),
                                      2, tr),
              QStringLiteral("\"Kasaya Giren Tutar\" alanına yazılan \"30.5\" sayı olarak "
                             "okunamadı.\n\rSayıyı 1.234,56 biçiminde, ondalık ayracından "
                             "sonra en çok 2 basamakla yazınız."));
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
