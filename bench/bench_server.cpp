// The books on a PostgreSQL server: the day figures and the currency summary of a year of
// 1,000,000 movements, beside the best hand-written statements over the movements on the same
// server; and the save rate of eight desks saving at once, beside one desk alone, and beside
// the same saves into a table without the totals (how far the engine itself scales on the
// machine). Needs a server named by the client library's environment (scripts/bench starts a
// throwaway one).
#include "Measure.h"

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/ServerSchema.h"
#include "data/ServerSettings.h"
#include "data/Statement.h"
#include "ledger/BalanceQueries.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>
#include <memory>
#include <vector>

using namespace tamevo;

namespace {

void run(QSqlDatabase& db, const QString& sql)
{
    QSqlQuery q(db);
    if (!q.exec(sql)) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(sql), qPrintable(q.lastError().text()));
        std::exit(1);
    }
}

// A year of `count` movements in four currencies over every day of 2021, with the per-day and
// yearly totals the triggers would have kept, written in bulk.
void fillYear(QSqlDatabase& db, const QString& schema, int count)
{
    createServerCashBookSchema(db, schema);
    useServerSchema(db, schema);
    run(db, QStringLiteral("ALTER TABLE nakit DISABLE TRIGGER USER"));
    run(db,
        QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, "
                       "doviz_kuru, aciklama, neden, bankaadi) "
                       "SELECT to_char(DATE '2021-01-01' + (g % 365), 'YYYY-MM-DD'), "
                       "(ARRAY['TL', 'USD', 'EURO', 'GBP'])[1 + g % 4], "
                       "CASE WHEN g % 3 <> 0 THEN (g % 100000) / 100.0 END, "
                       "CASE WHEN g % 3 = 0 THEN (g % 50000) / 100.0 END, 1, 'Hareket', 'SATIŞ', "
                       "'Nakit' FROM generate_series(1, %1) g")
            .arg(count));
    run(db, QStringLiteral("ALTER TABLE nakit ENABLE TRIGGER USER"));
    run(db, QStringLiteral(
                "INSERT INTO nakit_gunluk_parca (islem_tarihi, doviz_cinsi, parca, borc_kurus, "
                "borc_adet, alacak_kurus, alacak_adet, borc_arti_kurus, alacak_arti_kurus, adet) "
                "SELECT islem_tarihi, doviz_cinsi, 0, COALESCE(SUM(kurus(borc_tutar)), 0), "
                "COUNT(borc_tutar), COALESCE(SUM(kurus(alacak_tutar)), 0), COUNT(alacak_tutar), "
                "COALESCE(SUM(CASE WHEN borc_tutar > 0 THEN kurus(borc_tutar) END), 0), "
                "COALESCE(SUM(CASE WHEN alacak_tutar > 0 THEN kurus(alacak_tutar) END), 0), "
                "COUNT(*) FROM nakit GROUP BY islem_tarihi, doviz_cinsi"));
    run(db, QStringLiteral(
                "INSERT INTO nakit_yillik_parca (doviz_cinsi, parca, borc_kurus, alacak_kurus, "
                "adet) SELECT doviz_cinsi, 0, COALESCE(SUM(kurus(borc_tutar)), 0), "
                "COALESCE(SUM(kurus(alacak_tutar)), 0), COUNT(*) FROM nakit GROUP BY doviz_cinsi"));
    run(db, QStringLiteral("ANALYZE"));
}

