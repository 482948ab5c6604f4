#pragma once

#include "reportengine/ReportTemplate.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

namespace tamevo::report {

// The gap between a text object's edges and its text, in mm: left and right, top and bottom.
constexpr double kTextPaddingX = 0.5;
constexpr double kTextPaddingY = 0.2;

// The look of the items of one template object, shared by all its items.
struct ItemStyle {
    QString objectName;
    QString bandName;
    ReportObject::Kind kind = ReportObject::Kind::Text;
    FontSpec font;
    HAlign align = HAlign::Left;
    bool vCenter = false;
    Frame frame;
    bool keepAspectRatio = false;
    bool stretchPicture = false;
    QByteArray picture;
};

// One object as printed: its rectangle on the paper in mm (from the top left paper corner)
// and its visible text lines (already wrapped or cut to the rectangle), joined by "\n".
struct PreparedItem {
    int style = 0;
    float x = 0, y = 0, width = 0, height = 0;
    QString text;

    QRectF rect() const { return {x, y, width, height}; }
    QStringList lines() const;
};

// One printed band on a page: which band, where, and which items it holds. For data bands
// `line` is its [LINE#].
struct PlacedBand {
    int band = 0;  // index into PreparedReport::bandNames
    float y = 0, height = 0;
    int line = 0;
    int firstItem = 0;
    int itemCount = 0;
};

struct PreparedPage {
    QVector<PreparedItem> items;
    QVector<PlacedBand> bands;
};

// The result of preparing a template: pages of positioned items, ready for the preview,
// the printer and PDF. Objects whose text is empty and that draw no frame are left out.
class PreparedReport {
public:
    QString name;   // the template's name
    QString title;  // the report's name
    PageSpec page;
    QVector<ItemStyle> styles;
    QStringList bandNames;
    QVector<PreparedPage> pages;

    int pageCount() const { return int(pages.size()); }
    const ItemStyle& styleOf(const PreparedItem& item) const { return styles[item.style]; }
    const QString& bandName(const PlacedBand& band) const { return bandNames[band.band]; }

    // The bands printed on a page, optionally only those of one band name.
    QVector<PlacedBand> placedBands(int page, const QString& bandName = {}) const;
    // The item of an object within a printed band; nullptr when that object printed nothing.
    const PreparedItem* item(int page, const PlacedBand& band, const QString& objectName) const;
    // Its text, empty when it printed nothing.
    QString text(int page, const PlacedBand& band, const QString& objectName) const;
    // Every item of an object on a page, in print order.
    QVector<const PreparedItem*> items(int page, const QString& objectName) const;
    // All texts of a page in print order, one per item.
    QStringList pageTexts(int page) const;
};

}  // namespace tamevo::report
