// The ledger window's report templates over a real cash book, laid out with the report fonts.
#include "reports/LedgerReports.h"

#include "data/Session.h"
#include "reportengine/ReportFonts.h"

#include "ledger/LedgerFixture.h"
#include "support/TurkishLocale.h"

#include <QLocale>

#include <algorithm>

namespace tamevo::test {

using report::PlacedBand;
using report::PreparedReport;

namespace {

const QDate kDay(2021, 1, 5);
const QString kLongDescription = QStringLiteral(
    "Ocak ayı kira ödemesi, depo ve dükkan için, sözleşme gereği peşin olarak ödenmiştir ve "
    "makbuzu muhasebe bölümüne teslim edilmiştir");

}  // namespace

class LedgerReportsTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        reports.emplace(session, *ledger);
    }
    void TearDown() override
    {
        reports.reset();
        LedgerTest::TearDown();
    }

    // The ledger as the window shows it after opening the book, on `day` when it has one.
    void openLedger(const QString& currency = QStringLiteral("TL"), const QDate& day = kDay)
    {
        ledger->setCurrencySelection(currency);
        ledger->openBook();
        ledger->yenile();
        if (rowOfDay(day) >= 0) {
            select(day);
        }
    }

    PreparedReport prepare(int number)
    {
        report::PrepareOptions options;
        options.preparedAt = QDateTime(QDate(2021, 2, 1), QTime(9, 5, 7));
        return reports->prepare(number, measurer, options);
    }

    // The texts of an object in every printed band of that name, through all pages.
    static QStringList column(const PreparedReport& r, const QString& band, const QString& object)
    {
        QStringList texts;
        for (int p = 0; p < r.pageCount(); ++p) {
            for (const PlacedBand& b : r.placedBands(p, band)) {
                texts << r.text(p, b, object);
            }
        }
        return texts;
    }

    // The text of an object of a band printed once (the title, the summary).
    static QString textIn(const PreparedReport& r, const QString& band, const QString& object)
    {
        QStringList texts = column(r, band, object);
        EXPECT_EQ(texts.size(), 1) << band.toStdString();
        return texts.value(0);
    }

    std::optional<LedgerReports> reports;
    report::FontMeasurer measurer;

private:
    TurkishLocale turkish_;
};

// Every template over data without rows prints one page: the title, the headings with the
// opening-balance line, the summary and "Sayfa 1 / 1".
TEST_F(LedgerReportsTest, EveryTemplatePrintsOnePageWithoutData)
{
    openLedger();
    const TwoDateRange empty{{}, QDate(2021, 3, 1), QDate(2021, 3, 31)};
    for (bool shortDescription : {false, true}) {
        reports->ikitariharasi(empty, shortDescription);
        reports->islemturu(empty, shortDescription);
        reports->guntoplamlari(empty, shortDescription);
        reports->ikitariharasidetay(empty, shortDescription);
    }
    for (int number = 1; number <= 12; ++number) {
        SCOPED_TRACE(number);
        const PreparedReport r = prepare(number);
        ASSERT_EQ(r.pageCount(), 1);
        EXPECT_TRUE(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo1"))
                        .contains(QStringLiteral("KASA")));
        EXPECT_EQ(textIn(r, QStringLiteral("Band3"), QStringLiteral("HeadingSN")),
                  QStringLiteral("SN"));
        if (number % 6 != 3) {  // "İşlem Türü Raporu" has no opening balance
            EXPECT_TRUE(textIn(r, QStringLiteral("Band3"), QStringLiteral("Memo31"))
                            .endsWith(QStringLiteral("KASA MEVCUDU")));
            EXPECT_EQ(textIn(r, QStringLiteral("Band3"), QStringLiteral("Memo30")),
                      QStringLiteral("0,00"));
        }
        if (number % 6 != 5) {  // "İki Tarih Detay Raporu" has no summary
            EXPECT_EQ(r.placedBands(0, QStringLiteral("Band5")).size(), 1);
        }
        EXPECT_TRUE(r.placedBands(0, QStringLiteral("Band4")).isEmpty());
        EXPECT_EQ(textIn(r, QStringLiteral("Band2"), QStringLiteral("Memo2")),
                  QStringLiteral("Sayfa 1 / 1"));
    }
}

