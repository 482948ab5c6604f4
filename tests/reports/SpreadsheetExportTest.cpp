// The spreadsheet export of the ledger's day and of a period, read back from the written
// workbook: its cells, formulas, formats and widths, its file name and folder, and the
// failures that leave no file behind.
#include "reports/SpreadsheetExport.h"

#include "data/Dialogs.h"
#include "reports/ExportFile.h"
#include "reports/LedgerReports.h"
#include "reports/TwoDateBrowser.h"

#include "../cashbooks/ArchiveTools.h"
#include "WorkbookReader.h"
#include "ledger/LedgerFixture.h"

#include <QDir>
#include <QFileInfo>

namespace tamevo::test {

namespace {

constexpr char kAmountFormat[] = "#,##0.00";
// The built-in short date format of the workbook.
constexpr int kShortDate = 14;

class SpreadsheetExportTest : public LedgerTest {
protected:
    void SetUp() override
    {
        LedgerTest::SetUp();
        exportFolder = path(QStringLiteral("Excel"));
        setExportFolder(exportFolder);
        execute(bookFile(),
                {QStringLiteral("UPDATE firma SET firma_adresi_1 = 'Atatürk Cad. No 5', "
                                "adres_semt = 'Meram', adres_sehir = 'Konya'")});
    }
    void TearDown() override
    {
        browser.reset();
        reports.reset();
        setExportFolder({});
        LedgerTest::TearDown();
    }

    // The workbook the last export handed to the default program.
    QString openedWorkbook()
    {
        const auto* shown = dialogs().last();
        if (shown == nullptr || shown->kind != QLatin1String("default-program")) {
            ADD_FAILURE() << "no workbook was opened";
            return {};
        }
        return shown->text;
    }

    // The period export of `range` from the two-date browser built for it.
    ExportInput periodInput(const TwoDateRange& range)
    {
        reports.emplace(session, *ledger);
        browser.emplace(session, *ledger, *reports);
        browser->ikitariharasitablo(range, range.currency);
        return browser->exportInput(readFirmaRecord(session.kasaConnection));
    }

