// The page composition of the report engine, measured with a fixed-width measurer so the
// pages come out the same on every machine.
#include "reportengine/ReportLayout.h"

#include "data/Errors.h"

#include "ledger/LedgerFixture.h"
#include "support/HostileInput.h"
#include "support/TurkishLocale.h"

namespace tamevo::test {

using namespace tamevo::report;

namespace {

// Every character 2 mm wide; lines 5 mm apart, 4 mm high.
class FixedMeasurer : public TextMeasurer {
public:
    static constexpr double kChar = 2;
    double lineSpacing(const FontSpec&) const override { return 5; }
    double lineHeight(const FontSpec&) const override { return 4; }
    QStringList wrap(const QString& text, const FontSpec&, double width) const override
    {
        const int perLine = std::max(1, int(width / kChar));
        QStringList lines;
        QString line;
        for (const QString& word : text.split(QLatin1Char(' '))) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (candidate.size() <= perLine || line.isEmpty()) {
                line = candidate;
            } else {
                lines << line;
                line = word;
            }
        }
        lines << line;
        return lines;
    }
    QString cut(const QString& text, const FontSpec&, double width) const override
    {
        return text.left(int(width / kChar));
    }
};

// A title of 20 mm, a page header of 10, rows of 10 over `rows`, a summary of 10 and a
// page footer of 10: the first page holds 22 rows, every other page 24.
const char* kListTemplate = R"({
  "name": "liste", "title": "Liste",
  "dataLinks": [{"name": "link", "component": "rows"}],
  "variables": [{"name": "Tutar", "expression": "rows.\"borc_tutar\""},
                {"name": "Toplam", "sum": "Tutar", "band": "Satir"},
                {"name": "Diger", "sum": "Tutar", "band": "Ozet"}],
  "bands": [
    {"name": "Baslik", "kind": "reportTitle", "height": 20, "objects": [
        {"name": "Title", "x": 15, "width": 180, "height": 10, "lines": ["LİSTE"]}]},
    {"name": "Ust", "kind": "pageHeader", "height": 10, "objects": [
        {"name": "Heading", "x": 15, "width": 180, "height": 10, "lines": ["AÇIKLAMA"]}]},
    {"name": "Satir", "kind": "masterData", "height": 10, "dataLink": "link", "objects": [
        {"name": "Line", "x": 15, "width": 10, "height": 10, "lines": ["[LINE#]"]},
        {"name": "Text", "x": 25, "width": 100, "height": 10, "lines": ["[rows.\"aciklama\"]"]},
        {"name": "Amount", "x": 125, "width": 30, "height": 10, "format": "amount",
         "lines": ["[rows.\"borc_tutar\"]"]}]},
    {"name": "Ozet", "kind": "reportSummary", "height": 10, "objects": [
        {"name": "Total", "x": 125, "width": 30, "height": 10, "format": "amount", "lines": ["[Toplam]"]},
        {"name": "Other", "x": 155, "width": 30, "height": 10, "format": "amount", "lines": ["[Diger]"]}]},
    {"name": "Alt", "kind": "pageFooter", "height": 10, "objects": [
        {"name": "Footer", "x": 15, "width": 180, "height": 10, "lines": ["[Page#] / [TotalPages]"]}]}
  ]})";

}  // namespace

class LayoutTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        rows.setQuery(QStringLiteral("SELECT nid, aciklama, borc_tutar FROM nakit ORDER BY nid"));
        data.addDataset(QStringLiteral("rows"), rows);
    }

    void addRows(int count)
    {
        for (int i = 1; i <= count; ++i) {
            addMovement(QDate(2021, 1, 5), QStringLiteral("TL"),
                        i % 5 == 0 ? std::nullopt : std::optional<double>(i), std::nullopt,
                        QStringLiteral("Satır %1").arg(i));
        }
    }

    PreparedReport prepare(const char* json)
    {
        return prepareReport(ReportTemplate::fromJson(json, QStringLiteral("test")), data,
                             measurer);
    }

    static QStringList texts(const PreparedReport& r, const QString& object)
    {
        QStringList found;
        for (int p = 0; p < r.pageCount(); ++p) {
            for (const PreparedItem* item : r.items(p, object)) {
                found << item->text;
            }
        }
        return found;
    }

    Dataset rows{session.kasaConnection, QStringLiteral("rows")};
    ReportData data;
    FixedMeasurer measurer;

private:
    TurkishLocale turkish_;
};

