#include "data/Dataset.h"

#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/ServerSchema.h"
#include "data/ServerSettings.h"
#include "data/RowConflict.h"
#include "data/SqlFailure.h"
#include "data/Transaction.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <utility>

namespace tamevo {

namespace {

QString quoted(const QString& identifier)
{
    return quotedIdentifier(identifier);
}

// NULL in every form a window may hand over: no value, a null text, an invalid day.
bool isNullValue(const QVariant& value)
{
    if (value.isNull()) {
        return true;
    }
    switch (value.typeId()) {
        case QMetaType::QString:
            return value.toString().isNull();
        case QMetaType::QDate:
            return !value.toDate().isValid();
        default:
            return false;
    }
}

// The value as SQL receives it: a day as ISO text.
QVariant sqlValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate) {
        return value.toDate().toString(Qt::ISODate);
    }
    return value;
}

// Runs a statement with its values bound; the engine's text becomes an Error.
QSqlQuery run(const QSqlDatabase& database, const QString& sql, const QVariantList& values)
{
    QSqlQuery query(database);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        throwStatementError(query);
    }
    for (const QVariant& value : values) {
        query.addBindValue(sqlValue(value));
    }
    if (!query.exec()) {
        throwStatementError(query);
    }
    return query;
}

}  // namespace

DatasetRow::DatasetRow(const Dataset& dataset, int index)
    : dataset_(dataset),
      values_(index >= 0 && index < dataset.rows_.size() ? &dataset.rows_[index] : nullptr),
      index_(index)
{
}

QVariant DatasetRow::value(const QString& field) const
{
    if (values_ == nullptr) {
        return {};
    }
    return dataset_.fieldValue(*this, dataset_.requireField(field));
}

Dataset::Dataset(Connection& connection, const QString& name, QObject* parent)
    : QObject(parent), connection_(connection), name_(name)
{
    connect(&connection_, &Connection::aboutToClose, this, &Dataset::close);
}

Dataset::~Dataset() = default;

// --- Source -------------------------------------------------------------------------------

void Dataset::setTable(const QString& table, const QString& orderBy)
{
    table_ = table;
    orderBy_ = orderBy;
    sql_.clear();
    sqlValues_.clear();
}

void Dataset::setCondition(const QString& whereSql, const QVariantList& values)
{
    condition_ = whereSql;
    conditionValues_ = values;
}

void Dataset::setQuery(const QString& sql, const QVariantList& values)
{
    sql_ = sql;
    sqlValues_ = values;
    table_.clear();
}

void Dataset::setDateField(const QString& field)
{
    dateFields_ << field;
}

void Dataset::setMasterLink(Dataset* master, const QString& masterField, const QString& detailField)
{
    if (master_ != nullptr) {
        master_->details_.removeAll(this);
    }
    master_ = master;
    masterField_ = masterField;
    detailField_ = detailField;
    if (master != nullptr) {
        master->details_.append(this);
    }
}

void Dataset::setRowFilter(RowFilter filter)
{
    rowFilter_ = std::move(filter);
}

void Dataset::addCalculatedField(const QString& name, Calculation calculation)
{
    computedFields_.append({name, std::move(calculation), {}});
    rebuildFieldIndex();
}

void Dataset::addLookupField(const QString& name, const QString& keyField, Dataset* lookup,
                             const QString& lookupKeyField, const QString& resultField)
{
    const QPointer<Dataset> source(lookup);
    auto read = [=](const DatasetRow& row) -> QVariant {
        const QVariant key = row.value(keyField);
        if (source == nullptr || key.isNull()) {
            return {};
        }
        return source->valueAt(source->indexOf(source->requireField(lookupKeyField), key),
                               resultField);
    };
    auto write = [=, this](const QVariant& written) {
        if (isNullValue(written)) {
            setValue(keyField, QVariant());
            return;
        }
        const int at =
            source == nullptr ? -1 : source->indexOf(source->requireField(resultField), written);
        if (at < 0) {
            throw ValidationError(QStringLiteral("%1 listede yok.").arg(written.toString()));
        }
        setValue(keyField, source->valueAt(at, lookupKeyField));
    };
    computedFields_.append({name, read, write});
    rebuildFieldIndex();
}

