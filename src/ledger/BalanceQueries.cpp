#include "ledger/BalanceQueries.h"

namespace tamevo {

namespace {

// Sums of the totals table that stay empty when no movement has a value on that side, as a
// sum over the movements themselves would; whole kuruş, given as amounts.
const QString kSums = QStringLiteral(
    "SELECT SUM(CASE WHEN borc_adet > 0 THEN borc_kurus END) / 100.0 AS BorcToplam, "
    "SUM(CASE WHEN alacak_adet > 0 THEN alacak_kurus END) / 100.0 AS AlacakToplam "
    "FROM nakit_gunluk ");

Statement sumsStatement(const QString& currency, const QDate& day, const QString& comparison)
{
    if (currency.isEmpty()) {
        return {kSums + QStringLiteral("WHERE islem_tarihi %1 ?").arg(comparison), {day}};
    }
    return {kSums + QStringLiteral("WHERE doviz_cinsi = ? AND islem_tarihi %1 ?").arg(comparison),
            {currency, day}};
}

}  // namespace

Statement dateListStatement(const QString& currency)
{
    if (currency.isEmpty()) {
        return {
            QStringLiteral("SELECT islem_tarihi FROM nakit_gunluk WHERE islem_tarihi IS NOT NULL "
                           "GROUP BY islem_tarihi ORDER BY islem_tarihi DESC"),
            {}};
    }
    return {QStringLiteral("SELECT islem_tarihi FROM nakit_gunluk WHERE doviz_cinsi = ? "
                           "AND islem_tarihi IS NOT NULL ORDER BY islem_tarihi DESC"),
            {currency}};
}

Statement dayStartStatement(const QString& currency, const QDate& day)
{
    return sumsStatement(currency, day, QStringLiteral("<"));
}

Statement dayTotalsStatement(const QString& currency, const QDate& day)
{
    return sumsStatement(currency, day, QStringLiteral("="));
}

Statement currencySummaryStatement(const QDate& day)
{
    return {
        QStringLiteral("SELECT doviz_cinsi, "
                       "(SUM(CASE WHEN islem_tarihi < ? THEN borc_arti_kurus ELSE 0 END) - "
                       "SUM(CASE WHEN islem_tarihi < ? THEN alacak_arti_kurus ELSE 0 END)) "
                       "/ 100.0 AS GunBasi, "
                       "SUM(CASE WHEN islem_tarihi = ? THEN borc_kurus ELSE 0 END) / 100.0 "
                       "AS BorcToplam, "
                       "SUM(CASE WHEN islem_tarihi = ? THEN alacak_kurus ELSE 0 END) / 100.0 "
                       "AS AlacakToplam "
                       "FROM nakit_gunluk GROUP BY doviz_cinsi ORDER BY doviz_cinsi NULLS FIRST"),
        {day, day, day, day}};
}

}  // namespace tamevo
