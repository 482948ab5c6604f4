#include "reports/ExportLayout.h"

#include "data/Money.h"

#include "data/CashBookFiles.h"
#include "data/Dataset.h"
#include "reports/XlsxSheet.h"

namespace tamevo {

namespace {

using Style = XlsxSheet::Style;

constexpr int kHeadingRow = 4;
constexpr int kOpeningRow = 5;
constexpr int kFirstMovementRow = 6;
// The height of the title rows, fitting their font size 14.
constexpr double kTitleRowHeight = 18.75;

// Two title fields joined by one blank, as the title rows show them.
QString joined(const QString& first, const QString& second)
{
    return first + QLatin1Char(' ') + second;
}

QString firmaField(const FirmaRecord& record, const char* field)
{
    return record.values.value(firmaFieldNames().indexOf(QLatin1String(field))).toString();
}

}  // namespace

ExportRows datasetRows(const Dataset& movements)
{
    struct Fields {
        int day, description, type, currency, in, out;
    };
    const Fields fields{movements.fieldIndex(QStringLiteral("islem_tarihi")),
                        movements.fieldIndex(QStringLiteral("aciklama")),
                        movements.fieldIndex(QStringLiteral("neden")),
                        movements.fieldIndex(QStringLiteral("doviz_cinsi")),
                        movements.fieldIndex(QStringLiteral("borc_tutar")),
                        movements.fieldIndex(QStringLiteral("alacak_tutar"))};
    return [&movements, fields, next = 0](ExportRow& row) mutable {
        if (next >= movements.recordCount()) {
            return false;
        }
        row.day = movements.valueAt(next, fields.day).toDate();
        row.description = movements.valueAt(next, fields.description).toString();
        row.type = movements.valueAt(next, fields.type).toString();
        row.currency = movements.valueAt(next, fields.currency).toString();
        row.in = movements.valueAt(next, fields.in);
        row.out = movements.valueAt(next, fields.out);
        ++next;
        return true;
    };
}

ExportFirma exportFirmaOf(const FirmaRecord& record)
{
    return {firmaField(record, "firma_kodu"),     firmaField(record, "firma_unvani_1"),
            firmaField(record, "firma_unvani_2"), firmaField(record, "firma_adresi_1"),
            firmaField(record, "adres_semt"),     firmaField(record, "adres_sehir")};
}

void writeExportSheet(const ExportInput& input, XlsxSheet& sheet, Progress* progress)
{
    // The titles spill over the empty cells to their right; they do not widen column A.
    const QString titles[] = {joined(input.firma.title1, input.firma.title2), input.firma.address,
                              joined(input.firma.district, input.firma.city)};
    for (int row = 1; row <= 3; ++row) {
        sheet.setRowStyle(row, Style::TitleRow, kTitleRowHeight);
        sheet.text(row, 'A', titles[row - 1], Style::Title, false);
    }

    sheet.setRowStyle(kHeadingRow, Style::Bold);
    char column = 'A';
    for (const char* heading :
         {"SN", "Tarih", "Açıklama", "İşlem Türü", "PB", "Giren Para", "Çıkan Para"}) {
        sheet.text(kHeadingRow, column++, QString::fromUtf8(heading), Style::Bold);
    }
    sheet.setRowStyle(kOpeningRow, Style::Bold);
    sheet.text(kOpeningRow, 'D', input.labels.opening, Style::Bold);
    sheet.amount(kOpeningRow, 'F', input.opening.stored(), Style::BoldAmount);

    int row = kOpeningRow;
    Money in;
    Money out;
    ExportRow movement;
    while (input.rows && input.rows(movement)) {
        ++row;
        sheet.number(row, 'A', row - kOpeningRow);
        sheet.day(row, 'B', movement.day);
        sheet.text(row, 'C', movement.description);
        sheet.text(row, 'D', movement.type);
        sheet.text(row, 'E', movement.currency);
        sheet.amount(row, 'F', movement.in);
        sheet.amount(row, 'G', movement.out);
        in += Money::fromStored(movement.in);
        out += Money::fromStored(movement.out);
        constexpr int kRowsPerStep = 1000;
        if ((row - kOpeningRow) % kRowsPerStep == 0) {
            stepProgress(progress, row - kOpeningRow, 0,
                         QStringLiteral("%L1 hareket yazıldı").arg(row - kOpeningRow));
        }
    }

    // The totals sum the movement rows; with no movements they sum the empty row below the
    // opening balance (a range ending above its start would reach the opening balance).
    const int lastSummed = std::max(row, kFirstMovementRow);
    const int totals = row + 2;
    sheet.text(totals, 'D', input.labels.totals, Style::Bold);
    for (const auto& [letter, sum] : {std::pair{'F', in}, std::pair{'G', out}}) {
        const QString formula = QStringLiteral("=SUM(%1%2:%1%3)")
                                    .arg(QLatin1Char(letter))
                                    .arg(kFirstMovementRow)
                                    .arg(lastSummed);
        sheet.formula(totals, letter, formula, sum.stored(), Style::BoldAmount);
    }
    const Money net = in - out;
    sheet.text(totals + 1, 'D', input.labels.net, Style::Bold);
    sheet.amount(totals + 1, 'F', net.stored(), Style::BoldAmount);
    sheet.text(totals + 2, 'D', input.labels.closing, Style::Bold);
    sheet.amount(totals + 2, 'F', (input.opening + net).stored(), Style::BoldAmount);
}

}  // namespace tamevo
