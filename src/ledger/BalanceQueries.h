#pragma once

#include "data/Statement.h"

#include <QDate>
#include <QString>

namespace tamevo {

// The statements behind the day figures. They read the per-day, per-currency totals of
// nakit (nakit_gunluk), so each costs what the number of days costs. An empty currency
// means no currency condition (all currencies).

// Every day that has a movement (of the currency), newest first.
Statement dateListStatement(const QString& currency);
// Money in and out before the day (BorcToplam, AlacakToplam; empty sums when none).
Statement dayStartStatement(const QString& currency, const QDate& day);
// Money in and out on the day.
Statement dayTotalsStatement(const QString& currency, const QDate& day);
// One row per currency that has any movement: doviz_cinsi, GunBasi (amounts greater than
// zero only, before the day), BorcToplam and AlacakToplam of the day.
Statement currencySummaryStatement(const QDate& day);

}  // namespace tamevo
