// The income and expense analysis over a real cash book: the groupings by type and by source,
// the period totals in kuruş, the details behind a group, and what "Yazdır" puts into the
// templates.
#include "reports/IncomeExpenseAnalysis.h"

#include "data/Session.h"

#include "ledger/LedgerFixture.h"
#include "support/TurkishLocale.h"

#include <QSqlQuery>

namespace tamevo::test {

namespace {

// One movement of the fixture; an empty amount, type or source is stored as NULL unless
// given as a value.
struct Movement {
    QDate day;
    const char* currency;
    QVariant in;
    QVariant out;
    QVariant type;
    QVariant source;
    const char* description;
};

const QVariant kNone;

QVariant text(const char* value)
{
    return QString::fromUtf8(value);
}

}  // namespace

class AnalysisTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        analysis.emplace(session);
        analysis->setFirstDay(QDate(2021, 3, 1));
        analysis->setLastDay(QDate(2021, 3, 31));
    }
    void TearDown() override
    {
        analysis.reset();
        LedgerTest::TearDown();
    }

    void add(const QList<Movement>& movements)
    {
        QSqlQuery insert(session.kasaConnection.database());
        insert.prepare(QStringLiteral(
            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, doviz_kuru, "
            "neden, bankaadi, aciklama) VALUES (?, ?, ?, ?, 1, ?, ?, ?)"));
        for (const Movement& m : movements) {
            insert.addBindValue(m.day.toString(Qt::ISODate));
            insert.addBindValue(QString::fromLatin1(m.currency));
            insert.addBindValue(m.in);
            insert.addBindValue(m.out);
            insert.addBindValue(m.type);
            insert.addBindValue(m.source);
            insert.addBindValue(QString::fromUtf8(m.description));
            ASSERT_TRUE(insert.exec());
        }
    }

    // The rows of a grouping as "group|currency|sum".
    static QStringList rows(Dataset& grouping, const QString& groupField, AnalysisSide side)
    {
        QStringList texts;
        for (int row = 0; row < grouping.recordCount(); ++row) {
            texts << QStringLiteral("%1|%2|%3")
                         .arg(grouping.valueAt(row, groupField).toString(),
                              grouping.valueAt(row, QStringLiteral("doviz_cinsi")).toString(),
                              QString::number(grouping.valueAt(row, sumField(side)).toDouble()));
        }
        return texts;
    }

    // The descriptions of a detail's movements, in their order.
    static QStringList descriptions(Dataset& detail)
    {
        QStringList texts;
        for (int row = 0; row < detail.recordCount(); ++row) {
            texts << detail.valueAt(row, QStringLiteral("aciklama")).toString();
        }
        return texts;
    }

    QString templateText(IncomeExpenseAnalysis::Report which, const char* object)
    {
        return analysis->reportTemplate(which)
            .findObject(QString::fromLatin1(object))
            ->lines.join(QLatin1Char('\n'));
    }

    std::optional<IncomeExpenseAnalysis> analysis;
    TurkishLocale turkish;
};