TEST_F(LedgerReportsTest, DailyReportPrintsTheDayItsMovementsAndItsFigures)
{
    addMovement(QDate(2021, 1, 4), QStringLiteral("TL"), 500, std::nullopt,
                QStringLiteral("Devir"));
    addMovement(kDay, QStringLiteral("TL"), 1234.5, std::nullopt, QStringLiteral("Satış"));
    addMovement(kDay, QStringLiteral("TL"), std::nullopt, 30, QStringLiteral("Kırtasiye"));
    addMovement(kDay, QStringLiteral("USD"), 10, std::nullopt, QStringLiteral("Döviz"));
    openLedger();
    ledger->selectMovement(ledger->movements().recordCount() - 1);
    const int current = ledger->movements().currentIndex();

    for (int number : {1, 7, 6, 12}) {
        SCOPED_TRACE(number);
        const PreparedReport r = prepare(number);
        ASSERT_EQ(r.pageCount(), 1);
        EXPECT_TRUE(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo59"))
                        .startsWith(QStringLiteral("Merkez")));
        EXPECT_EQ(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo57")),
                  QStringLiteral("1.02.2021"));
        EXPECT_EQ(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo58")),
                  QStringLiteral("09:05:07"));
        EXPECT_EQ(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo1")),
                  QStringLiteral("5.01.2021 KASA HAREKETLERİ"));
        EXPECT_EQ(textIn(r, QStringLiteral("Band3"), QStringLiteral("Memo30")),
                  QStringLiteral("500,00"));
        const QString rows = QStringLiteral("Band4");
        EXPECT_EQ(column(r, rows, QStringLiteral("Memo20")),
                  (QStringList{QStringLiteral("1"), QStringLiteral("2")}));
        EXPECT_EQ(column(r, rows, QStringLiteral("Memo55")),
                  (QStringList{QStringLiteral("05.01.2021"), QStringLiteral("05.01.2021")}));
        EXPECT_EQ(column(r, rows, QStringLiteral("Memo6")),
                  (QStringList{QStringLiteral("TL"), QStringLiteral("TL")}));
        // An empty amount prints blank, not zero.
        EXPECT_EQ(column(r, rows, QStringLiteral("Memo8")),
                  (QStringList{QStringLiteral("1.234,50"), QString()}));
        EXPECT_EQ(column(r, rows, QStringLiteral("Memo4")),
                  (QStringList{QString(), QStringLiteral("30,00")}));
        const QString summary = QStringLiteral("Band5");
        EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo9")), QStringLiteral("1.234,50"));
        EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo10")), QStringLiteral("30,00"));
        EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo17")), QStringLiteral("1.204,50"));
        EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo15")), QStringLiteral("1.704,50"));
        EXPECT_EQ(textIn(r, QStringLiteral("Band2"), QStringLiteral("Memo2")),
                  QStringLiteral("Sayfa 1 / 1"));
    }
    // Printing walks the rows without moving the ledger's current movement.
    EXPECT_EQ(ledger->movements().currentIndex(), current);
}

TEST_F(LedgerReportsTest, TotalsAreTheKurusOfTheRowsPrinted)
{
    // Amounts not exact in binary, and one with three decimals from an older file: each row
    // prints rounded, and every total is exactly the sum of the rows printed above it.
    addMovement(QDate(2021, 1, 4), QStringLiteral("TL"), 1.005, std::nullopt);
    addMovement(QDate(2021, 1, 4), QStringLiteral("TL"), 2.675, std::nullopt);
    addMovement(kDay, QStringLiteral("TL"), 0.10, std::nullopt);
    addMovement(kDay, QStringLiteral("TL"), 0.20, std::nullopt);
    addMovement(kDay, QStringLiteral("TL"), 0.335, std::nullopt);
    addMovement(kDay, QStringLiteral("TL"), std::nullopt, 0.30);
    openLedger();
    const PreparedReport r = prepare(1);
    const QString rows = QStringLiteral("Band4");
    EXPECT_EQ(column(r, rows, QStringLiteral("Memo8")),
              (QStringList{QStringLiteral("0,10"), QStringLiteral("0,20"), QStringLiteral("0,34"),
                           QString()}));
    EXPECT_EQ(textIn(r, QStringLiteral("Band3"), QStringLiteral("Memo30")), QStringLiteral("3,68"));
    const QString summary = QStringLiteral("Band5");
    EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo9")), QStringLiteral("0,64"));
    EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo10")), QStringLiteral("0,30"));
    EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo17")), QStringLiteral("0,34"));
    EXPECT_EQ(textIn(r, summary, QStringLiteral("Memo15")), QStringLiteral("4,02"));
}

