#pragma once

#include "documents/JpegCodec.h"

#include <QByteArray>
#include <QString>

namespace tamevo {

// The picture formats documents are read in. JPEG is decoded here with libjpeg; the other
// formats (BMP, PNG and the rest) need the image readers of the windows library, which gives
// the implementation.
class PictureFormats {
public:
    virtual ~PictureFormats() = default;

    // The picture a file's bytes hold, whatever its format (found from the bytes, not from a
    // file name); null pixels when the bytes hold no picture these formats read. With a `box`
    // it is decoded at the size it is shown or printed within the box (fittedSize), so a
    // large scan never needs its full size in memory.
    virtual Pixels decode(const QByteArray& bytes, const QSize& box = {}) const = 0;
    // The pixels as a BMP file.
    virtual QByteArray bmp(const Pixels& pixels) const = 0;
    // The file types of the dialog that picks a picture file: every format these read.
    virtual QString fileFilter() const = 0;
};

}  // namespace tamevo
