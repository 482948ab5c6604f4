#pragma once

#include <QByteArray>
#include <QSize>

namespace tamevo {

// A decoded picture: rows of 8-bit red, green and blue values, the top row first, without
// padding between rows.
struct Pixels {
    int width = 0;
    int height = 0;
    QByteArray rgb;  // width * height * 3 bytes

    bool isNull() const { return width <= 0 || height <= 0; }
};

// The largest decoded picture held in memory.
constexpr qint64 kMaxDecodedBytes = 256 * 1024 * 1024;

// True when the bytes begin as a JPEG file does (its start-of-image marker).
bool isJpeg(const QByteArray& bytes);

// The size a picture of `picture` size is shown or printed at within `box`: fitted into it with
// its proportions kept, never enlarged; the picture's own size without a box.
QSize fittedSize(const QSize& picture, const QSize& box);

// Decodes a JPEG file with libjpeg. Null pixels when the bytes are not a whole, readable JPEG
// picture: the library refuses them, their data is cut short or corrupt, or the picture is
// too large to hold in memory. Colour, grey and CMYK pictures all come out as RGB. With a
// `box`, the library decodes at the smallest of its own scales (1/8, 1/4, 1/2) that is still
// at least the picture's fitted size, which is quick and small for a large scan.
Pixels decodeJpeg(const QByteArray& bytes, const QSize& box = {});

// Writes pixels as a JPEG file with libjpeg at `quality` (0 to 100). Throws Error when the
// pixels are null or the library fails.
QByteArray encodeJpeg(const Pixels& pixels, int quality = 90);

}  // namespace tamevo
