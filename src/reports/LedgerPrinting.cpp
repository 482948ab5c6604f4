#include "reports/LedgerPrinting.h"

#include "app/Dialogs.h"
#include "app/Program.h"
#include "ledger/KasaRWindow.h"
#include "reports/LedgerReports.h"

#include <QCheckBox>
#include <QRadioButton>

namespace tamevo {

LedgerPrinting::LedgerPrinting(Program& program, LedgerReports& reports)
    : program_(program), reports_(reports)
{
}

void LedgerPrinting::STRG1YazClick()
{
    TkasaRF& window = *program_.kasaRF;
    std::optional<LedgerReports::Choice> choice;
    for (int i = 0; i < window.reportChoices.size(); ++i) {
        if (window.reportChoices[i]->isChecked()) {
            choice = LedgerReports::Choice(i);
        }
    }
    const LedgerReports::PrintStep step =
        reports_.STRG1YazClick(choice, window.CheckBox1->isChecked());
    if (step.templateNumber > 0) {
        showReport(step.templateNumber);
    }
    if (step.showTwoDateWindow) {
        program_.ikitarihF->show();
    }
}

void LedgerPrinting::JvXPButton3Click()
{
    reports_.JvXPButton3Click();
    program_.ikitarihF->show();
}

void LedgerPrinting::islemturuButClick()
{
    // The analysis of the working year starts from its window, which comes with the
    // analysis itself.
    program_.raporKasaF->show();
}

void LedgerPrinting::showReport(int number)
{
    guarded([&] { dialogs().preview(reports_.prepare(number, measurer_)); });
}

}  // namespace tamevo
