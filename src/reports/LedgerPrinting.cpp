#include "reports/LedgerPrinting.h"

#include "data/Dialogs.h"
#include "reportengine/ReportPreviewPort.h"
#include "reports/IncomeExpenseAnalysis.h"
#include "reports/LedgerReports.h"

namespace tamevo {

LedgerPrinting::LedgerPrinting(LedgerReports& reports, IncomeExpenseAnalysis& analysis)
    : reports_(reports), analysis_(analysis)
{
}

void LedgerPrinting::printSelectedReport()
{
    const LedgerReports::PrintStep step = LedgerReports::printStep(printChoice_);
    if (step.templateNumber > 0) {
        showReport(step.templateNumber);
    }
    if (step.twoDateOutput != TwoDateOutput::Nothing) {
        emit twoDateWindowRequested(step.twoDateOutput);
    }
}

void LedgerPrinting::openPeriodBrowser()
{
    emit twoDateWindowRequested(TwoDateOutput::Browser);
}

void LedgerPrinting::openAnalysis()
{
    // Whatever the window showed before, the analysis starts on the whole working year.
    analysis_.useWorkingYear();
    emit analysisWindowRequested();
    guarded([this] {
        const auto busy = dialogs().startProgress(QStringLiteral("Rapor Hazırlanıyor"), false);
        analysis_.buildBothSides();
    });
}

bool LedgerPrinting::printPeriodReport(TwoDateOutput output, const TwoDateRange& range)
{
    int number = 0;
    const bool built = guarded(
        [&] { number = reports_.buildPeriodReport(output, range, printChoice_.shortDescription); });
    return built && number > 0 && showReport(number);
}

bool LedgerPrinting::showReport(int number)
{
    return guarded([&] {
        report::previewPrepared([&](const report::PrepareOptions& options) {
            return reports_.prepare(number, measurer_, options);
        });
    });
}

}  // namespace tamevo
