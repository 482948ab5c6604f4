#include "help/ManualDocument.h"

#include "data/AtomicFile.h"
#include "data/Errors.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextList>

#include <vector>

namespace tamevo {

namespace {

constexpr int kResolution = 300;  // dots per inch of the PDF
constexpr double kMarginMm = 20;
constexpr double kBodyPoints = 10.5;  // the body text; headings are larger in proportion
constexpr double kFooterMm = 10;
const QString kFontFamily = QStringLiteral("DejaVu Sans");

QFont bodyFont()
{
    QFont font(kFontFamily);
    font.setPointSizeF(kBodyPoints);
    return font;
}

// The layout works at the screen's 96 dots per inch, as a document printed by Qt does; the
// painter scales it to the writer's resolution, so a point on the page is a point.
constexpr double kLayoutScale = double(kResolution) / 96.0;

// A document laid out on pages of `page`'s size (in the writer's dots).
void layOut(QTextDocument& document, const QSizeF& page)
{
    document.setDefaultFont(bodyFont());
    document.setPageSize(page / kLayoutScale);
}

// Gives every picture of the document its size: its own at the screen's 96 dots per inch,
// made smaller to the text's width when wider, never larger.
void sizePictures(QTextDocument& document, const QHash<QString, QImage>& pictures, double textWidth)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat()) {
                continue;
            }
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QImage picture = pictures.value(image.name());
            if (picture.isNull()) {
                throw Error(QStringLiteral("Kılavuzda adı geçen resim yok: %1").arg(image.name()));
            }
            const double widest = textWidth / kLayoutScale;
            double width = picture.width();
            double height = picture.height();
            if (width > widest) {
                height = height * widest / width;
                width = widest;
            }
            image.setWidth(width);
            image.setHeight(height);
            QTextCursor cursor(&document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
}

struct Heading {
    int level = 0;
    QString title;
    int page = 0;  // 0-based page of the text pages
};

// The chapters and sections of the laid-out text, with the page each starts on.
std::vector<Heading> headingsOf(QTextDocument& document)
{
    const double pageHeight = document.pageSize().height();
    std::vector<Heading> headings;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 2) {
            continue;
        }
        // The page of the heading's first line: its top margin may end one page while the
        // line, moved whole to the next, starts the other.
        document.documentLayout()->blockBoundingRect(block);
        const QTextLayout* lines = block.layout();
        const double top = lines->position().y() +
                           (lines->lineCount() > 0 ? lines->lineAt(0).y() : 0.0);
        headings.push_back({level, block.text(), int(top / pageHeight)});
    }
    return headings;
}

// The table of contents: a heading, then each chapter and section with its page number at
// the right edge.
QString contentsHtml(const std::vector<Heading>& headings, int firstTextPage)
{
    QString html = QStringLiteral(
        "<h1>İçindekiler</h1><table width=\"100%\" cellspacing=\"0\" "
        "cellpadding=\"3\">");
    for (const Heading& h : headings) {
        const QString indent = h.level > 1 ? QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;") : QString();
        const QString weight = h.level == 1 ? QStringLiteral("font-weight:bold;") : QString();
        html += QStringLiteral("<tr><td style=\"%1\">%2%3</td><td align=\"right\">%4</td></tr>")
                    .arg(weight, indent, h.title.toHtmlEscaped())
                    .arg(firstTextPage + h.page + 1);
    }
    return html + QStringLiteral("</table>");
}

// Draws the pages of a laid-out document one after the other, each from its own slice,
// with "Sayfa n / m" below it.
void drawPages(QTextDocument& document, QPdfWriter& writer, QPainter& painter, const QRectF& page,
               double footer, int& pageNumber, int pageTotal)
{
    const int pages = document.pageCount();
    const QSizeF slice = document.pageSize();
    for (int p = 0; p < pages; ++p) {
        if (pageNumber > 0) {
            writer.newPage();
        }
        painter.save();
        painter.scale(kLayoutScale, kLayoutScale);
        painter.translate(0, -p * slice.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, p * slice.height(), slice.width(), slice.height());
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        ++pageNumber;
        QFont font = bodyFont();
        font.setPointSizeF(kBodyPoints - 1.5);
        painter.setFont(font);
        painter.drawText(QRectF(0, page.height(), page.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Sayfa %1 / %2").arg(pageNumber).arg(pageTotal));
    }
}

}  // namespace

void writeManualPdf(const QString& markdown, const QHash<QString, QImage>& pictures,
                    const QString& pdfPath)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Norvane Tamevo Kullanım Kılavuzu"));
        writer.setCreator(QStringLiteral("Norvane Tamevo"));
        writer.setResolution(kResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                         QPageLayout::Millimeter));
        // The text fills each page above a footer line with the page number.
        const QRectF paper = writer.pageLayout().paintRectPixels(kResolution);
        const double footer = kFooterMm / 25.4 * kResolution;
        const QRectF page(0, 0, paper.width(), paper.height() - footer);

        QTextDocument text;
        text.setMarkdown(markdown);
        // After the text: setting the text clears the document's resources.
        for (auto it = pictures.begin(); it != pictures.end(); ++it) {
            text.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
        }
        layOut(text, page.size());
        sizePictures(text, pictures, page.width());

        // The title page's text first, then the contents, then the rest: the contents'
        // length is known before the chapters' page numbers are written into it.
        const std::vector<Heading> headings = headingsOf(text);
        QTextDocument contents;
        layOut(contents, page.size());
        contents.setHtml(contentsHtml(headings, 0));
        layOut(contents, page.size());
        const int contentsPages = contents.pageCount();
        contents.setHtml(contentsHtml(headings, contentsPages));
        layOut(contents, page.size());

        QPainter painter;
        if (!painter.begin(&writer)) {
            throw Error(QStringLiteral("Kılavuz yazılamadı: %1").arg(pdfPath));
        }
        const int total = contents.pageCount() + text.pageCount();
        int pageNumber = 0;
        drawPages(contents, writer, painter, page, footer, pageNumber, total);
        drawPages(text, writer, painter, page, footer, pageNumber, total);
        painter.end();
    }
    writeFileAtomically(pdfPath, pdf);
}

}  // namespace tamevo