// A period of March: both ends included, the days around it not; in-amounts of 0 are no
// collections; movements without a source count in the totals but not among the sources;
// under "Hepsi" a type used in two currencies gives two rows.
TEST_F(AnalysisTest, GroupsThePeriodsCollectionsAndPaymentsByTypeAndSource)
{
    add({
        {{2021, 2, 28}, "TL", 500, kNone, text("Satış"), text("Nakit"), "önceki ay"},
        {{2021, 3, 1}, "TL", 100.1, kNone, text("Satış"), text("Nakit"), "ilk gün"},
        {{2021, 3, 15}, "USD", 20, kNone, text("Satış"), text("Banka"), "dolar"},
        {{2021, 3, 20}, "TL", 0.2, kNone, text("Satış"), kNone, "kaynaksız"},
        {{2021, 3, 5}, "TL", 5, kNone, kNone, text("Nakit"), "türsüz"},
        {{2021, 3, 31}, "TL", 0, kNone, text("Kira"), text("Nakit"), "sıfır giriş"},
        {{2021, 3, 31}, "TL", kNone, 250.5, text("Kira"), text("Banka"), "son gün"},
        {{2021, 3, 10}, "TL", kNone, 49.5, text("Kira"), kNone, "kaynaksız çıkış"},
        {{2021, 4, 1}, "TL", 70, 30, text("Satış"), text("Nakit"), "sonraki ay"},
    });

    analysis->buildBothSides();
    const QString neden = QStringLiteral("neden");
    const QString bankaadi = QStringLiteral("bankaadi");
    EXPECT_EQ(
        rows(analysis->typeTotals(AnalysisSide::Collections), neden, AnalysisSide::Collections),
        QStringList({QStringLiteral("|TL|5"), QStringLiteral("Satış|TL|100.3"),
                     QStringLiteral("Satış|USD|20")}));
    EXPECT_EQ(rows(analysis->sourceTotals(AnalysisSide::Collections), bankaadi,
                   AnalysisSide::Collections),
              QStringList({QStringLiteral("Banka|USD|20"), QStringLiteral("Nakit|TL|105.1")}));
    EXPECT_EQ(rows(analysis->typeTotals(AnalysisSide::Payments), neden, AnalysisSide::Payments),
              QStringList({QStringLiteral("Kira|TL|300")}));
    EXPECT_EQ(
        rows(analysis->sourceTotals(AnalysisSide::Payments), bankaadi, AnalysisSide::Payments),
        QStringList({QStringLiteral("Banka|TL|250.5")}));
    // Under "Hepsi" the currencies add up without conversion.
    EXPECT_EQ(analysis->total(AnalysisSide::Collections), Money::fromKurus(12530));
    EXPECT_EQ(analysis->total(AnalysisSide::Payments), Money::fromKurus(30000));
    EXPECT_EQ(analysis->totalText(AnalysisSide::Collections), QStringLiteral("125,30"));
    EXPECT_EQ(analysis->differenceText(), QStringLiteral("-174,70"));

    // One currency: only its movements, in the groupings and in the totals.
    analysis->setCurrency(QStringLiteral("TL"));
    analysis->buildBothSides();
    EXPECT_EQ(
        rows(analysis->typeTotals(AnalysisSide::Collections), neden, AnalysisSide::Collections),
        QStringList({QStringLiteral("|TL|5"), QStringLiteral("Satış|TL|100.3")}));
    EXPECT_EQ(rows(analysis->sourceTotals(AnalysisSide::Collections), bankaadi,
                   AnalysisSide::Collections),
              QStringList({QStringLiteral("Nakit|TL|105.1")}));
    EXPECT_EQ(analysis->totalText(AnalysisSide::Collections), QStringLiteral("105,30"));
    EXPECT_EQ(analysis->differenceText(), QStringLiteral("-194,70"));

    // A first day after the last selects nothing.
    analysis->setFirstDay(QDate(2021, 4, 2));
    analysis->buildBothSides();
    EXPECT_TRUE(analysis->typeTotals(AnalysisSide::Collections).isEmpty());
    EXPECT_TRUE(analysis->sourceTotals(AnalysisSide::Payments).isEmpty());
    EXPECT_EQ(analysis->totalText(AnalysisSide::Payments), QStringLiteral(",00"));
}

// Each movement counts in whole kuruş, so a group's sum, the total and a detail's total are
// the sums of the amounts as they show.
TEST_F(AnalysisTest, SumsCountEachMovementInWholeKurus)
{
    add({
        {{2021, 3, 2}, "TL", 0.005, kNone, text("Faiz"), kNone, "a"},
        {{2021, 3, 3}, "TL", 0.005, kNone, text("Faiz"), kNone, "b"},
        {{2021, 3, 4}, "TL", 0.005, kNone, text("Faiz"), kNone, "c"},
        {{2021, 3, 4}, "TL", 1234.5, kNone, text("Satış"), kNone, "d"},
    });
    analysis->buildBothSides();
    EXPECT_EQ(rows(analysis->typeTotals(AnalysisSide::Collections), QStringLiteral("neden"),
                   AnalysisSide::Collections),
              QStringList({QStringLiteral("Faiz|TL|0.03"), QStringLiteral("Satış|TL|1234.5")}));
    EXPECT_EQ(analysis->totalText(AnalysisSide::Collections), QStringLiteral("1.234,53"));
    analysis->typeTotals(AnalysisSide::Collections).first();
    analysis->typeDetail(AnalysisSide::Collections);
    EXPECT_EQ(analysis->detail(AnalysisSide::Collections).totalText, QStringLiteral(",03"));
}

