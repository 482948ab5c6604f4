// The two-date range over a real cash book: which movements the browser and the period

#include "data/Money.h"
// reports list, the figures and their texts, the list read a page at a time, and opening a
// listed movement through the ledger.
#include "reports/TwoDateBrowser.h"

#include "data/Session.h"
#include "ledger/LedgerTexts.h"
#include "reports/LedgerReports.h"

#include "ledger/LedgerFixture.h"
#include "support/TurkishLocale.h"

#include <QSqlQuery>

#include <algorithm>

namespace tamevo::test {

class TwoDateBrowserTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        reports.emplace(session, *ledger);
        browser.emplace(session, *ledger, *reports);
    }
    void TearDown() override
    {
        browser.reset();
        reports.reset();
        LedgerTest::TearDown();
    }

    // Stores a movement with its values bound (a currency code may hold an apostrophe) and
    // returns its nid.
    qint64 add(const QDate& day, const QString& currency, std::optional<double> in,
               std::optional<double> out, const QString& description = {})
    {
        QSqlQuery insert(session.kasaConnection.database());
        insert.prepare(QStringLiteral(
            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, "
            "doviz_kuru, aciklama) VALUES (?, ?, ?, ?, 1, ?)"));
        insert.addBindValue(day.toString(Qt::ISODate));
        insert.addBindValue(currency);
        insert.addBindValue(in ? QVariant(*in) : QVariant());
        insert.addBindValue(out ? QVariant(*out) : QVariant());
        insert.addBindValue(description);
        EXPECT_TRUE(insert.exec());
        return insert.lastInsertId().toLongLong();
    }

    // Every movement of the browser's list, read to its end as the grid scrolls.
    QList<qint64> listed()
    {
        PeriodMovementsModel& model = browser->movements();
        while (model.canFetchMore()) {
            model.fetchMore();
        }
        QList<qint64> nids;
        for (int row = 0; row < model.rowCount(); ++row) {
            nids << model.movement(row)->nid;
        }
        return nids;
    }

    std::optional<LedgerReports> reports;
    std::optional<TwoDateBrowser> browser;

private:
    TurkishLocale turkish_;
};

