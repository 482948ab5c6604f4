#include "data/Money.h"

#include "data/DisplayFormat.h"

#include <cmath>

namespace tamevo {

std::int64_t roundedUnits(double value, int decimals)
{
    // Half away from zero on the value times the units, computed exactly as the SQL of the
    // sums computes it (kurusSql), so a figure read from the database and one computed here
    // always agree.
    const double scaled = value * std::pow(10.0, decimals);
    return std::int64_t(scaled + (scaled < 0 ? -0.5 : 0.5));
}

std::int64_t kurus(double value)
{
    return roundedUnits(value, 2);
}

std::int64_t kurus(const QVariant& value)
{
    return value.isNull() || !value.isValid() ? 0 : kurus(value.toDouble());
}

double fromKurus(std::int64_t kurus)
{
    return double(kurus) / 100.0;
}

double roundMoney(double value)
{
    return fromKurus(kurus(value));
}

QString kurusSql(const QString& column, SqlEngine engine)
{
    // SQLite's CAST to an integer cuts the fraction off; the server's rounds, so trunc() cuts
    // it there first.
    const QString shifted =
        QStringLiteral("%1 * 100 + (CASE WHEN %1 < 0 THEN -0.5 ELSE 0.5 END)").arg(column);
    return engine == SqlEngine::PostgreSQL
               ? QStringLiteral("CAST(trunc(%1) AS BIGINT)").arg(shifted)
               : QStringLiteral("CAST(%1 AS INTEGER)").arg(shifted);
}

QString kurusSumSql(const QString& column, SqlEngine engine)
{
    return QStringLiteral("SUM(%1)").arg(kurusSql(column, engine));
}

std::optional<Money> Money::parse(const QString& text, const QLocale& locale)
{
    bool ok = false;
    const QVariant value = parseAmount(text, &ok, locale, 2);
    if (!ok) {
        return std::nullopt;
    }
    return fromStored(value);
}

QString Money::text(const QLocale& locale) const
{
    return formatFloat(stored(), kAmountDisplay, locale);
}

Money Money::times(double rate) const
{
    return fromStored(stored() * rate);
}

}  // namespace tamevo