// A detail lists exactly the movements of its group: names with an apostrophe are values,
// not SQL; a type stored as an empty text and a missing type are two groups, each listing
// its own movements; a source stored as an empty text lists its movements too.
TEST_F(AnalysisTest, DetailsListExactlyTheMovementsOfTheirGroup)
{
    add({
        {{2021, 3, 2}, "TL", 10, kNone, text("Ali'nin borcu"), text("Veli'nin kasası"), "a1"},
        {{2021, 3, 3}, "TL", 20, kNone, text("Ali"), text("Veli"), "a2"},
        {{2021, 3, 4}, "TL", 30, kNone, text("Ali'nin borcu"), text(""), "a3"},
        {{2021, 3, 5}, "TL", 40, kNone, text(""), text(""), "boş1"},
        {{2021, 3, 6}, "TL", 50, kNone, kNone, text("Veli'nin kasası"), "yok1"},
        {{2021, 3, 7}, "TL", 60, kNone, text(""), kNone, "boş2"},
        {{2021, 3, 8}, "USD", 70, kNone, text("Ali'nin borcu"), kNone, "dolar"},
        {{2021, 3, 9}, "TL", kNone, 80, text("Ali'nin borcu"), kNone, "çıkış"},
    });
    analysis->setCurrency(QStringLiteral("TL"));
    analysis->buildBothSides();

    // Types in their order: none, empty text, "Ali", "Ali'nin borcu".
    const struct {
        int row;
        const char* shown;
        QStringList listed;
        const char* total;
    } types[] = {
        {0, "", {QStringLiteral("yok1")}, "50,00"},
        {1, "", {QStringLiteral("boş1"), QStringLiteral("boş2")}, "100,00"},
        {2, "Ali", {QStringLiteral("a2")}, "20,00"},
        {3, "Ali'nin borcu", {QStringLiteral("a1"), QStringLiteral("a3")}, "40,00"},
    };
    ASSERT_EQ(analysis->typeTotals(AnalysisSide::Collections).recordCount(), 4);
    for (const auto& type : types) {
        analysis->typeTotals(AnalysisSide::Collections).setCurrentIndex(type.row);
        analysis->typeDetail(AnalysisSide::Collections);
        EXPECT_EQ(descriptions(analysis->detailQuery(AnalysisSide::Collections)), type.listed)
            << type.row;
        const IncomeExpenseAnalysis::Detail& detail = analysis->detail(AnalysisSide::Collections);
        EXPECT_EQ(detail.totalText, QString::fromUtf8(type.total)) << type.row;
        EXPECT_EQ(detail.headingField, QStringLiteral("neden"));
        EXPECT_EQ(templateText(IncomeExpenseAnalysis::Report::detaygelirReport, "Memo1"),
                  QString::fromUtf8(type.shown));
        EXPECT_EQ(templateText(IncomeExpenseAnalysis::Report::detaygelirReport, "Memo19"),
                  QString::fromUtf8(type.total));
    }
    EXPECT_EQ(analysis->detail(AnalysisSide::Collections).reportDateText,
              QStringLiteral("Rapor Tarihi: 1/3/2021 - 31/3/2021"));
    EXPECT_EQ(templateText(IncomeExpenseAnalysis::Report::detaygelirReport, "Memo11"),
              QStringLiteral("Rapor Tarihi: 1/3/2021 - 31/3/2021"));

    // Sources in their order: empty text, "Veli", "Veli'nin kasası".
    const struct {
        int row;
        QStringList listed;
    } sources[] = {
        {0, {QStringLiteral("a3"), QStringLiteral("boş1")}},
        {1, {QStringLiteral("a2")}},
        {2, {QStringLiteral("a1"), QStringLiteral("yok1")}},
    };
    ASSERT_EQ(analysis->sourceTotals(AnalysisSide::Collections).recordCount(), 3);
    for (const auto& source : sources) {
        analysis->sourceTotals(AnalysisSide::Collections).setCurrentIndex(source.row);
        analysis->sourceDetail(AnalysisSide::Collections);
        EXPECT_EQ(descriptions(analysis->detailQuery(AnalysisSide::Collections)), source.listed)
            << source.row;
        EXPECT_EQ(analysis->detail(AnalysisSide::Collections).headingField,
                  QStringLiteral("bankaadi"));
    }

    // The payments side lists the money out of its type.
    analysis->typeDetail(AnalysisSide::Payments);
    EXPECT_EQ(descriptions(analysis->detailQuery(AnalysisSide::Payments)),
              QStringList{QStringLiteral("çıkış")});
    EXPECT_EQ(analysis->detail(AnalysisSide::Payments).totalText, QStringLiteral("80,00"));

    // With the groupings by type closed there is no group: the list is empty, not the
    // movements without a type.
    analysis->closeTypeTotals();
    analysis->typeDetail(AnalysisSide::Collections);
    EXPECT_TRUE(analysis->detailQuery(AnalysisSide::Collections).isEmpty());
    EXPECT_EQ(analysis->detail(AnalysisSide::Collections).totalText, QStringLiteral(",00"));
}