TEST_F(LayoutTest, PagesHoldTitleHeadersRowsSummaryAndFooters)
{
    addRows(50);
    ASSERT_FALSE(rows.isOpen());  // the report opens a closed data set
    const PreparedReport r = prepare(kListTemplate);
    ASSERT_EQ(r.pageCount(), 3);
    const QList<int> rowsPerPage{22, 24, 4};
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE(p);
        const auto bands = r.pages[p].bands;
        QStringList order;
        for (const PlacedBand& b : bands) {
            order << r.bandName(b);
        }
        QStringList expected;
        if (p == 0) {
            expected << QStringLiteral("Baslik");
        }
        expected << QStringLiteral("Ust");
        for (int i = 0; i < rowsPerPage[p]; ++i) {
            expected << QStringLiteral("Satir");
        }
        if (p == 2) {
            expected << QStringLiteral("Ozet");
        }
        expected << QStringLiteral("Alt");
        EXPECT_EQ(order, expected);
        EXPECT_FLOAT_EQ(bands.first().y, 15);
        EXPECT_FLOAT_EQ(bands.last().y, 297 - 15 - 10);
        EXPECT_EQ(r.text(p, bands.last(), QStringLiteral("Footer")),
                  QStringLiteral("%1 / 3").arg(p + 1));
    }
    QStringList lines;
    for (int i = 1; i <= 50; ++i) {
        lines << QString::number(i);
    }
    EXPECT_EQ(texts(r, QStringLiteral("Line")), lines);
    // Sums run over their band only, an empty value counting as zero.
    EXPECT_EQ(texts(r, QStringLiteral("Total")), QStringList{QStringLiteral("1.000,00")});
    EXPECT_EQ(texts(r, QStringLiteral("Other")), QStringList{QStringLiteral("0,00")});
    const PlacedBand fifth = r.placedBands(0, QStringLiteral("Satir"))[4];
    EXPECT_EQ(r.text(0, fifth, QStringLiteral("Text")), QStringLiteral("Satır 5"));
    EXPECT_TRUE(r.text(0, fifth, QStringLiteral("Amount")).isEmpty());
}

TEST_F(LayoutTest, SummaryThatDoesNotFitStartsANewPage)
{
    addRows(46);  // the first two pages are full
    const PreparedReport r = prepare(kListTemplate);
    ASSERT_EQ(r.pageCount(), 3);
    QStringList last;
    for (const PlacedBand& b : r.pages[2].bands) {
        last << r.bandName(b);
    }
    EXPECT_EQ(last,
              (QStringList{QStringLiteral("Ust"), QStringLiteral("Ozet"), QStringLiteral("Alt")}));
    EXPECT_EQ(texts(r, QStringLiteral("Footer")).last(), QStringLiteral("3 / 3"));
}