    std::optional<LedgerReports> reports;
    std::optional<TwoDateBrowser> browser;
    QString exportFolder;
};

std::string name(QAnyStringView ref)
{
    return ref.toString().toStdString();
}

// A number cell holds `value`; a text cell `text`.
void expectNumber(const WorkbookReader& book, QAnyStringView ref, double value)
{
    const WorkbookReader::Cell cell = book.cell(ref);
    EXPECT_TRUE(cell.type.isEmpty())
        << name(ref) << " is not a number: " << cell.type.toStdString();
    EXPECT_DOUBLE_EQ(cell.value.toDouble(), value) << name(ref);
}

void expectText(const WorkbookReader& book, QAnyStringView ref, const QString& text)
{
    const WorkbookReader::Cell cell = book.cell(ref);
    EXPECT_EQ(cell.type, QLatin1String("s")) << name(ref) << " is not a shared text";
    EXPECT_EQ(cell.value, text) << name(ref);
}

void expectAmountFormat(const WorkbookReader& book, QAnyStringView ref, bool bold)
{
    ASSERT_TRUE(book.has(ref)) << name(ref);
    EXPECT_EQ(book.format(ref).numberFormat, QLatin1String(kAmountFormat)) << name(ref);
    EXPECT_EQ(book.format(ref).bold, bold) << name(ref);
}

// The rows below the movements: an empty row, then the totals as SUM formulas over rows 6
// to `lastSummed` with their values, the net and the closing balance, each with its label,
// bold, amounts in the amount format; nothing below them.
struct ClosingRows {
    int totalsRow;
    int lastSummed;
    double in;
    double out;
    double net;
    double closing;
};

void expectClosingRows(const WorkbookReader& book, const ExportLabels& labels,
                       const ClosingRows& expected)
{
    const int t = expected.totalsRow;
    const auto ref = [](char column, int row) {
        return QStringLiteral("%1%2").arg(QLatin1Char(column)).arg(row);
    };
    EXPECT_TRUE(book.cellsOfRow(t - 1).isEmpty());
    for (const auto& [row, label] : {std::pair{t, labels.totals}, std::pair{t + 1, labels.net},
                                     std::pair{t + 2, labels.closing}}) {
        expectText(book, ref('D', row), label);
        EXPECT_TRUE(book.format(ref('D', row)).bold) << row;
    }
    for (const char column : {'F', 'G'}) {
        EXPECT_EQ(
            book.cell(ref(column, t)).formula,
            QStringLiteral("SUM(%1:%2)").arg(ref(column, 6), ref(column, expected.lastSummed)));
    }
    for (const auto& [cell, value] :
         {std::pair{ref('F', t), expected.in}, std::pair{ref('G', t), expected.out},
          std::pair{ref('F', t + 1), expected.net}, std::pair{ref('F', t + 2), expected.closing}}) {
        expectNumber(book, cell, value);
        expectAmountFormat(book, cell, true);
    }
    EXPECT_TRUE(book.cellsOfRow(t + 3).isEmpty());
}

}  // namespace

// Three movements of the day (one other day before them, one movement in another currency
// on the day), exported from the ledger cell for cell.
TEST_F(SpreadsheetExportTest, DailyExportWritesTheDayCellForCell)
{
    addMovement({2021, 1, 4}, QStringLiteral("TL"), 250, {}, QStringLiteral("Önceki gün"));
    addMovement({2021, 1, 5}, QStringLiteral("TL"), 1234.5, {},
                QStringLiteral("Peşin satış bedeli"), QStringLiteral("SATIŞ"));
    addMovement({2021, 1, 5}, QStringLiteral("TL"), {}, 84.25, QStringLiteral("Kırtasiye gideri"),
                QStringLiteral("GİDER"));
    addMovement({2021, 1, 5}, QStringLiteral("USD"), 99, {}, QStringLiteral("Döviz"));
    addMovement({2021, 1, 5}, QStringLiteral("TL"), 0.3, {}, QStringLiteral("Işık ve çay"),
                QStringLiteral("TAHSİLAT"));
    ledger->openBook();
    ASSERT_EQ(ledger->selectedDay(), QDate(2021, 1, 5));

    exportDayToSpreadsheet(*ledger);

    EXPECT_TRUE(dialogs().messages().isEmpty()) << dialogs().messages().join(u'|').toStdString();
    const QString written = openedWorkbook();
    EXPECT_EQ(QFileInfo(written).absolutePath(), QDir(exportFolder).absolutePath());
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith(QLatin1String("K01_2021-01-05_")));
    const WorkbookReader book(written);

    // The titles (an empty second title leaves one blank), headings and opening balance.
    expectText(book, "A1", QStringLiteral("Merkez "));
    expectText(book, "A2", QStringLiteral("Atatürk Cad. No 5"));
    expectText(book, "A3", QStringLiteral("Meram Konya"));
    const char* headings[] = {"SN", "Tarih",      "Açıklama",  "İşlem Türü",
                              "PB", "Giren Para", "Çıkan Para"};
    for (int column = 0; column < 7; ++column) {
        const QString ref = QChar(u'A' + column) + QStringLiteral("4");
        expectText(book, ref, QString::fromUtf8(headings[column]));
        EXPECT_TRUE(book.format(ref).bold) << ref.toStdString();
    }
    expectText(book, "D5", QStringLiteral("Günbaşı Kasa Mevcudu"));
    EXPECT_TRUE(book.format("D5").bold);
    expectNumber(book, "F5", 250);
    expectAmountFormat(book, "F5", true);