// Both days belong to the range, the opening balance is everything strictly before the
// first day in the chosen currency, a reversed range lists nothing, "Hepsi" mixes the
// currencies, and a code with an apostrophe selects exactly its own movements. The browser
// and the ledger's movement query agree.
TEST_F(TwoDateBrowserTest, RangeListsItsDaysAndOpensWithTheBalanceBefore)
{
    const QDate d1(2021, 1, 5);
    const QDate d2(2021, 1, 31);
    add({2021, 1, 4}, QStringLiteral("TL"), 100, {});
    const qint64 first = add(d1, QStringLiteral("TL"), 10.1, {});
    const qint64 dollar = add(d1, QStringLiteral("USD"), {}, 3);
    const qint64 middle = add({2021, 1, 10}, QStringLiteral("TL"), {}, 2.05);
    const qint64 last = add(d2, QStringLiteral("TL"), 0.3, {});
    add({2021, 2, 1}, QStringLiteral("TL"), 1000, {});
    const qint64 quoted = add({2021, 1, 20}, QStringLiteral("A'B"), 7, {});
    add({2021, 1, 3}, QStringLiteral("A'B"), 1, {});
    const qint64 other = add({2021, 1, 20}, QStringLiteral("A"), 5, {});

    struct Case {
        const char* name;
        QString box;  // the two-date window's currency text
        QDate first;
        QDate last;
        QList<qint64> nids;
        qint64 opening, in, out;  // kuruş
    };
    const QList<Case> cases{
        {"one currency", QStringLiteral("TL"), d1, d2, {first, middle, last}, 10000, 1040, 205},
        {"one day", QStringLiteral("TL"), d1, d1, {first}, 10000, 1010, 0},
        {"reversed range", QStringLiteral("TL"), d2, d1, {}, 10805, 0, 0},
        {"all currencies",
         QStringLiteral("Hepsi"),
         d1,
         d2,
         {first, dollar, middle, quoted, other, last},
         10100,
         2240,
         505},
        {"empty box is all currencies", QString(), d1, d1, {first, dollar}, 10100, 1010, 300},
        {"apostrophe", QStringLiteral("A'B"), d1, d2, {quoted}, 100, 700, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TwoDateRange range{twoDateCurrency(c.box), c.first, c.last};
        browser->ikitariharasitablo(range, c.box);
        EXPECT_EQ(listed(), c.nids);
        EXPECT_EQ(browser->figures().opening, Money::fromKurus(c.opening));
        EXPECT_EQ(browser->figures().in, Money::fromKurus(c.in));
        EXPECT_EQ(browser->figures().out, Money::fromKurus(c.out));
        EXPECT_EQ(ledger->openingBalance(range.currency, range.first), Money::fromKurus(c.opening));

        // The printed report over the same range lists the same movements.
        reports->ikitariharasi(range, false);
        QList<qint64> printed;
        for (int row = 0; row < reports->ikitarihQuery.recordCount(); ++row) {
            printed << reports->ikitarihQuery.valueAt(row, QStringLiteral("nid")).toLongLong();
        }
        EXPECT_EQ(printed, c.nids);
    }
}

// The labels under Turkish settings: the days in the short date format, the currency box's
// text in the title, an empty sum as ",00", a negative amount with a leading minus.
TEST_F(TwoDateBrowserTest, LabelsShowTheRangeAndItsFigures)
{
    add({2021, 1, 4}, QStringLiteral("TL"), 1234.5, {});
    add({2021, 1, 6}, QStringLiteral("USD"), {}, 2000.05);

    browser->ikitariharasitablo({{}, {2021, 1, 5}, {2021, 1, 31}}, QStringLiteral("Hepsi"));
    TwoDateBrowser::Labels labels = browser->labels();
    EXPECT_EQ(labels.title,
              QStringLiteral("5.01.2021 - 31.01.2021 TARİHLERİ ARASI Hepsi KASA HAREKETLERİ"));
    EXPECT_EQ(labels.openingCaption, QStringLiteral("5.01.2021 GÜN BAŞI KASA MEVCUDU"));
    EXPECT_EQ(labels.opening, QStringLiteral("1.234,50"));
    EXPECT_EQ(labels.in, QStringLiteral(",00"));
    EXPECT_EQ(labels.out, QStringLiteral("2.000,05"));
    EXPECT_EQ(labels.net, QStringLiteral("-2.000,05"));
    EXPECT_EQ(labels.closing, QStringLiteral("-765,55"));
    EXPECT_EQ(labels.closingDay, QStringLiteral("( 31.01.2021 )"));

    browser->ikitariharasitablo({QStringLiteral("TL"), {2021, 3, 1}, {2021, 3, 1}},
                                QStringLiteral("TL"));
    labels = browser->labels();
    EXPECT_EQ(labels.title,
              QStringLiteral("1.03.2021 - 1.03.2021 TARİHLERİ ARASI TL KASA HAREKETLERİ"));
    for (const QString& zero : {labels.in, labels.out, labels.net}) {
        EXPECT_EQ(zero, QStringLiteral(",00"));
    }
    EXPECT_EQ(labels.closing, QStringLiteral("1.234,50"));
}

// The list reads a page at a time in the order of day and nid, and its figures, counted in
// kuruş over the days, are exactly the sums of its rows, also after a movement changes.
TEST_F(TwoDateBrowserTest, ListReadsPagesAndFiguresEqualTheSumOfItsRows)
{
    const int count = 2 * PeriodMovementsModel::kPageSize + 37;
    QSqlDatabase db = session.kasaConnection.database();
    db.transaction();
    for (int i = 0; i < count; ++i) {
        // Three days, in an order that differs from the order of the nids; amounts whose
        // plain double sum is not a whole number of kuruş.
        const QDate day = QDate(2021, 4, 3).addDays(-(i % 3));
        if (i % 4 == 0) {
            add(day, QStringLiteral("TL"), {}, 0.7);
        } else {
            add(day, QStringLiteral("TL"), 0.1 * (1 + i % 3), {});
        }
    }
    db.commit();
    const TwoDateRange range{QStringLiteral("TL"), {2021, 4, 1}, {2021, 4, 30}};
    browser->ikitariharasitablo(range, QStringLiteral("TL"));

    PeriodMovementsModel& model = browser->movements();
    EXPECT_EQ(model.rowCount(), PeriodMovementsModel::kPageSize);
    EXPECT_TRUE(model.canFetchMore());
    model.fetchMore();
    EXPECT_EQ(model.rowCount(), 2 * PeriodMovementsModel::kPageSize);
    ASSERT_EQ(listed().size(), count);
    EXPECT_FALSE(model.canFetchMore());

    const auto expectSums = [&] {
        Money in;
        Money out;
        for (int row = 0; row < model.rowCount(); ++row) {
            const PeriodMovement& m = *model.movement(row);
            in += Money::fromStored(m.in);
            out += Money::fromStored(m.out);
            if (row > 0) {
                const PeriodMovement& before = *model.movement(row - 1);
                EXPECT_TRUE(before.day < m.day || (before.day == m.day && before.nid < m.nid));
            }
        }
        EXPECT_EQ(browser->figures().in, in);
        EXPECT_EQ(browser->figures().out, out);
    };
    expectSums();

    execute(bookFile(), {QStringLiteral("UPDATE nakit SET borc_tutar = 1000.01 WHERE nid = 2")});
    browser->ikitariharasitablo(range, QStringLiteral("TL"));
    ASSERT_EQ(listed().size(), count);
    expectSums();
}

// A listed movement opens through the ledger when the ledger's lists hold it: in the
// ledger's currency only.
TEST_F(TwoDateBrowserTest, ListedMovementOpensThroughTheLedgerInItsCurrency)
{
    add({2021, 1, 4}, QStringLiteral("TL"), 100, {});
    const qint64 lira = add({2021, 1, 5}, QStringLiteral("TL"), 20, {});
    add({2021, 1, 5}, QStringLiteral("USD"), 5, {});
    add({2021, 1, 9}, QStringLiteral("TL"), 30, {});
    ledger->openBook();
    ASSERT_EQ(ledger->selectedDay(), QDate(2021, 1, 9));
    browser->ikitariharasitablo({{}, {2021, 1, 5}, {2021, 1, 5}}, QStringLiteral("Hepsi"));
    ASSERT_EQ(browser->movements().rowCount(), 2);

    for (int row : {-1, 2, 1}) {
        EXPECT_FALSE(browser->openMovement(row)) << row;
        EXPECT_FALSE(ledger->movements().isEditing());
    }
    EXPECT_TRUE(browser->openMovement(0));
    EXPECT_EQ(ledger->selectedDay(), QDate(2021, 1, 5));
    EXPECT_EQ(ledger->movements().value(QStringLiteral("nid")).toLongLong(), lira);
}

// A build of the browser has its own opening balance; the ledger's figures stay the shown
// day's and are not announced as changed.
TEST_F(TwoDateBrowserTest, ABuildLeavesTheLedgersDayFiguresAlone)
{
    add({2021, 1, 4}, QStringLiteral("TL"), 100, {});
    add({2021, 1, 9}, QStringLiteral("TL"), 30, {});
    add({2021, 1, 12}, QStringLiteral("TL"), 5, {});
    ledger->openBook();
    ASSERT_EQ(ledger->dayFigures().dayStart, lira(130));
    int announced = 0;
    QObject::connect(&*ledger, &Ledger::figuresChanged, [&] { ++announced; });

    browser->ikitariharasitablo({QStringLiteral("TL"), {2021, 1, 5}, {2021, 1, 31}},
                                QStringLiteral("TL"));
    EXPECT_EQ(browser->figures().opening, lira(100));
    EXPECT_EQ(ledger->dayFigures().dayStart, lira(130));
    EXPECT_EQ(ledger->dayFigures().dayEnd(), lira(135));
    EXPECT_EQ(announced, 0);
}

}  // namespace tamevo::test