void Dataset::onAnyChange(QObject* context, const std::function<void()>& react) const
{
    connect(this, &Dataset::rowsReset, context, react);
    connect(this, &Dataset::rowInserted, context, react);
    connect(this, &Dataset::rowRemoved, context, react);
    connect(this, &Dataset::rowChanged, context, react);
    connect(this, &Dataset::currentChanged, context, react);
    connect(this, &Dataset::stateChanged, context, react);
}

void Dataset::setBeforePost(Hook hook)
{
    beforePost_ = std::move(hook);
}

void Dataset::setOnNewRow(Hook hook)
{
    onNewRow_ = std::move(hook);
}

// --- Open and close ------------------------------------------------------------------------

void Dataset::open()
{
    if (isOpen()) {
        return;
    }
    if (!connection_.isOpen()) {
        throw Error(QStringLiteral("%1: veritabanı bağlantısı açık değil.").arg(displayName()));
    }
    if (!isTable() && !detailField_.isEmpty()) {
        throw Error(QStringLiteral("%1: yalnız bir tablo başka bir veri kümesini izleyebilir.")
                        .arg(displayName()));
    }
    columns_.clear();
    hiddenRowid_ = false;
    keyColumn_ = -1;
    if (isTable()) {
        describeTable();
    }
    QList<Row> rows = fetchRows();
    state_ = DatasetState::Browse;
    modified_ = false;
    const int current = rows.isEmpty() ? -1 : 0;
    replaceRows(std::move(rows), current);
    emit stateChanged(state_);
}

void Dataset::close()
{
    if (!isOpen()) {
        return;
    }
    state_ = DatasetState::Inactive;
    modified_ = false;
    savedRow_.clear();
    replaceRows({}, -1);
    emit stateChanged(state_);
    emit closed();
}

void Dataset::refresh()
{
    if (!isOpen()) {
        return;
    }
    settlePending();
    const QVariant key = current_ >= 0 ? identityOf(rows_[current_]) : QVariant();
    QList<Row> rows = fetchRows();
    int current = rows.isEmpty() ? -1 : 0;
    for (int i = 0; !key.isNull() && i < rows.size(); ++i) {
        if (identityOf(rows[i]) == key) {
            current = i;
            break;
        }
    }
    replaceRows(std::move(rows), current);
}

// Reads the columns of the table and finds its key: the INTEGER PRIMARY KEY column (SQLite's
// rowid under its own name), else the rowid itself, read as a hidden last value of each row.
void Dataset::describeTable()
{
    // The server names a day column's type by its domain (tarih, the local files' DATE) and
    // an identity key's by its integer type.
    const QString describe =
        onServer(connection_.database())
            ? QStringLiteral(
                  "SELECT a.attname, CASE WHEN t.typname = 'tarih' THEN 'DATE' "
                  "WHEN t.typname IN ('int8', 'int4', 'int2') THEN 'INTEGER' "
                  "ELSE upper(t.typname) END, CASE WHEN EXISTS (SELECT 1 FROM pg_index i "
                  "WHERE i.indrelid = a.attrelid AND i.indisprimary "
                  "AND a.attnum = ANY(i.indkey)) THEN 1 ELSE 0 END "
                  "FROM pg_attribute a JOIN pg_type t ON t.oid = a.atttypid "
                  "WHERE a.attrelid = to_regclass(quote_ident(?)) AND a.attnum > 0 "
                  "AND NOT a.attisdropped ORDER BY a.attnum")
            : QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)");
    QSqlQuery query = run(connection_.database(), describe, {table_});
    int keyParts = 0;
    int keyColumn = -1;
    bool integerKey = false;
    while (query.next()) {
        const QString type = query.value(1).toString();
        if (query.value(2).toInt() > 0) {
            ++keyParts;
            keyColumn = columns_.size();
            integerKey = type.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        }
        columns_.append({query.value(0).toString(),
                         type.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0});
    }
    if (columns_.isEmpty()) {
        throw Error(QStringLiteral("%1 tablosu bulunamadı.").arg(table_));
    }
    hiddenRowid_ = !(keyParts == 1 && integerKey);
    keyColumn_ = hiddenRowid_ ? columns_.size() : keyColumn;
    rebuildFieldIndex();
}

