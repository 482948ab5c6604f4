#pragma once

#include "documents/PictureFormats.h"

#include <QImage>

namespace tamevo {

// The picture formats of the program: JPEG through libjpeg, every other format through Qt's
// image readers.
class QtPictureFormats : public PictureFormats {
public:
    Pixels decode(const QByteArray& bytes, const QSize& box = {}) const override;
    QByteArray bmp(const Pixels& pixels) const override;
    QString fileFilter() const override;
};

// The pixels as an image; a null image for null pixels.
QImage toImage(const Pixels& pixels);
// An image as pixels, drawn over white where it is transparent; null pixels for a null image.
Pixels toPixels(const QImage& image);

}  // namespace tamevo
