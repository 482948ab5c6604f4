#pragma once

#include "reportengine/ReportFonts.h"

#include <QObject>

namespace tamevo {

class IncomeExpenseAnalysis;
class LedgerReports;

// Printing from the ledger window: "YAZDIR" with the print group and "Kısa Açıklama",
// "İki Tarih Arası Kasa Hareketi" and "İşlem/Kaynak Türü Raporu". The windows these open are
// asked for through signals.
class LedgerPrinting : public QObject {
    Q_OBJECT
public:
    LedgerPrinting(LedgerReports& reports, IncomeExpenseAnalysis& analysis);

    // "YAZDIR": a daily report is shown in the preview at once; a period report opens the
    // two-date window, which prints it. The choice is the ledger's print choice now.
    void STRG1YazClick();
    // "İki Tarih Arası Kasa Hareketi": the two-date window, to open the movement browser.
    void JvXPButton3Click();
    // "İşlem/Kaynak Türü Raporu": the income and expense analysis of the whole working year,
    // in its window.
    void islemturuButClick();

    // Prepares a ledger template with the report fonts and shows it in the preview. When
    // preparing fails its message is shown, no preview opens and the window can print again.
    // The two-date window prints a period report with a builder of LedgerReports and then
    // this, with the number the builder returned. False when preparing failed.
    bool showReport(int number);

signals:
    void twoDateWindowRequested();
    void analysisWindowRequested();

private:
    LedgerReports& reports_;
    IncomeExpenseAnalysis& analysis_;
    report::FontMeasurer measurer_;
};

}  // namespace tamevo
