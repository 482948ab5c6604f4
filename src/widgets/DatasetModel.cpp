#include "widgets/DatasetModel.h"

#include "data/Dialogs.h"

#include <QBrush>
#include <QDate>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QTableView>

namespace tamevo {

namespace {

QString defaultText(const QVariant& value)
{
    if (value.isNull()) {
        return {};
    }
    if (value.typeId() == QMetaType::QDate) {
        return value.toDate().toString(QStringLiteral("dd.MM.yyyy"));
    }
    return value.toString();
}

}  // namespace

DatasetModel::DatasetModel(Dataset& dataset, QObject* parent)
    : DatasetModel(
          static_cast<const Dataset&>(dataset),
          [target = QPointer<Dataset>(&dataset)](int row) {
              if (target != nullptr) {
                  target->setCurrentIndex(row);
              }
          },
          parent)
{
}

DatasetModel::DatasetModel(const Dataset& dataset, RowChooser chooseRow, QObject* parent)
    : QAbstractTableModel(parent),
      dataset_(&dataset),
      chooseRow_(std::move(chooseRow)),
      rows_(dataset.recordCount())
{
    connect(&dataset, &Dataset::rowsReset, this, &DatasetModel::followReset);
    connect(&dataset, &Dataset::rowInserted, this, &DatasetModel::followInsert);
    connect(&dataset, &Dataset::rowAboutToBeRemoved, this, &DatasetModel::followRemoving);
    connect(&dataset, &Dataset::rowRemoved, this, &DatasetModel::followRemoved);
    connect(&dataset, &Dataset::rowChanged, this, &DatasetModel::followChange);
    connect(&dataset, &QObject::destroyed, this, &DatasetModel::followReset);
}

void DatasetModel::addColumn(const QString& field, const QString& title, Formatter formatter,
                             Qt::Alignment alignment)
{
    beginInsertColumns({}, columns_.size(), columns_.size());
    columns_.append({field, title, std::move(formatter), alignment});
    endInsertColumns();
}

void DatasetModel::setCellStyle(CellStyler styler)
{
    cellStyle_ = std::move(styler);
    if (rows_ > 0 && !columns_.isEmpty()) {
        emit dataChanged(index(0, 0), index(rows_ - 1, columns_.size() - 1),
                         {Qt::BackgroundRole, Qt::ForegroundRole});
    }
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_.size();
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || dataset_ == nullptr || index.row() >= dataset_->recordCount() ||
        index.column() >= columns_.size()) {
        return {};
    }
    const Column& column = columns_[index.column()];
    switch (role) {
        case Qt::DisplayRole: {
            const QVariant value = dataset_->valueAt(index.row(), column.field);
            return column.formatter ? column.formatter(value) : defaultText(value);
        }
        case Qt::TextAlignmentRole:
            return column.alignment.toInt();
        case Qt::BackgroundRole:
        case Qt::ForegroundRole: {
            if (!cellStyle_) {
                return {};
            }
            const CellStyle style = cellStyle_(DatasetRow(*dataset_, index.row()), column.field);
            const QColor& colour = role == Qt::BackgroundRole ? style.background : style.foreground;
            return colour.isValid() ? QVariant(QBrush(colour)) : QVariant();
        }
        default:
            return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < columns_.size()) {
        return columns_[section].title;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void DatasetModel::followReset()
{
    const QScopedValueRollback<bool> following(following_, true);
    beginResetModel();
    rows_ = dataset_ != nullptr ? dataset_->recordCount() : 0;
    endResetModel();
}

void DatasetModel::followInsert(int row)
{
    const QScopedValueRollback<bool> following(following_, true);
    beginInsertRows({}, row, row);
    ++rows_;
    endInsertRows();
}

// Between these two the view lets go of the row (and picks a neighbour on its own).
void DatasetModel::followRemoving(int row)
{
    following_ = true;
    beginRemoveRows({}, row, row);
}

void DatasetModel::followRemoved()
{
    --rows_;
    endRemoveRows();
    following_ = false;
}

void DatasetModel::followChange(int row)
{
    if (!columns_.isEmpty()) {
        emit dataChanged(index(row, 0), index(row, columns_.size() - 1));
    }
}

void tintAlternateRows(DatasetModel& model)
{
    model.setCellStyle([](const DatasetRow& row, const QString&) {
        CellStyle style;
        if (row.index() % 2 == 0) {
            style.background = QColor(255, 255, 192);
        }
        return style;
    });
}

void bindTableView(QTableView& view, DatasetModel& model)
{
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);

    const QPointer<QTableView> table(&view);
    const QPointer<DatasetModel> grid(&model);
    const auto showDatasetRow = [table, grid] {
        if (table == nullptr || grid == nullptr || grid->dataset() == nullptr) {
            return;
        }
        const int row = grid->dataset()->currentIndex();
        QItemSelectionModel* selection = table->selectionModel();
        if (row < 0 || row >= grid->rowCount() || grid->columnCount() == 0) {
            selection->clear();
            return;
        }
        const QModelIndex index = grid->index(row, 0);
        selection->setCurrentIndex(index,
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        table->scrollTo(index);
    };

    // While the model follows a removal the selection model picks a neighbouring row of its
    // own; the dataset names its current row right after, so that choice is not passed on.
    QObject::connect(view.selectionModel(), &QItemSelectionModel::currentRowChanged, &view,
                     [grid, showDatasetRow, table](const QModelIndex& current) {
                         if (grid == nullptr || grid->following_ || !current.isValid()) {
                             return;
                         }
                         const Dataset* dataset = grid->dataset();
                         if (dataset == nullptr || !grid->chooseRow_ ||
                             current.row() == dataset->currentIndex()) {
                             return;
                         }
                         if (!guarded([&] { grid->chooseRow_(current.row()); })) {
                             // A click goes on to select the clicked row after this
                             // returns; the view goes back to the dataset's row after that.
                             QMetaObject::invokeMethod(table, showDatasetRow, Qt::QueuedConnection);
                         }
                     });
    if (model.dataset() != nullptr) {
        QObject::connect(model.dataset(), &Dataset::currentChanged, &view, showDatasetRow);
    }
    showDatasetRow();
}

}  // namespace tamevo
