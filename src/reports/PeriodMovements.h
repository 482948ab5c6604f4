#pragma once

#include "reports/ExportLayout.h"
#include "reports/TwoDateQueries.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

#include <optional>

namespace tamevo {

class Connection;

// One movement of a period's list.
struct PeriodMovement {
    qint64 nid = 0;
    QDate day;            // islem_tarihi
    QVariant in;          // borc_tutar; null when the movement has no money in
    QVariant out;         // alacak_tutar; null when it has no money out
    QString currency;     // doviz_cinsi
    QString description;  // aciklama
    QString type;         // neden
};

// Reads the movements of a range page by page, ordered by day and nid. Each page starts
// after the last movement of the one before, so a page costs what its rows cost however long
// the range is, and only the page is held.
class PeriodMovementReader {
public:
    PeriodMovementReader(Connection& connection, const TwoDateRange& range);

    // The next `count` movements; fewer, or none, at the end. Throws Error.
    QVector<PeriodMovement> next(int count);
    bool atEnd() const { return atEnd_; }

private:
    Connection& connection_;
    TwoDateRange range_;
    QDate lastDay_;
    qint64 lastNid_ = 0;
    bool atEnd_ = false;
};

// The movements of a range as the rows of a period export, read a page at a time, so the
// export holds one page however long the period is.
ExportRows periodExportRows(Connection& connection, const TwoDateRange& range);

// The grid of the two-date browser: the movements of a range, read a page at a time as the
// grid asks for more (canFetchMore, fetchMore), so showing the first screen never reads the
// whole period. Columns "Tarih" (the short date format), "Açıklama", "Giren Para", "Çıkan
// Para" (the amount format), "PB", "İşlem Türü". When the connection closes the list empties.
class PeriodMovementsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Tarih, Aciklama, GirenPara, CikanPara, PB, IslemTuru, ColumnCount };
    // True on a movement without money in (the grid colours it as money out).
    static constexpr int MoneyOutRole = Qt::UserRole;
    // Movements read at a time: more than a maximised window shows.
    static constexpr int kPageSize = 100;

    explicit PeriodMovementsModel(Connection& connection, QObject* parent = nullptr);

    // Lists `range` from its first movement; the first page is read at once. Throws Error;
    // the list stays as it was then.
    void showRange(const TwoDateRange& range);
    void clear();
    // The movement of a row; nullptr outside the rows read so far.
    const PeriodMovement* movement(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent = {}) const override;
    // Reads the next page; a failure is shown and ends the list there.
    void fetchMore(const QModelIndex& parent = {}) override;

private:
    Connection& connection_;
    std::optional<PeriodMovementReader> reader_;
    QVector<PeriodMovement> rows_;
};

}  // namespace tamevo
