// The analysis window over a real cash book: opened from the ledger on the working year, its
// groupings and totals, the currency box, the source grids' sizes, the detail commands with
// their crossed sides, and the five reports printed to PDF.
#include "reports/RaporKasaWindow.h"

#include "AnalysisWindowFixture.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QSplitter>

namespace tamevo::test {

namespace {

class RaporKasaWindowTest : public AnalysisWindowTest {
protected:
    QString edit(const char* name) { return control<QLineEdit>("raporKasaF", name)->text(); }
    QTableView* analysisGrid(const char* name) { return grid("raporKasaF", name); }

    // A source grid's height as laid out, or -1 when it is hidden with the splitter above it.
    int sourceGridHeight(const char* name, const char* splitter)
    {
        QCoreApplication::sendPostedEvents();
        QTableView* view = analysisGrid(name);
        const bool handleShown = control<QSplitter>("raporKasaF", splitter)->handle(1)->isVisible();
        EXPECT_EQ(view->isVisible(), handleShown) << name;
        return view->isVisible() ? view->height() : -1;
    }
    void rebuild() { click(control<QAbstractButton>("raporKasaF", "JvXPButton2")); }
};

}  // namespace

// "İşlem/Kaynak Türü Raporu" opens the analysis on the whole working year, whatever dates it
// showed before; the currency box rebuilds everything at once.
TEST_F(RaporKasaWindowTest, OpensOnTheWorkingYearAndFollowsTheCurrency)
{
    addYear();
    openAnalysis();
    QWidget* window = windowNamed("raporKasaF");
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Günlük Kasa İşlem Türü Raporlama"));
    EXPECT_EQ(control<QLabel>("raporKasaF", "StatusPanel3")->text(),
              QStringLiteral(" Version: 3.4 Guncelleme: 0"));

    // A narrower period, then the ledger's button again.
    typeDate(control<QDateEdit>("raporKasaF", "DateTimePicker2"), QDate(2021, 3, 1));
    rebuild();
    EXPECT_EQ(edit("donemgelirEdit"), QStringLiteral("300,00"));
    click(control<QAbstractButton>("raporKasaF", "JvXPButton5"));
    EXPECT_FALSE(isShown("raporKasaF"));
    openAnalysis();
    EXPECT_EQ(control<QDateEdit>("raporKasaF", "DateTimePicker2")->date(), QDate(2021, 1, 1));
    EXPECT_EQ(control<QDateEdit>("raporKasaF", "DateTimePicker1")->date(), QDate(2021, 12, 31));

    // Under "Hepsi" the type used in two currencies gives two rows.
    EXPECT_EQ(control<QComboBox>("raporKasaF", "dovizBox")->currentText(), QStringLiteral("Hepsi"));
    EXPECT_EQ(column(analysisGrid("giderGrid"), 0),
              QStringList({QStringLiteral("Satış"), QStringLiteral("Satış")}));
    EXPECT_EQ(column(analysisGrid("giderGrid"), 1),
              QStringList({QStringLiteral("1.450,50"), QStringLiteral("100,00")}));
    EXPECT_EQ(column(analysisGrid("giderGrid"), 2),
              QStringList({QStringLiteral("TL"), QStringLiteral("USD")}));
    EXPECT_EQ(
        column(analysisGrid("JvDBGrid1"), 0),
        QStringList({QStringLiteral("Banka"), QStringLiteral("Banka"), QStringLiteral("Nakit")}));
    EXPECT_EQ(column(analysisGrid("hizligir"), 0),
              QStringList({QStringLiteral("Gider"), QStringLiteral("Kira")}));
    EXPECT_EQ(column(analysisGrid("JvDBGrid2"), 0), QStringList{QStringLiteral("Nakit")});
    EXPECT_EQ(edit("donemgelirEdit"), QStringLiteral("1.550,50"));
    EXPECT_EQ(edit("donemgiderEdit"), QStringLiteral("345,25"));
    EXPECT_EQ(edit("donemkarzararEdit"), QStringLiteral("1.205,25"));

    choose(control<QComboBox>("raporKasaF", "dovizBox"), QStringLiteral("TL"));
    EXPECT_EQ(column(analysisGrid("giderGrid"), 2), QStringList{QStringLiteral("TL")});
    EXPECT_EQ(edit("donemgelirEdit"), QStringLiteral("1.450,50"));
    EXPECT_EQ(edit("donemkarzararEdit"), QStringLiteral("1.105,25"));
    choose(control<QComboBox>("raporKasaF", "dovizBox"), QStringLiteral("USD"));
    EXPECT_EQ(edit("donemgelirEdit"), QStringLiteral("100,00"));
    EXPECT_EQ(edit("donemgiderEdit"), QStringLiteral(",00"));
    EXPECT_EQ(sourceGridHeight("JvDBGrid2", "Splitter3"), -1);
}

// A source grid shows up to five rows (54, 78, 102, 126, 150 pixels), scrolls beyond, and is
// hidden with the splitter above it when no movement of its side has a source.
TEST_F(RaporKasaWindowTest, SourceGridsAreSizedToTheirRows)
{
    openAnalysis();
    EXPECT_EQ(sourceGridHeight("JvDBGrid1", "Splitter2"), -1);
    EXPECT_EQ(sourceGridHeight("JvDBGrid2", "Splitter3"), -1);
    const int heights[] = {54, 78, 102, 126, 150, 150};
    for (int sources = 1; sources <= 6; ++sources) {
        add(QStringLiteral("'2021-05-0%1', 'TL', 10, NULL, 1, 'Satış', 'Kaynak %1', 'Satış'")
                .arg(sources));
        rebuild();
        EXPECT_EQ(sourceGridHeight("JvDBGrid1", "Splitter2"), heights[sources - 1]) << sources;
    }
    EXPECT_EQ(sourceGridHeight("JvDBGrid2", "Splitter3"), -1);
}

// The type grids show at least eight rows, and their columns fill their width: no grey
// beside the columns however wide the window.
TEST_F(RaporKasaWindowTest, TypeGridsShowTheirRowsAndFillTheirWidth)
{
    addYear();
    openAnalysis();
    for (const char* name : {"giderGrid", "hizligir"}) {
        QTableView* grid = analysisGrid(name);
        EXPECT_GE(grid->viewport()->height(), 8 * grid->verticalHeader()->defaultSectionSize())
            << name;
        int columns = 0;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            columns += grid->columnWidth(c);
        }
        EXPECT_EQ(columns, grid->viewport()->width()) << name;
    }
}

