// The workbook's texts moved into its shared-strings table: every text cell refers to an
// entry holding exactly its text, repeated texts to one entry while they are remembered,
// the package names the table, and a workbook without texts stays as it was.
#include "reports/XlsxSharedStrings.h"

#include "data/Errors.h"

#include "../cashbooks/ArchiveTools.h"
#include "WorkbookReader.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <xlsxwriter.h>

namespace tamevo::test {

namespace {

// A row of the sample: its number and the texts of columns A and B (a number in C).
struct SampleRow {
    int row;
    QString a;
    QString b;
};

// Texts that repeat, that need escaping or keep their spaces, one longer than a read of the
// sheet, and enough rows that cells fall across the pieces the sheet is read in.
QList<SampleRow> sampleRows()
{
    QList<SampleRow> rows{
        {1, QStringLiteral("Kasa"), QStringLiteral("Ödeme & <Gider> \"İş\"")},
        {2, QStringLiteral("Kasa"), QStringLiteral("  boşluklu  ")},
        {3, QStringLiteral("Ödeme & <Gider> \"İş\""), QStringLiteral("€&ş").repeated(10000)},
    };
    for (int row = 4; row <= 3000; ++row) {
        rows.append({row, QStringLiteral("Satır %1").arg(row % 700), QStringLiteral("TL")});
    }
    return rows;
}

// The sample written as the workbook writer streams it: texts in their cells.
void writeInlineWorkbook(const QString& path, const QList<SampleRow>& rows)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    ASSERT_NE(workbook, nullptr);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    for (const SampleRow& r : rows) {
        const auto row = lxw_row_t(r.row - 1);
        ASSERT_EQ(worksheet_write_string(sheet, row, 0, r.a.toUtf8().constData(), nullptr),
                  LXW_NO_ERROR);
        ASSERT_EQ(worksheet_write_string(sheet, row, 1, r.b.toUtf8().constData(), nullptr),
                  LXW_NO_ERROR);
        worksheet_write_number(sheet, row, 2, r.row * 1.5, nullptr);
    }
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);
}

QByteArray attribute(const QByteArray& part, const QByteArray& name)
{
    const qsizetype at = part.indexOf(' ' + name + "=\"");
    if (at < 0) {
        return {};
    }
    const qsizetype start = at + name.size() + 3;
    return part.mid(start, part.indexOf('"', start) - start);
}

}  // namespace

// With every text remembered each different text has one entry; with one remembered only
// the first text is reused and the others get an entry each time. Either way every cell
// reads back its own text and the numbers stay numbers.
TEST(XlsxSharedStrings, TextCellsReferToTheTableAndReadBackExactly)
{
    const QList<SampleRow> rows = sampleRows();
    QSet<QString> different;
    for (const SampleRow& r : rows) {
        different << r.a << r.b;
    }
    const struct {
        int remembered;
        qsizetype entries;
    } cases[] = {
        {kRememberedWorkbookTexts, different.size()},
        // "Kasa" is remembered; every other text is a new entry each time.
        {1, rows.size() * 2 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.remembered);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kitap.xlsx"));
        writeInlineWorkbook(path, rows);
        shareWorkbookStrings(path, c.remembered);

        const WorkbookReader book(path);
        EXPECT_TRUE(book.wellFormed());
        EXPECT_TRUE(unzipAccepts(path));
        const QByteArray table = book.entry(QStringLiteral("xl/sharedStrings.xml"));
        EXPECT_EQ(attribute(table, "count"), QByteArray::number(rows.size() * 2));
        EXPECT_EQ(attribute(table, "uniqueCount"), QByteArray::number(c.entries));
        EXPECT_EQ(table.count("<si>"), c.entries);
        EXPECT_FALSE(book.entry(QStringLiteral("xl/worksheets/sheet1.xml")).contains("inlineStr"));
        for (const SampleRow& r : rows) {
            const QString row = QString::number(r.row);
            for (const auto& [column, text] :
                 {std::pair{QStringLiteral("A"), r.a}, std::pair{QStringLiteral("B"), r.b}}) {
                const WorkbookReader::Cell cell = book.cell(column + row);
                ASSERT_EQ(cell.type, QStringLiteral("s")) << (column + row).toStdString();
                ASSERT_EQ(cell.value, text) << (column + row).toStdString();
            }
            ASSERT_TRUE(book.cell(QStringLiteral("C") + row).type.isEmpty());
            ASSERT_EQ(book.cell(QStringLiteral("C") + row).value.toDouble(), r.row * 1.5);
        }
    }
}

// The package lists the table as a part of its own type and the workbook relates to it
// under an identifier no other relationship has.
TEST(XlsxSharedStrings, PackageNamesTheTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kitap.xlsx"));
    writeInlineWorkbook(path, {{1, QStringLiteral("Kasa"), QStringLiteral("Banka")}});
    const QByteArray relationshipsBefore =
        WorkbookReader(path).entry(QStringLiteral("xl/_rels/workbook.xml.rels"));
    shareWorkbookStrings(path);

    const WorkbookReader book(path);
    EXPECT_TRUE(book.entries().contains(QStringLiteral("xl/sharedStrings.xml")));
    EXPECT_TRUE(book.entry(QStringLiteral("[Content_Types].xml"))
                    .contains("<Override PartName=\"/xl/sharedStrings.xml\" "
                              "ContentType=\"application/vnd.openxmlformats-officedocument."
                              "spreadsheetml.sharedStrings+xml\"/>"));
    const QByteArray relationships = book.entry(QStringLiteral("xl/_rels/workbook.xml.rels"));
    const qsizetype at = relationships.indexOf("relationships/sharedStrings\"");
    ASSERT_GE(at, 0);
    const qsizetype idAt = relationships.lastIndexOf("Id=\"", at);
    const QByteArray id =
        relationships.mid(idAt + 4, relationships.indexOf('"', idAt + 4) - idAt - 4);
    EXPECT_FALSE(relationshipsBefore.contains("Id=\"" + id + "\"")) << id.toStdString();
    EXPECT_EQ(relationships.count("Id=\"" + id + "\""), 1);
}

// A workbook without texts keeps its bytes; a file that is not a workbook is an error.
TEST(XlsxSharedStrings, NoTextsLeaveTheWorkbookAndANonWorkbookIsRefused)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sayilar.xlsx"));
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    worksheet_write_number(workbook_add_worksheet(workbook, nullptr), 0, 0, 12.5, nullptr);
    ASSERT_EQ(workbook_close(workbook), LXW_NO_ERROR);
    const QByteArray before = readAll(path);
    shareWorkbookStrings(path);
    EXPECT_EQ(readAll(path), before);

    const QString text = dir.filePath(QStringLiteral("not.xlsx"));
    writeAll(text, QByteArrayLiteral("bir çalışma kitabı değil"));
    EXPECT_THROW(shareWorkbookStrings(text), Error);
    EXPECT_EQ(readAll(text), QByteArrayLiteral("bir çalışma kitabı değil"));
}

}  // namespace tamevo::test
