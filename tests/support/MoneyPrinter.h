#pragma once

#include "data/Money.h"

#include <ostream>

namespace tamevo {

// Test failures show an amount as the program writes it, in lira with two decimals.
inline void PrintTo(const Money& money, std::ostream* out)
{
    *out << money.text(QLocale::c()).toStdString() << " TL";
}

// An amount in lira, as the tests write their figures.
inline Money lira(double amount)
{
    return Money::fromStored(amount);
}

}  // namespace tamevo