TEST_F(LayoutTest, StretchedBandsGrowToTheirTallestStretchedObject)
{
    const char* json = R"({
      "name": "uzama", "dataLinks": [{"name": "link", "component": "rows"}],
      "bands": [
        {"name": "Satir", "kind": "masterData", "height": 10, "stretch": true, "dataLink": "link",
         "objects": [
            {"name": "Wrapped", "x": 10, "y": 1, "width": 21, "height": 8, "stretch": true,
             "wordWrap": true, "lines": ["[rows.\"aciklama\"]"]},
            {"name": "Cut", "x": 40, "y": 1, "width": 21, "height": 8, "stretch": true,
             "lines": ["[rows.\"aciklama\"]"]},
            {"name": "Fixed", "x": 70, "y": 1, "width": 21, "height": 8, "wordWrap": true,
             "lines": ["[rows.\"aciklama\"]"]}]},
        {"name": "Sabit", "kind": "reportSummary", "height": 10, "objects": [
            {"name": "NotStretched", "x": 10, "width": 21, "height": 8, "stretch": true,
             "wordWrap": true, "lines": ["bir iki üç dört beş altı yedi sekiz"]}]}
      ]})";
    addMovement(QDate(2021, 1, 5), QStringLiteral("TL"), 1, std::nullopt,
                QStringLiteral("bir iki üç dört beş altı yedi sekiz"));
    addMovement(QDate(2021, 1, 5), QStringLiteral("TL"), 1, std::nullopt, QStringLiteral("kısa"));
    const PreparedReport r = prepare(json);
    const auto bands = r.placedBands(0, QStringLiteral("Satir"));
    ASSERT_EQ(bands.size(), 2);
    // Ten characters a line: four lines, 3 * 5 + 4 + 0.4 mm, so the band grows by 11.4 mm.
    const PreparedItem* wrapped = r.item(0, bands[0], QStringLiteral("Wrapped"));
    EXPECT_EQ(wrapped->lines(),
              (QStringList{QStringLiteral("bir iki üç"), QStringLiteral("dört beş"),
                           QStringLiteral("altı yedi"), QStringLiteral("sekiz")}));
    EXPECT_NEAR(wrapped->height, 19.4, 1e-4);
    EXPECT_NEAR(bands[0].height, 21.4, 1e-4);
    // The other stretched object grows with it; its text stays one line, cut at its edge.
    const PreparedItem* cut = r.item(0, bands[0], QStringLiteral("Cut"));
    EXPECT_EQ(cut->text, QStringLiteral("bir iki üç"));
    EXPECT_NEAR(cut->height, 19.4, 1e-4);
    // An object without stretch keeps its size and shows the lines that fit in it.
    const PreparedItem* fixed = r.item(0, bands[0], QStringLiteral("Fixed"));
    EXPECT_NEAR(fixed->height, 8, 1e-4);
    EXPECT_EQ(fixed->lines(), (QStringList{QStringLiteral("bir iki üç")}));
    EXPECT_NEAR(bands[1].height, 10, 1e-4);
    EXPECT_NEAR(bands[1].y, bands[0].y + bands[0].height, 1e-4);
    // Only data bands marked stretch grow.
    const auto summary = r.placedBands(0, QStringLiteral("Sabit"));
    ASSERT_EQ(summary.size(), 1);
    EXPECT_NEAR(summary[0].height, 10, 1e-4);
    EXPECT_EQ(r.item(0, summary[0], QStringLiteral("NotStretched"))->lines().size(), 1);
}

TEST_F(LayoutTest, BandTallerThanAPagePrintsOnAPageOfItsOwn)
{
    const char* json = R"({
      "name": "dev", "dataLinks": [{"name": "link", "component": "rows"}],
      "bands": [
        {"name": "Ust", "kind": "pageHeader", "height": 10, "objects": []},
        {"name": "Satir", "kind": "masterData", "height": 10, "stretch": true, "dataLink": "link",
         "objects": [{"name": "Text", "x": 10, "width": 5, "height": 10, "stretch": true,
                      "wordWrap": true, "lines": ["[rows.\"aciklama\"]", "[rows.\"aciklama\"]"]}]}]})";
    addMovement(QDate(2021, 1, 5), QStringLiteral("TL"), 1, std::nullopt, QStringLiteral("önce"));
    addMovement(QDate(2021, 1, 5), QStringLiteral("TL"), 1, std::nullopt,
                QStringList(50, QStringLiteral("söz")).join(QLatin1Char(' ')));
    addMovement(QDate(2021, 1, 5), QStringLiteral("TL"), 1, std::nullopt, QStringLiteral("sonra"));
    const PreparedReport r = prepare(json);
    ASSERT_EQ(r.pageCount(), 3);
    EXPECT_EQ(texts(r, QStringLiteral("Text")).first(), QStringLiteral("önce\nönce"));
    EXPECT_EQ(r.placedBands(1, QStringLiteral("Satir")).size(), 1);
    EXPECT_GT(r.placedBands(1, QStringLiteral("Satir"))[0].height, 297 - 30);
    EXPECT_EQ(texts(r, QStringLiteral("Text")).last(), QStringLiteral("sonra\nsonra"));
}

