#pragma once

#include "data/Connection.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <cstdint>

#include <functional>

namespace tamevo {

class Ledger;

// The money in and out of one currency over a whole year.
struct CurrencyTotal {
    QVariant currency;  // doviz_cinsi as stored (null for movements without one)
    std::int64_t inKurus = 0;
    std::int64_t outKurus = 0;
    std::int64_t balanceKurus() const { return inKurus - outKurus; }
};

inline const QString kCarryOverType = QStringLiteral("DEVİR");
inline const QString kCarryOverDone = QStringLiteral("Aktarım tamamlandı");
inline const QString kCarryOverSecondQuestion =
    QStringLiteral("Yıl sonu devir tutarları alındı.\n\rYeni yıla aktarılsınmı?");
QString carryOverFirstQuestion(int year);

// Every currency's money in and out in the database open on `connection`, the year's own
// carry-over rows included, in currency order: a row a currency of the yearly totals. Throws
// Error.
QList<CurrencyTotal> yearTotals(Connection& connection);

// The first carry-over row ("DEVİR", in day and number order) of every currency that has one
// in the database open on `connection`, its money in and out in kuruş, in currency order. One
// index seek per currency of the yearly totals. Throws Error.
QList<CurrencyTotal> carryOverRows(Connection& connection);

// Writes one carry-over row per currency into the database of year closedYear + 1 open on
// `connection`: dated 1 January, due 31 December of the closed year, the closing balance on
// the money-in side when it is above zero, else its negation on the money-out side. The
// first existing "DEVİR" row of the currency is changed in place; otherwise a row is added.
// The row of a currency that has no movement in the closed year any more is kept as it is.
// All rows are written in one transaction: a failure leaves the database as it was. Throws
// Error.
void writeCarryOverRows(Connection& connection, int closedYear, const QList<CurrencyTotal>& totals);

// The year-end carry-over of the open cash book (YilSonuDevri): the two questions, the totals
// of the open year read before the switch, the switch of the ledger to the next year and the
// rows written there. `setYearText` keeps the entry screen's year box in step with the open
// year. Throws ValidationError when the next year's database cannot be made (the ledger and
// the year box then stay on the closed year) and Error for a disk or engine failure.
void YilSonuDevri(Ledger& ledger, const std::function<void(const QString&)>& setYearText);

}  // namespace tamevo
