#include "reports/PeriodMovements.h"

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"

#include <QLocale>

namespace tamevo {

namespace {

// Export pages are larger than the grid's: the export reads every row.
constexpr int kExportPageSize = 1000;

}  // namespace

PeriodMovementReader::PeriodMovementReader(Connection& connection, const TwoDateRange& range)
    : connection_(connection), range_(range)
{
}

QVector<PeriodMovement> PeriodMovementReader::next(int count)
{
    if (atEnd_) {
        return {};
    }
    Dataset page(connection_, QStringLiteral("ikitarihQuery"));
    page.setDateField(QStringLiteral("islem_tarihi"));
    const Statement statement = twoDateMovementsPage(range_, lastDay_, lastNid_, count);
    page.setQuery(statement.sql, statement.values);
    page.open();
    QVector<PeriodMovement> movements;
    movements.reserve(page.recordCount());
    for (int row = 0; row < page.recordCount(); ++row) {
        movements.append({page.valueAt(row, 0).toLongLong(), page.valueAt(row, 1).toDate(),
                          page.valueAt(row, 2), page.valueAt(row, 3),
                          page.valueAt(row, 4).toString(), page.valueAt(row, 5).toString(),
                          page.valueAt(row, 6).toString()});
    }
    if (movements.size() < count) {
        atEnd_ = true;
    }
    if (!movements.isEmpty()) {
        lastDay_ = movements.last().day;
        lastNid_ = movements.last().nid;
    }
    return movements;
}

ExportRows periodExportRows(Connection& connection, const TwoDateRange& range)
{
    struct Walk {
        PeriodMovementReader reader;
        QVector<PeriodMovement> page;
        int next = 0;
    };
    auto walk = std::make_shared<Walk>(Walk{PeriodMovementReader(connection, range), {}, 0});
    return [walk](ExportRow& row) {
        if (walk->next >= walk->page.size()) {
            walk->page = walk->reader.next(kExportPageSize);
            walk->next = 0;
            if (walk->page.isEmpty()) {
                return false;
            }
        }
        const PeriodMovement& movement = walk->page[walk->next++];
        row.day = movement.day;
        row.description = movement.description;
        row.type = movement.type;
        row.currency = movement.currency;
        row.in = movement.in;
        row.out = movement.out;
        return true;
    };
}

PeriodMovementsModel::PeriodMovementsModel(Connection& connection, QObject* parent)
    : QAbstractTableModel(parent), connection_(connection)
{
    // The rows of a closed cash book must not stay on show, nor be opened from it.
    connect(&connection_, &Connection::aboutToClose, this, &PeriodMovementsModel::clear);
}

void PeriodMovementsModel::showRange(const TwoDateRange& range)
{
    // The first page is read before the list changes, so a failure leaves it as it was.
    PeriodMovementReader reader(connection_, range);
    QVector<PeriodMovement> first = reader.next(kPageSize);
    beginResetModel();
    reader_.emplace(reader);
    rows_ = std::move(first);
    endResetModel();
}

void PeriodMovementsModel::clear()
{
    beginResetModel();
    rows_.clear();
    reader_.reset();
    endResetModel();
}

const PeriodMovement* PeriodMovementsModel::movement(int row) const
{
    return row >= 0 && row < rows_.size() ? &rows_[row] : nullptr;
}

int PeriodMovementsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int PeriodMovementsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant PeriodMovementsModel::data(const QModelIndex& index, int role) const
{
    const PeriodMovement* m = index.isValid() ? movement(index.row()) : nullptr;
    if (m == nullptr) {
        return {};
    }
    const bool amount = index.column() == GirenPara || index.column() == CikanPara;
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case Tarih:
                    return QLocale().toString(m->day, QLocale::ShortFormat);
                case Aciklama:
                    return m->description;
                case GirenPara:
                    return formatAmount(m->in);
                case CikanPara:
                    return formatAmount(m->out);
                case PB:
                    return m->currency;
                case IslemTuru:
                    return m->type;
                default:
                    return {};
            }
        case Qt::TextAlignmentRole:
            return (amount ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter)
                .toInt();
        case MoneyOutRole:
            return m->in.isNull();
        default:
            return {};
    }
}

QVariant PeriodMovementsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList titles{QStringLiteral("Tarih"),      QStringLiteral("Açıklama"),
                                    QStringLiteral("Giren Para"), QStringLiteral("Çıkan Para"),
                                    QStringLiteral("PB"),         QStringLiteral("İşlem Türü")};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < titles.size()) {
        return titles[section];
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool PeriodMovementsModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && reader_ && !reader_->atEnd();
}

void PeriodMovementsModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent)) {
        return;
    }
    QVector<PeriodMovement> page;
    if (!guarded([&] { page = reader_->next(kPageSize); })) {
        reader_.reset();
        return;
    }
    if (page.isEmpty()) {
        return;
    }
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + page.size() - 1));
    rows_ += page;
    endInsertRows();
}

}  // namespace tamevo