// User links: the engine calls first, then asks for the end, prints and moves on, in turn;
// a detail band follows each master row and counts its lines from 1 again; two master bands
// print one after the other.
TEST_F(LayoutTest, UserLinksFeedMasterAndDetailBands)
{
    const char* json = R"({
      "name": "ana", "dataLinks": [{"name": "Master", "user": true}, {"name": "Detail", "user": true},
                                   {"name": "link", "component": "rows"}],
      "bands": [
        {"name": "M", "kind": "masterData", "height": 5, "dataLink": "Master", "objects": [
            {"name": "MLine", "x": 10, "width": 20, "height": 5, "lines": ["M[LINE#]"]}]},
        {"name": "D", "kind": "detailData", "height": 5, "master": "M", "dataLink": "Detail",
         "objects": [{"name": "DLine", "x": 10, "width": 20, "height": 5,
                      "lines": ["[LINE#] [rows.\"aciklama\"]"]}]},
        {"name": "Sonra", "kind": "masterData", "height": 5, "dataLink": "link", "objects": [
            {"name": "After", "x": 10, "width": 20, "height": 5, "lines": ["[rows.\"aciklama\"]"]}]}
      ]})";
    addRows(3);
    rows.open();
    QStringList calls;
    int master = 0;
    int detail = 0;
    const QList<int> detailCounts{2, 0, 3};
    data.setUserLink(QStringLiteral("Master"), {[&] {
                                                    calls << QStringLiteral("first");
                                                    master = 0;
                                                },
                                                [&] {
                                                    calls << QStringLiteral("next");
                                                    ++master;
                                                },
                                                [&](bool& eof) {
                                                    calls << QStringLiteral("eof");
                                                    eof = eof || master >= 3;
                                                }});
    data.setUserLink(QStringLiteral("Detail"),
                     {[&] {
                          detail = 0;
                          data.setRow(QStringLiteral("rows"), 0);
                      },
                      [&] {
                          ++detail;
                          data.setRow(QStringLiteral("rows"), detail % 3);
                      },
                      [&](bool& eof) { eof = detail >= detailCounts[master]; }});
    const PreparedReport r = prepare(json);
    EXPECT_EQ(calls,
              (QStringList{QStringLiteral("first"), QStringLiteral("eof"), QStringLiteral("next"),
                           QStringLiteral("eof"), QStringLiteral("next"), QStringLiteral("eof"),
                           QStringLiteral("next"), QStringLiteral("eof")}));
    QStringList printed;
    for (const PreparedItem& item : r.pages[0].items) {
        printed << item.text;
    }
    EXPECT_EQ(printed,
              (QStringList{QStringLiteral("M1"), QStringLiteral("1 Satır 1"),
                           QStringLiteral("2 Satır 2"), QStringLiteral("M2"), QStringLiteral("M3"),
                           QStringLiteral("1 Satır 1"), QStringLiteral("2 Satır 2"),
                           QStringLiteral("3 Satır 3"), QStringLiteral("Satır 1"),
                           QStringLiteral("Satır 2"), QStringLiteral("Satır 3")}));
}

TEST_F(LayoutTest, ReportsThatCannotBePreparedSayWhy)
{
    const auto failure = [this](const QString& objects, const QString& variables = {}) {
        const QString json = QStringLiteral(R"({"name": "hata", "title": "Hatalı Rapor",
            "dataLinks": [{"name": "link", "component": "rows"}, {"name": "user", "user": true}],
            "variables": [%1],
            "bands": [{"name": "Satir", "kind": "masterData", "height": 5, "dataLink": "link",
                       "objects": [%2]}]})")
                                 .arg(variables, objects);
        try {
            prepareReport(ReportTemplate::fromJson(json.toUtf8(), QStringLiteral("hata")), data,
                          measurer);
        } catch (const Error& error) {
            return error.text();
        }
        return QString();
    };
    const QString object =
        QStringLiteral(R"({"name": "Memo7", "x": 1, "width": 9, "height": 5, "lines": ["%1"]})");
    addRows(1);
    const QString unknownComponent = failure(object.arg(QStringLiteral("[yok.\\\"alan\\\"]")));
    EXPECT_TRUE(unknownComponent.startsWith(QStringLiteral("Hatalı Rapor raporu hazırlanamadı")));
    EXPECT_TRUE(unknownComponent.contains(QStringLiteral("Memo7")));
    EXPECT_TRUE(unknownComponent.contains(QStringLiteral("yok")));
    EXPECT_TRUE(
        failure(object.arg(QStringLiteral("[rows.\\\"yok\\\"]"))).contains(QStringLiteral("yok")));
    EXPECT_TRUE(
        failure(object.arg(QStringLiteral("[Bilinmeyen]"))).contains(QStringLiteral("Bilinmeyen")));
    EXPECT_TRUE(failure(object.arg(QStringLiteral("[rows.\\\"aciklama\\\"+1]")))
                    .contains(QStringLiteral("sayı değil")));
    EXPECT_TRUE(
        failure(object.arg(QStringLiteral("[A]")),
                QStringLiteral(
                    R"({"name": "A", "expression": "B+1"}, {"name": "B", "expression": "A"})"))
            .contains(QStringLiteral("kendini")));
    // A user link the program gave no callbacks for.
    const QString json =
        QStringLiteral(R"({"name": "k", "dataLinks": [{"name": "user", "user": true}],
        "bands": [{"name": "S", "kind": "masterData", "height": 5, "dataLink": "user"}]})");
    EXPECT_THROW(prepareReport(ReportTemplate::fromJson(json.toUtf8(), {}), data, measurer), Error);
}