TEST_F(LedgerReportsTest, DailyReportUnderHepsiListsEveryCurrencyOfTheDay)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt, QStringLiteral("Lira"));
    addMovement(kDay, QStringLiteral("USD"), 10, std::nullopt, QStringLiteral("Dolar"));
    openLedger(QStringLiteral("Hepsi"));
    const PreparedReport r = prepare(1);
    EXPECT_EQ(column(r, QStringLiteral("Band4"), QStringLiteral("Memo6")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("USD")}));
    EXPECT_EQ(textIn(r, QStringLiteral("Band5"), QStringLiteral("Memo9")),
              QStringLiteral("110,00"));
}

// A long description wraps and makes its row taller in the word-wrap templates, and stays
// one line cut at the column edge in their short-description twins.
TEST_F(LedgerReportsTest, LongDescriptionWrapsOrIsCut)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt, kLongDescription);
    addMovement(kDay, QStringLiteral("TL"), 5, std::nullopt, QStringLiteral("Kısa"));
    openLedger();
    struct Case {
        int number;
        bool wraps;
        double rowHeight;
    };
    for (const Case& c :
         {Case{1, true, 6.7}, Case{7, false, 6.7}, Case{6, true, 6.1}, Case{12, false, 6.1}}) {
        SCOPED_TRACE(c.number);
        const PreparedReport r = prepare(c.number);
        const auto rows = r.placedBands(0, QStringLiteral("Band4"));
        ASSERT_EQ(rows.size(), 2);
        const report::PreparedItem* description = r.item(0, rows[0], QStringLiteral("Memo12"));
        ASSERT_NE(description, nullptr);
        const QStringList lines = description->lines();
        if (c.wraps) {
            EXPECT_GE(lines.size(), 2);
            EXPECT_EQ(lines.join(QLatin1Char(' ')).remove(QLatin1Char(' ')),
                      QString(kLongDescription).remove(QLatin1Char(' ')));
            EXPECT_GT(rows[0].height, c.rowHeight + 3);
            // The row's other cells grow with it, so the row stays one block.
            EXPECT_FLOAT_EQ(r.item(0, rows[0], QStringLiteral("Memo8"))->height,
                            description->height);
        } else {
            ASSERT_EQ(lines.size(), 1);
            EXPECT_TRUE(kLongDescription.startsWith(lines[0]));
            EXPECT_LT(lines[0].size(), kLongDescription.size());
            EXPECT_LE(measurer.width(lines[0], report::FontSpec{}),
                      description->width - 2 * report::kTextPaddingX);
            EXPECT_NEAR(rows[0].height, c.rowHeight, 1e-4);
        }
        // A short description keeps its row at the designed height.
        EXPECT_NEAR(rows[1].height, c.rowHeight, 1e-4);
        EXPECT_NEAR(rows[1].y, rows[0].y + rows[0].height, 1e-4);
    }
}

// "Günlük Kasa Detay" shows the description, a space and the transaction type in one boxed
// cell; a movement without a type shows its description and the space.
TEST_F(LedgerReportsTest, DailyDetailPrintsDescriptionAndTypeInOneBoxedCell)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt, QStringLiteral("Peşin satış"),
                QStringLiteral("SATIŞ"));
    addMovement(kDay, QStringLiteral("TL"), std::nullopt, 20, QStringLiteral("Çay"));
    openLedger();
    for (int number : {6, 12}) {
        const PreparedReport r = prepare(number);
        EXPECT_EQ(column(r, QStringLiteral("Band4"), QStringLiteral("Memo12")),
                  (QStringList{QStringLiteral("Peşin satış SATIŞ"), QStringLiteral("Çay ")}));
        const report::ItemStyle& style = r.styleOf(*r.items(0, QStringLiteral("Memo12"))[0]);
        EXPECT_TRUE(style.frame.top && style.frame.bottom && style.frame.left && style.frame.right);
        EXPECT_FALSE(style.vCenter);
        EXPECT_EQ(style.align, report::HAlign::Left);
    }
}

