#include "reportengine/ReportPainter.h"

#include "data/AtomicFile.h"
#include "data/Errors.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace tamevo::report {

namespace {

Qt::Alignment horizontal(HAlign align)
{
    switch (align) {
        case HAlign::Center:
            return Qt::AlignHCenter;
        case HAlign::Right:
            return Qt::AlignRight;
        case HAlign::Left:
            break;
    }
    return Qt::AlignLeft;
}

void drawFrame(QPainter& painter, const Frame& frame, const QRectF& rect, double dotsPerMm)
{
    if (!frame.any()) {
        return;
    }
    QPen pen(Qt::black, frame.width * dotsPerMm);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    if (frame.top) {
        painter.drawLine(rect.topLeft(), rect.topRight());
    }
    if (frame.bottom) {
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (frame.left) {
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
    }
    if (frame.right) {
        painter.drawLine(rect.topRight(), rect.bottomRight());
    }
}

// Pages drawn on a painter that the caller began on a device with `dotsPerMm`.
template <typename NewPage>
void drawPages(const PreparedReport& report, QPainter& painter, double dotsPerMm, int from, int to,
               NewPage newPage)
{
    ReportPainter pagePainter(report);
    const int first = from > 0 ? from - 1 : 0;
    const int last = to > 0 ? std::min(to, report.pageCount()) - 1 : report.pageCount() - 1;
    for (int page = first; page <= last; ++page) {
        if (page > first) {
            newPage();
        }
        pagePainter.drawPage(painter, page, dotsPerMm);
    }
}

}  // namespace

ReportPainter::ReportPainter(const PreparedReport& report) : report_(report) {}

void ReportPainter::drawPage(QPainter& painter, int page, double dotsPerMm, double fontScale,
                             const PreparedItem* highlight)
{
    const FontSpec* currentFont = nullptr;
    for (const PreparedItem& item : report_.pages[page].items) {
        const ItemStyle& style = report_.styleOf(item);
        const QRectF rect(item.x * dotsPerMm, item.y * dotsPerMm, item.width * dotsPerMm,
                          item.height * dotsPerMm);
        if (&item == highlight) {
            painter.fillRect(rect, QColor(255, 255, 0));
        }
        if (style.kind == ReportObject::Kind::Picture) {
            drawPicture(painter, item, rect, dotsPerMm);
        } else if (!item.text.isEmpty()) {
            if (currentFont == nullptr || !(*currentFont == style.font)) {
                QFont font = reportFont(style.font);
                font.setPointSizeF(style.font.size * fontScale);
                painter.setFont(font);
                painter.setPen(QColor::fromRgb(QRgb(style.font.color)));
                currentFont = &style.font;
            }
            drawText(painter, item, style, rect, dotsPerMm);
        }
        if (style.frame.any()) {
            drawFrame(painter, style.frame, rect, dotsPerMm);
            currentFont = nullptr;  // the pen changed
        }
    }
}

void ReportPainter::drawText(QPainter& painter, const PreparedItem& item, const ItemStyle& style,
                             const QRectF& rect, double dotsPerMm)
{
    const double spacing = measurer_.lineSpacing(style.font) * dotsPerMm;
    const double height = measurer_.lineHeight(style.font) * dotsPerMm;
    const double padX = kTextPaddingX * dotsPerMm;
    const int flags =
        int(horizontal(style.align)) | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip;
    if (!item.text.contains(QLatin1Char('\n'))) {
        const double top =
            style.vCenter ? rect.center().y() - height / 2 : rect.top() + kTextPaddingY * dotsPerMm;
        painter.drawText(QRectF(rect.left() + padX, top, rect.width() - 2 * padX, height), flags,
                         item.text);
        return;
    }
    const QStringList lines = item.lines();
    const double block = (lines.size() - 1) * spacing + height;
    double top =
        style.vCenter ? rect.center().y() - block / 2 : rect.top() + kTextPaddingY * dotsPerMm;
    for (const QString& line : lines) {
        painter.drawText(QRectF(rect.left() + padX, top, rect.width() - 2 * padX, height), flags,
                         line);
        top += spacing;
    }
}

void ReportPainter::drawPicture(QPainter& painter, const PreparedItem& item, const QRectF& rect,
                                double dotsPerMm)
{
    const ItemStyle& style = report_.styleOf(item);
    auto found = pictures_.find(item.style);
    if (found == pictures_.end()) {
        found = pictures_.insert(item.style, QImage::fromData(style.picture));
    }
    const QImage& image = found.value();
    if (image.isNull()) {
        return;
    }
    QRectF target = rect;
    if (!style.stretchPicture) {
        // At its own size (its resolution, 96 dpi when it has none), cut at the rectangle.
        const double dpmX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() : 96 / 0.0254;
        const double dpmY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() : 96 / 0.0254;
        target.setSize(QSizeF(image.width() / dpmX * 1000 * dotsPerMm,
                              image.height() / dpmY * 1000 * dotsPerMm));
    } else if (style.keepAspectRatio) {
        // As large as the rectangle allows with the picture's proportions, at the top left.
        const QSizeF size = QSizeF(image.size()).scaled(rect.size(), Qt::KeepAspectRatio);
        target.setSize(size);
    }
    painter.save();
    painter.setClipRect(rect);
    painter.drawImage(target, image);
    painter.restore();
}

QPageLayout pageLayoutOf(const PreparedReport& report)
{
    const double shortSide = std::min(report.page.width, report.page.height);
    const double longSide = std::max(report.page.width, report.page.height);
    return QPageLayout(
        QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter),
        report.page.width > report.page.height ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void writePdf(const PreparedReport& report, const QString& path, Progress* progress)
{
    // The document is made in memory and written whole, so a full disk never leaves a cut
    // PDF under the chosen name.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(pageLayoutOf(report));
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Norvane Tamevo"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw Error(QStringLiteral("%1: PDF yazılamadı.").arg(path));
        }
        int written = 1;
        drawPages(report, painter, writer.resolution() / 25.4, 0, 0, [&] {
            stepProgress(
                progress, written, report.pageCount(),
                QStringLiteral("Sayfa %1 / %2 yazıldı").arg(written).arg(report.pageCount()));
            ++written;
            writer.newPage();
        });
        painter.end();
    }
    writeFileAtomically(path, buffer.data());
}

void printReport(const PreparedReport& report, QPrinter& printer, int from, int to)
{
    printer.setFullPage(true);
    printer.setPageLayout(pageLayoutOf(report));
    printer.setDocName(report.title);
    QPainter painter;
    if (!painter.begin(&printer)) {
        throw Error(QStringLiteral("Yazıcıya yazdırılamadı: %1").arg(printer.printerName()));
    }
    drawPages(report, painter, printer.resolution() / 25.4, from, to,
              [&printer] { printer.newPage(); });
    painter.end();
}

}  // namespace tamevo::report
