// "İki Tarih Arası Rapor" over 10,000 and 100,000 movements: preparing its pages and
// writing them as PDF, beside writing the same rows' texts to a PDF with plain QPainter
// calls. Also prints the peak memory of the report at 100,000 movements.
#include "Measure.h"
#include "SampleBook.h"

#include "data/CashBookFiles.h"
#include "data/DisplayFormat.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "reportengine/ReportFonts.h"
#include "reportengine/ReportPainter.h"
#include "reports/LedgerReports.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using namespace tamevo;

const QDate kFirst(2021, 1, 1);
const QDate kLast(2021, 12, 31);

// The baseline: the rows' six texts written to a PDF with plain QPainter calls, 38 rows a
// page, in the report's font.
void plainPdf(const Dataset& rows, const QString& path)
{
    QPdfWriter writer(path);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    painter.setFont(report::reportFont(report::FontSpec{}));
    const double dots = writer.resolution() / 25.4;
    const QLocale locale;
    for (int row = 0; row < rows.recordCount(); ++row) {
        if (row > 0 && row % 38 == 0) {
            writer.newPage();
        }
        const double y = (40 + (row % 38) * 6.1) * dots;
        painter.drawText(QPointF(16 * dots, y), QString::number(row + 1));
        painter.drawText(QPointF(24 * dots, y), rows.valueAt(row, QStringLiteral("islem_tarihi"))
                                                    .toDate()
                                                    .toString(QStringLiteral("dd.MM.yyyy")));
        painter.drawText(QPointF(49 * dots, y),
                         rows.valueAt(row, QStringLiteral("aciklama")).toString());
        painter.drawText(QPointF(132 * dots, y),
                         rows.valueAt(row, QStringLiteral("doviz_cinsi")).toString());
        painter.drawText(QPointF(146 * dots, y),
                         formatAmount(rows.valueAt(row, QStringLiteral("borc_tutar")), locale));
        painter.drawText(QPointF(171 * dots, y),
                         formatAmount(rows.valueAt(row, QStringLiteral("alacak_tutar")), locale));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));

    for (const int count : {10000, 100000}) {
        QTemporaryDir dir;
        bench::prepareProgramFolder(dir.path());
        Session session;
        bench::openSampleBook(session);
        bench::addSampleMovements(session, count, [](int i) { return kFirst.addDays(i % 365); });

        Ledger ledger(session);
        ledger.setCurrencySelection(QStringLiteral("TL"));
        LedgerReports reports(session, ledger);
        const int number = reports.ikitariharasi({QStringLiteral("TL"), kFirst, kLast}, false);
        const report::FontMeasurer measurer;
        const QString reportPdf = dir.filePath(QStringLiteral("rapor.pdf"));
        const QString plainPdfPath = dir.filePath(QStringLiteral("duz.pdf"));
        int pages = 0;

        const auto prepareOnly = [&] { pages = reports.prepare(number, measurer).pageCount(); };
        const auto prepareAndRender = [&] {
            report::writePdf(reports.prepare(number, measurer), reportPdf);
        };
        const auto baseline = [&] { plainPdf(reports.ikitarihQuery, plainPdfPath); };

        if (count == 100000) {
            // Measured first, before the timed rounds leave freed memory in the process.
            bench::resetPeak();
            const double before = bench::residentMegabytes();
            prepareAndRender();
            std::printf(
                "peak memory, prepare + PDF of %d movements: %.0f MB (the process held "
                "%.0f MB before: the program and the rows read)\n",
                count, bench::peakMegabytes(), before);
        }

        const int rounds = count > 10000 ? 3 : 5;
        char name[96];
        const auto [prepared, plainForPrepare] = bench::sideBySide(prepareOnly, baseline, rounds);
        std::snprintf(name, sizeof name, "prepare %d movements (%d pages)", count, pages);
        bench::report(name, prepared, plainForPrepare);
        const auto [full, plain] = bench::sideBySide(prepareAndRender, baseline, rounds);
        std::snprintf(name, sizeof name, "prepare + PDF %d movements", count);
        bench::report(name, full, plain);

        std::printf("PDF sizes: report %.1f MB, plain %.1f MB\n", QFile(reportPdf).size() / 1e6,
                    QFile(plainPdfPath).size() / 1e6);
    }
    return 0;
}
