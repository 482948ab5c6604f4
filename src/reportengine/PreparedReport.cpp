#include "reportengine/PreparedReport.h"

namespace tamevo::report {

QStringList PreparedItem::lines() const
{
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

QVector<PlacedBand> PreparedReport::placedBands(int page, const QString& bandName) const
{
    QVector<PlacedBand> found;
    for (const PlacedBand& band : pages[page].bands) {
        if (bandName.isEmpty() || bandNames[band.band] == bandName) {
            found << band;
        }
    }
    return found;
}

const PreparedItem* PreparedReport::item(int page, const PlacedBand& band,
                                         const QString& objectName) const
{
    const QVector<PreparedItem>& items = pages[page].items;
    for (int i = band.firstItem; i < band.firstItem + band.itemCount; ++i) {
        if (styles[items[i].style].objectName == objectName) {
            return &items[i];
        }
    }
    return nullptr;
}

QString PreparedReport::text(int page, const PlacedBand& band, const QString& objectName) const
{
    const PreparedItem* found = item(page, band, objectName);
    return found != nullptr ? found->text : QString();
}

QVector<const PreparedItem*> PreparedReport::items(int page, const QString& objectName) const
{
    QVector<const PreparedItem*> found;
    for (const PreparedItem& item : pages[page].items) {
        if (styles[item.style].objectName == objectName) {
            found << &item;
        }
    }
    return found;
}

QStringList PreparedReport::pageTexts(int page) const
{
    QStringList texts;
    for (const PreparedItem& item : pages[page].items) {
        texts << item.text;
    }
    return texts;
}

}  // namespace tamevo::report