    // The movements of the day in TL, in their order.
    for (const auto& [row, description, type, in, out] :
         {std::tuple{6, "Peşin satış bedeli", "SATIŞ", 1234.5, 0.0},
          std::tuple{7, "Kırtasiye gideri", "GİDER", 0.0, 84.25},
          std::tuple{8, "Işık ve çay", "TAHSİLAT", 0.3, 0.0}}) {
        const auto ref = [row = row](char column) {
            return QStringLiteral("%1%2").arg(QLatin1Char(column)).arg(row);
        };
        expectNumber(book, ref('A'), row - 5);
        expectNumber(book, ref('B'), 44201);  // 5 January 2021 as a date serial
        EXPECT_EQ(book.format(ref('B')).numberFormatId, kShortDate);
        expectText(book, ref('C'), QString::fromUtf8(description));
        expectText(book, ref('D'), QString::fromUtf8(type));
        expectText(book, ref('E'), QStringLiteral("TL"));
        // The side without an amount is an empty cell, formatted all the same.
        for (const auto& [column, amount] : {std::pair{'F', in}, std::pair{'G', out}}) {
            EXPECT_EQ(book.cell(ref(column)).value,
                      amount == 0 ? QString() : QString::number(amount))
                << ref(column).toStdString();
            expectAmountFormat(book, ref(column), false);
        }
    }

    // An empty row, then the totals as formulas with their values, the net and the closing.
    expectClosingRows(book, kDailyExportLabels, {10, 8, 1234.8, 84.25, 1150.55, 1400.55});

    // Bold titles and font size 14 over rows 1 to 3, bold rows 4 and 5.
    for (int row = 1; row <= 3; ++row) {
        const QString ref = QStringLiteral("A%1").arg(row);
        EXPECT_TRUE(book.format(ref).bold);
        EXPECT_EQ(book.format(ref).size, 14);
        ASSERT_GE(book.rows().value(row).style, 0);
        EXPECT_EQ(book.formatAt(book.rows().value(row).style).size, 14);
        EXPECT_GT(book.rows().value(row).height, 15);
    }
    for (int row : {4, 5}) {
        ASSERT_GE(book.rows().value(row).style, 0);
        EXPECT_TRUE(book.formatAt(book.rows().value(row).style).bold);
    }

    // Columns fitted to their texts: the titles spill over and do not widen column A.
    EXPECT_GT(book.columnWidth('A'), 0);
    EXPECT_LT(book.columnWidth('A'), book.columnWidth('E') + 1);
    EXPECT_GE(book.columnWidth('B'), 10);
    EXPECT_GE(book.columnWidth('C'), QStringLiteral("Peşin satış bedeli").size());
    EXPECT_GE(book.columnWidth('D'), QStringLiteral("Güne Ait Kasa Toplamları").size());
    EXPECT_LT(book.columnWidth('E'), book.columnWidth('C'));
    EXPECT_GE(book.columnWidth('F'), QStringLiteral("1.234,80").size());

    // A workbook any spreadsheet program opens: its parts declared and well-formed.
    EXPECT_TRUE(book.wellFormed());
    for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml",
                             "xl/_rels/workbook.xml.rels", "xl/styles.xml"}) {
        EXPECT_TRUE(book.entries().contains(QString::fromLatin1(part))) << part;
    }
    const QByteArray types = book.entry(QStringLiteral("[Content_Types].xml"));
    for (const char* part : {"/xl/workbook.xml", "/xl/worksheets/sheet1.xml", "/xl/styles.xml"}) {
        EXPECT_TRUE(types.contains(QByteArray("PartName=\"") + part + '"')) << part;
    }
}

// A changed movement left pending is stored before the day is exported, and the day's net
// follows it, so the net always matches the rows above it.
TEST_F(SpreadsheetExportTest, PendingMovementIsStoredBeforeTheExport)
{
    addMovement({2021, 1, 5}, QStringLiteral("TL"), 100, {}, QStringLiteral("Satış"));
    ledger->openBook();
    ledger->movementEntry().setValue(QStringLiteral("borc_tutar"), 175.5);

    exportDayToSpreadsheet(*ledger);

    EXPECT_FALSE(ledger->movements().isEditing());
    EXPECT_DOUBLE_EQ(
        queryValue(bookFile(), QStringLiteral("SELECT borc_tutar FROM nakit")).toDouble(), 175.5);
    const WorkbookReader book(openedWorkbook());
    expectNumber(book, "F6", 175.5);
    expectClosingRows(book, kDailyExportLabels, {8, 6, 175.5, 0, 175.5, 175.5});
}

