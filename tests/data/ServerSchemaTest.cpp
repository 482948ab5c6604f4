// A cash book's year on the PostgreSQL server: made from the local description, keeping the
// same per-day and yearly totals and the same journal as a local file, under any name, and
// exact while eight desks save, change and delete on the same days at once.
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/ServerSchema.h"
#include "data/ServerSettings.h"

#include "support/ServerFixture.h"

#include <QDeadlineTimer>
#include <QLocale>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <memory>
#include <vector>

using namespace tamevo;
using namespace tamevo::test;

namespace {

void exec(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    ASSERT_TRUE(query.exec(statement))
        << statement.toStdString() << ": " << query.lastError().text().toStdString();
}

// Every row of a query, each as its values' texts joined by "|".
QStringList rows(QSqlDatabase& db, const QString& statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement)) {
        ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
        return {};
    }
    QStringList result;
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i) {
            values << (query.isNull(i) ? QStringLiteral("NULL") : query.value(i).toString());
        }
        result << values.join(QLatin1Char('|'));
    }
    return result;
}

const QString kDayTotals = QStringLiteral(
    "SELECT islem_tarihi, doviz_cinsi, borc_kurus, borc_adet, alacak_kurus, alacak_adet, "
    "borc_arti_kurus, alacak_arti_kurus, adet FROM nakit_gunluk "
    "ORDER BY doviz_cinsi, islem_tarihi");
const QString kYearTotals = QStringLiteral(
    "SELECT doviz_cinsi, borc_kurus, alacak_kurus, adet FROM nakit_yillik ORDER BY doviz_cinsi");
const QString kJournal = QStringLiteral(
    "SELECT islem, degisen, nid, islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, aciklama, "
    "fatura_KDV FROM nakit_gecmis ORDER BY gid");
const QString kMovements = QStringLiteral(
    "SELECT nid, islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, aciklama, fatura_KDV "
    "FROM nakit ORDER BY nid");
// The per-day totals summed anew from the movements, in kuruş rounded half away from zero.
const QString kDaySums = QStringLiteral(
    "SELECT islem_tarihi, doviz_cinsi, "
    "SUM(CASE WHEN borc_tutar IS NULL THEN 0 ELSE kurus(borc_tutar) END), COUNT(borc_tutar), "
    "SUM(CASE WHEN alacak_tutar IS NULL THEN 0 ELSE kurus(alacak_tutar) END), "
    "COUNT(alacak_tutar), SUM(CASE WHEN borc_tutar > 0 THEN kurus(borc_tutar) ELSE 0 END), "
    "SUM(CASE WHEN alacak_tutar > 0 THEN kurus(alacak_tutar) ELSE 0 END), COUNT(*) FROM nakit "
    "GROUP BY doviz_cinsi, islem_tarihi ORDER BY doviz_cinsi, islem_tarihi");

class ServerSchemaTest : public ServerTest {};

}  // namespace

TEST_F(ServerSchemaTest, AYearOnTheServerKeepsTheTotalsAndTheJournalOfALocalFile)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("K012021.mdb"));
    createDatabase(file, SchemaKind::Kasa);
    QSqlDatabase local =
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName_ + QStringLiteral("_local"));
    local.setDatabaseName(file);
    ASSERT_TRUE(local.open());

    const QString schema = schemaNamed(QStringLiteral("K01_2021"));
    createServerCashBookSchema(db_, schema);
    useServerSchema(db_, schema);

    // Amounts at the kuruş's edges (half a kuruş either way, a value binary floating point
    // holds just below its half, a large one), a movement with no currency, changes of day,
    // currency and amount, an update that changes nothing, deletes and a movement brought back.
    const char* const steps[]{
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, aciklama) "
        "VALUES ('2021-01-04', 'TL', 0.005, 'yarım kuruş')",
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, alacak_tutar, aciklama) "
        "VALUES ('2021-01-04', 'TL', -0.005, 'eksi yarım')",
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, aciklama, fatura_KDV) "
        "VALUES ('2021-01-04', 'TL', 2.675, 'ikili kesir', 18)",
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar) "
        "VALUES ('2021-01-05', 'USD', 987654321.99)",
        "INSERT INTO nakit (islem_tarihi, borc_tutar, aciklama) "
        "VALUES ('2021-01-05', 12.34, 'dövizsiz')",
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, alacak_tutar) "
        "VALUES ('2021-01-06', 'TL', 100)",
        "UPDATE nakit SET borc_tutar = 3.335, aciklama = 'değişti' WHERE nid = 3",
        "UPDATE nakit SET islem_tarihi = '2021-01-06', doviz_cinsi = 'USD' WHERE nid = 1",
        "UPDATE nakit SET aciklama = aciklama WHERE nid = 2",
        "DELETE FROM nakit WHERE nid = 6",
        "DELETE FROM nakit WHERE nid = 5",
        "INSERT INTO nakit (nid, islem_tarihi, doviz_cinsi, alacak_tutar) "
        "VALUES (6, '2021-01-06', 'TL', 100)",
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar) "
        "VALUES ('2021-01-04', 'TL', 7, 0)",
    };
    for (const char* text : steps) {
        const QString step = QString::fromUtf8(text);
        SCOPED_TRACE(text);
        exec(local, step);
        exec(db_, step);
    }

    for (const QString& statement : {kDayTotals, kYearTotals, kJournal, kMovements}) {
        SCOPED_TRACE(statement.toStdString());
        const QStringList expected = rows(local, statement);
        EXPECT_FALSE(expected.isEmpty());
        EXPECT_EQ(rows(db_, statement), expected);
    }
    EXPECT_EQ(rows(db_, kDayTotals), rows(db_, kDaySums));
    EXPECT_EQ(rows(db_, QStringLiteral("SELECT degisen FROM nakit_gecmis WHERE nid = 3")),
              QStringList{QStringLiteral("borc_tutar,aciklama")});
    local.close();
    local = QSqlDatabase();
    QSqlDatabase::removeDatabase(qtName_ + QStringLiteral("_local"));
}

