// The income and expense analysis of a whole year (collections and payments by transaction
// type and by source, with their totals) on year databases of 100,000 and 1,000,000
// movements, in one currency and under "Hepsi", beside the best hand-written GROUP BY
// statements over the same movements with the best (covering) indexes, in the same run.
#include "Measure.h"
#include "SampleBook.h"

#include "data/Session.h"
#include "reports/IncomeExpenseAnalysis.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlQuery>

using namespace tamevo;

namespace {

const QStringList kCurrencies{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                              QStringLiteral("GBP")};
constexpr int kTypes = 24;
constexpr int kSources = 12;

// Fills the open cash book with `count` movements over every day of 2021 (four currencies,
// two dozen transaction types, a dozen sources and one movement in five without a source),
// and a baseline file with the same movements, no totals table, and covering indexes for the
// groupings in both orders with their statistics.
void generate(Session& session, int count, const QString& baselinePath)
{
    bench::addYearMovements(session, count, [](QRandomGenerator& random) {
        const bool in = random.bounded(3) != 0;
        const double amount = random.bounded(1000000) / 100.0;
        const int source = random.bounded(kSources + 3);
        return bench::SampleMovement{
            kCurrencies[random.bounded(kCurrencies.size())], in ? QVariant(amount) : QVariant(),
            in ? QVariant() : QVariant(amount),
            QStringLiteral("İşlem türü %1").arg(random.bounded(kTypes)),
            source < kSources ? QVariant(QStringLiteral("Kaynak %1").arg(source)) : QVariant()};
    });
    QStringList indexes;
    for (const char* group : {"neden", "bankaadi"}) {
        // Under "Hepsi" the groups in index order; in one currency its groups in index order.
        indexes << QStringLiteral(
                       "CREATE INDEX b.%1_hepsi ON nakit (%1, doviz_cinsi, "
                       "islem_tarihi, borc_tutar, alacak_tutar)")
                       .arg(QLatin1String(group))
                << QStringLiteral(
                       "CREATE INDEX b.%1_doviz ON nakit (doviz_cinsi, %1, "
                       "islem_tarihi, borc_tutar, alacak_tutar)")
                       .arg(QLatin1String(group));
    }
    indexes << QStringLiteral("ANALYZE b");
    bench::copyMovements(session, baselinePath, indexes);
}

// The four groupings written by hand, each the plain GROUP BY over the movements, and the
// two totals summed from the type groupings.
struct Baseline {
    explicit Baseline(const QString& path) : connection(path) {}
    double grouping(const char* group, const char* amount, const QString& currency)
    {
        QSqlQuery q(connection.db());
        q.setForwardOnly(true);
        const QString where =
            currency.isEmpty() ? QString() : QStringLiteral(" AND doviz_cinsi = ?");
        q.prepare(QStringLiteral("SELECT %1, doviz_cinsi, SUM(%2) FROM nakit WHERE %2 > 0 "
                                 "AND islem_tarihi >= ? AND islem_tarihi <= ?%3%4 "
                                 "GROUP BY %1, doviz_cinsi")
                      .arg(QLatin1String(group), QLatin1String(amount), where,
                           QLatin1String(group) == QLatin1String("bankaadi")
                               ? QStringLiteral(" AND bankaadi IS NOT NULL")
                               : QString()));
        q.addBindValue(QStringLiteral("2021-01-01"));
        q.addBindValue(QStringLiteral("2021-12-31"));
        if (!currency.isEmpty()) {
            q.addBindValue(currency);
        }
        q.exec();
        double total = 0;
        while (q.next()) {
            total += q.value(2).toDouble();
        }
        return total;
    }
    void analysis(const QString& currency)
    {
        for (const char* amount : {"borc_tutar", "alacak_tutar"}) {
            grouping("neden", amount, currency);
            grouping("bankaadi", amount, currency);
        }
    }
    bench::BaselineConnection connection;
};

struct Figures {
    double all = 0, allBaseline = 0;  // "Hepsi"
    double one = 0, oneBaseline = 0;  // one currency
};

Figures measure(int count)
{
    Figures result;
    bench::inSampleBook([&](Session& session, const QString& baselinePath) {
        generate(session, count, baselinePath);
        IncomeExpenseAnalysis analysis(session);
        session.CalismaYili = 2021;
        analysis.useWorkingYear();
        Baseline baseline(baselinePath);
        // The templates are read once, before the figures.
        analysis.buildBothSides();

        analysis.setCurrency({});
        const auto [all, allBaseline] = bench::sideBySide([&] { analysis.buildBothSides(); },
                                                          [&] { baseline.analysis({}); }, 9);
        analysis.setCurrency(QStringLiteral("TL"));
        const auto [one, oneBaseline] =
            bench::sideBySide([&] { analysis.buildBothSides(); },
                              [&] { baseline.analysis(QStringLiteral("TL")); }, 9);
        result = {all, allBaseline, one, oneBaseline};
    });
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const Figures small = measure(100000);
    const Figures large = measure(1000000);
    bench::report("year analysis, Hepsi, 100,000 movements", small.all, small.allBaseline);
    bench::report("year analysis, Hepsi, 1,000,000 movements", large.all, large.allBaseline);
    bench::report("year analysis, one currency, 100,000", small.one, small.oneBaseline);
    bench::report("year analysis, one currency, 1,000,000", large.one, large.oneBaseline);
    return 0;
}
