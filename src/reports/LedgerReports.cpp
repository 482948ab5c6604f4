#include "reports/LedgerReports.h"

#include "data/CashBookFiles.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "ledger/BalanceQueries.h"
#include "ledger/Ledger.h"

namespace tamevo {

namespace {

const QString kDay = QStringLiteral("islem_tarihi");
const QString kCurrency = QStringLiteral("doviz_cinsi");
const QString kIkitarihQuery = QStringLiteral("ikitarihQuery");
const QString kTarihQuery = QStringLiteral("tarihQuery");

constexpr int kTemplateCount = 12;
constexpr int kTwinOffset = 6;

// The first number of each choice's pair of templates.
int baseTemplate(LedgerReports::Choice choice)
{
    switch (choice) {
        case LedgerReports::Choice::GunlukKasa:
            return 1;
        case LedgerReports::Choice::IkiTarihArasi:
            return 2;
        case LedgerReports::Choice::IslemTuru:
            return 3;
        case LedgerReports::Choice::GunToplamlari:
            return 4;
        case LedgerReports::Choice::IkiTarihDetay:
            return 5;
        case LedgerReports::Choice::GunlukKasaDetay:
            return 6;
    }
    return 1;
}

}  // namespace

LedgerReports::LedgerReports(Session& session, Ledger& ledger)
    : ikitarihQuery(session.kasaConnection, kIkitarihQuery),
      tarihQuery(session.kasaConnection, kTarihQuery),
      islemturuQuery(session.kasaConnection, QStringLiteral("islemturuQuery")),
      session_(session),
      ledger_(ledger)
{
    ikitarihQuery.setDateField(kDay);
    tarihQuery.setDateField(kDay);
    // Until the two-date window first builds them, the queries hold the window's starting
    // range: the last thirty days in all currencies.
    const TwoDateRange start =
        startingTwoDateRange(QDate::currentDate(), QDate::currentDate().year());
    for (auto [dataset, statement] :
         {std::pair{&ikitarihQuery, twoDateMovementsStatement(start)},
          std::pair{&tarihQuery, twoDateDayTotalsStatement(start)},
          std::pair{&islemturuQuery, twoDateTypeTotalsStatement(
                                         start, engineOf(session.kasaConnection.database()))}}) {
        dataset->setQuery(statement.sql, statement.values);
    }
}

report::ReportTemplate& LedgerReports::frReport(int number)
{
    if (number < 1 || number > kTemplateCount) {
        throw Error(QStringLiteral("frReport%1 yok.").arg(number));
    }
    // Each template is read when it is first printed, so start-up does not wait for them;
    // afterwards it stays, with the texts replaced in it.
    std::optional<report::ReportTemplate>& slot = templates_[number - 1];
    if (!slot) {
        slot = report::ReportTemplate::load(
            QStringLiteral(":/reports/kasaRF/frReport%1.json").arg(number));
    }
    return *slot;
}

int LedgerReports::templateNumber(Choice choice, bool shortDescription)
{
    return baseTemplate(choice) + (shortDescription ? kTwinOffset : 0);
}

LedgerReports::PrintStep LedgerReports::printStep(const LedgerPrintChoice& choice)
{
    if (!choice.report) {
        return {};
    }
    switch (*choice.report) {
        case Choice::GunlukKasa:
        case Choice::GunlukKasaDetay:
            return {templateNumber(*choice.report, choice.shortDescription)};
        case Choice::IkiTarihArasi:
            return {0, TwoDateOutput::IkiTarihArasi};
        case Choice::IkiTarihDetay:
            return {0, TwoDateOutput::IkiTarihDetay};
        case Choice::IslemTuru:
            return {0, TwoDateOutput::IslemTuru};
        case Choice::GunToplamlari:
            return {0, TwoDateOutput::GunToplamlari};
    }
    return {};
}

int LedgerReports::buildPeriodReport(TwoDateOutput output, const TwoDateRange& range,
                                     bool shortDescription)
{
    switch (output) {
        case TwoDateOutput::IkiTarihArasi:
            return ikitariharasi(range, shortDescription);
        case TwoDateOutput::IkiTarihDetay:
            return ikitariharasidetay(range, shortDescription);
        case TwoDateOutput::IslemTuru:
            return islemturu(range, shortDescription);
        case TwoDateOutput::GunToplamlari:
            return guntoplamlari(range, shortDescription);
        case TwoDateOutput::Browser:
        case TwoDateOutput::Nothing:
            break;
    }
    return 0;
}

// What every two-date build ends with: the range's opening balance (every movement before
// its first day, in its currency) and the title in the template that will print.
int LedgerReports::finishBuild(const TwoDateRange& range, Choice choice, bool shortDescription,
                               const QString& titleWords)
{
    periodOpening_ = ledger_.openingBalance(range.currency, range.first);
    const int number = templateNumber(choice, shortDescription);
    frReport(number).replaceText(QStringLiteral("Memo1"), twoDateTitle(range, titleWords));
    return number;
}

int LedgerReports::ikitariharasi(const TwoDateRange& range, bool shortDescription)
{
    useStatement(ikitarihQuery, twoDateMovementsStatement(range));
    return finishBuild(range, Choice::IkiTarihArasi, shortDescription, kTwoDateMovementsWords);
}

int LedgerReports::islemturu(const TwoDateRange& range, bool shortDescription)
{
    useStatement(islemturuQuery,
                 twoDateTypeTotalsStatement(range, engineOf(session_.kasaConnection.database())));
    return finishBuild(range, Choice::IslemTuru, shortDescription, kTwoDateTypesWords);
}

int LedgerReports::guntoplamlari(const TwoDateRange& range, bool shortDescription)
{
    useStatement(tarihQuery, twoDateDayTotalsStatement(range));
    return finishBuild(range, Choice::GunToplamlari, shortDescription, kTwoDateDaysWords);
}

int LedgerReports::ikitariharasidetay(const TwoDateRange& range, bool shortDescription)
{
    useStatement(ikitarihQuery, twoDateMovementsStatement(range));
    useStatement(tarihQuery, twoDateDayTotalsStatement(range));
    return finishBuild(range, Choice::IkiTarihDetay, shortDescription, kTwoDateDetailWords);
}

report::PreparedReport LedgerReports::prepare(int number, const report::TextMeasurer& measurer,
                                              const report::PrepareOptions& options)
{
    const report::ReportTemplate& design = frReport(number);
    ledger_.settlePendingMovement();

    report::ReportData data;
    const int base = (number - 1) % kTwinOffset + 1;
    if (base == baseTemplate(Choice::GunlukKasa) || base == baseTemplate(Choice::GunlukKasaDetay)) {
        ledger_.addDayToReport(data);
    } else {
        data.addRecord(QStringLiteral("gunbasikasaQuery"), {QStringLiteral("bakiye")},
                       {periodOpening_.stored()});
    }
    data.addDataset(kIkitarihQuery, ikitarihQuery);
    data.addDataset(kTarihQuery, tarihQuery);
    data.addDataset(QStringLiteral("islemturuQuery"), islemturuQuery);
    const FirmaRecord firma = readFirmaRecord(session_.kasaConnection);
    data.addRecord(QStringLiteral("firmaF.ffTable1"), firmaFieldNames(), firma.values);
    bindDetailReport(data);

    walking_ = &data;
    try {
        report::PreparedReport prepared = report::prepareReport(design, data, measurer, options);
        walking_ = nullptr;
        return prepared;
    } catch (...) {
        walking_ = nullptr;
        throw;
    }
}

void LedgerReports::bindDetailReport(report::ReportData& data)
{
    data.setUserLink(QStringLiteral("MasterDataset"),
                     {[this] { MasterDatasetFirst(); }, [this] { MasterDatasetNext(); },
                      [this](bool& eof) { MasterDatasetCheckEOF(eof); }});
    data.setUserLink(QStringLiteral("DetailDataset"),
                     {[this] { DetailDatasetFirst(); }, [this] { DetailDatasetNext(); },
                      [this](bool& eof) { DetailDatasetCheckEOF(eof); }});
}

void LedgerReports::MasterDatasetFirst()
{
    tarihQuery.open();
    ikitarihQuery.open();
    // The movements of each day and currency, in their order.
    runs_.clear();
    for (int row = 0; row < ikitarihQuery.recordCount(); ++row) {
        runs_[{ikitarihQuery.valueAt(row, kDay).toDate(),
               ikitarihQuery.valueAt(row, kCurrency).toString()}]
            .append(row);
    }
    masterRow_ = 0;
    walking_->setRow(kTarihQuery, tarihQuery.isEmpty() ? -1 : 0);
}

void LedgerReports::MasterDatasetCheckEOF(bool& eof)
{
    eof = eof || masterRow_ >= tarihQuery.recordCount();
}

void LedgerReports::MasterDatasetNext()
{
    ++masterRow_;
    if (masterRow_ < tarihQuery.recordCount()) {
        walking_->setRow(kTarihQuery, masterRow_);
    }
}

void LedgerReports::DetailDatasetFirst()
{
    run_ = runs_.value({tarihQuery.valueAt(masterRow_, kDay).toDate(),
                        tarihQuery.valueAt(masterRow_, kCurrency).toString()});
    runPosition_ = 0;
    walking_->setRow(kIkitarihQuery, run_.isEmpty() ? -1 : run_.first());
}

void LedgerReports::DetailDatasetCheckEOF(bool& eof)
{
    eof = eof || runPosition_ >= run_.size();
}

void LedgerReports::DetailDatasetNext()
{
    ++runPosition_;
    if (runPosition_ < run_.size()) {
        walking_->setRow(kIkitarihQuery, run_[runPosition_]);
    }
}

}  // namespace tamevo