QString Dataset::selectSql() const
{
    QStringList names;
    for (const Column& column : columns_) {
        names << quoted(column.name);
    }
    if (hiddenRowid_) {
        names << rowidSql();
    }
    return QStringLiteral("SELECT %1 FROM %2").arg(names.join(QLatin1String(", ")), quoted(table_));
}

QString Dataset::keySql() const
{
    return hiddenRowid_ ? rowidSql() : quoted(columns_[keyColumn_].name);
}

QString Dataset::rowidSql() const
{
    // The server's row address stands for SQLite's rowid: a table without a key of its own
    // is a one-row table of settings here, changed by one desk at a time.
    return onServer(connection_.database()) ? QStringLiteral("ctid") : QStringLiteral("rowid");
}

// The rows the source gives now, filtered. Changes nothing in the dataset but the columns of
// a query, which are known once it has run.
QList<Dataset::Row> Dataset::fetchRows()
{
    QString sql = sql_;
    QVariantList values = sqlValues_;
    if (isTable()) {
        QStringList conditions;
        values = conditionValues_;
        if (!condition_.isEmpty()) {
            conditions << QLatin1Char('(') + condition_ + QLatin1Char(')');
        }
        if (!detailField_.isEmpty()) {
            const QVariant link = master_ != nullptr ? master_->value(masterField_) : QVariant();
            if (link.isNull()) {
                return {};  // no master row: no detail rows, and nothing to ask the file
            }
            conditions << quoted(detailField_) + QLatin1String(" = ?");
            values << link;
        }
        sql = selectSql();
        if (!conditions.isEmpty()) {
            sql += QLatin1String(" WHERE ") + conditions.join(QLatin1String(" AND "));
        }
        sql += QLatin1String(" ORDER BY ") + (orderBy_.isEmpty() ? keySql() : orderBy_);
    }
    QSqlQuery query = run(connection_.database(), sql, values);
    if (!isTable() && columns_.isEmpty()) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < record.count(); ++i) {
            const QString name = record.fieldName(i);
            columns_.append({name, dateFields_.contains(name, Qt::CaseInsensitive)});
        }
        keyColumn_ = columns_.isEmpty() ? -1 : 0;
        rebuildFieldIndex();
    }
    QList<Row> rows;
    while (query.next()) {
        rows.append(readRow(query));
    }
    if (query.lastError().isValid()) {
        throwStatementError(query);
    }
    if (rowFilter_) {
        QList<Row> kept;
        for (int i = 0; i < rows.size(); ++i) {
            if (rowFilter_(DatasetRow(*this, &rows[i], i))) {
                kept.append(rows[i]);
            }
        }
        rows = std::move(kept);
    }
    return rows;
}

Dataset::Row Dataset::readRow(const QSqlQuery& query) const
{
    const int count = columns_.size() + (hiddenRowid_ ? 1 : 0);
    Row row;
    row.reserve(count);
    for (int i = 0; i < count; ++i) {
        if (query.isNull(i)) {
            row.append(QVariant());
        } else if (i < columns_.size() && columns_[i].isDate) {
            // A text that is not a day reads as NULL; it stays in the file untouched unless
            // the field is written.
            const QDate day = QDate::fromString(query.value(i).toString(), Qt::ISODate);
            row.append(day.isValid() ? QVariant(day) : QVariant());
        } else if (const QVariant value = query.value(i); value.typeId() == QMetaType::ULongLong) {
            // The server's driver reads a positive BIGINT as unsigned: a key or a count is
            // the same signed number a file gives.
            row.append(QVariant(value.toLongLong()));
        } else {
            row.append(value);
        }
    }
    return row;
}

std::optional<Dataset::Row> Dataset::readStoredRow(const QVariant& key)
{
    QSqlQuery query =
        run(connection_.database(),
            selectSql() + QLatin1String(" WHERE ") + keySql() + QLatin1String(" = ?"), {key});
    if (!query.next()) {
        if (query.lastError().isValid()) {
            throwStatementError(query);
        }
        return std::nullopt;
    }
    return readRow(query);
}