TEST_F(ServerSchemaTest, TheJournalNamesTheDeskThatChangedAMovement)
{
    const QString schema = schemaNamed(QStringLiteral("yazan"));
    createServerCashBookSchema(db_, schema);
    useServerSchema(db_, schema);
    exec(db_, QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar) "
                             "VALUES ('2021-03-01', 'TL', 5)"));
    exec(db_, QStringLiteral("DELETE FROM nakit"));
    exec(db_, QStringLiteral("SET tamevo.bilgisayar = 'KASA-2'"));
    exec(db_, QStringLiteral("SET tamevo.kullanici = 'ayşe'"));
    exec(db_, QStringLiteral("INSERT INTO nakit (nid, islem_tarihi, doviz_cinsi, borc_tutar) "
                             "VALUES (1, '2021-03-01', 'TL', 5)"));
    EXPECT_EQ(rows(db_, QStringLiteral("SELECT islem, bilgisayar, kullanici, length(zaman) "
                                       "FROM nakit_gecmis ORDER BY gid")),
              (QStringList{QStringLiteral("SİLİNDİ|NULL|NULL|19"),
                           QStringLiteral("GERİ GELDİ|KASA-2|ayşe|19")}));
}

TEST_F(ServerSchemaTest, AnyBookCodeNamesOneSchemaOfItsOwn)
{
    // A quote, a space, Turkish letters and an attempt to end the statement stay part of
    // the name; two books never see each other's movements.
    const QStringList codes{QStringLiteral("K\"0 Ş"), QStringLiteral("x\"; DROP SCHEMA public; --"),
                            QStringLiteral("K01")};
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        const QString schema = schemaNamed(cashBookSchemaName(code, 2021));
        createServerCashBookSchema(db_, schema);
        EXPECT_TRUE(serverSchemaExists(db_, schema));
        useServerSchema(db_, schema);
        EXPECT_EQ(rows(db_, QStringLiteral("SELECT COUNT(*) FROM nakit")),
                  QStringList{QStringLiteral("0")});
        exec(db_, QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar) "
                                 "VALUES ('2021-02-01', 'TL', 1)"));
    }
    EXPECT_TRUE(serverSchemaExists(db_, QStringLiteral("public")));
    // A schema that exists already is an error, and nothing of it changes.
    const QString again = made_.last();
    EXPECT_THROW(createServerCashBookSchema(db_, again), Error);
    useServerSchema(db_, again);
    EXPECT_EQ(rows(db_, QStringLiteral("SELECT COUNT(*) FROM nakit")),
              QStringList{QStringLiteral("1")});
}