TEST_F(LedgerReportsTest, DayTotalsReportWritesTheDateWithTurkishMonthAndDayNames)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt);
    addMovement(kDay, QStringLiteral("TL"), 50, std::nullopt);
    addMovement(QDate(2021, 1, 9), QStringLiteral("TL"), std::nullopt, 40);
    openLedger();
    const int number = reports->guntoplamlari(
        {QStringLiteral("TL"), QDate(2021, 1, 1), QDate(2021, 1, 31)}, false);
    ASSERT_EQ(number, 4);
    const PreparedReport r = prepare(number);
    EXPECT_EQ(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo1")),
              QStringLiteral("1.01.2021 - 31.01.2021 TARİHLERİ ARASI GÜNLÜK KASA TOPLAMLARI"));
    const QString rows = QStringLiteral("Band4");
    EXPECT_EQ(column(r, rows, QStringLiteral("RowDate")),
              (QStringList{QStringLiteral("05.Ocak.2021"), QStringLiteral("09.Ocak.2021")}));
    EXPECT_EQ(column(r, rows, QStringLiteral("RowWeekday")),
              (QStringList{QStringLiteral("Salı"), QStringLiteral("Cumartesi")}));
    EXPECT_EQ(column(r, rows, QStringLiteral("RowIn")),
              (QStringList{QStringLiteral("150,00"), {}}));
    EXPECT_EQ(column(r, rows, QStringLiteral("RowOut")),
              (QStringList{{}, QStringLiteral("40,00")}));
    // A side without amounts counts as zero in the difference.
    EXPECT_EQ(column(r, rows, QStringLiteral("RowNet")),
              (QStringList{QStringLiteral("150,00"), QStringLiteral("-40,00")}));
    EXPECT_EQ(textIn(r, QStringLiteral("Band5"), QStringLiteral("SumNet")),
              QStringLiteral("110,00"));
}

// A report longer than a page repeats the headings and the opening-balance line on every
// page, and every page knows the page count.
TEST_F(LedgerReportsTest, LongReportRepeatsHeadingsAndCountsPagesOnEveryPage)
{
    addMovement(QDate(2021, 1, 4), QStringLiteral("TL"), 500, std::nullopt);
    const int movements = 80;
    for (int i = 1; i <= movements; ++i) {
        addMovement(kDay, QStringLiteral("TL"), i, std::nullopt,
                    QStringLiteral("Hareket %1").arg(i));
    }
    openLedger();
    const PreparedReport r = prepare(1);
    ASSERT_GE(r.pageCount(), 3);
    QStringList lines;
    for (int p = 0; p < r.pageCount(); ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(r.placedBands(p, QStringLiteral("Band1")).size(), p == 0 ? 1 : 0);
        const auto header = r.placedBands(p, QStringLiteral("Band3"));
        ASSERT_EQ(header.size(), 1);
        EXPECT_EQ(r.text(p, header[0], QStringLiteral("HeadingDescription")),
                  QStringLiteral("AÇIKLAMA"));
        EXPECT_EQ(r.text(p, header[0], QStringLiteral("Memo31")),
                  QStringLiteral("GÜN BAŞI KASA MEVCUDU"));
        EXPECT_EQ(r.text(p, header[0], QStringLiteral("Memo30")), QStringLiteral("500,00"));
        // The headings open the page (under the title on the first).
        EXPECT_NEAR(header[0].y, p == 0 ? 15 + 24.4 : 15, 1e-4);
        const auto footer = r.placedBands(p, QStringLiteral("Band2"));
        ASSERT_EQ(footer.size(), 1);
        EXPECT_EQ(r.text(p, footer[0], QStringLiteral("Memo2")),
                  QStringLiteral("Sayfa %1 / %2").arg(p + 1).arg(r.pageCount()));
        EXPECT_NEAR(footer[0].y + footer[0].height, 297 - 15, 1e-4);
        for (const PlacedBand& band : r.pages[p].bands) {
            if (r.bandName(band) != QLatin1String("Band2")) {
                EXPECT_LE(band.y + band.height, footer[0].y + 1e-4)
                    << r.bandName(band).toStdString();
            }
        }
        EXPECT_EQ(r.placedBands(p, QStringLiteral("Band5")).size(), p == r.pageCount() - 1 ? 1 : 0);
    }
    for (int i = 1; i <= movements; ++i) {
        lines << QString::number(i);
    }
    EXPECT_EQ(column(r, QStringLiteral("Band4"), QStringLiteral("Memo20")), lines);
}