// The best single statements over the movements for the figures of one day under "Hepsi":
// the balance before the day, the day's totals, and both per currency.
void baselineFigures(QSqlDatabase& db, const QString& day)
{
    for (const char* comparison : {"<", "="}) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT SUM(borc_tutar), SUM(alacak_tutar) FROM nakit "
                                 "WHERE islem_tarihi %1 ?")
                      .arg(QLatin1String(comparison)));
        q.addBindValue(day);
        q.exec();
        q.next();
    }
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral(
        "SELECT doviz_cinsi, SUM(CASE WHEN islem_tarihi < ? AND borc_tutar > 0 THEN borc_tutar "
        "ELSE 0 END) - SUM(CASE WHEN islem_tarihi < ? AND alacak_tutar > 0 THEN alacak_tutar "
        "ELSE 0 END), SUM(CASE WHEN islem_tarihi = ? THEN borc_tutar ELSE 0 END), "
        "SUM(CASE WHEN islem_tarihi = ? THEN alacak_tutar ELSE 0 END) FROM nakit "
        "GROUP BY doviz_cinsi"));
    for (int i = 0; i < 4; ++i) {
        q.addBindValue(day);
    }
    q.exec();
    while (q.next()) {
    }
}

// Each desk saves `saves` movements into today of the same currency, each save its own
// transaction, on a connection of its own, into `table`. Returns the seconds until every desk
// is done.
double saveAtOnce(const ServerSettings& settings, const QString& schema, int desks, int saves,
                  const QString& table = QStringLiteral("nakit"), bool withNotice = true)
{
    std::vector<std::unique_ptr<QThread>> threads;
    QElapsedTimer timer;
    timer.start();
    for (int d = 0; d < desks; ++d) {
        threads.emplace_back(QThread::create([&, d] {
            const QString name = QStringLiteral("desk%1_%2").arg(desks).arg(d);
            {
                QSqlDatabase db = addServerDatabase(settings, name);
                if (!db.open()) {
                    std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
                    std::exit(1);
                }
                useServerSchema(db, schema);
                {
                    QSqlQuery q(db);
                    q.prepare(
                        QStringLiteral("INSERT INTO %1 (islem_tarihi, doviz_cinsi, borc_tutar, "
                                       "doviz_kuru, aciklama) VALUES ('2021-12-31', 'TL', ?, 1, "
                                       "'Satış')")
                            .arg(table));
                    for (int i = 0; i < saves; ++i) {
                        q.addBindValue(10.25 + i);
                        // A save and its notice to the other desks, as the ledger does them.
                        if (!q.exec() || (withNotice && !sendMovementsNotice(db))) {
                            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
                            std::exit(1);
                        }
                    }
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }));
        threads.back()->start();
    }
    for (auto& thread : threads) {
        thread->wait();
    }
    return timer.nsecsElapsed() / 1e9;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariable("PGHOST").isEmpty() && qEnvironmentVariable("PGSERVICE").isEmpty()) {
        std::fprintf(stderr, "no PostgreSQL server named (PGHOST or PGSERVICE)\n");
        return 1;
    }
    const ServerSettings settings;  // everything from the environment
    const QString schema = QStringLiteral("BENCH_2021");
    {
        QSqlDatabase admin = addServerDatabase(settings, QStringLiteral("bench_admin"));
        if (!admin.open()) {
            std::fprintf(stderr, "%s\n", qPrintable(admin.lastError().text()));
            return 1;
        }
        run(admin, QStringLiteral("SET client_min_messages = warning"));
        run(admin,
            QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(quotedIdentifier(schema)));
        fillYear(admin, schema, 1000000);

        // The figures of a day and the summary grid, as a day selection under "Hepsi" reads
        // them, beside the hand-written statements over the movements.
        Connection book(QStringLiteral("kasaConnection"));
        book.setServerSchema(settings, schema);
        book.open();
        Dataset dayStart(book), dayTotals(book), summary(book);
        int step = 0;
        QString day;
        const auto nextDay = [&] {
            step = (step + 37) % 365;
            return QDate(2021, 1, 1).addDays(step);
        };
        const auto [figures, figuresBaseline] = bench::sideBySide(
            [&] {
                const QDate date = nextDay();
                day = date.toString(Qt::ISODate);
                useStatement(dayStart, dayStartStatement({}, date));
                useStatement(dayTotals, dayTotalsStatement({}, date));
                useStatement(summary, currencySummaryStatement(date));
            },
            [&] { baselineFigures(admin, day); }, 20);
        bench::report("server: day figures and summary, 1,000,000", figures, figuresBaseline);
        dayStart.close();
        summary.close();

        // A save at one desk until the other desk's figures show it: the server's notice and
        // the other desk's reading of the day's figures, beside the save and the reading done
        // one after the other without waiting for a notice.
        {
            QSqlDatabase desk = addServerDatabase(settings, QStringLiteral("bench_desk"));
            if (!desk.open()) {
                std::fprintf(stderr, "%s\n", qPrintable(desk.lastError().text()));
                return 1;
            }
            useServerSchema(desk, schema);
            int notices = 0;
            QObject::connect(&book, &Connection::changedElsewhere, [&notices] { ++notices; });
            const auto waitForNotice = [&notices](int before) {
                QElapsedTimer waited;
                waited.start();
                while (notices == before && waited.elapsed() < 5000) {
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
                }
                if (notices == before) {
                    std::fprintf(stderr, "no notice of the save within 5 s\n");
                    std::exit(1);
                }
            };
            const QDate today(2021, 12, 31);
            const auto saveAtDesk = [&] {
                run(desk, QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, "
                                         "borc_tutar, doviz_kuru) VALUES ('2021-12-31', 'TL', "
                                         "12.5, 1)"));
                sendMovementsNotice(desk);
            };
            std::vector<double> followedTimes, directTimes;
            for (int round = 0; round < 30; ++round) {
                // The save and the reading one after the other; its notice is let in before
                // the next round, untimed.
                int before = notices;
                directTimes.push_back(bench::seconds([&] {
                    saveAtDesk();
                    useStatement(dayTotals, dayTotalsStatement({}, today));
                }));
                waitForNotice(before);
                before = notices;
                followedTimes.push_back(bench::seconds([&] {
                    saveAtDesk();
                    waitForNotice(before);
                    useStatement(dayTotals, dayTotalsStatement({}, today));
                }));
            }
            const double followed = bench::median(followedTimes);
            const double direct = bench::median(directTimes);
            bench::report("server: a save to the other desk's figures", followed, direct);
            std::printf("goal: the other desk's figures within 1000 ms (median)\n");
            desk.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("bench_desk"));
        dayTotals.close();
        book.close();

        // Eight desks saving into today at once, beside one desk alone, the same saves each.
        // The same again into a copy of the movements without the totals, the journal and the
        // notices to the other desks:
        // how far the engine itself scales on this machine, which the totals must not lower.
        constexpr int kSaves = 2000;
        const double one = saveAtOnce(settings, schema, 1, kSaves);
        const double eight = saveAtOnce(settings, schema, 8, kSaves);
        const double scaling = (8 * kSaves / eight) / (kSaves / one);
        std::printf("%-48s %10.1f saves/s  one desk %10.1f saves/s  ratio %.2f\n",
                    "server: 8 desks saving at once", 8 * kSaves / eight, kSaves / one, scaling);
        run(admin, QStringLiteral("CREATE TABLE %1.nakit_yalin (LIKE %1.nakit INCLUDING DEFAULTS "
                                  "INCLUDING IDENTITY)")
                       .arg(quotedIdentifier(schema)));
        const double plainOne =
            saveAtOnce(settings, schema, 1, kSaves, QStringLiteral("nakit_yalin"), false);
        const double plainEight =
            saveAtOnce(settings, schema, 8, kSaves, QStringLiteral("nakit_yalin"), false);
        const double plainScaling = (8 * kSaves / plainEight) / (kSaves / plainOne);
        std::printf("%-48s %10.1f saves/s  one desk %10.1f saves/s  ratio %.2f\n",
                    "server: the same without totals or notices", 8 * kSaves / plainEight,
                    kSaves / plainOne, plainScaling);
        std::printf("%-48s %.2f (1.00: the totals cost the desks no scaling)\n",
                    "server: scaling kept by the totals", scaling / plainScaling);
        run(admin, QStringLiteral("DROP SCHEMA %1 CASCADE").arg(quotedIdentifier(schema)));
        admin.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench_admin"));
    return 0;
}
