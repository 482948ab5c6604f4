#pragma once

#include "app/Connection.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

namespace tamevo {

class Dataset;

// The states of a dataset, as the windows know them.
enum class DatasetState { Inactive, Browse, Edit, Insert };

// A read-only view of one row, given to row filters and calculated fields.
class DatasetRow {
public:
    DatasetRow(const Dataset& dataset, int index) : dataset_(dataset), index_(index) {}
    QVariant value(const QString& field) const;
    int index() const { return index_; }

private:
    const Dataset& dataset_;
    int index_;
};

// Rows of a table or a query on one connection, held in memory, with a current row and the
// classic states browse, edit and insert. Windows bind their controls to a dataset; core
// code reads and writes through it. Only what the windows use is here.
//
// Values: a column declared DATE holds a QDate (stored as ISO text YYYY-MM-DD); other
// columns hold what SQLite returns (qlonglong, double, QString, QByteArray) or a null
// QVariant for NULL. Every value reaches SQL as a bound parameter.
//
// Pending rows: a new or edited row stays pending until posted. Moving to another row,
// appending another, or moving the master of a detail dataset first posts a changed pending
// row (through the before-post hook, so the same checks apply) and drops an unchanged new
// row; when the post is refused the exception propagates and the position stays.
class Dataset : public QObject {
    Q_OBJECT
public:
    using RowFilter = std::function<bool(const DatasetRow&)>;
    using Calculation = std::function<QVariant(const DatasetRow&)>;
    using Hook = std::function<void(Dataset&)>;

    explicit Dataset(Connection& connection, const QString& name = {}, QObject* parent = nullptr);
    ~Dataset() override;

    Connection& connection() const { return connection_; }

    // --- Source -------------------------------------------------------------------------
    // A table dataset: every column of the table, editable, its key found from the schema;
    // rows ordered by `orderBy` (SQL column list), by the key when empty.
    void setTable(const QString& table, const QString& orderBy = {});
    // An extra SQL condition on a table dataset, with ? placeholders for `values`.
    void setCondition(const QString& whereSql, const QVariantList& values = {});
    // A query dataset: the rows of a SELECT, read-only. Takes effect at the next open().
    void setQuery(const QString& sql, const QVariantList& values = {});
    const QString& sql() const { return sql_; }
    const QVariantList& sqlValues() const { return sqlValues_; }
    // Marks a column of a query as a day (ISO text read as QDate).
    void setDateField(const QString& field);

    // Master/detail: only the rows whose `detailField` equals the master's `masterField` on
    // its current row; the dataset reloads when the master moves, and a new row starts with
    // that value.
    void setMasterLink(Dataset* master, const QString& masterField, const QString& detailField);

    // A per-row filter applied when the dataset opens or reloads.
    void setRowFilter(RowFilter filter);

    // A field computed from the row whenever it is read.
    void addCalculatedField(const QString& name, Calculation calculation);

    // A lookup field: reads the `resultField` of the row of `lookup` whose `lookupKeyField`
    // equals this row's `keyField`; writing it sets `keyField` to the key of the lookup row
    // whose `resultField` equals the written value (a null value clears `keyField`).
    void addLookupField(const QString& name, const QString& keyField, Dataset* lookup,
                        const QString& lookupKeyField, const QString& resultField);

    // Runs before every post; may complete the row or throw ValidationError to refuse it.
    void setBeforePost(Hook hook);
    // Runs on a new row right after append(), to give it its starting values.
    void setOnNewRow(Hook hook);

    // --- Open and close ------------------------------------------------------------------
    void open();   // throws Error; no effect when already open
    void close();  // drops a pending row; no effect when closed
    bool isOpen() const { return state_ != DatasetState::Inactive; }
    // Reads the rows again; keeps the current row on the same key when it is still there.
    void refresh();

    // --- Rows and position ---------------------------------------------------------------
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int currentIndex() const { return current_; }  // -1 when there is no row
    void setCurrentIndex(int index);
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    // Moves to the first row whose field equals value exactly; false (position kept) if none.
    bool locate(const QString& field, const QVariant& value);

    // --- Fields -------------------------------------------------------------------------
    QStringList fieldNames() const;  // stored columns, then calculated and lookup fields
    bool hasField(const QString& field) const;
    // The value on the current row; a null QVariant when there is no current row.
    QVariant value(const QString& field) const;
    QVariant valueAt(int row, const QString& field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    // Sets a field of the current row. On a browsed row this starts editing it, and on an
    // empty dataset it appends a row, as typing into a bound control does.
    void setValue(const QString& field, const QVariant& value);
    // All stored column values of the current row, in column order.
    QVariantList rowValues() const;

    // --- Editing ------------------------------------------------------------------------
    DatasetState state() const { return state_; }
    bool isEditing() const { return state_ == DatasetState::Edit || state_ == DatasetState::Insert; }
    bool isModified() const { return modified_; }
    void append();  // posts or drops a pending row first, then adds a new pending row
    void edit();    // the current row becomes pending; no effect when already editing
    void post();    // stores the pending row; throws ValidationError or Error
    void cancel();  // drops the pending change
    void remove();  // deletes the current row (a pending new row is only dropped)

signals:
    void opened();
    void closed();
    void rowsReset();  // the whole row set changed (open, reload, close)
    void rowInserted(int row);
    void rowRemoved(int row);
    void rowChanged(int row);  // values of one row changed
    void currentChanged(int row);
    void stateChanged(tamevo::DatasetState state);

private:
    struct Impl;
    Connection& connection_;
    QString name_;
    QString table_;
    QString orderBy_;
    QString condition_;
    QVariantList conditionValues_;
    QString sql_;
    QVariantList sqlValues_;
    QPointer<Dataset> master_;
    QString masterField_;
    QString detailField_;
    QVector<QPointer<Dataset>> details_;
    RowFilter rowFilter_;
    Hook beforePost_;
    Hook onNewRow_;
    DatasetState state_ = DatasetState::Inactive;
    bool modified_ = false;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    Impl* impl_ = nullptr;
};

}  // namespace tamevo