// "Tahsilat Detay" lists payments and "Ödeme Detay" collections; each grid's double click
// lists its own side; the menus' "Detay Göster" uses the half's type grid and "Detay Yazdır"
// prints the other half's detail.
TEST_F(RaporKasaWindowTest, DetailCommandsOpenTheirSides)
{
    addYear();
    openAnalysis();
    const auto listed = [this](const char* window) {
        EXPECT_TRUE(isShown(window)) << window;
        QStringList texts = column(grid(window, "hizligir"), 1);
        windowNamed(window)->hide();
        return texts;
    };

    clickRow(analysisGrid("hizligir"), 0);
    click(control<QAbstractButton>("raporKasaF", "JvXPButton1"));  // "Tahsilat Detay"
    EXPECT_FALSE(isShown("gelirdetayF"));
    EXPECT_EQ(listed("giderdetayF"), QStringList{QStringLiteral("Kırtasiye")});
    click(control<QAbstractButton>("raporKasaF", "JvXPButton4"));  // "Ödeme Detay"
    EXPECT_FALSE(isShown("giderdetayF"));
    EXPECT_EQ(listed("gelirdetayF"),
              QStringList({QStringLiteral("Peşin satış"), QStringLiteral("Havale")}));

    clickRow(analysisGrid("JvDBGrid1"), 0, true);
    EXPECT_EQ(labelText("gelirdetayF", "DBText1"), QStringLiteral("Banka"));
    EXPECT_EQ(listed("gelirdetayF"), QStringList{QStringLiteral("Havale")});
    clickRow(analysisGrid("JvDBGrid1"), 1, true);
    EXPECT_EQ(listed("gelirdetayF"), QStringList{QStringLiteral("Dolar satış")});
    clickRow(analysisGrid("JvDBGrid2"), 0, true);
    EXPECT_EQ(listed("giderdetayF"), QStringList{QStringLiteral("Kira ödemesi")});
    clickRow(analysisGrid("hizligir"), 1, true);
    EXPECT_EQ(listed("giderdetayF"), QStringList{QStringLiteral("Kira ödemesi")});

    // "Detay Göster" on a source grid lists the type of the half's type grid.
    chooseFromMenu(analysisGrid("JvDBGrid1"), 2, QStringLiteral("Detay Göster"));
    EXPECT_EQ(labelText("gelirdetayF", "DBText1"), QStringLiteral("Satış"));
    EXPECT_EQ(listed("gelirdetayF").size(), 2);
    chooseFromMenu(analysisGrid("JvDBGrid2"), 0, QStringLiteral("Detay Göster"));
    EXPECT_EQ(labelText("giderdetayF", "DBText1"), QStringLiteral("Kira"));
    EXPECT_EQ(listed("giderdetayF"), QStringList{QStringLiteral("Kira ödemesi")});

    // "Detay Yazdır" prints the other side's detail, of its type grid's row.
    chooseFromMenu(analysisGrid("giderGrid"), 0, QStringLiteral("Detay Yazdır"));
    chooseFromMenu(analysisGrid("hizligir"), 1, QStringLiteral("Detay Yazdır"));
    ASSERT_EQ(dialogs().previews().size(), 2u);
    EXPECT_EQ(dialogs().previews()[0].name, QStringLiteral("detaygiderReport"));
    EXPECT_TRUE(dialogs().previews()[0].pageTexts(0).contains(QStringLiteral("Kira")));
    EXPECT_EQ(dialogs().previews()[1].name, QStringLiteral("detaygelirReport"));
    EXPECT_TRUE(dialogs().previews()[1].pageTexts(0).contains(QStringLiteral("Peşin satış")));
    EXPECT_FALSE(isShown("gelirdetayF"));
    EXPECT_FALSE(isShown("giderdetayF"));
}

