#include "reports/IncomeExpenseAnalysis.h"

#include "data/Money.h"

#include "data/CashBookFiles.h"
#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "reports/ExportLayout.h"

#include <utility>

namespace tamevo {

SqlEngine IncomeExpenseAnalysis::engine() const
{
    return engineOf(session_.kasaConnection.database());
}

namespace {

const QString kType = QStringLiteral("neden");
const QString kSource = QStringLiteral("bankaadi");
const QString kDay = QStringLiteral("islem_tarihi");

int indexOf(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? 0 : 1;
}

// The resource name of each template, in the order of Report.
const char* const kTemplateNames[] = {"frReport4", "frReport1", "frReport2", "detaygelirReport",
                                      "detaygiderReport"};

}  // namespace

IncomeExpenseAnalysis::IncomeExpenseAnalysis(Session& session)
    : session_(session),
      collectionsByType_(session.kasaConnection, QStringLiteral("ffQuery1")),
      collectionsBySource_(session.kasaConnection, QStringLiteral("ADOQuery1")),
      paymentsByType_(session.kasaConnection, QStringLiteral("ffQuery2")),
      paymentsBySource_(session.kasaConnection, QStringLiteral("ADOQuery2")),
      collectionsDetail_(session.kasaConnection, QStringLiteral("detaygelirQuery")),
      paymentsDetail_(session.kasaConnection, QStringLiteral("detaygiderQuery"))
{
    const QDate today = QDate::currentDate();
    period_ = {
        {}, QDate(today.year(), 1, 1), QDate(today.year(), today.month(), today.daysInMonth())};
    // Until they are first built, the queries hold the starting period.
    const auto use = [](Dataset& dataset, const Statement& statement) {
        dataset.setQuery(statement.sql, statement.values);
    };
    for (AnalysisSide side : {AnalysisSide::Collections, AnalysisSide::Payments}) {
        use(typeTotals(side), typeTotalsStatement(side, period_, engine()));
        use(sourceTotals(side), sourceTotalsStatement(side, period_, engine()));
        use(detailQuery(side), detailStatement(side, period_, kType, std::nullopt, engine()));
        detailQuery(side).setDateField(kDay);
        detailQuery(side).setDateField(QStringLiteral("islem_vadesi"));
    }
}

IncomeExpenseAnalysis::~IncomeExpenseAnalysis() = default;

Dataset& IncomeExpenseAnalysis::typeTotals(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? collectionsByType_ : paymentsByType_;
}

Dataset& IncomeExpenseAnalysis::sourceTotals(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? collectionsBySource_ : paymentsBySource_;
}

Dataset& IncomeExpenseAnalysis::detailQuery(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? collectionsDetail_ : paymentsDetail_;
}

void IncomeExpenseAnalysis::setFirstDay(const QDate& day)
{
    if (period_.first != day) {
        period_.first = day;
        emit periodChanged();
    }
}

void IncomeExpenseAnalysis::setLastDay(const QDate& day)
{
    if (period_.last != day) {
        period_.last = day;
        emit periodChanged();
    }
}

void IncomeExpenseAnalysis::setCurrency(const QString& currency)
{
    period_.currency = currency;
}

void IncomeExpenseAnalysis::useWorkingYear()
{
    const int year = session_.CalismaYili;
    period_.first = QDate(year, 1, 1);
    period_.last = QDate(year, 12, 31);
    emit periodChanged();
}

void IncomeExpenseAnalysis::buildSide(AnalysisSide side)
{
    Dataset& types = typeTotals(side);
    useStatement(types, typeTotalsStatement(side, period_, engine()));
    useStatement(sourceTotals(side), sourceTotalsStatement(side, period_, engine()));

    const int sum = types.fieldIndex(sumField(side));
    Money total;
    for (int row = 0; row < types.recordCount(); ++row) {
        total += Money::fromStored(types.valueAt(row, sum));
    }
    totals_[indexOf(side)] = total;

    const QString period = analysisPeriodText(period_);
    if (side == AnalysisSide::Collections) {
        reportTemplate(Report::frReport4)
            .replaceText(QStringLiteral("Memo1"),
                         QStringLiteral("DÖNEM TAHSİLATLARI ( ") + period + QStringLiteral(" )"));
        reportTemplate(Report::frReport2)
            .replaceText(QStringLiteral("Memo19"),
                         QStringLiteral("( ") + period + QStringLiteral(" )"));
    } else {
        reportTemplate(Report::frReport1)
            .replaceText(QStringLiteral("Memo1"),
                         QStringLiteral("DÖNEM ÖDEMELERİ ( ") + period + QStringLiteral(" )"));
    }
    emit figuresChanged();
}

void IncomeExpenseAnalysis::buildBothSides()
{
    buildSide(AnalysisSide::Collections);
    buildSide(AnalysisSide::Payments);
    difference_ = total(AnalysisSide::Collections) - total(AnalysisSide::Payments);
    emit figuresChanged();
}

Money IncomeExpenseAnalysis::total(AnalysisSide side) const
{
    return totals_[indexOf(side)];
}

QString IncomeExpenseAnalysis::totalText(AnalysisSide side) const
{
    return total(side).text();
}

QString IncomeExpenseAnalysis::differenceText() const
{
    return difference_.text();
}

const IncomeExpenseAnalysis::Detail& IncomeExpenseAnalysis::detail(AnalysisSide side) const
{
    return details_[indexOf(side)];
}

void IncomeExpenseAnalysis::typeDetail(AnalysisSide side)
{
    // Without a current group (the grouping closed by the analysis window's "Kapat", or
    // empty) the list is empty.
    buildDetail(side, typeTotals(side), kType);
}

void IncomeExpenseAnalysis::sourceDetail(AnalysisSide side)
{
    const Dataset& sources = sourceTotals(side);
    if (!sources.isOpen() || sources.currentIndex() < 0) {
        return;
    }
    buildDetail(side, sources, kSource);
}

void IncomeExpenseAnalysis::buildDetail(AnalysisSide side, const Dataset& grouping,
                                        const QString& groupField)
{
    // The group's own value: a group without a type lists the movements without one, a type
    // stored as an empty text the movements stored so; and the group's currency, which a row
    // of the grouping always names, so a detail never adds one currency to another.
    const bool hasGroup = grouping.isOpen() && grouping.currentIndex() >= 0;
    AnalysisPeriod period = period_;
    std::optional<QVariant> groupValue;
    if (hasGroup) {
        groupValue = grouping.value(groupField);
        period.currency = grouping.value(QStringLiteral("doviz_cinsi")).toString();
    }
    Detail& shown = details_[indexOf(side)];
    shown.totalText = QStringLiteral("0.00");
    Dataset& movements = detailQuery(side);
    useStatement(movements, detailStatement(side, period, groupField, groupValue, engine()));

    const int amount = movements.fieldIndex(amountField(side));
    Money total;
    for (int row = 0; row < movements.recordCount(); ++row) {
        total += Money::fromStored(movements.valueAt(row, amount));
    }
    shown.headingField = groupField;
    shown.totalText = total.text();
    shown.reportDateText = QStringLiteral("Rapor Tarihi: ") + analysisPeriodText(period_);

    // The report's title is the transaction type of the listed movements (of the last one,
    // when a source's movements are listed); empty without movements.
    report::ReportTemplate& design = reportTemplate(detailReport(side));
    design.replaceText(QStringLiteral("Memo1"),
                       movements.valueAt(movements.recordCount() - 1, kType).toString());
    design.replaceText(QStringLiteral("Memo11"), shown.reportDateText);
    design.replaceText(QStringLiteral("Memo19"), shown.totalText);
    emit detailChanged(side);
}

void IncomeExpenseAnalysis::closeDetail(AnalysisSide side)
{
    detailQuery(side).close();
    Detail& shown = details_[indexOf(side)];
    shown.totalText = QStringLiteral("0.00");
    shown.reportDateText = QStringLiteral("Rapor Tarihi:");
    report::ReportTemplate& design = reportTemplate(detailReport(side));
    design.replaceText(QStringLiteral("Memo1"), {});
    design.replaceText(QStringLiteral("Memo11"), {});
    design.replaceText(QStringLiteral("Memo19"), Money().text());
    emit detailChanged(side);
}

void IncomeExpenseAnalysis::closeTypeTotals()
{
    collectionsByType_.close();
    paymentsByType_.close();
}

IncomeExpenseAnalysis::Report IncomeExpenseAnalysis::buildReport(PrintChoice choice)
{
    switch (choice) {
        case PrintChoice::TahsilatlarOzet:
            buildSide(AnalysisSide::Collections);
            reportTemplate(Report::frReport4)
                .replaceText(QStringLiteral("Memo13"), totalText(AnalysisSide::Collections));
            return Report::frReport4;
        case PrintChoice::OdemelerOzet:
            buildSide(AnalysisSide::Payments);
            reportTemplate(Report::frReport1)
                .replaceText(QStringLiteral("Memo13"), totalText(AnalysisSide::Payments));
            return Report::frReport1;
        case PrintChoice::TahsilatOdemeOzeti: {
            buildBothSides();
            report::ReportTemplate& design = reportTemplate(Report::frReport2);
            design.replaceText(QStringLiteral("Memo16"), totalText(AnalysisSide::Collections));
            design.replaceText(QStringLiteral("Memo27"), totalText(AnalysisSide::Payments));
            design.replaceText(QStringLiteral("Memo13"), differenceText());
            return Report::frReport2;
        }
        case PrintChoice::TahsilatDetay:
            typeDetail(AnalysisSide::Collections);
            return Report::detaygelirReport;
        case PrintChoice::OdemeDetay:
            typeDetail(AnalysisSide::Payments);
            return Report::detaygiderReport;
    }
    return Report::frReport4;
}

IncomeExpenseAnalysis::Report IncomeExpenseAnalysis::detailReport(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? Report::detaygelirReport : Report::detaygiderReport;
}

report::ReportTemplate& IncomeExpenseAnalysis::reportTemplate(Report which)
{
    std::optional<report::ReportTemplate>& slot = templates_[size_t(which)];
    if (!slot) {
        slot = report::ReportTemplate::load(QStringLiteral(":/reports/raporKasaF/%1.json")
                                                .arg(QLatin1String(kTemplateNames[size_t(which)])));
    }
    return *slot;
}

// The open cash book's record in the registry, found by its code without moving the
// registry's current row; the cash book's own copy when the registry no longer has it.
QVariantList IncomeExpenseAnalysis::firmaValues()
{
    const FirmaRecord own = readFirmaRecord(session_.kasaConnection);
    Dataset& registry = session_.FirmaTakip;
    registry.open();
    const QString code = QStringLiteral("firma_kodu");
    for (int row = 0; row < registry.recordCount(); ++row) {
        if (registry.valueAt(row, code).toString().compare(own.kodu(), Qt::CaseInsensitive) == 0) {
            QVariantList values;
            for (const QString& field : firmaFieldNames()) {
                values << registry.valueAt(row, field);
            }
            return values;
        }
    }
    return own.values;
}

report::PreparedReport IncomeExpenseAnalysis::prepare(Report which,
                                                      const report::TextMeasurer& measurer,
                                                      const report::PrepareOptions& options)
{
    const report::ReportTemplate& design = reportTemplate(which);
    report::ReportData data;
    // The templates read the datasets by their names.
    for (Dataset* dataset : {&collectionsByType_, &paymentsByType_, &collectionsBySource_,
                             &paymentsBySource_, &collectionsDetail_, &paymentsDetail_}) {
        data.addDataset(dataset->name(), *dataset);
    }
    data.addRecord(QStringLiteral("firmaF.FirmaTakip"), firmaFieldNames(), firmaValues());
    return report::prepareReport(design, data, measurer, options);
}

}  // namespace tamevo
