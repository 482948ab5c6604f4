// The two-date window and the movement browser in the running program: the four period
// reports printed to PDF from the ledger's print group, the browser built from "İki Tarih
// Arası Kasa Hareketi", a movement edited from the browser, and the browser's commands.
#include "data/Session.h"
#include "ledger/KasaRWindow.h"
#include "ledger/LedgerTexts.h"
#include "reportengine/ReportPreview.h"
#include "reports/IkiTarihWindow.h"
#include "reports/ExportFile.h"

#include "reports/WorkbookReader.h"
#include "support/MoneyPrinter.h"
#include "support/PdfText.h"
#include "support/ProgramFixture.h"
#include "support/TurkishLocale.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTableWidget>

namespace tamevo::test {

class TwoDateWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        texts = session().kasaac(QStringLiteral("K01"), QStringLiteral("2021"), merkez());
        QStringList inserts;
        for (const char* values : {
                 "'2021-01-04', 'TL', 250, NULL, 'Önceki gün', NULL",
                 "'2021-01-05', 'TL', 1234.5, NULL, 'Peşin satış bedeli', 'SATIŞ'",
                 "'2021-01-05', 'TL', NULL, 84.25, 'Kırtasiye gideri', 'GİDER'",
                 "'2021-01-05', 'USD', 40, NULL, 'Döviz satışı', 'SATIŞ'",
                 "'2021-01-18', 'TL', 600, NULL, 'Tahsilat', 'SATIŞ'",
                 "'2021-01-31', 'TL', NULL, 100, 'Kira ödemesi', 'KİRA'",
                 "'2021-02-01', 'TL', 999, NULL, 'Sonraki ay', NULL",
             }) {
            inserts << QStringLiteral(
                           "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                           "alacak_tutar, aciklama, neden) VALUES (%1)")
                           .arg(QString::fromUtf8(values));
        }
        execute(QStringLiteral("Data/K012021.mdb"), inserts);
        windowNamed<TkasaRF>("kasaRF")->openBook(texts);
    }

    static FirmaRecord merkez()
    {
        FirmaRecord record;
        record.values.fill(QVariant(), firmaFieldNames().size());
        record.values[1] = QStringLiteral("K01");
        record.values[4] = QStringLiteral("Merkez");
        return record;
    }

    // The ledger's print group: an item, then "YAZDIR".
    void printFromLedger(int item)
    {
        click(windowNamed("kasaRF")->findChild<QAbstractButton*>(
            QStringLiteral("yazayar%1").arg(item)));
        click(control<QAbstractButton>("kasaRF", "STRG1Yaz"));
    }

    // The two-date window's currency and days, as the user picks them.
    void pickRange(const QString& currency, const QDate& first, const QDate& last)
    {
        EXPECT_TRUE(isShown("ikitarihF"));
        choose(control<QComboBox>("ikitarihF", "dovizBox"), currency);
        typeDate(control<QDateEdit>("ikitarihF", "ilkTarihDate"), first);
        typeDate(control<QDateEdit>("ikitarihF", "SonTarihDate"), last);
    }
    void pressTwoDateButton() { click(control<QAbstractButton>("ikitarihF", "STRG1Yaz")); }

    // "İki Tarih Arası Kasa Hareketi" for January in `currency`.
    void openBrowser(const QString& currency)
    {
        click(control<QAbstractButton>("kasaRF", "JvXPButton7"));
        pickRange(currency, {2021, 1, 5}, {2021, 1, 31});
        pressTwoDateButton();
        ASSERT_TRUE(isShown("kasaikitarihF"));
    }

    QString label(const char* window, const char* name)
    {
        return control<QLabel>(window, name)->text();
    }
    QTableView* browserGrid() { return control<QTableView>("kasaikitarihF", "DBGrid1"); }
    int rowOf(const QString& description)
    {
        QAbstractItemModel* model = browserGrid()->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->index(row, 1).data().toString() == description) {
                return row;
            }
        }
        ADD_FAILURE() << "no row " << description.toStdString();
        return -1;
    }

    // A sum over the stored TL movements, money in minus money out.
    Money storedBalance(const QString& condition)
    {
        return Money::fromStored(queryValue(
            QStringLiteral("Data/K012021.mdb"),
            QStringLiteral("SELECT SUM(COALESCE(borc_tutar, 0) - COALESCE(alacak_tutar, 0)) "
                           "FROM nakit WHERE doviz_cinsi = 'TL' AND ") +
                condition));
    }

    // "Excel" of the ledger or of the browser, into a folder of the test; the workbook read
    // back.
    WorkbookReader exportWith(const char* window, const char* button)
    {
        const QString folder = path(QStringLiteral("Excel"));
        setExportFolder(folder);
        const auto restore = qScopeGuard([] { setExportFolder({}); });
        click(control<QAbstractButton>(window, button));
        EXPECT_TRUE(dialogs().last() != nullptr &&
                    dialogs().last()->kind == QLatin1String("default-program"));
        return WorkbookReader(dialogs().last()->text);
    }

    // The amount beside a label of column D of an export.
    static Money exportedFigure(const WorkbookReader& book, const QString& label)
    {
        for (int row : book.rows().keys()) {
            if (book.cell(QStringLiteral("D%1").arg(row)).value == label) {
                return Money::fromStored(
                    book.cell(QStringLiteral("F%1").arg(row)).value.toDouble());
            }
        }
        ADD_FAILURE() << "no " << label.toStdString();
        return {};
    }

    OpenBookTexts texts;