// "Yazdır" fills the template it prints with the period and the totals as the window shows
// them; a detail window's "Kapat" empties its report's texts.
TEST_F(AnalysisTest, PrintChoicesFillTheirTemplates)
{
    using Report = IncomeExpenseAnalysis::Report;
    using Choice = IncomeExpenseAnalysis::PrintChoice;
    add({
        {{2021, 3, 2}, "TL", 1234.5, kNone, text("Satış"), kNone, "a"},
        {{2021, 3, 3}, "TL", kNone, 34.5, text("Kira"), kNone, "b"},
    });
    session.CalismaYili = 2021;
    analysis->useWorkingYear();
    EXPECT_EQ(analysis->period().first, QDate(2021, 1, 1));
    EXPECT_EQ(analysis->period().last, QDate(2021, 12, 31));

    EXPECT_EQ(analysis->buildReport(Choice::TahsilatlarOzet), Report::frReport4);
    EXPECT_EQ(templateText(Report::frReport4, "Memo1"),
              QStringLiteral("DÖNEM TAHSİLATLARI ( 1/1/2021 - 31/12/2021 )"));
    EXPECT_EQ(templateText(Report::frReport4, "Memo13"), QStringLiteral("1.234,50"));
    EXPECT_EQ(analysis->buildReport(Choice::OdemelerOzet), Report::frReport1);
    EXPECT_EQ(templateText(Report::frReport1, "Memo1"),
              QStringLiteral("DÖNEM ÖDEMELERİ ( 1/1/2021 - 31/12/2021 )"));
    EXPECT_EQ(templateText(Report::frReport1, "Memo13"), QStringLiteral("34,50"));
    EXPECT_EQ(analysis->buildReport(Choice::TahsilatOdemeOzeti), Report::frReport2);
    EXPECT_EQ(templateText(Report::frReport2, "Memo19"),
              QStringLiteral("( 1/1/2021 - 31/12/2021 )"));
    EXPECT_EQ(templateText(Report::frReport2, "Memo16"), QStringLiteral("1.234,50"));
    EXPECT_EQ(templateText(Report::frReport2, "Memo27"), QStringLiteral("34,50"));
    EXPECT_EQ(templateText(Report::frReport2, "Memo13"), QStringLiteral("1.200,00"));

    EXPECT_EQ(analysis->buildReport(Choice::OdemeDetay), Report::detaygiderReport);
    EXPECT_EQ(templateText(Report::detaygiderReport, "Memo1"), QStringLiteral("Kira"));
    analysis->closeDetail(AnalysisSide::Payments);
    EXPECT_FALSE(analysis->detailQuery(AnalysisSide::Payments).isOpen());
    EXPECT_EQ(analysis->detail(AnalysisSide::Payments).totalText, QStringLiteral("0.00"));
    EXPECT_EQ(analysis->detail(AnalysisSide::Payments).reportDateText,
              QStringLiteral("Rapor Tarihi:"));
    EXPECT_EQ(templateText(Report::detaygiderReport, "Memo1"), QString());
    EXPECT_EQ(templateText(Report::detaygiderReport, "Memo11"), QString());
    EXPECT_EQ(templateText(Report::detaygiderReport, "Memo19"), QStringLiteral(",00"));
}

}  // namespace tamevo::test