// Each item of "Yazdırma Seçenekleri" prints its report: title with the period, rows and
// totals, read back from the PDF; the summaries' headers print the cash book's registry
// record in Tahoma 10 pt bold dark red.
TEST_F(RaporKasaWindowTest, FiveReportsPrintToPdf)
{
    addYear();
    openAnalysis();
    clickRow(analysisGrid("giderGrid"), 0);
    clickRow(analysisGrid("hizligir"), 0);
    const QStringList header{QStringLiteral("Merkez Ticaret"), QStringLiteral("Atatürk Cad. No 5"),
                             QStringLiteral("Meram Konya Tel/Fax 0332 111 2233 - 0332 111 2234"),
                             QStringLiteral("Sayfa 1 / 1")};
    const struct {
        const char* report;
        bool summary;
        QStringList texts;
    } reports[] = {
        {"frReport4",
         true,
         {QStringLiteral("DÖNEM TAHSİLATLARI ( 1/1/2021 - 31/12/2021 )"),
          QStringLiteral("TAHSİLAT İŞLEM TÜRÜ"), QStringLiteral("Satış"),
          QStringLiteral("1.450,50 TL"), QStringLiteral("100,00 USD"),
          QStringLiteral("DÖNEM TAHSİLAT TUTARI"), QStringLiteral("1.550,50")}},
        {"frReport1",
         true,
         {QStringLiteral("DÖNEM ÖDEMELERİ ( 1/1/2021 - 31/12/2021 )"),
          QStringLiteral("ÖDEME İŞLEM TÜRÜ"), QStringLiteral("Gider"), QStringLiteral("45,25 TL"),
          QStringLiteral("Kira"), QStringLiteral("300,00 TL"), QStringLiteral("DÖNEM ÖDEME TUTARI"),
          QStringLiteral("345,25")}},
        {"frReport2",
         true,
         {QStringLiteral("TAHSİLATLAR / ÖDEMELER TABLOSU"),
          QStringLiteral("( 1/1/2021 - 31/12/2021 )"), QStringLiteral("İŞLEM TÜRÜ ADI"),
          QStringLiteral("1.450,50"), QStringLiteral("45,25"),
          QStringLiteral("DÖNEM TAHSİLAT/ÖDEME TOPLAM TUTARLARI"), QStringLiteral("1.550,50"),
          QStringLiteral("345,25"), QStringLiteral("DÖNEM TAHSİLAT/ÖDEME FARKI"),
          QStringLiteral("1.205,25")}},
        {"detaygelirReport",
         false,
         {QStringLiteral("Merkez Ticaret"), QStringLiteral("Satış"),
          QStringLiteral("Rapor Tarihi: 1/1/2021 - 31/12/2021"), QStringLiteral("Tahsilat Tarihi"),
          QStringLiteral("05.01.2021"), QStringLiteral("Peşin satış"), QStringLiteral("1.250,50"),
          QStringLiteral("1,00000"), QStringLiteral("10.03.2021"), QStringLiteral("Havale"),
          QStringLiteral("TOPLAM TUTAR"), QStringLiteral("1.450,50")}},
        {"detaygiderReport",
         false,
         {QStringLiteral("Gider"), QStringLiteral("Rapor Tarihi: 1/1/2021 - 31/12/2021"),
          QStringLiteral("Ödeme Tarihi"), QStringLiteral("15.06.2021"), QStringLiteral("Kırtasiye"),
          QStringLiteral("45,25"), QStringLiteral("TOPLAM TUTAR")}},
    };
    for (int item = 0; item < 5; ++item) {
        const auto& expected = reports[item];
        click(control<QRadioButton>("raporKasaF",
                                    QStringLiteral("yazayar%1").arg(item).toLatin1().constData()));
        const QString text =
            printToPdf(QString::fromLatin1(expected.report) + QStringLiteral(".pdf"),
                       [this] { click(control<QAbstractButton>("raporKasaF", "JvXPButton3")); });
        ASSERT_EQ(dialogs().previews().size(), size_t(item + 1));
        const report::PreparedReport& prepared = dialogs().previews().back();
        EXPECT_EQ(prepared.name, QString::fromLatin1(expected.report));
        for (const QString& part : expected.texts + (expected.summary ? header : QStringList())) {
            EXPECT_TRUE(text.contains(part))
                << expected.report << ": " << part.toStdString() << "\n"
                << text.toStdString();
        }
        if (expected.summary) {
            const report::PreparedItem* block =
                prepared.items(0, QStringLiteral("Memo59")).value(0);
            ASSERT_NE(block, nullptr);
            const report::FontSpec& font = prepared.styleOf(*block).font;
            EXPECT_EQ(font, (report::FontSpec{QStringLiteral("Tahoma"), 10, true, 0x800000}));
        }
    }
}

}  // namespace tamevo::test
