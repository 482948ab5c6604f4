#include "reports/AnalysisQueries.h"

#include "data/Money.h"

#include "data/Errors.h"

namespace tamevo {

namespace {

// The period's movements of a side with their condition's values: an amount greater than
// zero (an empty amount is not one), both days included, the currency when one is chosen.
// In a file the days are compared as values ("+"), not through the index of days: a period is
// mostly a whole year, which the covering indexes of currency and group read faster than the
// movements themselves found day by day. The server has no "+" for a text; its planner
// chooses by its statistics.
Statement sideCondition(AnalysisSide side, const AnalysisPeriod& period, SqlEngine engine)
{
    const QString day = engine == SqlEngine::PostgreSQL ? QStringLiteral("islem_tarihi")
                                                        : QStringLiteral("+islem_tarihi");
    Statement condition{
        QStringLiteral(" WHERE %1 > 0 AND %2 >= ? AND %2 <= ?").arg(amountField(side), day),
        {period.first, period.last}};
    if (!period.currency.isEmpty()) {
        condition.sql += QStringLiteral(" AND doviz_cinsi = ?");
        condition.values << period.currency;
    }
    return condition;
}

// Sums per `groupField` and currency; each movement adds its amount in whole kuruş. The
// groups are formed in the order of the index on currency and group (nakit_doviz_neden,
// nakit_doviz_kaynak), which holds every value they read, then listed by group.
Statement groupTotals(AnalysisSide side, const AnalysisPeriod& period, const QString& groupField,
                      const QString& extraCondition, SqlEngine engine)
{
    const Statement condition = sideCondition(side, period, engine);
    return {QStringLiteral("SELECT %1, doviz_cinsi, %2 / 100.0 AS %3 FROM nakit")
                    .arg(groupField, kurusSumSql(amountField(side), engine), sumField(side)) +
                condition.sql + extraCondition +
                QStringLiteral(
                    " GROUP BY doviz_cinsi, %1 ORDER BY %1 NULLS FIRST, doviz_cinsi NULLS FIRST")
                    .arg(groupField),
            condition.values};
}

}  // namespace

QString amountField(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? QStringLiteral("borc_tutar")
                                             : QStringLiteral("alacak_tutar");
}

QString sumField(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? QStringLiteral("borctutartop")
                                             : QStringLiteral("alacaktutartop");
}

Statement typeTotalsStatement(AnalysisSide side, const AnalysisPeriod& period, SqlEngine engine)
{
    return groupTotals(side, period, QStringLiteral("neden"), {}, engine);
}

Statement sourceTotalsStatement(AnalysisSide side, const AnalysisPeriod& period, SqlEngine engine)
{
    return groupTotals(side, period, QStringLiteral("bankaadi"),
                       QStringLiteral(" AND bankaadi IS NOT NULL"), engine);
}

Statement detailStatement(AnalysisSide side, const AnalysisPeriod& period,
                          const QString& groupField, const std::optional<QVariant>& groupValue,
                          SqlEngine engine)
{
    if (groupField != QLatin1String("neden") && groupField != QLatin1String("bankaadi")) {
        throw Error(QStringLiteral("%1 alanına göre ayrıntı listelenemez.").arg(groupField));
    }
    Statement statement = sideCondition(side, period, engine);
    // IS NOT DISTINCT FROM compares a null as a value: the group of movements without a type is
    // selected as exactly as the group of a name.
    statement.sql = QStringLiteral("SELECT * FROM nakit") + statement.sql +
                    (groupValue ? QStringLiteral(" AND %1 IS NOT DISTINCT FROM ?").arg(groupField)
                                : QStringLiteral(" AND 1 = 0")) +
                    QStringLiteral(" ORDER BY islem_tarihi, nid");
    if (groupValue) {
        statement.values << *groupValue;
    }
    return statement;
}

QString analysisPeriodText(const AnalysisPeriod& period)
{
    const auto day = [](const QDate& d) {
        return QStringLiteral("%1/%2/%3").arg(d.day()).arg(d.month()).arg(d.year());
    };
    return day(period.first) + QStringLiteral(" - ") + day(period.last);
}

}  // namespace tamevo
