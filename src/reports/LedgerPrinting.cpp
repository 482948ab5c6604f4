#include "reports/LedgerPrinting.h"

#include "data/Dialogs.h"
#include "reports/IncomeExpenseAnalysis.h"
#include "reports/LedgerReports.h"

namespace tamevo {

LedgerPrinting::LedgerPrinting(LedgerReports& reports, IncomeExpenseAnalysis& analysis)
    : reports_(reports), analysis_(analysis)
{
}

void LedgerPrinting::STRG1YazClick()
{
    const LedgerReports::PrintStep step =
        reports_.STRG1YazClick(reports_.printChoice, reports_.shortDescription);
    if (step.templateNumber > 0) {
        showReport(step.templateNumber);
    }
    if (step.showTwoDateWindow) {
        emit twoDateWindowRequested();
    }
}

void LedgerPrinting::JvXPButton3Click()
{
    reports_.JvXPButton3Click();
    emit twoDateWindowRequested();
}

void LedgerPrinting::islemturuButClick()
{
    // Whatever the window showed before, the analysis starts on the whole working year.
    analysis_.useWorkingYear();
    emit analysisWindowRequested();
    guarded([this] { analysis_.raporuHazirla(); });
}

bool LedgerPrinting::showReport(int number)
{
    return guarded([&] { dialogs().preview(reports_.prepare(number, measurer_)); });
}

}  // namespace tamevo
