#pragma once

#include "data/SqlEngine.h"
#include "data/Statement.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>

namespace tamevo {

// The two sides of the income and expense analysis: collections are money in (borc_tutar),
// payments money out (alacak_tutar).
enum class AnalysisSide { Collections, Payments };

// The period and currency of the analysis. An empty currency is every currency ("Hepsi");
// both days belong to the period.
struct AnalysisPeriod {
    QString currency;
    QDate first;
    QDate last;
};

// The amount column of a side and the name its sums carry.
QString amountField(AnalysisSide side);  // borc_tutar, alacak_tutar
QString sumField(AnalysisSide side);     // borctutartop, alacaktutartop

// The side's movements of the period (amount greater than zero) summed per transaction type
// and currency: neden, doviz_cinsi and the sum (ffQuery1, ffQuery2). Each movement counts
// in whole kuruş, rounded half away from zero, so a sum is exactly the sum of what its
// movements show.
Statement typeTotalsStatement(AnalysisSide side, const AnalysisPeriod& period, SqlEngine engine);
// The same per source, leaving out movements without a source: bankaadi, doviz_cinsi and the
// sum (ADOQuery1, ADOQuery2).
Statement sourceTotalsStatement(AnalysisSide side, const AnalysisPeriod& period, SqlEngine engine);

// The side's movements of the period whose `groupField` (neden or bankaadi) holds exactly
// `groupValue`, every column of nakit, in date order. A null value selects the movements
// without one, an empty text those stored with an empty text; without a group (nullopt) no
// movement is selected.
Statement detailStatement(AnalysisSide side, const AnalysisPeriod& period,
                          const QString& groupField, const std::optional<QVariant>& groupValue,
                          SqlEngine engine);

// The period as the analysis prints it: both days day/month/year without leading zeros,
// joined by " - " ("1/1/2021 - 31/12/2021").
QString analysisPeriodText(const AnalysisPeriod& period);

}  // namespace tamevo