// The period export: its labels, both days in the file name, the net and the closing
// balance as numbers.
TEST_F(SpreadsheetExportTest, PeriodExportWritesItsLabelsAndNumbers)
{
    addMovement({2021, 1, 4}, QStringLiteral("TL"), 250, {}, QStringLiteral("Önce"));
    addMovement({2021, 2, 1}, QStringLiteral("TL"), 1000, {}, QStringLiteral("Şubat satışı"));
    addMovement({2021, 2, 9}, QStringLiteral("TL"), {}, 300.25, QStringLiteral("Kira ödemesi"));
    ledger->openBook();

    const QString written =
        exportAndOpen(periodInput({QStringLiteral("TL"), {2021, 2, 1}, {2021, 2, 28}}));

    EXPECT_EQ(openedWorkbook(), written);
    EXPECT_TRUE(
        QFileInfo(written).fileName().startsWith(QLatin1String("K01_2021-02-01_2021-02-28_")));
    const WorkbookReader book(written);
    expectText(book, "D5", QStringLiteral("Dönembaşı Kasa Mevcudu"));
    expectNumber(book, "F5", 250);
    expectNumber(book, "B6", 44228);  // 1 February 2021
    expectText(book, "C7", QStringLiteral("Kira ödemesi"));
    expectClosingRows(book, kPeriodExportLabels, {9, 7, 1000, 300.25, 699.75, 949.75});
}

// With no movements the totals are 0 (a range ending above its start would repeat the
// opening balance), and the net and closing follow right below them.
TEST_F(SpreadsheetExportTest, NoMovementsGiveZeroTotals)
{
    addMovement({2021, 1, 4}, QStringLiteral("TL"), 250, {}, QStringLiteral("Önce"));
    ledger->openBook();

    const WorkbookReader book(
        exportAndOpen(periodInput({QStringLiteral("TL"), {2021, 3, 1}, {2021, 3, 31}})));

    expectNumber(book, "F5", 250);
    expectClosingRows(book, kPeriodExportLabels, {7, 6, 0, 0, 0, 250});
}

// The browser's "Excel" writes every movement of a long period in the list's order, read a
// page at a time, with the browser's figures below them.
TEST_F(SpreadsheetExportTest, PeriodExportWritesEveryMovementOfALongPeriod)
{
    execute(bookFile(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 2500) "
                            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "alacak_tutar, doviz_kuru, aciklama) "
                            "SELECT CASE WHEN i % 30 < 9 THEN '2021-06-0' || (1 + i % 30) "
                            "ELSE '2021-06-' || (1 + i % 30) END, "
                            "CASE WHEN i % 5 <> 0 THEN 'TL' ELSE 'USD' END, "
                            "CASE WHEN i % 3 <> 0 THEN i + 0.25 END, "
                            "CASE WHEN i % 3 = 0 THEN 0.1 END, "
                            "1, 'Hareket ' || i FROM n"),
             QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "doviz_kuru) VALUES ('2021-05-31', 'TL', 40, 1)")});
    ledger->openBook();
    browser.emplace(session, *ledger, reports.emplace(session, *ledger));
    browser->ikitariharasitablo({QStringLiteral("TL"), {2021, 6, 1}, {2021, 6, 30}},
                                QStringLiteral("TL"));
    dialogs().clear();

    browser->exportToSpreadsheet();

    const WorkbookReader book(openedWorkbook());
    EXPECT_TRUE(QFileInfo(openedWorkbook())
                    .fileName()
                    .startsWith(QLatin1String("K01_2021-06-01_2021-06-30_")));
    qint64 in = 0;
    qint64 out = 0;
    int row = 5;
    for (int day = 0; day < 30; ++day) {
        for (int i = 1; i <= 2500; ++i) {
            if (i % 30 != day || i % 5 == 0) {
                continue;
            }
            ++row;
            const auto ref = [row](char column) {
                return QStringLiteral("%1%2").arg(QLatin1Char(column)).arg(row);
            };
            if (book.cell(ref('C')).value != QStringLiteral("Hareket %1").arg(i)) {
                ADD_FAILURE() << "row " << row << " is not movement " << i;
                return;
            }
            in += i % 3 ? i * 100 + 25 : 0;
            out += i % 3 ? 0 : 10;
        }
    }
    EXPECT_EQ(row - 5, 2000);
    // The rows written were shown as the export went, and the user could stop it.
    ASSERT_EQ(dialogs().progresses().size(), 1u);
    EXPECT_TRUE(dialogs().progresses()[0].cancellable);
    EXPECT_EQ(dialogs().progresses()[0].reports, 2);
    EXPECT_EQ(dialogs().progresses()[0].lastStep, QStringLiteral("2,000 hareket yazıldı"));
    expectNumber(book, "F5", 40);
    expectClosingRows(book, kPeriodExportLabels,
                      {row + 2, row, double(in) / 100, double(out) / 100, double(in - out) / 100,
                       double(40 * 100 + in - out) / 100});
}