// "[BorcT]" and "[AlacakT]" are the sums of the rows of their band, across pages, and the
// range's closing balance is its opening balance plus their difference.
TEST_F(LedgerReportsTest, RangeSumsEqualTheSumsOfTheirRows)
{
    addMovement(QDate(2021, 1, 31), QStringLiteral("TL"), 1000, std::nullopt,
                QStringLiteral("Önce"));
    addMovement(QDate(2021, 1, 31), QStringLiteral("USD"), 77, std::nullopt,
                QStringLiteral("Döviz"));
    double in = 0;
    double out = 0;
    for (int i = 0; i < 60; ++i) {
        const QDate day = QDate(2021, 2, 1).addDays(i % 28);
        if (i % 3 == 0) {
            addMovement(day, QStringLiteral("TL"), std::nullopt, 10.25 * i);
            out += 10.25 * i;
        } else {
            addMovement(day, QStringLiteral("TL"), 100.5 + i, std::nullopt);
            in += 100.5 + i;
        }
    }
    openLedger();
    const int number =
        reports->ikitariharasi({QStringLiteral("TL"), QDate(2021, 2, 1), QDate(2021, 2, 28)}, true);
    ASSERT_EQ(number, 8);
    const PreparedReport r = prepare(number);
    ASSERT_GE(r.pageCount(), 2);
    const auto amountOfText = [](const QString& text) {
        return text.isEmpty() ? 0.0 : QLocale().toDouble(text);
    };
    double rowsIn = 0;
    double rowsOut = 0;
    for (const QString& text : column(r, QStringLiteral("Band4"), QStringLiteral("Memo8"))) {
        rowsIn += amountOfText(text);
    }
    for (const QString& text : column(r, QStringLiteral("Band4"), QStringLiteral("Memo4"))) {
        rowsOut += amountOfText(text);
    }
    EXPECT_DOUBLE_EQ(rowsIn, in);
    EXPECT_DOUBLE_EQ(rowsOut, out);
    const QString summary = QStringLiteral("Band5");
    EXPECT_DOUBLE_EQ(amountOfText(textIn(r, summary, QStringLiteral("Memo9"))), in);
    EXPECT_DOUBLE_EQ(amountOfText(textIn(r, summary, QStringLiteral("Memo10"))), out);
    EXPECT_NEAR(amountOfText(textIn(r, summary, QStringLiteral("Memo17"))), in - out, 0.005);
    // The opening balance is what came before the first day, in the range's currency only.
    for (const QString& opening : column(r, QStringLiteral("Band3"), QStringLiteral("Memo30"))) {
        EXPECT_EQ(opening, QStringLiteral("1.000,00"));
    }
    EXPECT_NEAR(amountOfText(textIn(r, summary, QStringLiteral("Memo15"))), 1000 + in - out, 0.005);
    EXPECT_EQ(textIn(r, QStringLiteral("Band1"), QStringLiteral("Memo1")),
              QStringLiteral("1.02.2021 - 28.02.2021 TARİHLERİ ARASI KASA HAREKETLERİ"));
}

TEST_F(LedgerReportsTest, TypeTotalsReportSumsPerTypeAndCurrency)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt, {}, QStringLiteral("SATIŞ"));
    addMovement(kDay, QStringLiteral("TL"), 50, std::nullopt, {}, QStringLiteral("SATIŞ"));
    addMovement(kDay, QStringLiteral("TL"), std::nullopt, 30, {}, QStringLiteral("KİRA"));
    addMovement(kDay, QStringLiteral("USD"), 7, std::nullopt, {}, QStringLiteral("SATIŞ"));
    openLedger();
    const PreparedReport r =
        prepare(reports->islemturu({{}, QDate(2021, 1, 1), QDate(2021, 1, 31)}, false));
    const QString rows = QStringLiteral("Band4");
    EXPECT_EQ(
        column(r, rows, QStringLiteral("RowType")),
        (QStringList{QStringLiteral("KİRA"), QStringLiteral("SATIŞ"), QStringLiteral("SATIŞ")}));
    EXPECT_EQ(column(r, rows, QStringLiteral("RowCurrency")),
              (QStringList{QStringLiteral("TL"), QStringLiteral("TL"), QStringLiteral("USD")}));
    EXPECT_EQ(
        column(r, rows, QStringLiteral("RowNet")),
        (QStringList{QStringLiteral("-30,00"), QStringLiteral("150,00"), QStringLiteral("7,00")}));
    EXPECT_EQ(textIn(r, QStringLiteral("Band5"), QStringLiteral("SumIn")),
              QStringLiteral("157,00"));
    EXPECT_EQ(textIn(r, QStringLiteral("Band5"), QStringLiteral("SumOut")),
              QStringLiteral("30,00"));
}

