#pragma once

#include "ledger/BalanceQueries.h"

#include <QDate>
#include <QLocale>
#include <QString>

namespace tamevo {

// The currency and the days of a two-date report. An empty currency is all currencies
// ("Hepsi", or nothing chosen); both days belong to the range.
struct TwoDateRange {
    QString currency;
    QDate first;
    QDate last;
};

// The movements of the range in date order (nid, islem_tarihi, borc_tutar, alacak_tutar,
// doviz_cinsi, aciklama, neden): ikitarihQuery.
Statement twoDateMovementsStatement(const TwoDateRange& range);
// One row per day and currency that has movements, in date order and by currency within a
// day (islem_tarihi, doviz_cinsi, BorcToplam, AlacakToplam; a side without amounts is
// empty): tarihQuery.
Statement twoDateDayTotalsStatement(const TwoDateRange& range);
// One row per transaction type and currency (neden, doviz_cinsi, BorcToplam,
// AlacakToplam): islemturuQuery.
Statement twoDateTypeTotalsStatement(const TwoDateRange& range);

// The title of a two-date report: both days in the short date format joined by " - ", then
// the report's words.
QString twoDateTitle(const TwoDateRange& range, const QString& words,
                     const QLocale& locale = QLocale());

inline const QString kTwoDateMovementsWords = QStringLiteral(" TARİHLERİ ARASI KASA HAREKETLERİ");
inline const QString kTwoDateTypesWords =
    QStringLiteral(" TARİHLERİ ARASI İŞLEM TÜRLERİNE GÖRE KASA TOPLAMLARI");
inline const QString kTwoDateDaysWords = QStringLiteral(" TARİHLERİ ARASI GÜNLÜK KASA TOPLAMLARI");
inline const QString kTwoDateDetailWords =
    QStringLiteral(" TARİHLERİ ARASI DETAY KASA HAREKETLERİ");

}  // namespace tamevo
