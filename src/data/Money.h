#pragma once

#include "data/SqlEngine.h"

#include <QLocale>
#include <QString>
#include <QVariant>

#include <compare>
#include <cstdint>
#include <optional>

namespace tamevo {

// Money is counted in kuruş. The columns keep their amounts as REAL so other tools read the
// files; the rule lives in the code that reads and writes them: an amount counts as its value
// rounded half away from zero to two decimals (as the grid shows it), sums add kuruş as
// integers, and balances are compared in kuruş, never as binary sums.

// The value in kuruş, rounded half away from zero; an empty (null) value is 0.
std::int64_t kurus(double value);
std::int64_t kurus(const QVariant& value);
// The amount of a kuruş count, as the REAL the columns hold.
double fromKurus(std::int64_t kurus);
// An amount rounded half away from zero to two decimals (derived amounts before they are
// stored).
double roundMoney(double value);
// A value rounded half away from zero to `decimals` decimals, counted in those units.
std::int64_t roundedUnits(double value, int decimals);

// SQL: the kuruş of an amount column, by the same arithmetic as kurus(), and the exact sum
// of a column in kuruş (an integer), for the engine the statement runs on.
QString kurusSql(const QString& column, SqlEngine engine);
QString kurusSumSql(const QString& column, SqlEngine engine);

// An amount of money: a whole number of kuruş. Figures, totals and sums are Money; a double
// appears only where a stored REAL column is read (fromStored) or written (stored).
class Money {
public:
    constexpr Money() = default;
    static constexpr Money fromKurus(std::int64_t kurus) { return Money(kurus); }
    // A stored amount, rounded half away from zero to the kuruş; an empty value is nothing.
    static Money fromStored(const QVariant& value) { return Money(tamevo::kurus(value)); }
    static Money fromStored(double value) { return Money(tamevo::kurus(value)); }
    // An amount typed as the locale writes it, with at most two decimals (parseAmount): none
    // for a text that is not such an amount; zero for an empty text.
    static std::optional<Money> parse(const QString& text, const QLocale& locale = QLocale());

    constexpr std::int64_t kurus() const { return kurus_; }
    // The REAL a column stores.
    double stored() const { return tamevo::fromKurus(kurus_); }
    // The display format "#,###.00" in the locale's separators (",00" for zero).
    QString text(const QLocale& locale = QLocale()) const;

    // The amount times a rate, rounded half away from zero to the kuruş (a derived amount).
    Money times(double rate) const;

    constexpr bool isZero() const { return kurus_ == 0; }
    constexpr Money operator-() const { return Money(-kurus_); }
    constexpr Money& operator+=(Money other)
    {
        kurus_ += other.kurus_;
        return *this;
    }
    constexpr Money& operator-=(Money other)
    {
        kurus_ -= other.kurus_;
        return *this;
    }
    friend constexpr Money operator+(Money a, Money b) { return a += b; }
    friend constexpr Money operator-(Money a, Money b) { return a -= b; }
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(std::int64_t kurus) : kurus_(kurus) {}
    std::int64_t kurus_ = 0;
};

}  // namespace tamevo
