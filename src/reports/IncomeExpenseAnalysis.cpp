#include "reports/IncomeExpenseAnalysis.h"

#include "data/Money.h"

#include "data/CashBookFiles.h"
#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/Ledger.h"
#include "reports/ExportLayout.h"

#include <utility>

namespace tamevo {

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
    : ffQuery1(session.kasaConnection, QStringLiteral("ffQuery1")),
      ADOQuery1(session.kasaConnection, QStringLiteral("ADOQuery1")),
      ffQuery2(session.kasaConnection, QStringLiteral("ffQuery2")),
      ADOQuery2(session.kasaConnection, QStringLiteral("ADOQuery2")),
      detaygelirQuery(session.kasaConnection, QStringLiteral("detaygelirQuery")),
      detaygiderQuery(session.kasaConnection, QStringLiteral("detaygiderQuery")),
      session_(session)
{
    const QDate today = QDate::currentDate();
    period_ = {
        {}, QDate(today.year(), 1, 1), QDate(today.year(), today.month(), today.daysInMonth())};
    // Until they are first built, the queries hold the starting period.
    const auto use = [](Dataset& dataset, const Statement& statement) {
        dataset.setQuery(statement.sql, statement.values);
    };
    for (AnalysisSide side : {AnalysisSide::Collections, AnalysisSide::Payments}) {
        use(typeTotals(side), typeTotalsStatement(side, period_));
        use(sourceTotals(side), sourceTotalsStatement(side, period_));
        use(detailQuery(side), detailStatement(side, period_, kType, std::nullopt));
        detailQuery(side).setDateField(kDay);
        detailQuery(side).setDateField(QStringLiteral("islem_vadesi"));
    }
}

IncomeExpenseAnalysis::~IncomeExpenseAnalysis() = default;

Dataset& IncomeExpenseAnalysis::typeTotals(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? ffQuery1 : ffQuery2;
}

Dataset& IncomeExpenseAnalysis::sourceTotals(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? ADOQuery1 : ADOQuery2;
}

Dataset& IncomeExpenseAnalysis::detailQuery(AnalysisSide side)
{
    return side == AnalysisSide::Collections ? detaygelirQuery : detaygiderQuery;
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
    useStatement(types, typeTotalsStatement(side, period_));
    useStatement(sourceTotals(side), sourceTotalsStatement(side, period_));

    const int sum = types.fieldIndex(sumField(side));
    qint64 total = 0;
    for (int row = 0; row < types.recordCount(); ++row) {
        total += kurus(amountOf(types.valueAt(row, sum)));
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

void IncomeExpenseAnalysis::raporuHazirla()
{
    isletmegelirbul();
    isletmegiderbul();
    difference_ = total(AnalysisSide::Collections) - total(AnalysisSide::Payments);
    emit figuresChanged();
}

qint64 IncomeExpenseAnalysis::total(AnalysisSide side) const
{
    return totals_[indexOf(side)];
}

QString IncomeExpenseAnalysis::totalText(AnalysisSide side) const
{
    return formatAmount(fromKurus(total(side)));
}

QString IncomeExpenseAnalysis::differenceText() const
{
    return formatAmount(fromKurus(difference_));
}

const IncomeExpenseAnalysis::Detail& IncomeExpenseAnalysis::detail(AnalysisSide side) const
{
    return details_[indexOf(side)];
}

void IncomeExpenseAnalysis::typeDetail(AnalysisSide side)
{
    // The group's own value: a group without a type lists the movements without one, a
    // type stored as an empty text the movements stored so. Without a current group (the
    // grouping closed by the analysis window's "Kapat", or empty) the list is empty.
    Dataset& types = typeTotals(side);
    buildDetail(side, kType,
                types.currentIndex() >= 0 ? std::optional(types.value(kType)) : std::nullopt);
}

void IncomeExpenseAnalysis::sourceDetail(AnalysisSide side)
{
    Dataset& sources = sourceTotals(side);
    if (!sources.isOpen() || sources.currentIndex() < 0) {
        return;
    }
    buildDetail(side, kSource, sources.value(kSource));
}

void IncomeExpenseAnalysis::buildDetail(AnalysisSide side, const QString& groupField,
                                        const std::optional<QVariant>& groupValue)
{
    Detail& shown = details_[indexOf(side)];
    shown.totalText = QStringLiteral("0.00");
    Dataset& movements = detailQuery(side);
    useStatement(movements, detailStatement(side, period_, groupField, groupValue));

    const int amount = movements.fieldIndex(amountField(side));
    qint64 total = 0;
    for (int row = 0; row < movements.recordCount(); ++row) {
        total += kurus(amountOf(movements.valueAt(row, amount)));
    }
    shown.headingField = groupField;
    shown.totalText = formatAmount(fromKurus(total));
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
    design.replaceText(QStringLiteral("Memo19"), formatAmount(0.0));
    emit detailChanged(side);
}

void IncomeExpenseAnalysis::closeTypeTotals()
{
    ffQuery1.close();
    ffQuery2.close();
}

IncomeExpenseAnalysis::Report IncomeExpenseAnalysis::JvXPButton3Click(PrintChoice choice)
{
    switch (choice) {
        case PrintChoice::TahsilatlarOzet:
            isletmegelirbul();
            reportTemplate(Report::frReport4)
                .replaceText(QStringLiteral("Memo13"), totalText(AnalysisSide::Collections));
            return Report::frReport4;
        case PrintChoice::OdemelerOzet:
            isletmegiderbul();
            reportTemplate(Report::frReport1)
                .replaceText(QStringLiteral("Memo13"), totalText(AnalysisSide::Payments));
            return Report::frReport1;
        case PrintChoice::TahsilatOdemeOzeti: {
            raporuHazirla();
            report::ReportTemplate& design = reportTemplate(Report::frReport2);
            design.replaceText(QStringLiteral("Memo16"), totalText(AnalysisSide::Collections));
            design.replaceText(QStringLiteral("Memo27"), totalText(AnalysisSide::Payments));
            design.replaceText(QStringLiteral("Memo13"), differenceText());
            return Report::frReport2;
        }
        case PrintChoice::TahsilatDetay:
            isletmegelirDetaybul();
            return Report::detaygelirReport;
        case PrintChoice::OdemeDetay:
            isletmegiderDetaybul();
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
    for (auto [name, dataset] :
         {std::pair{"ffQuery1", &ffQuery1}, std::pair{"ffQuery2", &ffQuery2},
          std::pair{"ADOQuery1", &ADOQuery1}, std::pair{"ADOQuery2", &ADOQuery2},
          std::pair{"detaygelirQuery", &detaygelirQuery},
          std::pair{"detaygiderQuery", &detaygiderQuery}}) {
        data.addDataset(QLatin1String(name), *dataset);
    }
    data.addRecord(QStringLiteral("firmaF.FirmaTakip"), firmaFieldNames(), firmaValues());
    return report::prepareReport(design, data, measurer, options);
}

}  // namespace tamevo
