#pragma once

#include "data/Money.h"
#include "reports/ExportLayout.h"
#include "reports/PeriodMovements.h"
#include "reports/TwoDateQueries.h"

#include <QObject>
#include <QString>

namespace tamevo {

class Ledger;
class LedgerReports;
class Session;
struct FirmaRecord;

// The two-date movement browser's data: the range and currency the two-date window last
// built it for, the range's figures and its movements. The two-date window builds it
// (ikitariharasitablo); the browser window shows it and opens its movements through the
// ledger.
class TwoDateBrowser : public QObject {
    Q_OBJECT
public:
    TwoDateBrowser(Session& session, Ledger& ledger, LedgerReports& reports);

    // The browser's figures: the balance before the first day, the range's money in and
    // out, their difference and the balance at the range's end.
    struct Figures {
        Money opening;
        Money in;
        Money out;
        Money net() const { return in - out; }
        Money closing() const { return opening + net(); }
    };

    // The texts of the browser's labels.
    struct Labels {
        QString title;  // Label2: "<D1> - <D2> TARİHLERİ ARASI <currency> KASA HAREKETLERİ"
        QString openingCaption;  // Label3: "<D1> GÜN BAŞI KASA MEVCUDU"
        QString opening;         // DBText2
        QString in;              // Label9, beside "DÖNEM GİREN PARA"
        QString out;             // Label11, beside "DÖNEM ÇIKAN PARA"
        QString net;             // Label4, beside "DÖNEM BAKİYE"
        QString closing;         // Label10, beside "DÖNEM SONU KASA MEVCUDU"
        QString closingDay;      // Label12: "( <D2> )"
    };

    // Builds the browser for `range`; `currencyText` is the text of the two-date window's
    // currency box, as the title shows it. The figures come from the per-day totals, the list
    // reads its first page, and the period movement query ikitarihQuery takes the range, to
    // be read when a report needs it. The ledger's own figures stay the shown day's. Throws
    // Error; the browser keeps its last build then.
    void ikitariharasitablo(const TwoDateRange& range, const QString& currencyText);

    // The figures of `range`: its opening balance and its money in and out, from the per-day
    // totals. Throws Error.
    Figures readFigures(const TwoDateRange& range);

    const TwoDateRange& range() const { return range_; }
    const Figures& figures() const { return figures_; }
    Labels labels(const QLocale& locale = QLocale()) const;
    PeriodMovementsModel& movements() { return movements_; }

    // Opening a listed movement (double click, "İşlemi Düzeltt"): the ledger moves to its
    // day and to the movement. False when the row holds no movement or the ledger's lists do
    // not hold it (a movement in another currency than the ledger's; the ledger may then have
    // moved to its day). Throws Error.
    bool openMovement(int row);

    // The period export of the range's movements as they are now: the opening balance read
    // again, the totals summed from the rows it lists.
    ExportInput exportInput(const FirmaRecord& firma);
    // "Excel": the period export written and opened; every failure is shown and ends only
    // this command.
    void exportToSpreadsheet();

signals:
    // A build finished: the labels and the list show the new range.
    void built();

private:
    Session& session_;
    Ledger& ledger_;
    LedgerReports& reports_;
    TwoDateRange range_;
    QString currencyText_;
    Figures figures_;
    PeriodMovementsModel movements_;
};

}  // namespace tamevo
