#pragma once

#include "ledger/LedgerPrintChoice.h"
#include "reportengine/ReportFonts.h"
#include "reports/TwoDateQueries.h"

#include <QObject>

namespace tamevo {

class IncomeExpenseAnalysis;
class LedgerReports;

// Printing from the ledger window: "YAZDIR" with the print group and "Kısa Açıklama",
// "İki Tarih Arası Kasa Hareketi" and "İşlem/Kaynak Türü Raporu", and the period reports the
// two-date window prints. The windows these open are asked for through signals.
class LedgerPrinting : public QObject {
    Q_OBJECT
public:
    LedgerPrinting(LedgerReports& reports, IncomeExpenseAnalysis& analysis);

    // The ledger's print choice as the user last set it.
    void setPrintChoice(const LedgerPrintChoice& choice) { printChoice_ = choice; }
    const LedgerPrintChoice& printChoice() const { return printChoice_; }

    // "YAZDIR" (STRG1YazClick): a daily report is shown in the preview at once; a period
    // report opens the two-date window for it, which prints it.
    void printSelectedReport();
    // "İki Tarih Arası Kasa Hareketi" (JvXPButton3Click): the two-date window, to open the
    // movement browser.
    void openPeriodBrowser();
    // "İşlem/Kaynak Türü Raporu" (islemturuButClick): the income and expense analysis of the
    // whole working year, in its window.
    void openAnalysis();

    // The two-date window's print: builds the period report `output` for `range` with
    // "Kısa Açıklama" as the ledger shows it now and shows it in the preview. False when it
    // could not be built or prepared (the message was shown).
    bool printPeriodReport(TwoDateOutput output, const TwoDateRange& range);

    // Prepares a ledger template with the report fonts and shows it in the preview. When
    // preparing fails its message is shown, no preview opens and the window can print again.
    // False when preparing failed.
    bool showReport(int number);

signals:
    // The two-date window is to open, to build `output`.
    void twoDateWindowRequested(tamevo::TwoDateOutput output);
    void analysisWindowRequested();

private:
    LedgerReports& reports_;
    IncomeExpenseAnalysis& analysis_;
    report::FontMeasurer measurer_;
    LedgerPrintChoice printChoice_;
};

}  // namespace tamevo
