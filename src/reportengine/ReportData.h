#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <vector>

namespace tamevo {
class Dataset;
}

namespace tamevo::report {

// The callbacks of a user data link: the engine calls onFirst, then asks onCheckEOF, prints
// a row and calls onNext, in turn, until onCheckEOF sets the end flag.
struct UserLink {
    std::function<void()> onFirst;
    std::function<void()> onNext;
    std::function<void(bool& eof)> onCheckEOF;
};

// The data a template reads: named data components (datasets and single records) and the
// callbacks of its user links.
//
// A dataset component is read on its report row: a data source link walks that row from
// the first record to the last, and user-link callbacks set it (setRow). The dataset's own
// current row never moves, so the windows that show it are not disturbed by a print. A
// component no link walks is read on the dataset's current row. A closed dataset is opened
// when the report binds it.
class ReportData {
public:
    void addDataset(const QString& name, Dataset& dataset);
    void addRecord(const QString& name, const QStringList& fields, const QVariantList& values);
    void setUserLink(const QString& name, UserLink link);

    // The dataset of a component; nullptr for a record or an unknown name.
    Dataset* dataset(const QString& name) const;
    const UserLink* userLink(const QString& name) const;

    // The report row of a dataset component (-1: none).
    int row(const QString& component) const;
    void setRow(const QString& component, int row);

    // Report rows start at the datasets' current rows (before each preparation pass).
    void resetRows();

    // A field of a component, looked up once and read many times. Throws Error for an
    // unknown component or field (opening a closed dataset first).
    struct FieldRef {
        int component = -1;
        int field = -1;
    };
    FieldRef fieldRef(const QString& component, const QString& field);
    QVariant value(const FieldRef& ref) const;

    // The index of a component, for link walkers; -1 when unknown.
    int componentIndex(const QString& name) const { return components_.value(name, -1); }
    void setRowAt(int component, int row) { entries_[component].row = row; }
    int recordCount(int component) const;

private:
    struct Entry {
        QString name;
        Dataset* dataset = nullptr;
        QStringList fields;   // records
        QVariantList values;  // records
        int row = -1;
    };
    std::vector<Entry> entries_;
    QHash<QString, int> components_;
    QHash<QString, UserLink> userLinks_;
};

}  // namespace tamevo::report
