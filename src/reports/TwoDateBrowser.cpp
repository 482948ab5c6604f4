#include "reports/TwoDateBrowser.h"

#include "data/Money.h"

#include "data/CashBookFiles.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/BalanceQueries.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerTexts.h"
#include "reports/LedgerReports.h"
#include "reports/SpreadsheetExport.h"

#include <cmath>

namespace tamevo {

TwoDateBrowser::TwoDateBrowser(Session& session, Ledger& ledger, LedgerReports& reports)
    : session_(session), ledger_(ledger), reports_(reports), movements_(session.kasaConnection)
{
}

TwoDateBrowser::Figures TwoDateBrowser::readFigures(const TwoDateRange& range)
{
    // The range's money in and out, summed in kuruş over its days.
    Figures figures;
    Dataset sums(session_.kasaConnection);
    useStatement(sums, twoDateSumsStatement(range));
    figures.in = Money::fromKurus(sums.value(QStringLiteral("BorcKurus")).toLongLong());
    figures.out = Money::fromKurus(sums.value(QStringLiteral("AlacakKurus")).toLongLong());
    figures.opening = ledger_.openingBalance(range.currency, range.first);
    return figures;
}

void TwoDateBrowser::ikitariharasitablo(const TwoDateRange& range, const QString& currencyText)
{
    const Figures figures = readFigures(range);
    movements_.showRange(range);
    const Statement all = twoDateMovementsStatement(range);
    reports_.ikitarihQuery.close();
    reports_.ikitarihQuery.setQuery(all.sql, all.values);

    range_ = range;
    currencyText_ = currencyText;
    figures_ = figures;
    emit built();
}

TwoDateBrowser::Labels TwoDateBrowser::labels(const QLocale& locale) const
{
    const auto day = [&](const QDate& d) { return locale.toString(d, QLocale::ShortFormat); };
    const auto amount = [&](Money money) { return money.text(locale); };
    if (!range_.first.isValid()) {
        return {};
    }
    return {day(range_.first) + QStringLiteral(" - ") + day(range_.last) +
                QStringLiteral(" TARİHLERİ ARASI ") + currencyText_ +
                QStringLiteral(" KASA HAREKETLERİ"),
            day(range_.first) + QStringLiteral(" GÜN BAŞI KASA MEVCUDU"),
            amount(figures_.opening),
            amount(figures_.in),
            amount(figures_.out),
            amount(figures_.net()),
            amount(figures_.closing()),
            QStringLiteral("( ") + day(range_.last) + QStringLiteral(" )")};
}

bool TwoDateBrowser::openMovement(int row)
{
    const PeriodMovement* movement = movements_.movement(row);
    if (movement == nullptr || movement->nid <= 0) {
        return false;
    }
    return ledger_.locateMovement(movement->day, movement->nid);
}

ExportInput TwoDateBrowser::exportInput(const FirmaRecord& firma)
{
    ExportInput input;
    input.labels = kPeriodExportLabels;
    input.firma = exportFirmaOf(firma);
    input.first = range_.first;
    input.last = range_.last;
    input.opening = ledger_.openingBalance(range_.currency, range_.first);
    input.rows = periodExportRows(session_.kasaConnection, range_);
    return input;
}

void TwoDateBrowser::exportToSpreadsheet()
{
    FirmaRecord firma;
    if (guarded([&] { firma = readFirmaRecord(session_.kasaConnection); })) {
        exportAndOpen(exportInput(firma));
    }
}

}  // namespace tamevo
