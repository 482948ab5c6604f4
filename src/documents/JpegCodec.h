#pragma once

#include <QByteArray>

namespace tamevo {

// A decoded picture: rows of 8-bit red, green and blue values, the top row first, without
// padding between rows.
struct Pixels {
    int width = 0;
    int height = 0;
    QByteArray rgb;  // width * height * 3 bytes

    bool isNull() const { return width <= 0 || height <= 0; }
};

// True when the bytes begin as a JPEG file does (its start-of-image marker).
bool isJpeg(const QByteArray& bytes);

// Decodes a JPEG file with libjpeg. Null pixels when the bytes are not a whole, readable JPEG
// picture: the library refuses them, their data is cut short or corrupt, or the picture is
// too large to hold in memory. Colour, grey and CMYK pictures all come out as RGB.
Pixels decodeJpeg(const QByteArray& bytes);

// Writes pixels as a JPEG file with libjpeg at `quality` (0 to 100). Throws Error when the
// pixels are null or the library fails.
QByteArray encodeJpeg(const Pixels& pixels, int quality = 90);

}  // namespace tamevo
