#pragma once

#include "data/SqlEngine.h"
#include "data/Statement.h"

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

// The days the two-date window starts with: the thirty days up to today, or, when today lies
// outside the working year, the last thirty days of that year (currency left empty).
TwoDateRange startingTwoDateRange(const QDate& today, int workingYear);

// The currency of a two-date report from the text of its currency box: the code as it stands
// (typed or chosen), or none (all currencies) for "Hepsi" and for an empty box.
QString twoDateCurrency(const QString& boxText);

// What the two-date window builds (ikitarihModu): one of the four period reports, or the
// movement browser; nothing until the window is first asked for.
enum class TwoDateOutput {
    Nothing,
    IkiTarihArasi,
    IkiTarihDetay,
    IslemTuru,
    GunToplamlari,
    Browser
};

// The movements of the range in date order (nid, islem_tarihi, borc_tutar, alacak_tutar,
// doviz_cinsi, aciklama, neden): ikitarihQuery.
Statement twoDateMovementsStatement(const TwoDateRange& range);
// The movements of the range after the movement (afterDay, afterNid) in the same order, at
// most `count`; from the first with an invalid afterDay. Each page starts where the last
// one ended, so reading a page costs what its rows cost, however long the range.
Statement twoDateMovementsPage(const TwoDateRange& range, const QDate& afterDay, qint64 afterNid,
                               int count);
// Money in and money out of the range in kuruş (BorcKurus, AlacakKurus; empty without
// movements), from the per-day totals: each day's sum rounded to kuruş, so the figures cost
// what the number of days costs.
Statement twoDateSumsStatement(const TwoDateRange& range);
// One row per day and currency that has movements, in date order and by currency within a
// day (islem_tarihi, doviz_cinsi, BorcToplam, AlacakToplam; a side without amounts is
// empty): tarihQuery.
Statement twoDateDayTotalsStatement(const TwoDateRange& range);
// One row per transaction type and currency (neden, doviz_cinsi, BorcToplam,
// AlacakToplam): islemturuQuery.
Statement twoDateTypeTotalsStatement(const TwoDateRange& range, SqlEngine engine);

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
