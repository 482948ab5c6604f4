#include "LedgerFixture.h"

#include "data/DisplayFormat.h"
#include "data/Errors.h"
#include "ledger/BalanceQueries.h"
#include "lists/ReferenceLists.h"

#include <QFile>
#include <QRandomGenerator>
#include <QSqlQuery>

#include <cmath>

using namespace tamevo;
using tamevo::test::LedgerTest;

namespace {
const QDate jan3(2021, 1, 3), jan4(2021, 1, 4), jan5(2021, 1, 5), jan6(2021, 1, 6);
}

TEST_F(LedgerTest, DayFiguresOfOneCurrency)
{
    addMovement(jan3, QStringLiteral("TL"), 600, std::nullopt);
    addMovement(jan4, QStringLiteral("TL"), std::nullopt, 100);
    addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt);
    addMovement(jan5, QStringLiteral("TL"), std::nullopt, 30);
    addMovement(jan5, QStringLiteral("USD"), 1000, std::nullopt);  // never mixed into TL
    addMovement(jan6, QStringLiteral("TL"), 7, std::nullopt);      // after the day
    ledger->openBook();
    ledger->yenile();
    EXPECT_EQ(ledger->selectedDay(), jan6);  // the newest day after a refresh
    EXPECT_EQ(ledger->dateList().recordCount(), 4);

    select(jan5);
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(500));
    EXPECT_EQ(ledger->dayFigures().in, lira(100));
    EXPECT_EQ(ledger->dayFigures().out, lira(30));
    EXPECT_EQ(ledger->dayFigures().balance(), lira(70));
    EXPECT_EQ(ledger->dayFigures().dayEnd(), lira(570));
    EXPECT_EQ(ledger->dayFigures().dayEnd().text(QLocale(QLocale::Turkish)),
              QStringLiteral("570,00"));
    // The movement table shows the day's TL movements only.
    EXPECT_EQ(ledger->movements().recordCount(), 2);
    EXPECT_FALSE(ledger->currencySummary().isOpen());
}

TEST_F(LedgerTest, AllCurrenciesAddRawAmountsAndTheSummarySeparatesThem)
{
    addMovement(jan3, QStringLiteral("EURO"), 5, std::nullopt);  // moved only on another day
    addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt);
    addMovement(jan5, QStringLiteral("USD"), 10, std::nullopt);
    ledger->setCurrencySelection(kAllCurrencies);
    ledger->openBook();
    ledger->yenile();
    EXPECT_EQ(ledger->selectedDay(), jan5);
    EXPECT_EQ(ledger->dayFigures().in, lira(110));
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(5));
    EXPECT_EQ(ledger->movements().recordCount(), 2);

    ASSERT_TRUE(ledger->currencySummary().isOpen());
    const Dataset& summary = ledger->currencySummary();
    ASSERT_EQ(summary.recordCount(), 3);
    QMap<QString, QList<Money>> rows;
    for (int r = 0; r < summary.recordCount(); ++r) {
        rows[summary.valueAt(r, QStringLiteral("doviz_cinsi")).toString()] = {
            figure(summary, r, "GunBasi"), figure(summary, r, "BorcToplam"),
            figure(summary, r, "AlacakToplam"), figure(summary, r, "bakiye")};
    }
    EXPECT_EQ(rows.value(QStringLiteral("TL")),
              (QList<Money>{lira(0), lira(100), lira(0), lira(100)}));
    EXPECT_EQ(rows.value(QStringLiteral("USD")),
              (QList<Money>{lira(0), lira(10), lira(0), lira(10)}));
    EXPECT_EQ(rows.value(QStringLiteral("EURO")),
              (QList<Money>{lira(5), lira(0), lira(0), lira(5)}));
}

TEST_F(LedgerTest, ACurrencyWithoutMovementsGivesAnEmptyListAndZeroFigures)
{
    addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt);
    ledger->setCurrencySelection(QStringLiteral("USD"));
    ledger->openBook();
    ledger->yenile();
    EXPECT_TRUE(ledger->dateList().isEmpty());
    EXPECT_EQ(ledger->selectedDay(), kZeroDate);
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(0));
    EXPECT_EQ(ledger->dayFigures().in, lira(0));
    EXPECT_EQ(ledger->dayFigures().out, lira(0));
    EXPECT_EQ(ledger->dayFigures().dayEnd(), lira(0));
    EXPECT_EQ(ledger->movements().recordCount(), 0);
}

TEST_F(LedgerTest, OpeningABookWhoseFirstCurrencyHasNoMovementsShowsZeroNotAnotherCurrency)
{
    addMovement(jan5, QStringLiteral("EURO"), 100, std::nullopt);
    ledger->openBook();  // TL selected: its date list is empty
    EXPECT_EQ(ledger->selectedDay(), kZeroDate);
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(0));
    EXPECT_EQ(ledger->dayFigures().in, lira(0));
}

