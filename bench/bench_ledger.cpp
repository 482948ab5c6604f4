// One day selection and one refresh of the ledger on year databases of 100,000 and
// 1,000,000 movements (four currencies, every day of the year), beside the same figures
// computed by the best hand-written SQLite statement each over the movements, with the best
// (covering) indexes, in the same run.
#include "Measure.h"
#include "SampleBook.h"

#include "data/CashBookFiles.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"
#include "ledger/BalanceQueries.h"
#include "ledger/BalanceQueries.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"

#include <QCoreApplication>
#include <QSqlQuery>

using namespace tamevo;

namespace {

// The best single statements over the movements for what one day selection shows.
struct Baseline {
    explicit Baseline(const QString& path) : connection(path) {}
    void sums(const QString& comparison, const QString& day)
    {
        QSqlQuery q(connection.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit "
                                 "WHERE islem_tarihi %1 ?")
                      .arg(comparison));
        q.addBindValue(day);
        q.exec();
        q.next();
    }
    void figures(const QString& day)
    {
        sums(QStringLiteral("<"), day);
        sums(QStringLiteral("="), day);
        QSqlQuery q(connection.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral(
            "SELECT doviz_cinsi, SUM(CASE WHEN islem_tarihi < ?1 AND borc_tutar > 0 THEN "
            "borc_tutar "
            "ELSE 0 END) - SUM(CASE WHEN islem_tarihi < ?1 AND alacak_tutar > 0 THEN alacak_tutar "
            "ELSE 0 END), SUM(CASE WHEN islem_tarihi = ?1 THEN borc_tutar ELSE 0 END), "
            "SUM(CASE WHEN islem_tarihi = ?1 THEN alacak_tutar ELSE 0 END) FROM nakit "
            "GROUP BY doviz_cinsi"));
        q.bindValue(0, day);
        q.exec();
        while (q.next()) {
        }
    }
    void selectDay(const QString& day)
    {
        figures(day);
        QSqlQuery q(connection.db());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT * FROM nakit WHERE islem_tarihi = ? ORDER BY nid"));
        q.addBindValue(day);
        q.exec();
        while (q.next()) {
            q.value(0);
        }
    }
    void dateList()
    {
        QSqlQuery q(connection.db());
        q.setForwardOnly(true);
        q.exec(
            QStringLiteral("SELECT islem_tarihi FROM nakit WHERE doviz_cinsi = 'TL' "
                           "GROUP BY islem_tarihi ORDER BY islem_tarihi DESC"));
        while (q.next()) {
        }
    }
    bench::BaselineConnection connection;
};

struct Figures {
    double figures = 0, figuresBaseline = 0;  // day figures and summary grid
    double select = 0, selectBaseline = 0;    // the same and the day's movement list
    double dateList = 0, dateListBaseline = 0;
};

Figures measure(int count)
{
    Figures result;
    bench::inSampleBook([&](Session& session, const QString& baselinePath) {
        bench::addYearOfMovements(session, count, baselinePath);

        Ledger ledger(session);
        ledger.setCurrencySelection(kAllCurrencies);
        ledger.openBook();
        ledger.yenile();
        Baseline baseline(baselinePath);
        int row = 0;
        const auto nextDay = [&] {
            row = (row + 37) % ledger.dateList().recordCount();
            return QDate(2021, 12, 31).addDays(-row).toString(Qt::ISODate);
        };
        QString day;
        // The figures of a day and the summary grid: the three statements a day selection
        // runs for them, without the movement list.
        Dataset dayStart(session.kasaConnection), dayTotals(session.kasaConnection),
            summary(session.kasaConnection);
        const auto [figures, figuresBaseline] = bench::sideBySide(
            [&] {
                day = nextDay();
                const QDate date = QDate::fromString(day, Qt::ISODate);
                useStatement(dayStart, dayStartStatement({}, date));
                useStatement(dayTotals, dayTotalsStatement({}, date));
                useStatement(summary, currencySummaryStatement(date));
            },
            [&] { baseline.figures(day); }, 40);
        // The whole day selection: the figures, the summary and the day's movements.
        const auto [select, selectBaseline] = bench::sideBySide(
            [&] {
                day = nextDay();
                ledger.selectDay(row);
            },
            [&] { baseline.selectDay(day); }, 40);
        // The date list of one currency, rebuilt.
        ledger.setCurrencySelection(QStringLiteral("TL"));
        const auto [dateList, dateListBaseline] =
            bench::sideBySide([&] { ledger.rebuildDateList(); }, [&] { baseline.dateList(); }, 20);
        result = {figures, figuresBaseline, select, selectBaseline, dateList, dateListBaseline};
        ledger.closeBook();
    });
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Figures small = measure(100000);
    const Figures large = measure(1000000);
    bench::report("day figures and summary, 100,000 movements", small.figures,
                  small.figuresBaseline);
    bench::report("day figures and summary, 1,000,000 movements", large.figures,
                  large.figuresBaseline);
    bench::report("day selection with its movements, 100,000", small.select, small.selectBaseline);
    bench::report("day selection with its movements, 1,000,000", large.select,
                  large.selectBaseline);
    bench::report("date list (refresh), 100,000 movements", small.dateList, small.dateListBaseline);
    bench::report("date list (refresh), 1,000,000 movements", large.dateList,
                  large.dateListBaseline);
    std::printf("day figures 1,000,000 / 100,000: %.2f\n", large.figures / small.figures);
    std::printf("day selection with its movements 1,000,000 / 100,000: %.2f\n",
                large.select / small.select);
    return 0;
}
