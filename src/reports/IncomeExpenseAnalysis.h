#pragma once

#include "data/Dataset.h"
#include "data/Money.h"
#include "reportengine/PreparedReport.h"
#include "reportengine/ReportLayout.h"
#include "reportengine/ReportTemplate.h"
#include "reports/AnalysisQueries.h"

#include <QObject>

#include <array>
#include <optional>

namespace tamevo {

class Session;

// The income and expense analysis of the open cash book: for a period and a currency, the
// collections (money in) and the payments (money out) grouped by transaction type and by
// source, their totals and difference, the lists of the movements behind one group (the
// collections and payments details), and the five reports printed from them. The analysis
// window shows it, the detail windows show its details, the ledger's printing starts it.
//
// Amounts are counted in kuruş: every movement adds its amount rounded to whole kuruş, so a
// group's sum is the sum of its movements as they show, and a total the sum of its groups.
class IncomeExpenseAnalysis : public QObject {
    Q_OBJECT
public:
    // The items of "Yazdırma Seçenekleri", in their order.
    enum class PrintChoice {
        TahsilatlarOzet,     // "Tahsilatlar Özet Tablosu"
        OdemelerOzet,        // "Ödemeler Özet Tablosu"
        TahsilatOdemeOzeti,  // "Tahsilat/Ödeme Özeti"
        TahsilatDetay,       // "Tahsilat Detay Raporu"
        OdemeDetay           // "Ödeme Detay Raporu"
    };
    // The five templates.
    enum class Report { frReport4, frReport1, frReport2, detaygelirReport, detaygiderReport };

    explicit IncomeExpenseAnalysis(Session& session);
    ~IncomeExpenseAnalysis() override;

    // A side's movements per transaction type and currency (neden, doviz_cinsi,
    // borctutartop / alacaktutartop), per source and currency (bankaadi instead of neden),
    // and the movements of one group (every column of nakit). The windows show them and
    // choose a group by moving a grouping's current row.
    Dataset& typeTotals(AnalysisSide side);
    Dataset& sourceTotals(AnalysisSide side);
    Dataset& detailQuery(AnalysisSide side);

    // --- Period -------------------------------------------------------------------------
    // At first 1 January of this year to the last day of this month, every currency.
    const AnalysisPeriod& period() const { return period_; }
    void setFirstDay(const QDate& day);
    void setLastDay(const QDate& day);
    // The currency box's choice: a code, or empty for "Hepsi".
    void setCurrency(const QString& currency);
    // The whole working year of the open cash book.
    void useWorkingYear();

    // --- Groupings and totals -------------------------------------------------------------
    // A side rebuilt for the period (isletmegelirbul, isletmegiderbul): its groupings by type
    // and by source, its total and the period in its report titles. Throws Error when the
    // database refuses a query; the build stops there.
    void buildSide(AnalysisSide side);
    // "Raporu Hazırla" (raporuHazirla, and a change of the currency): both sides, then their
    // difference.
    void buildBothSides();

    // The side's total as last built, and the difference as last computed.
    Money total(AnalysisSide side) const;
    Money difference() const { return difference_; }
    // The same as the window's boxes show them ("#,###.00").
    QString totalText(AnalysisSide side) const;
    QString differenceText() const;

    // --- Details --------------------------------------------------------------------------
    // What a detail window shows besides its list.
    struct Detail {
        QString headingField = QStringLiteral("neden");  // the field its heading shows
        QString totalText = QStringLiteral("0,00");
        QString reportDateText = QStringLiteral("Rapor Tarihi:");
    };
    const Detail& detail(AnalysisSide side) const;

    // The side's movements of the transaction type and the currency of the current row of its
    // type grouping (isletmegelirDetaybul, isletmegiderDetaybul), with the total, the report
    // date and the detail report's texts: a row names one currency, so its detail lists that
    // row's movements and totals to its amount, under "Hepsi" too. Throws Error.
    void typeDetail(AnalysisSide side);
    // The same for the source of the current row of the side's source grouping
    // (isletmegelirKaynakbul, isletmegiderKaynakbul); without a current row nothing changes.
    void sourceDetail(AnalysisSide side);

    // A detail window's "Kapat": its list closed, its labels and its report's texts reset.
    void closeDetail(AnalysisSide side);
    // The analysis window's "Kapat": the groupings by type close; those by source stay.
    void closeTypeTotals();

    // --- Reports --------------------------------------------------------------------------
    // "Yazdır" (JvXPButton3Click): builds what the choice prints, puts the totals or the
    // period into its template and returns the template to show. Throws Error.
    Report buildReport(PrintChoice choice);
    static Report detailReport(AnalysisSide side);

    // The template; read when first used, then kept with the texts put into it.
    report::ReportTemplate& reportTemplate(Report which);

    // Prepares a template over the groupings and details as last built and the open cash
    // book's record in the registry. Throws Error.
    report::PreparedReport prepare(Report which, const report::TextMeasurer& measurer,
                                   const report::PrepareOptions& options = {});

signals:
    void periodChanged();
    // A side, or the difference, was built again.
    void figuresChanged();
    void detailChanged(tamevo::AnalysisSide side);

private:
    // The engine of the open book, whose kuruş sums its statements are written for.
    SqlEngine engine() const;
    // Lists the movements of the group of the grouping's current row: its value of
    // `groupField` in its currency. Without a group the list is empty.
    void buildDetail(AnalysisSide side, const Dataset& grouping, const QString& groupField);
    QVariantList firmaValues();

    Session& session_;
    // The groupings (ffQuery1, ADOQuery1 for collections; ffQuery2, ADOQuery2 for payments)
    // and the details (detaygelirQuery, detaygiderQuery).
    Dataset collectionsByType_;
    Dataset collectionsBySource_;
    Dataset paymentsByType_;
    Dataset paymentsBySource_;
    Dataset collectionsDetail_;
    Dataset paymentsDetail_;
    AnalysisPeriod period_;
    std::array<Money, 2> totals_{};
    Money difference_;
    std::array<Detail, 2> details_;
    std::array<std::optional<report::ReportTemplate>, 5> templates_;
};

}  // namespace tamevo
