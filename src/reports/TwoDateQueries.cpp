#include "reports/TwoDateQueries.h"

#include "data/Money.h"
#include "lists/ReferenceLists.h"

namespace tamevo {

namespace {

// The range condition on a table with islem_tarihi and doviz_cinsi, and its values.
Statement rangeCondition(const TwoDateRange& range)
{
    if (range.currency.isEmpty()) {
        return {QStringLiteral("WHERE islem_tarihi <= ? AND islem_tarihi >= ? "),
                {range.last, range.first}};
    }
    return {QStringLiteral("WHERE doviz_cinsi = ? AND islem_tarihi <= ? AND islem_tarihi >= ? "),
            {range.currency, range.last, range.first}};
}

Statement withCondition(const QString& head, const TwoDateRange& range, const QString& tail)
{
    const Statement condition = rangeCondition(range);
    return {head + condition.sql + tail, condition.values};
}

const QString kMovementsHead = QStringLiteral(
    "SELECT nid, islem_tarihi, borc_tutar, alacak_tutar, doviz_cinsi, aciklama, "
    "neden FROM nakit ");

}  // namespace

TwoDateRange startingTwoDateRange(const QDate& today, int workingYear)
{
    const QDate last = today.year() == workingYear ? today : QDate(workingYear, 12, 31);
    return {{}, last.addDays(-30), last};
}

QString twoDateCurrency(const QString& boxText)
{
    return boxText == kAllCurrencies ? QString() : boxText;
}

Statement twoDateMovementsStatement(const TwoDateRange& range)
{
    return withCondition(kMovementsHead, range, QStringLiteral("ORDER BY islem_tarihi, nid"));
}

Statement twoDateMovementsPage(const TwoDateRange& range, const QDate& afterDay, qint64 afterNid,
                               int count)
{
    Statement page = withCondition(kMovementsHead, range, {});
    if (afterDay.isValid()) {
        page.sql += QStringLiteral("AND (islem_tarihi, nid) > (?, ?) ");
        page.values << afterDay << afterNid;
    }
    page.sql += QStringLiteral("ORDER BY islem_tarihi, nid LIMIT ?");
    page.values << count;
    return page;
}

Statement twoDateSumsStatement(const TwoDateRange& range)
{
    return withCondition(QStringLiteral("SELECT SUM(borc_kurus) AS BorcKurus, "
                                        "SUM(alacak_kurus) AS AlacakKurus FROM nakit_gunluk "),
                         range, {});
}

Statement twoDateDayTotalsStatement(const TwoDateRange& range)
{
    // The per-day totals table holds exactly these sums (a side with no amount is empty).
    return withCondition(QStringLiteral("SELECT islem_tarihi, doviz_cinsi, "
                                        "CASE WHEN borc_adet > 0 THEN borc_kurus / 100.0 END "
                                        "AS BorcToplam, "
                                        "CASE WHEN alacak_adet > 0 THEN alacak_kurus / 100.0 END "
                                        "AS AlacakToplam "
                                        "FROM nakit_gunluk "),
                         range, QStringLiteral("ORDER BY islem_tarihi, doviz_cinsi NULLS FIRST"));
}

Statement twoDateTypeTotalsStatement(const TwoDateRange& range, SqlEngine engine)
{
    // Whole kuruş, as the per-day totals add them.
    return withCondition(
        QStringLiteral("SELECT neden, doviz_cinsi, %1 / 100.0 AS BorcToplam, "
                       "%2 / 100.0 AS AlacakToplam FROM nakit ")
            .arg(kurusSumSql(QStringLiteral("borc_tutar"), engine),
                 kurusSumSql(QStringLiteral("alacak_tutar"), engine)),
        range,
        QStringLiteral(
            "GROUP BY neden, doviz_cinsi ORDER BY neden NULLS FIRST, doviz_cinsi NULLS FIRST"));
}

QString twoDateTitle(const TwoDateRange& range, const QString& words, const QLocale& locale)
{
    return locale.toString(range.first, QLocale::ShortFormat) + QStringLiteral(" - ") +
           locale.toString(range.last, QLocale::ShortFormat) + words;
}

}  // namespace tamevo