private:
    TurkishLocale turkish_;
};

// In a book of another year than today's the window offers the last thirty days of the book's
// year, where its movements are; "İki Tarih Arası Kasa Hareketi" then lists them at once.
TEST_F(TwoDateWindowTest, TheWindowStartsInsideTheWorkingYear)
{
    const TwoDateRange start = startingTwoDateRange(QDate::currentDate(), 2021);
    ASSERT_EQ(start.last.year(), 2021);
    click(control<QAbstractButton>("kasaRF", "JvXPButton7"));
    ASSERT_TRUE(isShown("ikitarihF"));
    EXPECT_EQ(control<QDateEdit>("ikitarihF", "ilkTarihDate")->date(), start.first);
    EXPECT_EQ(control<QDateEdit>("ikitarihF", "SonTarihDate")->date(), start.last);

    // Days the user picked stay, whatever book opens next.
    typeDate(control<QDateEdit>("ikitarihF", "ilkTarihDate"), {2021, 1, 5});
    windowNamed<TikitarihF>("ikitarihF")->startInYear(2022);
    EXPECT_EQ(control<QDateEdit>("ikitarihF", "ilkTarihDate")->date(), QDate(2021, 1, 5));
}

// The ledger shows its day's figures whatever a period did: after the browser and after each
// of the four period reports the labels, the day's export and the daily report carry the sums
// over the day's movements, never a period's opening balance.
TEST_F(TwoDateWindowTest, TheLedgersFiguresStayTheShownDaysThroughEveryPeriodOutput)
{
    const Money start = storedBalance(QStringLiteral("islem_tarihi < '2021-02-01'"));
    const Money net = storedBalance(QStringLiteral("islem_tarihi = '2021-02-01'"));
    ASSERT_EQ(start, lira(1900.25));
    const QStringList expected{start.text(), net.text(), (start + net).text()};
    const auto shown = [this] {
        return QStringList{label("kasaRF", "dayStartLabel"), label("kasaRF", "dayBalanceLabel"),
                           label("kasaRF", "Label10")};
    };
    ASSERT_EQ(shown(), expected);

    openBrowser(QStringLiteral("TL"));
    EXPECT_EQ(label("kasaikitarihF", "DBText2"), QStringLiteral("250,00"));
    EXPECT_EQ(shown(), expected);
    click(control<QAbstractButton>("kasaikitarihF", "JvXPButton7"));
    EXPECT_EQ(shown(), expected);

    for (int item = 2; item < 6; ++item) {
        SCOPED_TRACE(item);
        printFromLedger(item);
        pickRange(QStringLiteral("TL"), {2021, 1, 5}, {2021, 1, 31});
        pressTwoDateButton();
        EXPECT_EQ(shown(), expected);
    }
    ASSERT_EQ(dialogs().previews().size(), 4u);

    const WorkbookReader day = exportWith("kasaRF", "excelBut");
    EXPECT_EQ(exportedFigure(day, QStringLiteral("Günbaşı Kasa Mevcudu")), start);
    EXPECT_EQ(exportedFigure(day, QStringLiteral("Güniçi Kasa Neti")), net);
    EXPECT_EQ(exportedFigure(day, QStringLiteral("Günsonu Devir Kasa")), start + net);

    const QString pdf = path(QStringLiteral("gunluk.pdf"));
    saveNextPreviewAsPdf(pdf);
    printFromLedger(0);
    EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("GÜN BAŞI KASA MEVCUDU")));
    EXPECT_TRUE(pdfText(pdf).contains(start.text()));
}