Dataset::Row Dataset::fetchStoredRow(const QVariant& key)
{
    std::optional<Row> row = readStoredRow(key);
    if (!row) {
        throw Error(QStringLiteral("%1: kaydedilen kayıt okunamadı.").arg(displayName()));
    }
    return *std::move(row);
}

// --- Rows and position -------------------------------------------------------------------

void Dataset::setCurrentIndex(int index)
{
    if (index < 0 || index >= rows_.size()) {
        return;
    }
    goTo(index);
    bof_ = false;
    eof_ = false;
}

void Dataset::first()
{
    if (!rows_.isEmpty()) {
        goTo(0);
    }
    bof_ = true;
    eof_ = rows_.isEmpty();
}

void Dataset::last()
{
    if (!rows_.isEmpty()) {
        goTo(rows_.size() - 1);
    }
    eof_ = true;
    bof_ = rows_.isEmpty();
}

void Dataset::next()
{
    if (current_ + 1 < rows_.size()) {
        goTo(current_ + 1);
        bof_ = false;
    } else {
        eof_ = true;
    }
}

void Dataset::prior()
{
    if (current_ > 0) {
        goTo(current_ - 1);
        eof_ = false;
    } else {
        bof_ = true;
    }
}

bool Dataset::locate(const QString& field, const QVariant& value)
{
    const int index = requireField(field);
    const int at = indexOf(index, index < columns_.size() ? normalised(index, value) : value);
    if (at < 0) {
        return false;
    }
    goTo(at);
    bof_ = false;
    eof_ = false;
    return true;
}

// Moves the current row, posting or dropping a pending row first (a dropped new row is the
// last one, so the rows before it keep their positions).
void Dataset::goTo(int index)
{
    if (index == current_) {
        return;
    }
    settlePending();
    index = qMin(index, rows_.size() - 1);
    if (index == current_) {
        return;
    }
    current_ = index;
    emit currentChanged(current_);
    forEachDetail(&Dataset::followMaster);
}

int Dataset::indexOf(int field, const QVariant& value) const
{
    for (int i = 0; i < rows_.size(); ++i) {
        if (fieldValue(DatasetRow(*this, i), field) == value) {
            return i;
        }
    }
    return -1;
}

// --- Fields --------------------------------------------------------------------------------

QStringList Dataset::fieldNames() const
{
    QStringList names;
    for (const Column& column : columns_) {
        names << column.name;
    }
    for (const ComputedField& field : computedFields_) {
        names << field.name;
    }
    return names;
}

int Dataset::fieldIndex(const QString& field) const
{
    return fieldIndex_.value(field.toLower(), -1);
}

int Dataset::requireField(const QString& field) const
{
    const int index = fieldIndex(field);
    if (index < 0) {
        throw Error(QStringLiteral("%1 içinde %2 alanı yok.").arg(displayName(), field));
    }
    return index;
}

void Dataset::rebuildFieldIndex()
{
    fieldIndex_.clear();
    const QStringList names = fieldNames();
    for (int i = names.size() - 1; i >= 0; --i) {
        fieldIndex_.insert(names[i].toLower(), i);  // the first of equal names wins
    }
}

QVariant Dataset::storedValue(const QString& field) const
{
    const int index = requireField(field);
    if (state_ == DatasetState::Insert) {
        return {};
    }
    if (state_ == DatasetState::Edit && index < savedRow_.size()) {
        return savedRow_[index];
    }
    return value(field);
}

QVariant Dataset::value(const QString& field) const
{
    return valueAt(current_, field);
}

QVariant Dataset::valueAt(int row, const QString& field) const
{
    return DatasetRow(*this, row).value(field);
}

QVariant Dataset::valueAt(int row, int field) const
{
    if (field < 0 || field >= columns_.size() + computedFields_.size()) {
        return {};
    }
    return fieldValue(DatasetRow(*this, row), field);
}

QVariant Dataset::fieldValue(const DatasetRow& row, int field) const
{
    if (row.values_ == nullptr) {
        return {};
    }
    if (field < columns_.size()) {
        return row.values_->at(field);
    }
    return computedFields_[field - columns_.size()].read(row);
}

