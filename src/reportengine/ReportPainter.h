#pragma once

#include "data/Progress.h"

#include "reportengine/PreparedReport.h"
#include "reportengine/ReportFonts.h"

#include <QHash>
#include <QImage>
#include <QPageLayout>

class QPainter;
class QPrinter;

namespace tamevo::report {

// Draws prepared pages on any painter: the printer, a PDF file, the preview.
class ReportPainter {
public:
    explicit ReportPainter(const PreparedReport& report);

    // Draws a page with its top left paper corner at the painter's origin, at `dotsPerMm`
    // device pixels to the millimetre; fonts keep their point size at the device's logical
    // resolution times `fontScale` (the preview's zoom). An item to highlight (a text found)
    // gets a yellow background.
    void drawPage(QPainter& painter, int page, double dotsPerMm, double fontScale = 1.0,
                  const PreparedItem* highlight = nullptr);

private:
    void drawText(QPainter& painter, const PreparedItem& item, const ItemStyle& style,
                  const QRectF& rect, double dotsPerMm);
    void drawPicture(QPainter& painter, const PreparedItem& item, const QRectF& rect,
                     double dotsPerMm);

    const PreparedReport& report_;
    FontMeasurer measurer_;
    QHash<int, QImage> pictures_;
};

// Writes the report as a PDF file (one page per prepared page, the paper of the template).
// The file is complete or not written. Throws Error.
void writePdf(const PreparedReport& report, const QString& path, Progress* progress = nullptr);

// Prints pages `from` to `to` (1-based, 0 for all) on a printer the caller has set up.
// Throws Error.
void printReport(const PreparedReport& report, QPrinter& printer, int from = 0, int to = 0);

// The paper layout of a report: its page size and orientation, without margins (the
// prepared items are placed from the paper edge).
QPageLayout pageLayoutOf(const PreparedReport& report);

}  // namespace tamevo::report
