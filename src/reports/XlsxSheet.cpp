#include "reports/XlsxSheet.h"

#include "data/Errors.h"
#include "data/SystemLibrary.h"
#include "reports/XlsxSharedStrings.h"

#include <QFile>
#include <QVariant>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstring>

// The library is loaded on the first call (SystemLibrary).
#define XLSX(f) TAMEVO_CALL(xlsxwriterLibrary, f)

namespace tamevo {

namespace {

// The day Excel counts its date serials from.
const QDate kSerialZero(1899, 12, 30);
// The built-in number format "short date", which every spreadsheet program shows in the
// system's own short date format.
constexpr int kShortDateFormat = 14;
// Width of a day in the short date format ("05.01.2021").
constexpr double kDayCharacters = 10;

bool isBold(XlsxSheet::Style style)
{
    return style == XlsxSheet::Style::Bold || style == XlsxSheet::Style::Title ||
           style == XlsxSheet::Style::BoldAmount;
}

// The digits of the whole part of a non-negative value.
int integerDigits(double value)
{
    return value < 10 ? 1 : int(std::floor(std::log10(value))) + 1;
}

// The characters of a number as "#,##0.00" shows it: digits, a separator every three
// digits, two decimals and a sign.
double amountCharacters(double value)
{
    const double magnitude = std::round(std::fabs(value) * 100) / 100;
    const int digits = integerDigits(magnitude);
    return digits + (digits - 1) / 3 + 3 + (value < 0 && magnitude > 0 ? 1 : 0);
}

// The characters of a number in the general format.
double numberCharacters(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        return integerDigits(std::fabs(value)) + (value < 0 ? 1 : 0);
    }
    return QString::number(value, 'g', 15).size();
}

}  // namespace

XlsxSheet::XlsxSheet(const QString& path) : path_(path)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    workbook_ = XLSX(workbook_new_opt)(QFile::encodeName(path).constData(), &options);
    if (workbook_ != nullptr) {
        sheet_ = XLSX(workbook_add_worksheet)(workbook_, nullptr);
    }
    if (sheet_ == nullptr) {
        throw Error(QString::fromLocal8Bit(XLSX(lxw_strerror)(LXW_ERROR_MEMORY_MALLOC_FAILED)));
    }

    const auto add = [this](Style style) {
        lxw_format* f = XLSX(workbook_add_format)(workbook_);
        formats_[size_t(style)] = f;
        return f;
    };
    XLSX(format_set_bold)(add(Style::Bold));
    lxw_format* title = add(Style::Title);
    XLSX(format_set_bold)(title);
    XLSX(format_set_font_size)(title, 14);
    XLSX(format_set_font_size)(add(Style::TitleRow), 14);
    XLSX(format_set_num_format)(add(Style::Amount), "#,##0.00");
    lxw_format* boldAmount = add(Style::BoldAmount);
    XLSX(format_set_bold)(boldAmount);
    XLSX(format_set_num_format)(boldAmount, "#,##0.00");
    XLSX(format_set_num_format_index)(add(Style::Day), kShortDateFormat);
}

XlsxSheet::~XlsxSheet()
{
    if (workbook_ != nullptr) {
        XLSX(lxw_workbook_free)(workbook_);
    }
}

lxw_format* XlsxSheet::format(Style style) const
{
    return formats_[size_t(style)];
}

void XlsxSheet::check(int result) const
{
    if (result != LXW_NO_ERROR) {
        throw Error(QString::fromLocal8Bit(XLSX(lxw_strerror)(lxw_error(result))));
    }
}

void XlsxSheet::fit(char column, double characters, Style style)
{
    // Bold letters are about a tenth wider; one character more keeps the text off the
    // column's edge.
    const double width = characters * (isBold(style) ? 1.1 : 1.0) + 1;
    double& widest = widths_[size_t(column - 'A')];
    widest = std::max(widest, width);
}

void XlsxSheet::setRowStyle(int row, Style style, double height)
{
    check(XLSX(worksheet_set_row)(sheet_, lxw_row_t(row - 1),
                                  height > 0 ? height : LXW_DEF_ROW_HEIGHT, format(style)));
}

void XlsxSheet::text(int row, char column, const QString& text, Style style, bool fitsColumn)
{
    check(XLSX(worksheet_write_string)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'),
                                       text.toUtf8().constData(), format(style)));
    if (fitsColumn) {
        fit(column, text.size(), style);
    }
}

void XlsxSheet::number(int row, char column, double value, Style style)
{
    check(XLSX(worksheet_write_number)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'), value,
                                       format(style)));
    fit(column, numberCharacters(value), style);
}

void XlsxSheet::amount(int row, char column, const QVariant& value, Style style)
{
    if (value.isNull()) {
        check(XLSX(worksheet_write_blank)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'),
                                          format(style)));
        return;
    }
    const double number = value.toDouble();
    check(XLSX(worksheet_write_number)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'), number,
                                       format(style)));
    fit(column, amountCharacters(number), style);
}

void XlsxSheet::day(int row, char column, const QDate& day)
{
    if (!day.isValid()) {
        return;
    }
    check(XLSX(worksheet_write_number)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'),
                                       double(kSerialZero.daysTo(day)), format(Style::Day)));
    fit(column, kDayCharacters, Style::Day);
}

void XlsxSheet::formula(int row, char column, const QString& formula, double value, Style style)
{
    check(XLSX(worksheet_write_formula_num)(sheet_, lxw_row_t(row - 1), lxw_col_t(column - 'A'),
                                            formula.toUtf8().constData(), format(style), value));
    fit(column, amountCharacters(value), style);
}

void XlsxSheet::close()
{
    for (size_t column = 0; column < widths_.size(); ++column) {
        if (widths_[column] > 0) {
            XLSX(worksheet_set_column)
            (sheet_, lxw_col_t(column), lxw_col_t(column), std::min(widths_[column], 255.0),
             nullptr);
        }
    }
    lxw_workbook* workbook = workbook_;
    workbook_ = nullptr;  // closing frees the workbook, whatever its outcome
    errno = 0;
    const lxw_error result = XLSX(workbook_close)(workbook);
    if (result != LXW_NO_ERROR) {
        const int systemError = errno;
        QString reason = QString::fromLocal8Bit(XLSX(lxw_strerror)(result));
        if (systemError != 0) {
            reason +=
                QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(systemError)));
        }
        throw Error(reason);
    }
    shareWorkbookStrings(path_);
}

}  // namespace tamevo
