#pragma once

#include "reportengine/ReportTemplate.h"

#include <QString>
#include <QStringList>

namespace tamevo::report {

// Text measurement for the layout, in millimetres. The program measures with the fonts it
// prints with (the report fonts of the windows library); the layout itself needs no fonts.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;

    // The distance from one text line to the next, and the height of a single line.
    virtual double lineSpacing(const FontSpec& font) const = 0;
    virtual double lineHeight(const FontSpec& font) const = 0;
    // The lines a text takes in `width` with word wrap: broken at word boundaries (inside a
    // word only when the word alone is wider), each line without its trailing spaces.
    virtual QStringList wrap(const QString& text, const FontSpec& font, double width) const = 0;
    // The longest beginning of a text that fits in `width`: a line cut at the edge.
    virtual QString cut(const QString& text, const FontSpec& font, double width) const = 0;
};

}  // namespace tamevo::report
