#pragma once

#include "data/Connection.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>
#include <optional>

class QSqlQuery;

namespace tamevo {

class Dataset;
struct FieldValue;

// The states of a dataset, as the windows know them.
enum class DatasetState { Inactive, Browse, Edit, Insert };

// A read-only view of one row, given to row filters, calculated fields and grids.
class DatasetRow {
public:
    DatasetRow(const Dataset& dataset, int index);
    // Throws Error for a field the dataset does not have; a null QVariant when the row is not
    // there.
    QVariant value(const QString& field) const;
    int index() const { return index_; }

private:
    friend class Dataset;
    // A row that is not (yet) among the dataset's rows: a row the filter is deciding on.
    DatasetRow(const Dataset& dataset, const QVariantList* values, int index)
        : dataset_(dataset), values_(values), index_(index)
    {
    }

    const Dataset& dataset_;
    const QVariantList* values_;
    int index_;
};

// Rows of a table or a query on one connection, held in memory, with a current row and the
// classic states browse, edit and insert. Windows bind their controls to a dataset; core
// code reads and writes through it. Only what the windows use is here.
//
// Values: a column declared DATE holds a QDate (stored as ISO text YYYY-MM-DD); other
// columns hold what SQLite returns (qlonglong, double, QString, QByteArray) or a null
// QVariant for NULL. Every value reaches SQL as a bound parameter. Field names are matched
// without regard to case, as SQLite matches column names.
//
// Pending rows: a new or edited row stays pending until posted. Moving to another row,
// appending another, refreshing, or moving the master of a detail dataset first posts a
// changed pending row (through the before-post hook, so the same checks apply) and drops an
// unchanged new row; when the post is refused the exception propagates and the position
// stays. A new row whose only values are its starting values (the master's value, what the
// new-row hook set) counts as unchanged.
//
// Another copy: the file may be changed by another copy of the program between this copy's
// reading of a row and its change. Every change and delete of a stored row first checks,
// under the write lock, that the file still holds the row as this copy read it; if not, the
// user is told what the other copy stored and chooses (the question's Yes stores the columns
// typed here over the other copy's row, or deletes it; No keeps the other copy's row, which
// the dataset then shows, and the command ends with OtherCopyKept). Nothing is overwritten
// without that choice. Leaving a pending row whose post ended so goes on, as nothing is
// pending any more.
//
// Signals tell what has already happened, in this order: rows first (rowsReset, rowInserted,
// rowRemoved, rowChanged), then currentChanged, then stateChanged. The one exception is
// rowAboutToBeRemoved, sent while the row is still there, as a grid must be told.
class Dataset : public QObject {
    Q_OBJECT
public:
    using RowFilter = std::function<bool(const DatasetRow&)>;
    using Calculation = std::function<QVariant(const DatasetRow&)>;
    using Hook = std::function<void(Dataset&)>;

    explicit Dataset(Connection& connection, const QString& name = {}, QObject* parent = nullptr);
    ~Dataset() override;

    Connection& connection() const { return connection_; }
    // The name the dataset was given (the name reports read it by); may be empty.
    const QString& name() const { return name_; }

    // --- Source -------------------------------------------------------------------------
    // A table dataset: every column of the table, editable, its key found from the schema
    // (the INTEGER PRIMARY KEY column, else the hidden rowid); rows ordered by `orderBy` (SQL
    // column list), by the key when empty. Takes effect at the next open().
    void setTable(const QString& table, const QString& orderBy = {});
    // An extra SQL condition on a table dataset, with ? placeholders for `values`.
    void setCondition(const QString& whereSql, const QVariantList& values = {});
    // A query dataset: the rows of a SELECT, read-only. Takes effect at the next open().
    // Its first column serves as its key when refresh() looks for the current row again.
    void setQuery(const QString& sql, const QVariantList& values = {});
    const QString& sql() const { return sql_; }
    // Marks a column of a query as a day (ISO text read as QDate).
    void setDateField(const QString& field);

    // Master/detail, for a table dataset: only the rows whose `detailField` equals the
    // master's `masterField` on its current row (none when the master has no current row);
    // the dataset reloads when the master moves or reloads, and a new row starts with that
    // value. The master asks its details to post or drop their pending rows before it moves.
    void setMasterLink(Dataset* master, const QString& masterField, const QString& detailField);

    // A per-row filter applied when the dataset opens or reloads.
    void setRowFilter(RowFilter filter);
    // Whether each stored change of the table is told to the other desks that keep the book
    // open on the server (Connection::announceChange): set for the movements.
    void setAnnouncesChanges(bool announces) { announcesChanges_ = announces; }

    // A field computed from the row whenever it is read; writing it is an Error.
    void addCalculatedField(const QString& name, Calculation calculation);

    // A lookup field: reads the `resultField` of the row of `lookup` whose `lookupKeyField`
    // equals this row's `keyField`; writing it sets `keyField` to the key of the lookup row
    // whose `resultField` equals the written value (a null value clears `keyField`; a value
    // the lookup does not have is a ValidationError and changes nothing).
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
    // Reads the rows again; keeps the current row on the same key when it is still there,
    // else goes to the first row. No effect when closed.
    void refresh();