QVariantList Dataset::rowValues() const
{
    return current_ >= 0 ? rows_[current_].mid(0, columns_.size()) : QVariantList();
}

// The value as a row holds it: one null for every kind of null, a QDate in a day column (an
// invalid one when the value is no day).
QVariant Dataset::normalised(int column, const QVariant& value) const
{
    if (isNullValue(value)) {
        return {};
    }
    if (columns_[column].isDate) {
        return value.toDate();
    }
    return value;
}

QVariant Dataset::identityOf(const Row& row) const
{
    return keyColumn_ >= 0 ? row[keyColumn_] : QVariant();
}

void Dataset::setValue(const QString& field, const QVariant& value)
{
    const int index = requireField(field);
    if (index >= columns_.size()) {
        const ComputedField& computed = computedFields_[index - columns_.size()];
        if (!computed.write) {
            throw Error(QStringLiteral("%1 alanı hesaplanır; değiştirilemez.").arg(computed.name));
        }
        computed.write(value);
        return;
    }
    requireWritable();
    const QVariant stored = normalised(index, value);
    if (stored.typeId() == QMetaType::QDate && !stored.toDate().isValid()) {
        throw ValidationError(QStringLiteral("Geçersiz tarih: %1").arg(value.toString()));
    }
    if (!isEditing()) {
        if (current_ < 0) {
            append();
        } else {
            edit();
        }
    }
    QVariant& cell = rows_[current_][index];
    if (cell == stored) {
        return;
    }
    cell = stored;
    modified_ = true;
    emit rowChanged(current_);
}

// --- Editing -------------------------------------------------------------------------------

QString Dataset::displayName() const
{
    if (!name_.isEmpty()) {
        return name_;
    }
    return isTable() ? table_ : QStringLiteral("Sorgu");
}

void Dataset::requireWritable() const
{
    if (!isTable()) {
        throw Error(QStringLiteral("%1 salt okunurdur; değiştirilemez.").arg(displayName()));
    }
    if (!isOpen()) {
        throw Error(QStringLiteral("%1 açık değil.").arg(displayName()));
    }
}

void Dataset::append()
{
    requireWritable();
    settlePending();
    Row row(columns_.size() + (hiddenRowid_ ? 1 : 0));
    if (!detailField_.isEmpty() && master_ != nullptr) {
        const int link = requireField(detailField_);
        if (link < columns_.size()) {
            row[link] = normalised(link, master_->value(masterField_));
        }
    }
    rowBeforeInsert_ = current_;
    rows_.append(row);
    current_ = rows_.size() - 1;
    bof_ = false;
    eof_ = false;
    state_ = DatasetState::Insert;
    modified_ = false;
    emit rowInserted(current_);
    emit currentChanged(current_);
    forEachDetail(&Dataset::followMaster);
    emit stateChanged(state_);
    if (onNewRow_) {
        onNewRow_(*this);
    }
    modified_ = false;  // starting values alone leave a new row unchanged
}

void Dataset::edit()
{
    requireWritable();
    if (isEditing() || current_ < 0) {
        return;
    }
    savedRow_ = rows_[current_];
    modified_ = false;
    setState(DatasetState::Edit);
}

void Dataset::announceChange()
{
    if (announcesChanges_) {
        connection_.announceChange();
    }
}

void Dataset::post()
{
    requireWritable();
    if (!isEditing()) {
        return;
    }
    if (beforePost_) {
        beforePost_(*this);
    }
    if (state_ == DatasetState::Insert) {
        insertCurrentRow();
    } else {
        updateCurrentRow();
    }
    savedRow_.clear();
    modified_ = false;
    emit rowChanged(current_);
    setState(DatasetState::Browse);
}

