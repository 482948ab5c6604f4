#pragma once

#include <QDate>
#include <QString>

#include <array>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace tamevo {

// A workbook of one worksheet, written with libxlsxwriter straight to its file row after
// row: each row goes to disk when the next one starts, so a sheet of any length keeps only
// its current row in memory. Cells are therefore written in row order. Rows are counted
// from 1 and columns named by their letter ('A' to 'Z'), as the spreadsheet shows them.
//
// Texts go to the workbook's shared-strings table when it is closed (the writer keeps them
// in their cells while it streams the rows), numbers as numbers, days as date serials shown
// in the system's short date format, amounts with the locale-neutral number
// format "#,##0.00" (shown "1.234,50" under Turkish settings). Formulas carry the value
// they compute, so a viewer that does not recalculate shows it too. Column widths are
// fitted to what was written in them when the workbook is closed.
class XlsxSheet {
public:
    enum class Style {
        Plain,
        Bold,
        Title,       // bold, font size 14
        TitleRow,    // font size 14 (a whole row)
        Amount,      // "#,##0.00"
        BoldAmount,  // bold, "#,##0.00"
        Day,         // the system's short date
    };

    // Starts the workbook that close() writes to `path`. Throws Error.
    explicit XlsxSheet(const QString& path);
    // A sheet that was not closed is dropped without writing anything.
    ~XlsxSheet();
    XlsxSheet(const XlsxSheet&) = delete;
    XlsxSheet& operator=(const XlsxSheet&) = delete;

    // The style of a whole row (every column of it), before the row's first cell; a height
    // in points, or 0 for the default height.
    void setRowStyle(int row, Style style, double height = 0);

    // `fitsColumn` false: the text may spill into the empty cells to its right and does not
    // widen its column (the title rows).
    void text(int row, char column, const QString& text, Style style = Style::Plain,
              bool fitsColumn = true);
    void number(int row, char column, double value, Style style = Style::Plain);
    // An amount; a null value gives an empty cell that still carries the amount format.
    void amount(int row, char column, const QVariant& value, Style style = Style::Amount);
    void day(int row, char column, const QDate& day);
    // A formula (with or without its leading "=") and the amount it computes, stored with it.
    void formula(int row, char column, const QString& formula, double value, Style style);

    // Sets the fitted column widths and writes the workbook file. Throws Error with the
    // reason when the file cannot be written; the sheet is finished either way.
    void close();

private:
    lxw_format* format(Style style) const;
    void check(int result) const;
    void fit(char column, double characters, Style style);

    QString path_;
    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    std::array<lxw_format*, 7> formats_{};
    // The widest content of each column, in characters of the default font.
    std::array<double, 26> widths_{};
};

}  // namespace tamevo