    // --- Rows and position ---------------------------------------------------------------
    int recordCount() const { return rows_.size(); }
    bool isEmpty() const { return recordCount() == 0; }
    int currentIndex() const { return current_; }  // -1 when there is no row
    // Moves to a row; an index outside the rows is ignored.
    void setCurrentIndex(int index);
    void first();
    void last();
    void next();   // on the last row: no move, eof() becomes true
    void prior();  // on the first row: no move, bof() becomes true
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    // Moves to the first row whose field equals value exactly; false (position kept) if none.
    bool locate(const QString& field, const QVariant& value);

    // --- Fields -------------------------------------------------------------------------
    QStringList fieldNames() const;  // stored columns, then calculated and lookup fields
    // The position of a field in fieldNames(), -1 when there is none.
    int fieldIndex(const QString& field) const;
    // The value on the current row; a null QVariant when there is no current row. A field
    // the dataset does not have is an Error.
    QVariant value(const QString& field) const;
    QVariant valueAt(int row, const QString& field) const;
    // The same by the field's position in fieldNames(), for readers that look a field up
    // once and read it on many rows; a null QVariant outside the rows or the fields.
    QVariant valueAt(int row, int field) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    // Sets a field of the current row. On a browsed row this starts editing it, and on an
    // empty dataset it appends a row, as typing into a bound control does.
    void setValue(const QString& field, const QVariant& value);
    // All stored column values of the current row, in column order.
    QVariantList rowValues() const;
    // The value of a stored column of the current row as the file has it: before the pending
    // change of an edited row, a null QVariant on a new row.
    QVariant storedValue(const QString& field) const;

    // --- Editing ------------------------------------------------------------------------
    // append, edit, post, remove and setValue on a stored column throw Error on a query
    // dataset and on a closed one.
    DatasetState state() const { return state_; }
    bool isEditing() const
    {
        return state_ == DatasetState::Edit || state_ == DatasetState::Insert;
    }
    bool isModified() const { return modified_; }
    void append();  // posts or drops a pending row first, then adds a new pending row at the end
    void edit();    // the current row becomes pending; no effect when editing or without a row
    // Stores the pending row and reads it back (with its new key); throws ValidationError or
    // Error, and then the row stays pending. No effect without a pending row. Throws
    // OtherCopyKept when another copy changed the row and the user kept that change.
    void post();
    void cancel();  // drops the pending change
    // Applies the pending-row rule now, as moving to another row does: a changed pending row
    // is posted (a refused post throws and the row stays pending), an unchanged one dropped.
    void settle() { settlePending(); }
    // Deletes the current row (a pending new row is only dropped). Throws OtherCopyKept when
    // another copy changed the row and the user kept it.
    void remove();

    // Calls `react` (in `context`'s lifetime) after every change of the rows, the current row
    // or the state: what a control showing the dataset follows.
    void onAnyChange(QObject* context, const std::function<void()>& react) const;

signals:
    void closed();
    void rowsReset();  // the whole row set changed (open, reload, close)
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);  // values of one row changed
    void currentChanged(int row);
    void stateChanged(tamevo::DatasetState state);

private:
    friend class DatasetRow;
    using Row = QVariantList;

    struct Column {
        QString name;
        bool isDate = false;
    };
    // A calculated or lookup field: read from a row; written through `write`, when it has one.
    struct ComputedField {
        QString name;
        Calculation read;
        std::function<void(const QVariant&)> write;
    };

    bool isTable() const { return !table_.isEmpty(); }
    QString displayName() const;
    int requireField(const QString& field) const;
    void requireWritable() const;
    QVariant fieldValue(const DatasetRow& row, int field) const;
    int indexOf(int field, const QVariant& value) const;
    QVariant normalised(int column, const QVariant& value) const;
    QVariant identityOf(const Row& row) const;
    void rebuildFieldIndex();
    void describeTable();
    QList<Row> fetchRows();
    Row readRow(const QSqlQuery& query) const;
    QString selectSql() const;
    QString keySql() const;
    QString rowidSql() const;
    std::optional<Row> readStoredRow(const QVariant& key);
    Row fetchStoredRow(const QVariant& key);
    QList<FieldValue> changedFields(const Row& row, const Row& read) const;
    void insertCurrentRow();
    void announceChange();
    void updateCurrentRow();
    void settlePending();
    void forEachDetail(void (Dataset::*step)());
    void goTo(int index);
    void replaceRows(QList<Row> rows, int current);
    void removeRow(int row, int newCurrent);
    void setState(DatasetState state);
    void followMaster();

    Connection& connection_;
    QString name_;
    QString table_;
    QString orderBy_;
    QString condition_;
    QVariantList conditionValues_;
    QString sql_;
    QVariantList sqlValues_;
    QStringList dateFields_;
    QPointer<Dataset> master_;
    QString masterField_;
    QString detailField_;
    QVector<QPointer<Dataset>> details_;
    RowFilter rowFilter_;
    QVector<ComputedField> computedFields_;
    Hook beforePost_;
    Hook onNewRow_;

    QVector<Column> columns_;         // stored columns, in schema order
    bool hiddenRowid_ = false;        // rows carry the table's rowid after the columns
    int keyColumn_ = -1;              // position of the key in a row
    QHash<QString, int> fieldIndex_;  // lower-case name -> position in fieldNames()
    QList<Row> rows_;
    Row savedRow_;              // the row as it was before editing began
    int rowBeforeInsert_ = -1;  // the current row before append(), for cancel()

    DatasetState state_ = DatasetState::Inactive;
    bool modified_ = false;
    bool announcesChanges_ = false;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
};

}  // namespace tamevo
