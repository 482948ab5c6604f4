#include "reports/LedgerPrinting.h"

#include "data/Dialogs.h"
#include "reports/LedgerReports.h"

namespace tamevo {

LedgerPrinting::LedgerPrinting(LedgerReports& reports) : reports_(reports) {}

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
    emit analysisWindowRequested();
}

bool LedgerPrinting::showReport(int number)
{
    return guarded([&] { dialogs().preview(reports_.prepare(number, measurer_)); });
}

}  // namespace tamevo
