#pragma once

#include "reportengine/ReportFonts.h"

#include <optional>

namespace tamevo {

class LedgerReports;
class Program;

// Printing from the ledger window: "YAZDIR" with the print group and "Kısa Açıklama",
// "İki Tarih Arası Kasa Hareketi" and "İşlem/Kaynak Türü Raporu".
class LedgerPrinting {
public:
    LedgerPrinting(Program& program, LedgerReports& reports);

    // "YAZDIR": a daily report is shown in the preview at once; a period report opens the
    // two-date window, which prints it.
    void STRG1YazClick();
    // "İki Tarih Arası Kasa Hareketi": the two-date window, to open the movement browser.
    void JvXPButton3Click();
    // "İşlem/Kaynak Türü Raporu": the income and expense analysis window.
    void islemturuButClick();

    // Prepares a ledger template with the report fonts and shows it in the preview. When
    // preparing fails its message is shown, no preview opens and the window can print again.
    // The two-date window prints a period report with a builder of LedgerReports and then
    // this, with the number the builder returned.
    void showReport(int number);

private:
    Program& program_;
    LedgerReports& reports_;
    report::FontMeasurer measurer_;
};

}  // namespace tamevo
