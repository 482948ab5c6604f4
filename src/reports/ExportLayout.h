#pragma once

#include "data/Money.h"
#include "data/Progress.h"

#include <QDate>
#include <QString>
#include <QVariant>

#include <cmath>
#include <functional>

namespace tamevo {

class Dataset;
class XlsxSheet;
struct FirmaRecord;

// One movement of an export, as its list shows it.
struct ExportRow {
    QDate day;            // islem_tarihi
    QString description;  // aciklama
    QString type;         // neden
    QString currency;     // doviz_cinsi
    QVariant in;          // borc_tutar; null when the movement has no money in
    QVariant out;         // alacak_tutar; null when it has no money out
};

// The movements of an export, given one by one: fills `row` and returns true, or returns
// false past the last movement. Only the current movement is held, however long the list.
using ExportRows = std::function<bool(ExportRow& row)>;

// The movements of a dataset's rows (the day's movement table, the period's movement
// query), in their order, read without moving the dataset's current row. The dataset must
// outlive the walk and stay unchanged during it.
ExportRows datasetRows(const Dataset& movements);

// The four labels in which the daily and the period export differ.
struct ExportLabels {
    QString opening;
    QString totals;
    QString net;
    QString closing;
};

inline const ExportLabels kDailyExportLabels{
    QStringLiteral("Günbaşı Kasa Mevcudu"), QStringLiteral("Güne Ait Kasa Toplamları"),
    QStringLiteral("Güniçi Kasa Neti"), QStringLiteral("Günsonu Devir Kasa")};
inline const ExportLabels kPeriodExportLabels{
    QStringLiteral("Dönembaşı Kasa Mevcudu"), QStringLiteral("Döneme Ait Kasa Toplamları"),
    QStringLiteral("Dönem Kasa Neti"), QStringLiteral("Dönemsonu Devir Kasa")};

// The fields of the cash book's own firma record an export shows.
struct ExportFirma {
    QString code;      // firma_kodu: names the workbook file
    QString title1;    // firma_unvani_1
    QString title2;    // firma_unvani_2
    QString address;   // firma_adresi_1
    QString district;  // adres_semt
    QString city;      // adres_sehir
};
ExportFirma exportFirmaOf(const FirmaRecord& record);

// What a spreadsheet export writes: the daily export of the ledger's selected day, or the
// period export of the two-date browser.
struct ExportInput {
    ExportLabels labels;
    ExportFirma firma;
    // The days the movements cover (the same day twice for a daily export); they name the
    // workbook file.
    QDate first;
    QDate last;
    Money opening;  // the balance before the first movement
    ExportRows rows;
};

// Writes the export's cells into `sheet`, in row order:
//   rows 1 to 3   the cash book's titles and address (bold, font size 14)
//   row 4         the column headings, row 5 the opening balance (both bold)
//   rows 6 on     one row per movement: sequence number, day, description, type,
//                 currency, money in, money out
//   then          an empty row, the totals as SUM formulas of the movement rows, the net
//                 and the closing balance (bold)
// Every amount cell carries the amount format. The totals, the net and the closing balance
// are summed in kuruş from the very rows written, so they always agree with the list; with
// no movements they are 0 and the opening balance. Throws Error.
// `progress` is told every thousand rows; a cancel stops the export.
void writeExportSheet(const ExportInput& input, XlsxSheet& sheet, Progress* progress = nullptr);

}  // namespace tamevo