TEST_F(LedgerTest, NegativeAmountsCountInTheDayStartButNotInTheSummarysDayStart)
{
    addMovement(jan3, QStringLiteral("TL"), 100, std::nullopt);
    addMovement(jan4, QStringLiteral("TL"), -20, std::nullopt);
    addMovement(jan4, QStringLiteral("TL"), std::nullopt, -5);
    addMovement(jan5, QStringLiteral("TL"), 1, std::nullopt);
    ledger->setCurrencySelection(kAllCurrencies);
    ledger->openBook();
    ledger->yenile();
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(85));
    ASSERT_TRUE(ledger->currencySummary().isOpen());
    EXPECT_EQ(figure(ledger->currencySummary(), 0, "GunBasi"), lira(100));
}

TEST_F(LedgerTest, TheSameDayAgainDoesNotRunTheFiguresAgainButARefreshDoes)
{
    addMovement(jan4, QStringLiteral("TL"), 50, std::nullopt);
    addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt);
    ledger->openBook();
    ledger->yenile();
    select(jan5);
    addMovement(jan4, QStringLiteral("TL"), 1, std::nullopt);  // from outside the ledger
    select(jan5);
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(50));
    ledger->yenile();
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(51));
}

TEST_F(LedgerTest, DeletingADaysLastMovementKeepsTheDayListedWithEmptyTotals)
{
    addMovement(jan4, QStringLiteral("TL"), 50, std::nullopt);
    addMovement(jan5, QStringLiteral("TL"), 100, std::nullopt);
    ledger->openBook();
    ledger->yenile();
    ledger->deleteCurrentMovement();
    EXPECT_EQ(ledger->dateList().recordCount(), 2);
    EXPECT_EQ(ledger->selectedDay(), jan5);
    EXPECT_EQ(ledger->dayFigures().in, lira(0));
    EXPECT_EQ(ledger->dayFigures().dayEnd(), lira(50));
    ledger->yenile();
    EXPECT_EQ(ledger->dateList().recordCount(), 1);
}

// The per-day totals stay equal to sums over the movements through any mix of inserts,
// changes and deletes.
TEST_F(LedgerTest, DayTotalsTableAlwaysEqualsTheMovements)
{
    QRandomGenerator random(20211);
    const QStringList currencies{QStringLiteral("TL"), QStringLiteral("USD"), QString()};
    QStringList statements;
    for (int i = 0; i < 400; ++i) {
        const QDate day = QDate(2021, 1, 1).addDays(random.bounded(6));
        const QString currency = currencies[random.bounded(3)];
        const QString currencySql =
            currency.isEmpty() ? QStringLiteral("NULL") : QStringLiteral("'%1'").arg(currency);
        const auto amount = [&] {
            const int kind = random.bounded(4);
            // Two decimals as the program writes them, and now and then three, as an older
            // file or another tool may hold (0,335 counts as 0,34).
            const int decimals = random.bounded(10) == 0 ? 3 : 2;
            return kind == 0
                       ? QStringLiteral("NULL")
                       : QString::number((random.bounded(20000) - 5000) / std::pow(10.0, decimals),
                                         'f', decimals);
        };
        switch (random.bounded(4)) {
            case 0:
            case 1:
                statements << QStringLiteral(
                                  "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                                  "alacak_tutar) VALUES ('%1', %2, %3, %4)")
                                  .arg(day.toString(Qt::ISODate), currencySql, amount(), amount());
                break;
            case 2:
                statements << QStringLiteral(
                                  "UPDATE nakit SET islem_tarihi = '%1', doviz_cinsi = %2, "
                                  "borc_tutar = %3 WHERE nid = %4")
                                  .arg(day.toString(Qt::ISODate), currencySql, amount())
                                  .arg(random.bounded(i + 1) + 1);
                break;
            default:
                statements << QStringLiteral("DELETE FROM nakit WHERE nid = %1")
                                  .arg(random.bounded(i + 1) + 1);
        }
    }
    execute(bookFile(), statements);
    // The totals are whole kuruş: each amount rounded half away from zero, added as integers.
    // The fraction is cut off by SQLite's CAST and by the server's trunc().
    const auto kurus = [](const char* column) {
        const QString shifted =
            QStringLiteral("%1 * 100 + (CASE WHEN %1 < 0 THEN -0.5 ELSE 0.5 END)")
                .arg(QLatin1String(column));
        return tamevo::test::testsOnServer()
                   ? QStringLiteral("CAST(trunc(%1) AS BIGINT)").arg(shifted)
                   : QStringLiteral("CAST(%1 AS INTEGER)").arg(shifted);
    };
    const QString in = kurus("borc_tutar");
    const QString out = kurus("alacak_tutar");
    const QString mismatch =
        QStringLiteral(
            "SELECT count(*) FROM (SELECT islem_tarihi, doviz_cinsi, SUM(%1) b, "
            "SUM(%2) a, SUM(CASE WHEN borc_tutar > 0 THEN %1 END) bp, "
            "SUM(CASE WHEN alacak_tutar > 0 THEN %2 END) ap, COUNT(*) n FROM nakit "
            "GROUP BY islem_tarihi, doviz_cinsi) m FULL OUTER JOIN nakit_gunluk g "
            "ON g.islem_tarihi = m.islem_tarihi "
            "AND COALESCE(g.doviz_cinsi, '') = COALESCE(m.doviz_cinsi, '') "
            "WHERE g.adet IS DISTINCT FROM m.n OR COALESCE(m.b, 0) != g.borc_kurus "
            "OR (m.b IS NULL) != (g.borc_adet = 0) OR COALESCE(m.a, 0) != g.alacak_kurus "
            "OR (m.a IS NULL) != (g.alacak_adet = 0) OR COALESCE(m.bp, 0) != g.borc_arti_kurus "
            "OR COALESCE(m.ap, 0) != g.alacak_arti_kurus")
            .arg(in, out);
    EXPECT_EQ(queryValue(bookFile(), mismatch).toInt(), 0);
    EXPECT_GT(queryValue(bookFile(), QStringLiteral("SELECT count(*) FROM nakit")).toInt(), 50);
}

