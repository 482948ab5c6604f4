#pragma once

#include <QAnyStringView>
#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>

namespace tamevo::test {

// A written workbook read back as a spreadsheet program reads it: the ZIP archive through
// libzip, the first worksheet, its strings and its styles from their XML. Reading problems
// fail the test.
class WorkbookReader {
public:
    struct Cell {
        QString type;     // the cell's t attribute: empty (a number), "inlineStr", "s", "str"...
        QString value;    // the number as written, or the text of a string cell
        QString formula;  // the formula without "=", empty for none
        int style = 0;    // index into the cell formats
    };
    struct Format {
        int numberFormatId = 0;
        QString numberFormat;  // the format code ("#,##0.00"); empty for a built-in id
        bool bold = false;
        double size = 11;
    };
    struct Row {
        int style = -1;  // the row's format, -1 for none
        double height = 0;
    };

    explicit WorkbookReader(const QString& path);

    // The names of the archive's entries, in their order.
    const QStringList& entries() const { return entries_; }
    QByteArray entry(const QString& name) const { return parts_.value(name); }
    // Every XML part of the archive parses without an error.
    bool wellFormed() const { return wellFormed_; }

    bool has(QAnyStringView ref) const { return cells_.contains(ref.toString()); }
    // The cell at "A1"; an empty cell (no value, style 0) when it is not written.
    Cell cell(QAnyStringView ref) const { return cells_.value(ref.toString()); }
    Format format(QAnyStringView ref) const { return formats_.value(cell(ref).style); }
    const Format& formatAt(int index) const { return formats_.at(index); }
    // The rows that have cells or a row format, by number.
    const QMap<int, Row>& rows() const { return rows_; }
    // The written cells of a row, "A6", "B6"...
    QStringList cellsOfRow(int row) const;
    // The width a column was given; 0 when it keeps the default width.
    double columnWidth(char column) const { return widths_.value(column); }

private:
    void readSharedStrings();
    void readStyles();
    void readSheet();

    QStringList entries_;
    QHash<QString, QByteArray> parts_;
    bool wellFormed_ = true;
    QStringList sharedStrings_;
    QList<Format> formats_;
    QHash<QString, Cell> cells_;
    QMap<int, Row> rows_;
    QHash<char, double> widths_;
};

}  // namespace tamevo::test
