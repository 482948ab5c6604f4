#pragma once

#include "data/Dataset.h"
#include "data/Money.h"
#include "ledger/LedgerPrintChoice.h"
#include "reportengine/PreparedReport.h"
#include "reportengine/ReportData.h"
#include "reportengine/ReportLayout.h"
#include "reportengine/ReportTemplate.h"
#include "reports/TwoDateQueries.h"

#include <QHash>
#include <QVector>

#include <array>
#include <optional>
#include <utility>

namespace tamevo {

class Ledger;
class Session;

// The reports of the ledger window: its twelve templates (frReport1 to frReport12, each
// layout with word wrap and as its short-description twin), the two-date queries they read
// beside the ledger's own data, the choice made by "YAZDIR" and the two-date builders.
//
// The templates are loaded once and live as long as the window: a title put into a
// template stays there until it is replaced again.
class LedgerReports {
public:
    using Choice = LedgerReportChoice;

    LedgerReports(Session& session, Ledger& ledger);

    // The two-date queries: the movements of a range, its totals per day and currency, its
    // totals per transaction type and currency. The range's opening balance is a figure of
    // its own, which the period templates read as gunbasikasaQuery."bakiye"; the ledger's day
    // figures are never touched by a period.
    Dataset ikitarihQuery;
    Dataset tarihQuery;
    Dataset islemturuQuery;

    // frReport1 to frReport12.
    report::ReportTemplate& frReport(int number);
    // The template a choice prints: frReport1 to frReport6, or its twin frReport7 to
    // frReport12 when "Kısa Açıklama" is ticked.
    static int templateNumber(Choice choice, bool shortDescription);

    // What "YAZDIR" does with a print choice: the two daily reports print at once (the
    // template to show is given); the four period reports are built by the two-date window,
    // which is to open for them (nothing is printed then: the window's button prints).
    // Nothing happens without a choice.
    struct PrintStep {
        int templateNumber = 0;  // 0: nothing to show
        TwoDateOutput twoDateOutput = TwoDateOutput::Nothing;
    };
    static PrintStep printStep(const LedgerPrintChoice& choice);

    // Builds the period report `output` names for `range` (one of the four builders below)
    // and returns the number of the template to print.
    int buildPeriodReport(TwoDateOutput output, const TwoDateRange& range, bool shortDescription);

    // The two-date builders: each fills the queries its report reads for the range, puts
    // the range's title into the template that will print (the twin when "Kısa Açıklama"
    // is ticked) and returns that template's number.
    int ikitariharasi(const TwoDateRange& range, bool shortDescription);
    int islemturu(const TwoDateRange& range, bool shortDescription);
    int guntoplamlari(const TwoDateRange& range, bool shortDescription);
    int ikitariharasidetay(const TwoDateRange& range, bool shortDescription);

    // Prepares a template: a daily one over what the ledger window holds now (the day's
    // movements as listed, the figures as last computed), a period one over the two-date
    // queries and the opening balance as last built; both with the cash book's own firma
    // record. A movement pending in the ledger is first settled as leaving it would (a
    // changed one is stored, an unchanged new one dropped). Throws Error.
    report::PreparedReport prepare(int number, const report::TextMeasurer& measurer,
                                   const report::PrepareOptions& options = {});

private:
    int finishBuild(const TwoDateRange& range, Choice choice, bool shortDescription,
                    const QString& titleWords);
    void bindDetailReport(report::ReportData& data);

    // The master/detail walk of "İki Tarih Detay Raporu": a master row is a day and currency
    // of tarihQuery, its detail rows are exactly the movements of ikitarihQuery of that day
    // in that currency, so rows and movements always belong together, however many
    // currencies the range has.
    void MasterDatasetFirst();
    void MasterDatasetNext();
    void MasterDatasetCheckEOF(bool& eof);
    void DetailDatasetFirst();
    void DetailDatasetNext();
    void DetailDatasetCheckEOF(bool& eof);

    Session& session_;
    Ledger& ledger_;
    // The opening balance of the range last built.
    Money periodOpening_;
    std::array<std::optional<report::ReportTemplate>, 12> templates_;

    // The walk of the master/detail callbacks, valid while a report is prepared.
    report::ReportData* walking_ = nullptr;
    int masterRow_ = 0;
    QHash<std::pair<QDate, QString>, QVector<int>> runs_;  // day and currency -> movement rows
    QVector<int> run_;
    int runPosition_ = 0;
};

}  // namespace tamevo