// "İki Tarih Detay Raporu": each master row is one day in one currency, followed by exactly
// that day's movements in that currency; together the detail rows list every movement of
// the range once, and [LINE#] starts again under each master row.
TEST_F(LedgerReportsTest, DetailReportListsEveryMovementOnceUnderItsDayAndCurrency)
{
    struct Movement {
        QDate day;
        const char* currency;
        double in;
    };
    const QList<Movement> movements{{QDate(2021, 1, 4), "TL", 10},
                                    {QDate(2021, 1, 4), "USD", 1},
                                    {QDate(2021, 1, 4), "TL", 20},
                                    {QDate(2021, 1, 5), "USD", 2},
                                    {QDate(2021, 1, 5), "TL", 30},
                                    {QDate(2021, 1, 5), "USD", 3},
                                    {QDate(2021, 1, 7), "EURO", 4},
                                    {QDate(2021, 1, 3), "TL", 99}};  // the last before the range
    for (int i = 0; i < movements.size(); ++i) {
        addMovement(movements[i].day, QString::fromLatin1(movements[i].currency), movements[i].in,
                    std::nullopt, QStringLiteral("m%1").arg(i));
    }
    openLedger(QStringLiteral("Hepsi"));
    for (const QString& currency : {QString(), QStringLiteral("USD")}) {
        SCOPED_TRACE(currency.toStdString());
        const int number =
            reports->ikitariharasidetay({currency, QDate(2021, 1, 4), QDate(2021, 1, 31)}, false);
        ASSERT_EQ(number, 5);
        const PreparedReport r = prepare(number);
        QStringList listed;
        QStringList masters;
        QString masterDay;
        QString masterCurrency;
        int expectedLine = 0;
        for (int p = 0; p < r.pageCount(); ++p) {
            for (const PlacedBand& band : r.pages[p].bands) {
                if (r.bandName(band) == QLatin1String("MasterData1")) {
                    masterDay = r.text(p, band, QStringLiteral("MasterDate"));
                    masterCurrency = r.text(p, band, QStringLiteral("MasterCurrency"));
                    masters << masterDay + QLatin1Char(' ') + masterCurrency;
                    expectedLine = 1;
                } else if (r.bandName(band) == QLatin1String("DetailData1")) {
                    const QString name = r.text(p, band, QStringLiteral("Memo12"));
                    const Movement& m = movements[name.mid(1).toInt()];
                    EXPECT_EQ(QLocale().toString(m.day, QStringLiteral("dd.MMMM.yyyy")), masterDay);
                    EXPECT_EQ(QString::fromLatin1(m.currency), masterCurrency);
                    EXPECT_EQ(r.text(p, band, QStringLiteral("Memo6")), masterCurrency);
                    EXPECT_EQ(r.text(p, band, QStringLiteral("Memo20")),
                              QString::number(expectedLine++));
                    listed << name;
                }
            }
        }
        if (currency.isEmpty()) {
            EXPECT_EQ(
                masters,
                (QStringList{QStringLiteral("04.Ocak.2021 TL"), QStringLiteral("04.Ocak.2021 USD"),
                             QStringLiteral("05.Ocak.2021 TL"), QStringLiteral("05.Ocak.2021 USD"),
                             QStringLiteral("07.Ocak.2021 EURO")}));
            std::sort(listed.begin(), listed.end());
            EXPECT_EQ(listed,
                      (QStringList{QStringLiteral("m0"), QStringLiteral("m1"), QStringLiteral("m2"),
                                   QStringLiteral("m3"), QStringLiteral("m4"), QStringLiteral("m5"),
                                   QStringLiteral("m6")}));
        } else {
            EXPECT_EQ(masters, (QStringList{QStringLiteral("04.Ocak.2021 USD"),
                                            QStringLiteral("05.Ocak.2021 USD")}));
            EXPECT_EQ(listed, (QStringList{QStringLiteral("m1"), QStringLiteral("m3"),
                                           QStringLiteral("m5")}));
        }
        EXPECT_TRUE(r.placedBands(r.pageCount() - 1, QStringLiteral("Band5")).isEmpty());
    }
}

