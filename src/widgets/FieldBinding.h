#pragma once

#include <QString>

class QComboBox;
class QLineEdit;

namespace tamevo {

class Dataset;

// How a bound edit shows and reads its field.
enum class FieldKind {
    Text,    // as it stands
    Amount,  // "#,###.00" shown, "#.00" while the edit has the focus
    Rate,    // "#,###.0000" shown, "#.0000" while the edit has the focus
};

// Binds an edit to a field of a dataset's current row, as a data-aware control: it shows the
// field of the current row and follows the dataset; typing puts the dataset into edit state
// (or appends a row to an empty one) and writes the field. An amount or rate is read only as
// the locale writes it, with at most two (rate: four) decimals; a text that cannot be read is
// never written: it stays in the edit while the row is being edited, so storing the row can
// refuse it (amountRefusal). The numeric keypad's decimal key types the locale's decimal
// separator.
void bindLineEdit(QLineEdit* edit, Dataset* dataset, const QString& field,
                  FieldKind kind = FieldKind::Text);

// The message that refuses the text of an amount or rate edit, naming the field by its
// caption, when the text cannot be read as one; empty when it can.
QString amountRefusal(const QLineEdit* edit, FieldKind kind, const QString& caption);

// Binds an editable combo box to a text field the same way: choosing or typing an entry
// writes the field.
void bindComboBox(QComboBox* box, Dataset* dataset, const QString& field);

}  // namespace tamevo
