#include "reportengine/ReportData.h"

#include "data/Dataset.h"
#include "data/Errors.h"

namespace tamevo::report {

void ReportData::addDataset(const QString& name, Dataset& dataset)
{
    components_.insert(name, int(entries_.size()));
    entries_.push_back({name, &dataset, {}, {}, dataset.currentIndex()});
}

void ReportData::addRecord(const QString& name, const QStringList& fields,
                           const QVariantList& values)
{
    components_.insert(name, int(entries_.size()));
    entries_.push_back({name, nullptr, fields, values, 0});
}

void ReportData::setUserLink(const QString& name, UserLink link)
{
    userLinks_.insert(name, std::move(link));
}

Dataset* ReportData::dataset(const QString& name) const
{
    const int index = componentIndex(name);
    return index < 0 ? nullptr : entries_[index].dataset;
}

const UserLink* ReportData::userLink(const QString& name) const
{
    const auto it = userLinks_.constFind(name);
    return it == userLinks_.constEnd() ? nullptr : &it.value();
}

int ReportData::row(const QString& component) const
{
    const int index = componentIndex(component);
    return index < 0 ? -1 : entries_[index].row;
}

void ReportData::setRow(const QString& component, int row)
{
    const int index = componentIndex(component);
    if (index < 0) {
        throw Error(QStringLiteral("Rapor verisinde %1 yok.").arg(component));
    }
    entries_[index].row = row;
}

void ReportData::resetRows()
{
    for (Entry& entry : entries_) {
        entry.row = entry.dataset != nullptr ? entry.dataset->currentIndex() : 0;
    }
}

int ReportData::recordCount(int component) const
{
    const Entry& entry = entries_[component];
    return entry.dataset != nullptr ? entry.dataset->recordCount() : 1;
}

ReportData::FieldRef ReportData::fieldRef(const QString& component, const QString& field)
{
    const int index = componentIndex(component);
    if (index < 0) {
        throw Error(QStringLiteral("Rapor verisinde %1 yok.").arg(component));
    }
    Entry& entry = entries_[index];
    int fieldIndex = -1;
    if (entry.dataset != nullptr) {
        if (!entry.dataset->isOpen()) {
            entry.dataset->open();
            entry.row = entry.dataset->currentIndex();
        }
        fieldIndex = entry.dataset->fieldIndex(field);
    } else {
        for (int i = 0; i < entry.fields.size() && fieldIndex < 0; ++i) {
            if (entry.fields[i].compare(field, Qt::CaseInsensitive) == 0) {
                fieldIndex = i;
            }
        }
    }
    if (fieldIndex < 0) {
        throw Error(QStringLiteral("%1 içinde %2 alanı yok.").arg(component, field));
    }
    return {index, fieldIndex};
}

QVariant ReportData::value(const FieldRef& ref) const
{
    const Entry& entry = entries_[ref.component];
    if (entry.dataset != nullptr) {
        return entry.dataset->valueAt(entry.row, ref.field);
    }
    return entry.values.value(ref.field);
}

}  // namespace tamevo::report