// A long export the user stops leaves no workbook, opens nothing and says nothing.
TEST_F(SpreadsheetExportTest, AStoppedExportLeavesNoFile)
{
    execute(bookFile(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 2500) "
                            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "doviz_kuru, aciklama) SELECT '2021-03-01', 'TL', i, 1, 'H' FROM n")});
    ledger->openBook();
    dialogs().cancelNextProgressAt(2);

    exportDayToSpreadsheet(*ledger);

    ASSERT_EQ(dialogs().progresses().size(), 1u);
    EXPECT_TRUE(dialogs().progresses()[0].cancelled);
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_TRUE(folderEntries(exportFolder).isEmpty());
}

// 5,000 movements of one day: every row written, every amount formatted (also past row
// 5000), the totals summed in kuruş.
TEST_F(SpreadsheetExportTest, FiveThousandMovementsExportCompletely)
{
    execute(bookFile(),
            {QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                            "WHERE i < 5000) "
                            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                            "alacak_tutar, doviz_kuru, aciklama) "
                            "SELECT '2021-03-01', 'TL', CASE WHEN i % 4 <> 0 THEN i + 0.01 END, "
                            "CASE WHEN i % 4 = 0 THEN 0.1 END, 1, 'Hareket ' || i FROM n")});
    ledger->openBook();

    exportDayToSpreadsheet(*ledger);

    const WorkbookReader book(openedWorkbook());
    qint64 in = 0;
    qint64 out = 0;
    for (int i = 1; i <= 5000; ++i) {
        if (i % 4) {
            in += i * 100 + 1;
        } else {
            out += 10;
        }
    }
    int rows = 0;
    for (int row = 6; row <= 5005; ++row) {
        const QString a = QStringLiteral("A%1").arg(row);
        if (book.cell(a).value.toInt() == row - 5 &&
            book.cell(QStringLiteral("C%1").arg(row)).value ==
                QStringLiteral("Hareket %1").arg(row - 5)) {
            ++rows;
        }
        for (const char column : {'F', 'G'}) {
            const QString ref = QStringLiteral("%1%2").arg(QLatin1Char(column)).arg(row);
            if (book.format(ref).numberFormat != QLatin1String(kAmountFormat)) {
                ADD_FAILURE() << ref.toStdString() << " has no amount format";
                return;
            }
        }
    }
    EXPECT_EQ(rows, 5000);
    expectClosingRows(book, kDailyExportLabels,
                      {5007, 5005, double(in) / 100, double(out) / 100, double(in - out) / 100,
                       double(in - out) / 100});
}

