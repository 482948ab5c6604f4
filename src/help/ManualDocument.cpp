#include "help/ManualDocument.h"

#include "data/Errors.h"
#include "data/AtomicFile.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

namespace tamevo {

namespace {

constexpr int kResolution = 300;  // dots per inch of the PDF's layout
constexpr double kMarginMm = 20;

// Gives every picture of the document its size: its own, or the text's width when wider.
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
            // Screen pictures are shown at 96 dots per inch, at most as wide as the text.
            const double scale = double(kResolution) / 96.0;
            double width = picture.width() * scale;
            double height = picture.height() * scale;
            if (width > textWidth) {
                height = height * textWidth / width;
                width = textWidth;
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

        QTextDocument document;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSizeF(10);
        document.setDefaultFont(font);
        document.setMarkdown(markdown);
        // After the text: setting the text clears the document's resources.
        for (auto it = pictures.begin(); it != pictures.end(); ++it) {
            document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
        }
        // The text fills each page above a footer line with the page number.
        const QRectF paper = writer.pageLayout().paintRectPixels(kResolution);
        const double footer = 10.0 / 25.4 * kResolution;
        const QRectF page(0, 0, paper.width(), paper.height() - footer);
        document.setPageSize(page.size());
        sizePictures(document, pictures, page.width());

        // The pages one after the other, each from its own slice of the laid-out text.
        QPainter painter;
        if (!painter.begin(&writer)) {
            throw Error(QStringLiteral("Kılavuz yazılamadı: %1").arg(pdfPath));
        }
        const int pages = document.pageCount();
        for (int p = 0; p < pages; ++p) {
            if (p > 0) {
                writer.newPage();
            }
            painter.save();
            painter.translate(0, -p * page.height());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = QRectF(0, p * page.height(), page.width(), page.height());
            painter.setClipRect(context.clip);
            document.documentLayout()->draw(&painter, context);
            painter.restore();
            painter.setFont(font);
            painter.drawText(QRectF(0, page.height(), page.width(), footer),
                             Qt::AlignRight | Qt::AlignBottom,
                             QStringLiteral("Sayfa %1 / %2").arg(p + 1).arg(pages));
        }
        painter.end();
    }
    writeFileAtomically(pdfPath, pdf);
}

}  // namespace tamevo