TEST_F(ServerSchemaTest, TheGeneralSchemaHasTheListsFirstValues)
{
    const QString schema = schemaNamed(generalSchemaName());
    createServerGeneralSchema(db_, schema);
    useServerSchema(db_, schema);
    EXPECT_EQ(rows(db_, QStringLiteral("SELECT kodu FROM parabirimi ORDER BY pid")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")}));
    exec(db_, QStringLiteral("INSERT INTO parabirimi (kodu) VALUES ('GBP')"));
    EXPECT_EQ(rows(db_, QStringLiteral("SELECT pid FROM parabirimi WHERE kodu = 'GBP'")),
              QStringList{QStringLiteral("4")});
}

TEST_F(ServerSchemaTest, EightDesksOnTheSameThreeDaysKeepEveryDayExact)
{
    const QString schema = schemaNamed(QStringLiteral("desks"));
    createServerCashBookSchema(db_, schema);

    // Each desk saves, changes and deletes its own movements on the same three days and two
    // currencies for a bounded time, and remembers what the server said it stored.
    struct Desk {
        std::map<qlonglong, QString> stored;  // nid -> "day|currency|amount"
        QStringList failures;
        int operations = 0;
    };
    constexpr int kDesks = 8;
    std::vector<Desk> desks(kDesks);
    const QStringList days{QStringLiteral("2021-05-03"), QStringLiteral("2021-05-04"),
                           QStringLiteral("2021-05-05")};
    const QStringList currencies{QStringLiteral("TL"), QStringLiteral("USD")};
    const QDeadlineTimer deadline(3000);
    std::vector<std::unique_ptr<QThread>> threads;
    for (int d = 0; d < kDesks; ++d) {
        threads.emplace_back(QThread::create([&, d] {
            Desk& desk = desks[d];
            const QString name = qtName_ + QStringLiteral("_desk%1").arg(d);
            {
                QSqlDatabase db = addServerDatabase(ServerSettings{}, name);
                if (!db.open()) {
                    desk.failures << db.lastError().text();
                    return;
                }
                auto query = std::make_unique<QSqlQuery>(db);
                query->exec(QStringLiteral("SET search_path TO %1").arg(quotedIdentifier(schema)));
                QRandomGenerator random(quint32(1000 + d));
                while (!deadline.hasExpired()) {
                    const QString day = days[random.bounded(days.size())];
                    const QString currency = currencies[random.bounded(currencies.size())];
                    // Amounts with three decimals too, as a paste may bring them.
                    const double amount = double(random.bounded(1, 2000000)) / 1000.0;
                    const int choice = desk.stored.empty() ? 0 : random.bounded(10);
                    bool ok = false;
                    if (choice < 5) {
                        query->prepare(QStringLiteral(
                            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar) "
                            "VALUES (?, ?, ?) RETURNING nid"));
                        query->addBindValue(day);
                        query->addBindValue(currency);
                        query->addBindValue(amount);
                        ok = query->exec() && query->next();
                        if (ok) {
                            desk.stored[query->value(0).toLongLong()] =
                                day + QLatin1Char('|') + currency + QLatin1Char('|') +
                                QString::number(amount, 'g', QLocale::FloatingPointShortest);
                        }
                    } else {
                        auto it = desk.stored.begin();
                        std::advance(it, random.bounded(int(desk.stored.size())));
                        if (choice < 8) {
                            query->prepare(QStringLiteral(
                                "UPDATE nakit SET islem_tarihi = ?, doviz_cinsi = ?, "
                                "borc_tutar = ? WHERE nid = ?"));
                            query->addBindValue(day);
                            query->addBindValue(currency);
                            query->addBindValue(amount);
                            query->addBindValue(it->first);
                            ok = query->exec() && query->numRowsAffected() == 1;
                            if (ok) {
                                it->second =
                                    day + QLatin1Char('|') + currency + QLatin1Char('|') +
                                    QString::number(amount, 'g', QLocale::FloatingPointShortest);
                            }
                        } else {
                            query->prepare(QStringLiteral("DELETE FROM nakit WHERE nid = ?"));
                            query->addBindValue(it->first);
                            ok = query->exec() && query->numRowsAffected() == 1;
                            if (ok) {
                                desk.stored.erase(it);
                            }
                        }
                    }
                    if (!ok) {
                        desk.failures << query->lastError().text();
                    }
                    ++desk.operations;
                }
                query.reset();
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        }));
        threads.back()->start();
    }
    for (auto& thread : threads) {
        thread->wait();
    }

    useServerSchema(db_, schema);
    int operations = 0;
    QStringList expected;
    for (int d = 0; d < kDesks; ++d) {
        EXPECT_TRUE(desks[d].failures.isEmpty()) << desks[d].failures.join(u'\n').toStdString();
        operations += desks[d].operations;
        for (const auto& [nid, values] : desks[d].stored) {
            expected << QString::number(nid) + QLatin1Char('|') + values;
        }
    }
    EXPECT_GT(operations, kDesks * 20);
    std::sort(expected.begin(), expected.end());
    QStringList actual = rows(db_, QStringLiteral("SELECT nid, islem_tarihi, doviz_cinsi, "
                                                  "borc_tutar FROM nakit"));
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(rows(db_, kDayTotals), rows(db_, kDaySums));
    EXPECT_EQ(rows(db_, kYearTotals),
              rows(db_, QStringLiteral("SELECT doviz_cinsi, SUM(kurus(borc_tutar)), 0, COUNT(*) "
                                       "FROM nakit GROUP BY doviz_cinsi ORDER BY doviz_cinsi")));
}