// Stores the new row with the values it has (a NULL column is left to the table) and reads
// it back, with the key the file gave it.
void Dataset::insertCurrentRow()
{
    const Row& row = rows_[current_];
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (int i = 0; i < columns_.size(); ++i) {
        if (!row[i].isNull()) {
            names << quoted(columns_[i].name);
            marks << QStringLiteral("?");
            values << row[i];
        }
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table_))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(quoted(table_), names.join(QLatin1String(", ")),
                                       marks.join(QLatin1String(", ")));
    // The server tells the new row's key by RETURNING; SQLite by its last rowid.
    const bool server = onServer(connection_.database());
    QSqlQuery inserted = run(connection_.database(),
                             server ? sql + QStringLiteral(" RETURNING ") + keySql() : sql, values);
    const QVariant key =
        server ? (inserted.next() ? inserted.value(0) : QVariant()) : inserted.lastInsertId();
    inserted.finish();
    announceChange();
    rows_[current_] = fetchStoredRow(key);
}

// Stores the columns typed since editing began, by the key the row had then, once the file is
// seen to hold the row as this copy read it. The row is read and changed under the write
// lock, so no other copy's write comes between. When another copy changed the row meanwhile,
// the user is shown what it stored and what was typed here, and chooses: the typed columns
// are stored over it (its other columns stay as it stored them; checked again, as a third
// change may come while the question is open), or its row stays and is shown
// (OtherCopyKept).
void Dataset::updateCurrentRow()
{
    const QVariant storedKey = savedRow_[keyColumn_];
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < columns_.size(); ++i) {
        if (rows_[current_][i] != savedRow_[i]) {
            assignments << quoted(columns_[i].name) + QLatin1String(" = ?");
            values << rows_[current_][i];
        }
    }
    if (assignments.isEmpty()) {
        return;
    }
    const QVariant newKey =
        rows_[current_][keyColumn_].isNull() ? storedKey : rows_[current_][keyColumn_];
    values << storedKey;
    Row expected = savedRow_;
    for (;;) {
        std::optional<Row> onFile;
        {
            Transaction transaction(connection_.database(), Transaction::Mode::Write);
            onFile = readStoredRow(storedKey);
            if (!onFile) {
                throw Error(QStringLiteral("%1: değiştirilen kayıt artık yok.").arg(displayName()));
            }
            if (*onFile == expected) {
                // On the server a changed row moves to a new address: a table without a key
                // of its own learns it from the change, to read the row back by it.
                const bool rowMoves = hiddenRowid_ && onServer(connection_.database());
                QSqlQuery updated =
                    run(connection_.database(),
                        QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4")
                            .arg(quoted(table_), assignments.join(QLatin1String(", ")), keySql(),
                                 rowMoves ? QStringLiteral(" RETURNING ") + keySql() : QString()),
                        values);
                const QVariant keyAfter =
                    rowMoves ? (updated.next() ? updated.value(0) : QVariant()) : newKey;
                transaction.commit();
                announceChange();
                rows_[current_] = fetchStoredRow(keyAfter);
                return;
            }
        }
        const QString question = changedRowQuestion(changedFields(*onFile, savedRow_),
                                                    changedFields(rows_[current_], savedRow_));
        if (askBeforeReplacing(kProgramTitle, question, Dialogs::Buttons::YesNo,
                               Dialogs::Icon::Warning) == Dialogs::Answer::Yes) {
            expected = *std::move(onFile);
            continue;
        }
        rows_[current_] = *std::move(onFile);
        savedRow_.clear();
        modified_ = false;
        emit rowChanged(current_);
        setState(DatasetState::Browse);
        throw OtherCopyKept(kOtherCopyKeptChange);
    }
}

// The columns of `row` that differ from `read`, with their values in `row`.
QList<FieldValue> Dataset::changedFields(const Row& row, const Row& read) const
{
    QList<FieldValue> fields;
    for (int i = 0; i < columns_.size(); ++i) {
        if (row[i] != read[i]) {
            fields.append({columnCaption(table_, columns_[i].name), row[i]});
        }
    }
    return fields;
}

void Dataset::cancel()
{
    if (state_ == DatasetState::Edit) {
        rows_[current_] = savedRow_;
        savedRow_.clear();
        modified_ = false;
        emit rowChanged(current_);
        setState(DatasetState::Browse);
    } else if (state_ == DatasetState::Insert) {
        modified_ = false;
        state_ = DatasetState::Browse;
        removeRow(current_, rowBeforeInsert_);
        emit stateChanged(state_);
    }
}