TEST_F(LedgerTest, LocatingAMovementMovesTheLedgerToItsDayAndRow)
{
    addMovement(jan4, QStringLiteral("TL"), 10, std::nullopt);   // nid 1
    addMovement(jan5, QStringLiteral("TL"), 20, std::nullopt);   // nid 2
    addMovement(jan5, QStringLiteral("TL"), 30, std::nullopt);   // nid 3
    addMovement(jan5, QStringLiteral("USD"), 40, std::nullopt);  // nid 4
    ledger->setCurrencySelection(QStringLiteral("TL"));
    ledger->openBook();
    ASSERT_EQ(ledger->selectedDay(), jan5);

    EXPECT_TRUE(ledger->locateMovement(jan4, 1));
    EXPECT_EQ(ledger->selectedDay(), jan4);
    EXPECT_EQ(ledger->dayFigures().in, lira(10.0));
    EXPECT_EQ(ledger->movements().value(QStringLiteral("nid")).toLongLong(), 1);

    EXPECT_TRUE(ledger->locateMovement(jan5, 3));
    EXPECT_EQ(ledger->movements().value(QStringLiteral("borc_tutar")).toDouble(), 30.0);

    // Another currency than the ledger's: the day is shown, the movement is not found.
    EXPECT_FALSE(ledger->locateMovement(jan5, 4));
    EXPECT_EQ(ledger->selectedDay(), jan5);
    // A day the list does not hold, and no movement at all.
    EXPECT_FALSE(ledger->locateMovement(jan6, 2));
    EXPECT_FALSE(ledger->locateMovement(jan5, 0));
}

TEST_F(LedgerTest, AFailedReadOfTheDateListIsAnErrorNeverADayWithoutMovements)
{
    SKIP_ON_SERVER("the file's bytes are overwritten on the disk");
    addMovement(jan3, QStringLiteral("TL"), 5, std::nullopt);
    addMovement(jan5, QStringLiteral("TL"), 7, std::nullopt);
    ledger->openBook();

    // The disk returns something else than the database while the book is open.
    QFile file(path(bookFile()));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray content = file.readAll();
    ASSERT_TRUE(file.seek(0));
    ASSERT_EQ(file.write(QByteArray(content.size(), '\x5A')), content.size());
    file.flush();
    EXPECT_THROW(ledger->yenile(), Error);

    ledger->setPickerDate(jan5);
    try {
        ledger->goToPickerDate();
        ADD_FAILURE() << "no error";
    } catch (const ValidationError& wrongFact) {
        ADD_FAILURE() << wrongFact.what();
    } catch (const Error&) {
    }

    // The disk recovers: the day is found.
    ASSERT_TRUE(file.seek(0));
    ASSERT_EQ(file.write(content), content.size());
    file.close();
    ledger->goToPickerDate();
    EXPECT_EQ(ledger->selectedDay(), jan5);
    EXPECT_EQ(ledger->dayFigures().in, lira(7));
    EXPECT_EQ(ledger->movements().recordCount(), 1);
}
