// The daily spreadsheet export over 5,000 and 100,000 movements of one day, beside
// libxlsxwriter writing the same cells straight from the same rows with no layout logic (no
// fitted widths, no temporary name, its texts left in their cells rather than moved to a
// shared-strings table). Also prints the memory the export adds to the process
// at each size: it must not grow with the rows.
#include "Measure.h"
#include "SampleBook.h"

#include "data/CashBookFiles.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "reports/ExportFile.h"
#include "reports/SpreadsheetExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <cstdio>

namespace {

using namespace tamevo;

const QDate kDay(2021, 3, 1);

// The baseline: the same cells and formats written with libxlsxwriter in its constant-memory
// mode, straight from the movement table.
void plainWorkbook(const Ledger& ledger, const FirmaRecord& firma, const QString& path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    lxw_format* bold = workbook_add_format(workbook);
    format_set_bold(bold);
    lxw_format* title = workbook_add_format(workbook);
    format_set_bold(title);
    format_set_font_size(title, 14);
    lxw_format* amount = workbook_add_format(workbook);
    format_set_num_format(amount, "#,##0.00");
    lxw_format* boldAmount = workbook_add_format(workbook);
    format_set_bold(boldAmount);
    format_set_num_format(boldAmount, "#,##0.00");
    lxw_format* day = workbook_add_format(workbook);
    format_set_num_format_index(day, 14);

    const auto utf8 = [](const QVariant& value) { return value.toString().toUtf8(); };
    const auto field = [&](int index) { return firma.values.value(index).toString(); };
    const QString titles[] = {field(4) + QLatin1Char(' ') + field(5), field(6),
                              field(8) + QLatin1Char(' ') + field(9)};
    for (int row = 0; row < 3; ++row) {
        worksheet_write_string(sheet, lxw_row_t(row), 0, titles[row].toUtf8().constData(), title);
    }
    const char* headings[] = {"SN", "Tarih",      "Açıklama",  "İşlem Türü",
                              "PB", "Giren Para", "Çıkan Para"};
    for (int column = 0; column < 7; ++column) {
        worksheet_write_string(sheet, 3, lxw_col_t(column), headings[column], bold);
    }
    const double opening = ledger.dayFigures().dayStart.stored();
    worksheet_write_string(sheet, 4, 3, "Günbaşı Kasa Mevcudu", bold);
    worksheet_write_number(sheet, 4, 5, opening, boldAmount);

    const Dataset& rows = ledger.movements();
    const int fields[] = {rows.fieldIndex(QStringLiteral("islem_tarihi")),
                          rows.fieldIndex(QStringLiteral("aciklama")),
                          rows.fieldIndex(QStringLiteral("neden")),
                          rows.fieldIndex(QStringLiteral("doviz_cinsi")),
                          rows.fieldIndex(QStringLiteral("borc_tutar")),
                          rows.fieldIndex(QStringLiteral("alacak_tutar"))};
    const QDate serialZero(1899, 12, 30);
    double in = 0;
    double out = 0;
    lxw_row_t r = 5;
    for (int i = 0; i < rows.recordCount(); ++i, ++r) {
        worksheet_write_number(sheet, r, 0, i + 1, nullptr);
        worksheet_write_number(sheet, r, 1,
                               double(serialZero.daysTo(rows.valueAt(i, fields[0]).toDate())), day);
        for (int column = 2; column <= 4; ++column) {
            worksheet_write_string(sheet, r, lxw_col_t(column),
                                   utf8(rows.valueAt(i, fields[column - 1])).constData(), nullptr);
        }
        for (int column = 5; column <= 6; ++column) {
            const QVariant value = rows.valueAt(i, fields[column - 1]);
            if (value.isNull()) {
                worksheet_write_blank(sheet, r, lxw_col_t(column), amount);
            } else {
                worksheet_write_number(sheet, r, lxw_col_t(column), value.toDouble(), amount);
                (column == 5 ? in : out) += value.toDouble();
            }
        }
    }
    const lxw_row_t totals = r + 1;
    const QByteArray last = QByteArray::number(qMax(int(r), 6));
    worksheet_write_string(sheet, totals, 3, "Güne Ait Kasa Toplamları", bold);
    worksheet_write_formula_num(sheet, totals, 5, ("=SUM(F6:F" + last + ')').constData(),
                                boldAmount, in);
    worksheet_write_formula_num(sheet, totals, 6, ("=SUM(G6:G" + last + ')').constData(),
                                boldAmount, out);
    worksheet_write_string(sheet, totals + 1, 3, "Güniçi Kasa Neti", bold);
    worksheet_write_number(sheet, totals + 1, 5, in - out, boldAmount);
    worksheet_write_string(sheet, totals + 2, 3, "Günsonu Devir Kasa", bold);
    worksheet_write_number(sheet, totals + 2, 5, opening + in - out, boldAmount);
    workbook_close(workbook);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    for (const int count : {5000, 100000}) {
        QTemporaryDir dir;
        bench::prepareProgramFolder(dir.path());
        Session session;
        bench::openSampleBook(session);
        bench::addSampleMovements(session, count, [](int) { return kDay; });
        Ledger ledger(session);
        ledger.setCurrencySelection(QStringLiteral("TL"));
        ledger.openBook();
        const FirmaRecord firma = readFirmaRecord(session.kasaConnection);

        const QString folder = dir.filePath(QStringLiteral("Excel"));
        const QString plainPath = dir.filePath(QStringLiteral("duz.xlsx"));
        qint64 exportSize = 0;
        const auto subject = [&] {
            const QString written = writeExportWorkbook(dailyExportInput(ledger, firma), folder);
            exportSize = QFile(written).size();
            QFile::remove(written);
        };
        const auto baseline = [&] { plainWorkbook(ledger, firma, plainPath); };

        // Measured first, before the timed rounds leave freed memory in the process.
        bench::resetPeak();
        double before = bench::residentMegabytes();
        subject();
        const double exportMemory = bench::peakMegabytes() - before;
        bench::resetPeak();
        before = bench::residentMegabytes();
        baseline();
        const double plainMemory = bench::peakMegabytes() - before;
        std::printf(
            "memory added while writing %d movements: export %.1f MB, plain %.1f MB (the process "
            "held %.0f MB before: the program and the rows read)\n",
            count, exportMemory, plainMemory, before);

        const auto [exported, plain] = bench::sideBySide(subject, baseline, count > 5000 ? 3 : 7);
        char name[96];
        std::snprintf(name, sizeof name, "daily export of %d movements", count);
        bench::report(name, exported, plain);
        std::printf("workbook sizes: export %.2f MB, plain %.2f MB\n", exportSize / 1e6,
                    QFile(plainPath).size() / 1e6);
    }
    return 0;
}