TEST_F(LayoutTest, PictureObjectsPrintTheirLoadedPicture)
{
    const char* json = R"({"name": "resim", "bands": [
        {"name": "Baslik", "kind": "reportTitle", "height": 100, "objects": [
            {"name": "Picture1", "type": "picture", "x": 1, "y": 2, "width": 80, "height": 90,
             "stretch": true, "keepAspectRatio": true},
            {"name": "Picture2", "type": "picture", "x": 1, "width": 80, "height": 90}]}]})";
    ReportTemplate t = ReportTemplate::fromJson(json, {});
    EXPECT_TRUE(prepareReport(t, data, measurer).pages[0].items.isEmpty());
    t.findObject(QStringLiteral("Picture1"))->picture = QByteArray("resim");
    const PreparedReport r = prepareReport(t, data, measurer);
    ASSERT_EQ(r.pages[0].items.size(), 1);
    const PreparedItem& item = r.pages[0].items[0];
    EXPECT_EQ(item.rect(), QRectF(1, 17, 80, 90));
    EXPECT_EQ(r.styleOf(item).picture, QByteArray("resim"));
    EXPECT_TRUE(r.styleOf(item).keepAspectRatio);
}

TEST_F(LayoutTest, TemplatesOfAnySizesArePreparedOrRefused)
{
    // Sizes a hostile or damaged template may hold: zero, negative, tiny, far beyond a page.
    addRows(12);
    execute(bookFile(), {QStringLiteral("UPDATE nakit SET aciklama = printf('%.200c', 'x') "
                                        "WHERE nid % 4 = 0")});
    int prepared = 0;
    for (quint32 seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        HostileInput input(seed);
        const auto size = [&] {
            return QString::number(input.pick(
                {0.0, -40.0, 0.01, 5.0, 30.0, 150.0, 400.0, 1e7, double(input.number(-300, 600))}));
        };
        const auto flag = [&] { return input.chance(50) ? "true" : "false"; };
        const auto object = [&](const char* name, const char* line) {
            return QStringLiteral(R"({"name": "%1", "x": %2, "y": %3, "width": %4, "height": %5,
                "stretch": %6, "wordWrap": %7, "font": {"size": %8}, "lines": ["%9"]})")
                .arg(QLatin1String(name), size(), size(), size(), size(), QLatin1String(flag()),
                     QLatin1String(flag()), size(), QLatin1String(line));
        };
        const auto band = [&](const char* name, const char* kind, const QString& objects,
                              bool data) {
            return QStringLiteral(R"({"name": "%1", "kind": "%2", "height": %3, "stretch": %4%5,
                "objects": [%6]})")
                .arg(QLatin1String(name), QLatin1String(kind), size(), QLatin1String(flag()),
                     data ? QStringLiteral(R"(, "dataLink": "link")") : QString(), objects);
        };
        const QString json =
            QStringLiteral(R"({"name": "rastgele", "page": {"width": %1, "height": %2,
                "margins": [%3, %4, %5, %6]},
                "dataLinks": [{"name": "link", "component": "rows"}],
                "variables": [{"name": "Toplam", "sum": "rows.\"borc_tutar\"", "band": "Satir"}],
                "bands": [%7, %8, %9, %10]})")
                .arg(size(), size(), size(), size(), size(), size())
                .arg(band("Ust", "pageHeader", object("Baslik", "[Page#] / [TotalPages]"), false),
                     band("Satir", "masterData", object("Metin", "[rows.\\\"aciklama\\\"] [LINE#]"),
                          true),
                     band("Ozet", "reportSummary", object("Toplam", "[Toplam]"), false),
                     band("Alt", "pageFooter", object("Sayfa", "[Page#]"), false));
        try {
            const PreparedReport r = prepare(json.toUtf8().constData());
            ++prepared;
            EXPECT_GE(r.pageCount(), 1);
        } catch (const Error& error) {
            EXPECT_FALSE(error.text().isEmpty());
        }
    }
    EXPECT_GT(prepared, 100);
}

}  // namespace tamevo::test