// Deletes the row when the file still holds it as this copy shows it (a row another copy
// deleted already is simply gone). When another copy changed it meanwhile, the user is shown
// what it stored and chooses to delete it all the same or to keep it (OtherCopyKept, the row
// then shows the other copy's values).
void Dataset::remove()
{
    requireWritable();
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    if (current_ < 0) {
        return;
    }
    forEachDetail(&Dataset::settlePending);
    Row seen = state_ == DatasetState::Edit ? savedRow_ : rows_[current_];
    for (;;) {
        std::optional<Row> onFile;
        {
            Transaction transaction(connection_.database(), Transaction::Mode::Write);
            onFile = readStoredRow(seen[keyColumn_]);
            if (!onFile || *onFile == seen) {
                if (onFile) {
                    run(connection_.database(),
                        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(quoted(table_), keySql()),
                        {seen[keyColumn_]});
                }
                transaction.commit();
                if (onFile) {
                    announceChange();
                }
                break;
            }
        }
        if (askBeforeReplacing(kProgramTitle, deletedRowQuestion(changedFields(*onFile, seen)),
                               Dialogs::Buttons::YesNo,
                               Dialogs::Icon::Warning) == Dialogs::Answer::Yes) {
            seen = *std::move(onFile);
            continue;
        }
        cancel();
        rows_[current_] = *std::move(onFile);
        emit rowChanged(current_);
        throw OtherCopyKept(kOtherCopyKeptDelete);
    }
    const bool wasEditing = state_ == DatasetState::Edit;
    state_ = DatasetState::Browse;
    modified_ = false;
    savedRow_.clear();
    removeRow(current_, current_);
    if (wasEditing) {
        emit stateChanged(state_);
    }
}

// The pending-row rule, for this dataset and its details: a changed row is posted, an
// unchanged one dropped. A refused post throws and leaves everything where it was.
void Dataset::settlePending()
{
    forEachDetail(&Dataset::settlePending);
    if (!isEditing()) {
        return;
    }
    if (!modified_) {
        cancel();
        return;
    }
    try {
        post();
    } catch (const OtherCopyKept&) {
        // The user kept the other copy's row: nothing is pending any more, so the move goes on.
    }
}

// Runs a step on every detail still there (a copy of the list: a step may change it).
void Dataset::forEachDetail(void (Dataset::*step)())
{
    const QVector<QPointer<Dataset>> details = details_;
    for (const QPointer<Dataset>& detail : details) {
        if (detail != nullptr) {
            (detail->*step)();
        }
    }
}

void Dataset::setState(DatasetState state)
{
    if (state_ != state) {
        state_ = state;
        emit stateChanged(state_);
    }
}

void Dataset::replaceRows(QList<Row> rows, int current)
{
    rows_ = std::move(rows);
    current_ = current;
    bof_ = true;
    eof_ = rows_.isEmpty();
    emit rowsReset();
    emit currentChanged(current_);
    forEachDetail(&Dataset::followMaster);
}

void Dataset::removeRow(int row, int newCurrent)
{
    emit rowAboutToBeRemoved(row);
    rows_.removeAt(row);
    current_ = rows_.isEmpty() ? -1 : qBound(0, newCurrent, int(rows_.size()) - 1);
    bof_ = rows_.isEmpty();
    eof_ = rows_.isEmpty();
    emit rowRemoved(row);
    emit currentChanged(current_);
    forEachDetail(&Dataset::followMaster);
}

// A detail follows its master's current row. The master asked it to settle its pending row
// before moving (a close or a cancel does not ask: what is still pending then is dropped).
void Dataset::followMaster()
{
    if (!isOpen()) {
        return;
    }
    const bool wasEditing = isEditing();
    state_ = DatasetState::Browse;
    modified_ = false;
    savedRow_.clear();
    QList<Row> rows;
    try {
        rows = fetchRows();
    } catch (const Error&) {
        // Rows of another master row must not stay on show.
        replaceRows({}, -1);
        if (wasEditing) {
            emit stateChanged(state_);
        }
        throw;
    }
    const int current = rows.isEmpty() ? -1 : 0;
    replaceRows(std::move(rows), current);
    if (wasEditing) {
        emit stateChanged(state_);
    }
}

}  // namespace tamevo
