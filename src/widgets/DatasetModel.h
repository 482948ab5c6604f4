#pragma once

#include "data/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QVector>

#include <functional>

class QTableView;

namespace tamevo {

// The colours of one cell; an invalid colour leaves the view's own.
struct CellStyle {
    QColor background;
    QColor foreground;
};

// A read-only grid over a dataset: a row of the grid for each row of the dataset, the columns
// the window chooses. The dataset tells of a new row after it is there, so the model keeps the
// number of rows the view knows of and moves it with each change it is told of.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Formatter = std::function<QString(const QVariant&)>;
    // The colours of the cell of `field` on `row`; the row gives its values and its index.
    using CellStyler = std::function<CellStyle(const DatasetRow& row, const QString& field)>;
    // Makes a row the dataset's current row when the user chooses it in a view; throws when
    // the move is refused (a pending row that cannot be stored).
    using RowChooser = std::function<void(int row)>;

    // A grid that moves the dataset itself to the row the user chooses.
    explicit DatasetModel(Dataset& dataset, QObject* parent = nullptr);
    // A grid over a dataset another object guards: a chosen row is asked of `chooseRow`; with
    // none, choosing a row only selects it in the view.
    DatasetModel(const Dataset& dataset, RowChooser chooseRow, QObject* parent = nullptr);

    const Dataset* dataset() const { return dataset_; }

    // A column showing `field` under `title`. The formatter gives the text of a value;
    // without one a day shows as dd.MM.yyyy and any other value as it is.
    void addColumn(const QString& field, const QString& title, Formatter formatter = {},
                   Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    void setCellStyle(CellStyler styler);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    friend void bindTableView(QTableView& view, DatasetModel& model);

    struct Column {
        QString field;
        QString title;
        Formatter formatter;
        Qt::Alignment alignment;
    };

    void followReset();
    void followInsert(int row);
    void followRemoving(int row);
    void followRemoved();
    void followChange(int row);

    QPointer<const Dataset> dataset_;
    RowChooser chooseRow_;
    QVector<Column> columns_;
    CellStyler cellStyle_;
    int rows_ = 0;
    bool following_ = false;  // true while the model follows a change of the dataset
};

// The program's lists drawn with alternating rows: the first, third and so on light yellow
// (255, 255, 192), the others plain.
void tintAlternateRows(DatasetModel& model);

// Shows a dataset in a table view and keeps the two on the same row: choosing a row in the
// view moves the dataset there (a refused post shows its message and the view goes back to
// the dataset's row), and the dataset moving selects its row in the view.
void bindTableView(QTableView& view, DatasetModel& model);

}  // namespace tamevo