// A workbook that cannot be written is reported with its reason, nothing is opened, and no
// file, whole or partial, is left in the folder.
TEST_F(SpreadsheetExportTest, WriteFailureShowsTheReasonAndLeavesNoFile)
{
    addMovement({2021, 1, 5}, QStringLiteral("TL"), 100, {}, QStringLiteral("Satış"));
    ledger->openBook();
    writeAll(path(QStringLiteral("dosya")), "bir dosya");
    QDir().mkpath(exportFolder);

    struct Case {
        const char* name;
        QString folder;
        rlim_t sizeLimit;  // 0: none
    };
    for (const Case& c :
         {Case{"folder under a regular file", path(QStringLiteral("dosya/Excel")), 0},
          Case{"disk full while writing", exportFolder, 2000}}) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        setExportFolder(c.folder);
        {
            std::optional<FileSizeLimit> limit;
            if (c.sizeLimit > 0) {
                limit.emplace(c.sizeLimit);
            }
            dialogs().expectError(kExcelNotOpened.arg(QString()));
            exportDayToSpreadsheet(*ledger);
        }
        ASSERT_EQ(dialogs().shown().size(), 1u);
        const auto& shown = dialogs().shown().front();
        EXPECT_EQ(shown.kind, QStringLiteral("message"));
        EXPECT_EQ(shown.icon, Dialogs::Icon::Error);
        const QString prefix = kExcelNotOpened.arg(QString());
        EXPECT_TRUE(shown.text.startsWith(prefix)) << shown.text.toStdString();
        EXPECT_GT(shown.text.size(), prefix.size() + 3) << "no reason given";
        EXPECT_EQ(folderEntries(exportFolder), QStringList());
    }
}

// When no program opens the workbook, the user is told where it was written.
TEST_F(SpreadsheetExportTest, UnopenedWorkbookIsNamedToTheUser)
{
    addMovement({2021, 1, 5}, QStringLiteral("TL"), 100, {}, QStringLiteral("Satış"));
    ledger->openBook();
    dialogs().failNextOpen();
    dialogs().expectError(kNoProgramForWorkbook.arg(QString()));

    exportDayToSpreadsheet(*ledger);

    const QStringList workbooks = folderEntries(exportFolder);
    ASSERT_EQ(workbooks.size(), 1);
    const QString written = QDir(exportFolder).absoluteFilePath(workbooks.first());
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_EQ(dialogs().messages().first(),
              kExcelNotOpened.arg(kNoProgramForWorkbook.arg(QDir::toNativeSeparators(written))));
    expectNumber(WorkbookReader(written), "F6", 100);
}

// File names: the cash book, the day or the period, the time; a name never repeats, so an
// earlier export is never overwritten.
TEST_F(SpreadsheetExportTest, ExportsNeverOverwriteEachOther)
{
    const QDateTime stamp({2024, 3, 12}, {10, 15, 2});
    for (const auto& [code, first, last, name] :
         {std::tuple{"K01", QDate(2021, 1, 5), QDate(2021, 1, 5),
                     "K01_2021-01-05_20240312-101502.xlsx"},
          std::tuple{"K01", QDate(2021, 1, 1), QDate(2021, 3, 31),
                     "K01_2021-01-01_2021-03-31_20240312-101502.xlsx"},
          std::tuple{"A/B:1", QDate(2021, 1, 5), QDate(2021, 1, 5),
                     "A_B_1_2021-01-05_20240312-101502.xlsx"},
          std::tuple{"", QDate(), QDate(), "Kasa_20240312-101502.xlsx"}}) {
        EXPECT_EQ(exportFileName(QString::fromUtf8(code), first, last, stamp),
                  QString::fromUtf8(name));
    }

    ExportInput input;
    input.labels = kDailyExportLabels;
    input.firma.code = QStringLiteral("K01");
    input.first = input.last = QDate(2021, 1, 5);
    input.opening = Money::fromKurus(100);
    const QString first = writeExportWorkbook(input, exportFolder, stamp);
    input.opening = Money::fromKurus(200);
    const QString second = writeExportWorkbook(input, exportFolder, stamp);

    EXPECT_EQ(folderEntries(exportFolder),
              (QStringList{QStringLiteral("K01_2021-01-05_20240312-101502 (2).xlsx"),
                           QStringLiteral("K01_2021-01-05_20240312-101502.xlsx")}));
    EXPECT_EQ(QFileInfo(second).fileName(),
              QStringLiteral("K01_2021-01-05_20240312-101502 (2).xlsx"));
    expectNumber(WorkbookReader(first), "F5", 1);
    expectNumber(WorkbookReader(second), "F5", 2);
}

}  // namespace tamevo::test
