// Money as a count of kuruş: read from stored amounts, typed, shown, multiplied by a rate and
// summed, always to the kuruş and half away from zero.
#include "data/Money.h"

#include "support/MoneyPrinter.h"

#include <gtest/gtest.h>

using namespace tamevo;

TEST(Money, StoredAmountsRoundHalfAwayFromZeroToTheKurus)
{
    const struct {
        QVariant stored;
        std::int64_t kurus;
    } cases[] = {
        {QVariant(), 0},  {0.0, 0},
        {1234.5, 123450}, {0.005, 1},
        {-0.005, -1},     {2.675, 268},
        {-2.675, -268},   {1.004999, 100},
        {0.1 + 0.2, 30},  {99999999.99, 9999999999},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Money::fromStored(c.stored).kurus(), c.kurus)
            << c.stored.toString().toStdString();
    }
    // A sum of many amounts counts kuruş, so it equals the sum of the amounts as shown.
    Money total;
    for (int i = 0; i < 1000; ++i) {
        total += Money::fromStored(0.1);
    }
    EXPECT_EQ(total, lira(100));
    EXPECT_EQ((lira(10.10) - lira(10)).stored(), 0.1);
}

TEST(Money, ReadAndShownAsTheLocaleWritesThem)
{
    const QLocale turkish(QLocale::Turkish);
    EXPECT_EQ(Money::parse(QStringLiteral("1.234,56"), turkish), lira(1234.56));
    EXPECT_EQ(Money::parse(QStringLiteral(",5"), turkish), lira(0.5));
    EXPECT_EQ(Money::parse(QString(), turkish), Money());
    for (const char* refused : {"1234.56", "1,234", "12a", "1e3"}) {
        EXPECT_EQ(Money::parse(QString::fromLatin1(refused), turkish), std::nullopt) << refused;
    }
    EXPECT_EQ(lira(1234567.8).text(turkish), QStringLiteral("1.234.567,80"));
    EXPECT_EQ(lira(-0.5).text(turkish), QStringLiteral("-,50"));
    EXPECT_EQ(Money().text(turkish), QStringLiteral(",00"));
}

TEST(Money, ADerivedAmountIsRoundedToTheKurus)
{
    EXPECT_EQ(lira(100).times(34.1235), lira(3412.35));
    EXPECT_EQ(lira(0.01).times(0.5), lira(0.01));
    EXPECT_EQ(lira(-0.01).times(0.5), lira(-0.01));
    EXPECT_EQ(lira(33.33).times(3), lira(99.99));
}
