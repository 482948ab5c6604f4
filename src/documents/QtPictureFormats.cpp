#include "documents/QtPictureFormats.h"

#include "data/Errors.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cstring>

namespace tamevo {

Pixels QtPictureFormats::decode(const QByteArray& bytes, const QSize& box) const
{
    // JPEG bytes go to libjpeg alone: a JPEG it refuses is not read another way. The library
    // decodes near the size wanted; the last step to it is a smooth scaling.
    if (isJpeg(bytes)) {
        Pixels pixels = decodeJpeg(bytes, box);
        const QSize decoded(pixels.width, pixels.height);
        const QSize wanted = fittedSize(decoded, box);
        if (pixels.isNull() || wanted == decoded) {
            return pixels;
        }
        return toPixels(
            toImage(pixels).scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    // Read in its own format (a one-bit scan stays one bit; the readers' scaled reading would
    // widen it to 32 bits at its full size first), within the bound of a JPEG's pixels, then
    // scaled.
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    reader.setAllocationLimit(int(kMaxDecodedBytes / (1024 * 1024)));
    const QImage image = reader.read();
    const QSize wanted = fittedSize(image.size(), box);
    if (image.isNull() || wanted == image.size()) {
        return toPixels(image);
    }
    return toPixels(image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

QByteArray QtPictureFormats::bmp(const Pixels& pixels) const
{
    QByteArray file;
    QBuffer buffer(&file);
    buffer.open(QIODevice::WriteOnly);
    if (!toImage(pixels).save(&buffer, "BMP")) {
        throw Error(QStringLiteral("BMP resmi yazılamadı."));
    }
    return file;
}

QString QtPictureFormats::fileFilter() const
{
    QSet<QString> patterns{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};
    for (const QByteArray& format : QImageReader::supportedImageFormats()) {
        patterns.insert(QStringLiteral("*.") + QString::fromLatin1(format).toLower());
    }
    QStringList sorted(patterns.begin(), patterns.end());
    std::sort(sorted.begin(), sorted.end());
    return QStringLiteral("Resim Dosyaları (%1)").arg(sorted.join(QLatin1Char(' ')));
}

QImage toImage(const Pixels& pixels)
{
    if (pixels.isNull()) {
        return {};
    }
    return QImage(reinterpret_cast<const uchar*>(pixels.rgb.constData()), pixels.width,
                  pixels.height, qsizetype(pixels.width) * 3, QImage::Format_RGB888)
        .copy();
}

Pixels toPixels(const QImage& image)
{
    if (image.isNull()) {
        return {};
    }
    QImage rgb;
    if (image.hasAlphaChannel()) {
        QImage canvas(image.size(), QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        painter.drawImage(0, 0, image);
        painter.end();
        rgb = canvas.convertToFormat(QImage::Format_RGB888);
    } else {
        rgb = image.convertToFormat(QImage::Format_RGB888);
    }
    Pixels pixels;
    pixels.width = rgb.width();
    pixels.height = rgb.height();
    const qsizetype rowBytes = qsizetype(rgb.width()) * 3;
    pixels.rgb.resize(rowBytes * rgb.height());
    for (int y = 0; y < rgb.height(); ++y) {
        std::memcpy(pixels.rgb.data() + y * rowBytes, rgb.constScanLine(y), size_t(rowBytes));
    }
    return pixels;
}

}  // namespace tamevo
