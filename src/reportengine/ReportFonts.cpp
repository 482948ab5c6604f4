#include "reportengine/ReportFonts.h"

#include <QFontDatabase>

namespace tamevo::report {

namespace {

// The resolution the layout measures at: that of PDF output.
constexpr int kMeasureDpi = 1200;
constexpr double kMmPerDot = 25.4 / kMeasureDpi;
// Characters up to here (Latin with the Turkish letters) have their advances in a table.
constexpr char16_t kTableSize = 0x180;

bool isSpace(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString firstInstalled(const QStringList& families)
{
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : families) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return families.constLast();
}

}  // namespace

QString reportFontFamily(const QString& templateFamily)
{
    static QHash<QString, QString> resolved;
    const auto known = resolved.constFind(templateFamily);
    if (known != resolved.constEnd()) {
        return known.value();
    }
    QString family = templateFamily;
    if (templateFamily.startsWith(QLatin1String("Times New Roman"), Qt::CaseInsensitive)) {
        family =
            firstInstalled({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    } else if (templateFamily.compare(QLatin1String("Tahoma"), Qt::CaseInsensitive) == 0) {
        family = firstInstalled({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
                                 QStringLiteral("Liberation Sans")});
    }
    resolved.insert(templateFamily, family);
    return family;
}

QFont reportFont(const FontSpec& spec)
{
    QFont font(reportFontFamily(spec.family));
    font.setPointSizeF(spec.size);
    font.setBold(spec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

struct FontMeasurer::Metrics {
    Metrics(const FontSpec& spec, QPaintDevice* device)
        : spec(spec), metrics(reportFont(spec), device)
    {
        lineSpacing = metrics.lineSpacing() * kMmPerDot;
        lineHeight = metrics.height() * kMmPerDot;
        table.fill(-1);
    }

    double advance(QChar c)
    {
        const char16_t u = c.unicode();
        if (u < kTableSize) {
            if (table[u] < 0) {
                table[u] = metrics.horizontalAdvance(c) * kMmPerDot;
            }
            return table[u];
        }
        const auto found = others.constFind(u);
        if (found != others.constEnd()) {
            return found.value();
        }
        const double width = metrics.horizontalAdvance(c) * kMmPerDot;
        others.insert(u, width);
        return width;
    }

    double width(const QString& text, qsizetype from, qsizetype to)
    {
        double sum = 0;
        for (qsizetype i = from; i < to; ++i) {
            if (text[i].isSurrogate()) {
                return metrics.horizontalAdvance(text.mid(from, to - from)) * kMmPerDot;
            }
            sum += advance(text[i]);
        }
        return sum;
    }

    FontSpec spec;
    QFontMetricsF metrics;
    double lineSpacing = 0;
    double lineHeight = 0;
    std::array<double, kTableSize> table;
    QHash<char16_t, double> others;
};

FontMeasurer::FontMeasurer() : device_(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(kMeasureDpi / 0.0254);
    device_.setDotsPerMeterX(dotsPerMeter);
    device_.setDotsPerMeterY(dotsPerMeter);
}

FontMeasurer::~FontMeasurer() = default;

FontMeasurer::Metrics& FontMeasurer::metrics(const FontSpec& font) const
{
    if (last_ != nullptr && last_->spec == font) {
        return *last_;
    }
    for (const auto& m : metrics_) {
        if (m->spec == font) {
            last_ = m.get();
            return *last_;
        }
    }
    metrics_.push_back(std::make_unique<Metrics>(font, const_cast<QImage*>(&device_)));
    last_ = metrics_.back().get();
    return *last_;
}

double FontMeasurer::lineSpacing(const FontSpec& font) const
{
    return metrics(font).lineSpacing;
}

double FontMeasurer::lineHeight(const FontSpec& font) const
{
    return metrics(font).lineHeight;
}

double FontMeasurer::width(const QString& text, const FontSpec& font) const
{
    return metrics(font).width(text, 0, text.size());
}

QString FontMeasurer::cut(const QString& text, const FontSpec& font, double width) const
{
    Metrics& m = metrics(font);
    double used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSurrogate()) {
            // Rare outside the Latin letters: measure growing beginnings.
            qsizetype end = i;
            while (end < text.size() && m.width(text, 0, end + 1) <= width) {
                ++end;
            }
            return text.left(end);
        }
        used += m.advance(text[i]);
        if (used > width) {
            return text.left(i);
        }
    }
    return text;
}

QStringList FontMeasurer::wrap(const QString& text, const FontSpec& font, double width) const
{
    Metrics& m = metrics(font);
    if (m.width(text, 0, text.size()) <= width) {
        return {text};
    }
    QStringList lines;
    const auto addLine = [&](qsizetype from, qsizetype to) {
        while (to > from && isSpace(text[to - 1])) {
            --to;
        }
        lines << text.mid(from, to - from);
    };
    qsizetype lineStart = 0;
    qsizetype breakAt = -1;   // after the last space run of the line: where the next line starts
    qsizetype breakEnd = -1;  // the end of the line's text when it breaks at that space
    double used = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (isSpace(c)) {
            if (breakEnd < 0 || i == 0 || !isSpace(text[i - 1])) {
                breakEnd = i;
            }
            breakAt = i + 1;
            used += m.advance(c);  // spaces at the end of a line may stand out of it
            continue;
        }
        const double advance = m.advance(c);
        if (used + advance > width && i > lineStart) {
            if (breakAt > lineStart && breakEnd > lineStart) {
                addLine(lineStart, breakEnd);
                lineStart = breakAt;
            } else {
                addLine(lineStart, i);  // a word wider than the line breaks where it must
                lineStart = i;
            }
            breakAt = -1;
            breakEnd = -1;
            used = m.width(text, lineStart, i);
        }
        used += advance;
    }
    if (lineStart < text.size()) {
        addLine(lineStart, text.size());
    }
    return lines;
}

}  // namespace tamevo::report