// A period export made after a save in the ledger lists the new movement and sums it into its
// net and closing balance: the figures come from the very rows it lists.
TEST_F(TwoDateWindowTest, APeriodExportAfterASaveCarriesTheNewMovementInItsFigures)
{
    openBrowser(QStringLiteral("TL"));
    const WorkbookReader before = exportWith("kasaikitarihF", "excelButton");
    const Money netBefore = exportedFigure(before, QStringLiteral("Dönem Kasa Neti"));
    EXPECT_EQ(netBefore,
              storedBalance(QStringLiteral("islem_tarihi BETWEEN '2021-01-05' AND '2021-01-31'")));

    // +10.000,00 on 31.01 through the ledger's own window.
    click(control<QAbstractButton>("kasaRF", "tahsilatYap"));
    ASSERT_TRUE(isShown("kasaF"));
    typeDate(control<QDateEdit>("kasaF", "vadesiDate"), {2021, 1, 31});
    choose(control<QComboBox>("kasaF", "dovizBox"), QStringLiteral("TL"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("10000"));
    type(control<QLineEdit>("kasaF", "DBEdit4"), QStringLiteral("Yeni tahsilat"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    ASSERT_EQ(dialogs().messages().last(), kSavedMessage);

    const WorkbookReader after = exportWith("kasaikitarihF", "excelButton");
    const Money opening = exportedFigure(after, QStringLiteral("Dönembaşı Kasa Mevcudu"));
    const Money net = exportedFigure(after, QStringLiteral("Dönem Kasa Neti"));
    EXPECT_EQ(net, netBefore + lira(10000));
    EXPECT_EQ(net,
              storedBalance(QStringLiteral("islem_tarihi BETWEEN '2021-01-05' AND '2021-01-31'")));
    EXPECT_EQ(exportedFigure(after, QStringLiteral("Dönemsonu Devir Kasa")), opening + net);
    EXPECT_EQ(opening, lira(250));
}

// Each period report, printed from the ledger's print group through the two-date window to
// PDF over January's movements, reads back with its title, its rows and its totals; the
// window hides after the press.
TEST_F(TwoDateWindowTest, PeriodReportsPrintToPdfWithTitleRowsAndTotals)
{
    struct Case {
        int item;
        const char* templateName;
        QStringList expected;
        QStringList absent;
    };
    const QString range = QStringLiteral("5.01.2021 - 31.01.2021 TARİHLERİ ARASI ");
    const QList<Case> cases{
        {2,
         "frReport2",
         {range + QStringLiteral("KASA HAREKETLERİ"), QStringLiteral("250,00"),
          QStringLiteral("Peşin satış bedeli"), QStringLiteral("1.234,50"),
          QStringLiteral("Kırtasiye gideri"), QStringLiteral("84,25"), QStringLiteral("Tahsilat"),
          QStringLiteral("Kira ödemesi"), QStringLiteral("1.834,50"), QStringLiteral("184,25"),
          QStringLiteral("1.650,25"), QStringLiteral("1.900,25")},
         {QStringLiteral("Önceki gün"), QStringLiteral("Sonraki ay"),
          QStringLiteral("Döviz satışı")}},
        {3,
         "frReport5",
         {range + QStringLiteral("DETAY KASA HAREKETLERİ"), QStringLiteral("05.Ocak.2021"),
          QStringLiteral("18.Ocak.2021"), QStringLiteral("31.Ocak.2021"),
          QStringLiteral("Peşin satış bedeli"), QStringLiteral("Kırtasiye gideri"),
          QStringLiteral("TARİH BAŞI KASA MEVCUDU"), QStringLiteral("250,00"),
          QStringLiteral("TOPLAMI TL 1.234,50 84,25"), QStringLiteral("Kira ödemesi")},
         {QStringLiteral("Önceki gün"), QStringLiteral("Döviz satışı")}},
        {4,
         "frReport3",
         {range + QStringLiteral("İŞLEM TÜRLERİNE GÖRE KASA TOPLAMLARI"), QStringLiteral("GİDER"),
          QStringLiteral("-84,25"), QStringLiteral("KİRA"), QStringLiteral("-100,00"),
          QStringLiteral("SATIŞ"), QStringLiteral("1.834,50"), QStringLiteral("184,25")},
         {QStringLiteral("40,00")}},
        {5,
         "frReport4",
         {range + QStringLiteral("GÜNLÜK KASA TOPLAMLARI"), QStringLiteral("05.Ocak.2021"),
          QStringLiteral("Salı"), QStringLiteral("1.150,25"), QStringLiteral("18.Ocak.2021"),
          QStringLiteral("600,00"), QStringLiteral("31.Ocak.2021"), QStringLiteral("-100,00"),
          QStringLiteral("1.650,25")},
         {QStringLiteral("04.Ocak.2021"), QStringLiteral("01.Şubat.2021")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateName);
        printFromLedger(c.item);
        pickRange(QStringLiteral("TL"), {2021, 1, 5}, {2021, 1, 31});
        const QString pdf = path(QString::fromLatin1(c.templateName) + QStringLiteral(".pdf"));
        saveNextPreviewAsPdf(pdf);
        pressTwoDateButton();

        ASSERT_FALSE(dialogs().previews().empty());
        EXPECT_EQ(dialogs().previews().back().name, QLatin1String(c.templateName));
        EXPECT_FALSE(isShown("ikitarihF"));
        // The text with every run of blanks as one, however the columns fall.
        const QString text = pdfText(pdf).simplified();
        for (const QString& expected : c.expected) {
            EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                                 << text.toStdString();
        }
        for (const QString& absent : c.absent) {
            EXPECT_FALSE(text.contains(absent)) << absent.toStdString();
        }
    }
}

// "Kısa Açıklama" is read when the two-date window's button is pressed, so ticking it while
// the window is open switches the template of the next press.
TEST_F(TwoDateWindowTest, ShortDescriptionIsReadAtThePress)
{
    auto* shortDescription = control<QCheckBox>("kasaRF", "CheckBox1");
    printFromLedger(2);
    pressTwoDateButton();
    click(control<QAbstractButton>("kasaRF", "STRG1Yaz"));
    click(shortDescription);
    pressTwoDateButton();
    click(control<QAbstractButton>("kasaRF", "STRG1Yaz"));
    click(shortDescription);
    pressTwoDateButton();
    ASSERT_EQ(dialogs().previews().size(), 3u);
    EXPECT_EQ(dialogs().previews()[0].name, QStringLiteral("frReport2"));
    EXPECT_EQ(dialogs().previews()[1].name, QStringLiteral("frReport8"));
    EXPECT_EQ(dialogs().previews()[2].name, QStringLiteral("frReport2"));
}

// A build the database refuses shows the engine's message, prints nothing, opens no browser
// and leaves the two-date window open.
TEST_F(TwoDateWindowTest, RefusedBuildLeavesTheWindowOpen)
{
    // The per-day totals are a table in a file and a view over the desks' parts on the server.
    execute(QStringLiteral("Data/K012021.mdb"),
            {testsOnServer() ? QStringLiteral("DROP VIEW nakit_gunluk")
                             : QStringLiteral("DROP TABLE nakit_gunluk")});
    for (const char* button : {"STRG1Yaz", "JvXPButton7"}) {
        SCOPED_TRACE(button);
        if (QByteArray(button) == "STRG1Yaz") {
            printFromLedger(2);
        } else {
            click(control<QAbstractButton>("kasaRF", button));
        }
        dialogs().expectError(QStringLiteral("nakit_gunluk"));
        pressTwoDateButton();
        EXPECT_TRUE(isShown("ikitarihF"));
        EXPECT_FALSE(isShown("kasaikitarihF"));
        EXPECT_TRUE(dialogs().previews().empty());
    }
}

// "İki Tarih Arası Kasa Hareketi": the button builds the browser and prints nothing. Under
// "Hepsi" the browser lists every currency with the range's figures and "Hepsi" in its
// title; the ledger's day start shows the range's opening balance until "BİLGİLERİ
// GÜNCELLE"; "Ana Menü" hides the browser with the cash book.
TEST_F(TwoDateWindowTest, BrowserShowsTheRangeAndItsFigures)
{
    ASSERT_EQ(label("kasaRF", "dayStartLabel"), QStringLiteral("1.900,25"));
    openBrowser(QStringLiteral("Hepsi"));

    EXPECT_TRUE(dialogs().previews().empty());
    EXPECT_FALSE(isShown("ikitarihF"));
    EXPECT_EQ(label("kasaikitarihF", "Label2"),
              QStringLiteral("5.01.2021 - 31.01.2021 TARİHLERİ ARASI Hepsi KASA HAREKETLERİ"));
    EXPECT_EQ(label("kasaikitarihF", "Label3"), QStringLiteral("5.01.2021 GÜN BAŞI KASA MEVCUDU"));
    EXPECT_EQ(label("kasaikitarihF", "DBText2"), QStringLiteral("250,00"));
    EXPECT_EQ(label("kasaikitarihF", "Label9"), QStringLiteral("1.874,50"));
    EXPECT_EQ(label("kasaikitarihF", "Label11"), QStringLiteral("184,25"));
    EXPECT_EQ(label("kasaikitarihF", "Label4"), QStringLiteral("1.690,25"));
    EXPECT_EQ(label("kasaikitarihF", "Label10"), QStringLiteral("1.940,25"));
    EXPECT_EQ(label("kasaikitarihF", "Label12"), QStringLiteral("( 31.01.2021 )"));

    QAbstractItemModel* grid = browserGrid()->model();
    ASSERT_EQ(grid->rowCount(), 5);
    const QStringList headings{QStringLiteral("Tarih"),      QStringLiteral("Açıklama"),
                               QStringLiteral("Giren Para"), QStringLiteral("Çıkan Para"),
                               QStringLiteral("PB"),         QStringLiteral("İşlem Türü")};
    for (int column = 0; column < headings.size(); ++column) {
        EXPECT_EQ(grid->headerData(column, Qt::Horizontal).toString(), headings[column]);
    }
    const QStringList first{QStringLiteral("5.01.2021"), QStringLiteral("Peşin satış bedeli"),
                            QStringLiteral("1.234,50"),  QString(),
                            QStringLiteral("TL"),        QStringLiteral("SATIŞ")};
    for (int column = 0; column < first.size(); ++column) {
        EXPECT_EQ(grid->index(0, column).data().toString(), first[column]) << column;
    }
    // Money in in orange; money out in dark blue on light blue.
    const int in = rowOf(QStringLiteral("Peşin satış bedeli"));
    const int out = rowOf(QStringLiteral("Kira ödemesi"));
    EXPECT_EQ(grid->index(in, 1).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(230, 98, 19));
    EXPECT_FALSE(grid->index(in, 1).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(grid->index(out, 3).data(Qt::ForegroundRole).value<QBrush>().color(),
              QColor(12, 47, 111));
    EXPECT_EQ(grid->index(out, 3).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(223, 235, 255));

    // The ledger keeps showing its own day's figures; the browser the opening balance of its
    // own range.
    EXPECT_EQ(label("kasaRF", "dayStartLabel"), QStringLiteral("1.900,25"));
    click(control<QAbstractButton>("kasaRF", "yenileBut"));
    EXPECT_EQ(label("kasaRF", "dayStartLabel"), QStringLiteral("1.900,25"));
    EXPECT_EQ(label("kasaikitarihF", "DBText2"), QStringLiteral("250,00"));

    click(control<QAbstractButton>("kasaRF", "JvXPButton9"));
    EXPECT_FALSE(isShown("kasaikitarihF"));
    EXPECT_EQ(browserGrid()->model()->rowCount(), 0);
}

// The grid reads its rows as the user scrolls down, not the whole period at once.
TEST_F(TwoDateWindowTest, GridReadsFurtherRowsAsItScrolls)
{
    QStringList inserts;
    for (int i = 1; i <= 250; ++i) {
        inserts << QStringLiteral(
                       "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                       "doviz_kuru, aciklama) VALUES ('%1', 'TL', %2, 1, 'Hareket %2')")
                       .arg(QDate(2021, 1, 6).addDays(i % 20).toString(Qt::ISODate))
                       .arg(i);
    }
    execute(QStringLiteral("Data/K012021.mdb"), inserts);
    openBrowser(QStringLiteral("TL"));
    QTableView* grid = browserGrid();
    const int total = 254;  // the 250 and four of the fixture's in the range
    ASSERT_LT(grid->model()->rowCount(), total);
    // The grid lays itself out in the event loop, as it does on screen.
    QCoreApplication::processEvents();
    clickRow(grid, 0);
    int before = 0;
    while (grid->model()->rowCount() > before) {
        before = grid->model()->rowCount();
        QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(grid->model()->rowCount(), total);
    EXPECT_EQ(grid->model()->index(total - 1, 1).data(), QStringLiteral("Kira ödemesi"));
}

// A movement opened from the browser is edited in the movement window; after "SAKLA" the
// window hides and the browser is built again with the new figures. A movement in another
// currency than the ledger's does not open.
TEST_F(TwoDateWindowTest, MovementEditedFromTheBrowserRebuildsIt)
{
    openBrowser(QStringLiteral("Hepsi"));

    clickRow(browserGrid(), rowOf(QStringLiteral("Döviz satışı")), true);
    EXPECT_FALSE(isShown("kasaF"));

    clickRow(browserGrid(), rowOf(QStringLiteral("Tahsilat")), true);
    ASSERT_TRUE(isShown("kasaF"));
    EXPECT_EQ(control<QDateEdit>("kasaF", "vadesiDate")->date(), QDate(2021, 1, 18));
    EXPECT_EQ(control<QLineEdit>("kasaF", "DBEdit1")->text(), QStringLiteral("600,00"));
    type(control<QLineEdit>("kasaF", "DBEdit1"), QStringLiteral("1000"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));

    EXPECT_EQ(dialogs().messages(), QStringList{kSavedMessage});
    EXPECT_FALSE(isShown("kasaF"));
    EXPECT_TRUE(isShown("kasaikitarihF"));
    EXPECT_EQ(label("kasaikitarihF", "Label9"), QStringLiteral("2.274,50"));
    EXPECT_EQ(label("kasaikitarihF", "Label4"), QStringLiteral("2.090,25"));
    EXPECT_EQ(label("kasaikitarihF", "Label10"), QStringLiteral("2.340,25"));
    EXPECT_EQ(browserGrid()->model()->index(rowOf(QStringLiteral("Tahsilat")), 2).data(),
              QStringLiteral("1.000,00"));
}

// With all currencies in the ledger, a movement opened from the browser on another day brings
// the whole ledger to that day: its calendar row and the currency summary of that day, not
// the day it stood on.
TEST_F(TwoDateWindowTest, MovementOpenedFromTheBrowserBringsTheLedgersCalendarAndSummary)
{
    auto* summary = control<QTableView>("kasaRF", "DBGrid3");
    const auto moneyIn = [summary] {
        QStringList rows;
        for (int row = 0; row < summary->model()->rowCount(); ++row) {
            rows << summary->model()->index(row, 0).data().toString() + QLatin1Char(' ') +
                        summary->model()->index(row, 2).data().toString();
        }
        return rows;
    };
    choose(control<QComboBox>("kasaRF", "dovizBox"), QStringLiteral("Hepsi"));
    ASSERT_EQ(moneyIn(), (QStringList{QStringLiteral("TL 999,00"), QStringLiteral("USD ,00")}));
    openBrowser(QStringLiteral("Hepsi"));

    clickRow(browserGrid(), rowOf(QStringLiteral("Döviz satışı")), true);
    ASSERT_TRUE(isShown("kasaF"));
    click(control<QAbstractButton>("kasaF", "kapat"));

    EXPECT_EQ(control<QTableWidget>("kasaRF", "StringGrid3")->currentItem()->text(),
              QStringLiteral("05.01.2021 Salı"));
    EXPECT_EQ(moneyIn(), (QStringList{QStringLiteral("TL 1.234,50"), QStringLiteral("USD 40,00")}));
}

// Closing the browser before the save ends its return mode: the movement window saves as
// usual and stays open, and the browser is not built again.
TEST_F(TwoDateWindowTest, ClosedBrowserIsNotRebuiltAfterTheSave)
{
    openBrowser(QStringLiteral("TL"));
    clickRow(browserGrid(), rowOf(QStringLiteral("Kira ödemesi")), true);
    ASSERT_TRUE(isShown("kasaF"));
    click(control<QAbstractButton>("kasaikitarihF", "JvXPButton7"));
    EXPECT_FALSE(isShown("kasaikitarihF"));

    type(control<QLineEdit>("kasaF", "DBEdit2"), QStringLiteral("150"));
    click(control<QAbstractButton>("kasaF", "BitBtn1"));
    EXPECT_EQ(dialogs().messages(), QStringList{kSavedMessage});
    EXPECT_TRUE(isShown("kasaF"));
    EXPECT_FALSE(isShown("kasaikitarihF"));
    EXPECT_EQ(label("kasaikitarihF", "Label11"), QStringLiteral("184,25"));
}

// "YAZDIR" prints "İki Tarih Arası Rapor" for the two-date window's range; "Excel" writes
// the listed period into a workbook named after it and opens it.
TEST_F(TwoDateWindowTest, BrowserPrintsAndExportsItsPeriod)
{
    const QString folder = path(QStringLiteral("Excel"));
    setExportFolder(folder);
    const auto restore = qScopeGuard([] { setExportFolder({}); });
    openBrowser(QStringLiteral("TL"));

    const QString pdf = path(QStringLiteral("donem.pdf"));
    saveNextPreviewAsPdf(pdf);
    click(control<QAbstractButton>("kasaikitarihF", "BitBtn4"));
    ASSERT_EQ(dialogs().previews().size(), 1u);
    EXPECT_EQ(dialogs().previews()[0].name, QStringLiteral("frReport2"));
    EXPECT_TRUE(pdfText(pdf).contains(
        QStringLiteral("5.01.2021 - 31.01.2021 TARİHLERİ ARASI KASA HAREKETLERİ")));

    click(control<QAbstractButton>("kasaikitarihF", "excelButton"));
    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->kind, QStringLiteral("default-program"));
    EXPECT_TRUE(QFileInfo(dialogs().last()->text)
                    .fileName()
                    .startsWith(QLatin1String("K01_2021-01-05_2021-01-31_")));
}

// A code typed into the currency box reaches the queries as a value: with an apostrophe it
// selects the movements of exactly that code.
TEST_F(TwoDateWindowTest, TypedCurrencyCodeSelectsExactlyItsMovements)
{
    execute(QStringLiteral("Data/K012021.mdb"),
            {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "doviz_kuru, aciklama) VALUES ('2021-01-20', 'A''B', 7, 1, 'Tırnak'), "
                            "('2021-01-20', 'A', 5, 1, 'Tek harf')")});
    click(control<QAbstractButton>("kasaRF", "JvXPButton7"));
    pickRange(QStringLiteral("TL"), {2021, 1, 5}, {2021, 1, 31});
    retype(control<QComboBox>("ikitarihF", "dovizBox")->lineEdit(), QStringLiteral("A'B"));
    pressTwoDateButton();

    ASSERT_TRUE(isShown("kasaikitarihF"));
    ASSERT_EQ(browserGrid()->model()->rowCount(), 1);
    EXPECT_EQ(browserGrid()->model()->index(0, 1).data(), QStringLiteral("Tırnak"));
    EXPECT_TRUE(label("kasaikitarihF", "Label2").contains(QStringLiteral(" A'B KASA")));
    EXPECT_EQ(label("kasaikitarihF", "Label9"), QStringLiteral("7,00"));
}

}  // namespace tamevo::test
