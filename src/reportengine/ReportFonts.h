#pragma once

#include "reportengine/TextMeasurer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>

#include <array>
#include <memory>
#include <vector>

namespace tamevo::report {

// The family a template's font prints with: "Times New Roman Tur" (Times New Roman with the
// Turkish character set) is Times New Roman where the system has it, else Liberation Serif,
// which has its metrics; "Tahoma" is Tahoma, else DejaVu Sans, the nearest in shape and
// width, else Liberation Sans. Other families are asked for as they are.
QString reportFontFamily(const QString& templateFamily);

// The font of a template font spec, at its point size. Hinting and kerning are off, so a
// text is as wide as the sum of its characters' advances at every resolution and the layout
// measured at one resolution holds on the printer, the PDF and the preview alike.
QFont reportFont(const FontSpec& spec);

// Measures texts in the report fonts, in millimetres, at the resolution of PDF output.
class FontMeasurer : public TextMeasurer {
public:
    FontMeasurer();
    ~FontMeasurer() override;

    double lineSpacing(const FontSpec& font) const override;
    double lineHeight(const FontSpec& font) const override;
    QStringList wrap(const QString& text, const FontSpec& font, double width) const override;
    QString cut(const QString& text, const FontSpec& font, double width) const override;

    double width(const QString& text, const FontSpec& font) const;

private:
    struct Metrics;
    Metrics& metrics(const FontSpec& font) const;

    QImage device_;
    mutable std::vector<std::unique_ptr<Metrics>> metrics_;
    mutable Metrics* last_ = nullptr;
};

}  // namespace tamevo::report