// A title put into a template stays until it is replaced again, and "Kısa Açıklama" picks
// the twin at the moment of the build.
TEST_F(LedgerReportsTest, TitlesStayInTheirTemplateUntilReplaced)
{
    openLedger();
    const TwoDateRange january{{}, QDate(2021, 1, 1), QDate(2021, 1, 31)};
    const TwoDateRange march{{}, QDate(2021, 3, 1), QDate(2021, 3, 31)};
    EXPECT_EQ(reports->ikitariharasi(january, false), 2);
    EXPECT_EQ(reports->ikitariharasi(march, true), 8);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(textIn(prepare(2), QStringLiteral("Band1"), QStringLiteral("Memo1")),
                  QStringLiteral("1.01.2021 - 31.01.2021 TARİHLERİ ARASI KASA HAREKETLERİ"));
        EXPECT_EQ(textIn(prepare(8), QStringLiteral("Band1"), QStringLiteral("Memo1")),
                  QStringLiteral("1.03.2021 - 31.03.2021 TARİHLERİ ARASI KASA HAREKETLERİ"));
    }
}

TEST_F(LedgerReportsTest, PrintChoicesPickTheTemplateOrTheTwoDateWindow)
{
    using Choice = LedgerReports::Choice;
    struct Case {
        std::optional<Choice> choice;
        bool shortDescription;
        int templateNumber;
        TwoDateOutput twoDate;
    };
    const QList<Case> cases{
        {Choice::GunlukKasa, false, 1, TwoDateOutput::Nothing},
        {Choice::GunlukKasa, true, 7, TwoDateOutput::Nothing},
        {Choice::GunlukKasaDetay, false, 6, TwoDateOutput::Nothing},
        {Choice::GunlukKasaDetay, true, 12, TwoDateOutput::Nothing},
        {Choice::IkiTarihArasi, true, 0, TwoDateOutput::IkiTarihArasi},
        {Choice::IkiTarihDetay, false, 0, TwoDateOutput::IkiTarihDetay},
        {Choice::IslemTuru, false, 0, TwoDateOutput::IslemTuru},
        {Choice::GunToplamlari, false, 0, TwoDateOutput::GunToplamlari},
        {std::nullopt, false, 0, TwoDateOutput::Nothing},
    };
    for (const Case& c : cases) {
        const LedgerReports::PrintStep step =
            LedgerReports::printStep({c.choice, c.shortDescription});
        EXPECT_EQ(step.templateNumber, c.templateNumber);
        EXPECT_EQ(step.twoDateOutput, c.twoDate);
    }
}

// A movement left pending in the ledger is settled before the daily report reads the day,
// as leaving it would: an unchanged new row is dropped, a changed one stored and printed.
TEST_F(LedgerReportsTest, PendingMovementIsSettledBeforePrinting)
{
    addMovement(kDay, QStringLiteral("TL"), 100, std::nullopt, QStringLiteral("Kayıtlı"));
    openLedger();
    ledger->appendMovement();
    EXPECT_EQ(column(prepare(1), QStringLiteral("Band4"), QStringLiteral("Memo12")),
              QStringList{QStringLiteral("Kayıtlı")});
    EXPECT_FALSE(ledger->movements().isEditing());

    ledger->appendMovement();
    ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 25.0);
    ledger->movementEntry().setValue(QStringLiteral("aciklama"), QStringLiteral("Yeni"));
    EXPECT_EQ(column(prepare(1), QStringLiteral("Band4"), QStringLiteral("Memo12")),
              (QStringList{QStringLiteral("Kayıtlı"), QStringLiteral("Yeni")}));
    EXPECT_EQ(queryValue(bookFile(), QStringLiteral("SELECT COUNT(*) FROM nakit")).toInt(), 2);
}

}  // namespace tamevo::test
