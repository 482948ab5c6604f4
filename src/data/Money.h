#pragma once

#include <QString>
#include <QVariant>

#include <cstdint>

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
// of a column in kuruş (an integer).
QString kurusSql(const QString& column);
QString kurusSumSql(const QString& column);

}  // namespace tamevo
