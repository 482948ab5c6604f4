#include "reports/SpreadsheetExport.h"

#include "data/Money.h"

#include "data/CashBookFiles.h"
#include "data/Dialogs.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerTexts.h"
#include "reports/ExportFile.h"

#include <QDir>

namespace tamevo {

QString exportAndOpen(const ExportInput& input)
{
    QString path;
    try {
        const auto progress = dialogs().startProgress(QStringLiteral("Excel'e Aktarılıyor"), true);
        path = writeExportWorkbook(input, exportFolder(), QDateTime::currentDateTime(),
                                   progress.get());
    } catch (const Progress::OperationCancelled&) {
        return {};
    } catch (const Error& error) {
        showError(kExcelNotOpened.arg(error.text()));
        return {};
    }
    if (!dialogs().openWithDefaultProgram(path)) {
        showError(kExcelNotOpened.arg(kNoProgramForWorkbook.arg(QDir::toNativeSeparators(path))));
    }
    return path;
}

ExportInput dailyExportInput(const Ledger& ledger, const FirmaRecord& firma)
{
    ExportInput input;
    input.labels = kDailyExportLabels;
    input.firma = exportFirmaOf(firma);
    const QDate day = ledger.selectedDay();
    if (day != kZeroDate) {
        input.first = input.last = day;
    }
    input.opening = ledger.dayFigures().dayStart;
    input.rows = datasetRows(ledger.movements());
    return input;
}

void exportDayToSpreadsheet(Ledger& ledger)
{
    FirmaRecord firma;
    const bool ready = guarded([&] {
        ledger.settlePendingMovement();
        firma = readFirmaRecord(ledger.session().kasaConnection);
    });
    if (ready) {
        exportAndOpen(dailyExportInput(ledger, firma));
    }
}

}  // namespace tamevo
