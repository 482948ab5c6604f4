#include "documents/JpegCodec.h"

#include "data/Errors.h"
#include "data/SystemLibrary.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jerror.h>
#include <jpeglib.h>

// The library is loaded on the first call (SystemLibrary).
#define JPEG(f) TAMEVO_CALL(jpegLibrary, f)

// libjpeg reports a fatal error by calling the error manager's exit routine, which must not
// return. The routine here jumps back with longjmp to the step that called the library. Each
// step below therefore keeps only plain values in its frame (nothing with a destructor lies
// between its setjmp and the library's longjmp), and the steps are separate functions so that
// the Qt objects of their callers are never jumped over.

namespace tamevo {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool damaged;  // a warning said picture data was missing or corrupt
};

[[noreturn]] void errorExit(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings arrive with a negative level; those that tell of lost picture data mark the
// picture as damaged. Trace messages and harmless warnings are ignored.
void emitMessage(j_common_ptr info, int level)
{
    if (level >= 0) {
        return;
    }
    switch (info->err->msg_code) {
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_JPEG_EOF:
        case JWRN_MUST_RESYNC:
        case JWRN_BOGUS_PROGRESSION:
            reinterpret_cast<ErrorManager*>(info->err)->damaged = true;
            break;
        default:
            break;
    }
}

void useErrorManager(j_common_ptr info, ErrorManager& errors)
{
    info->err = JPEG(jpeg_std_error)(&errors.base);
    errors.base.error_exit = errorExit;
    errors.base.emit_message = emitMessage;
    errors.damaged = false;
}

// What the header says about the picture to decode.
struct Header {
    int width;
    int height;
    int components;  // of each decoded pixel: 1 (grey), 3 (RGB) or 4 (CMYK)
    bool invertedCmyk;
};

// The largest of the library's scale denominators whose picture is still at least `wanted`.
unsigned int scaleDenominator(JDIMENSION width, JDIMENSION height, int wantedWidth,
                              int wantedHeight)
{
    for (const unsigned int denominator : {8U, 4U, 2U}) {
        if (int((width + denominator - 1) / denominator) >= wantedWidth &&
            int((height + denominator - 1) / denominator) >= wantedHeight) {
            return denominator;
        }
    }
    return 1;
}

// `boxWidth` and `boxHeight` 0 decode at the full size.
bool startDecompress(jpeg_decompress_struct& info, ErrorManager& errors, const unsigned char* data,
                     unsigned long size, int boxWidth, int boxHeight, Header& header)
{
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    JPEG(jpeg_CreateDecompress)(&info, JPEG_LIB_VERSION, sizeof(info));
    JPEG(jpeg_mem_src)(&info, data, size);
    if (JPEG(jpeg_read_header)(&info, TRUE) != JPEG_HEADER_OK) {
        return false;
    }
    switch (info.jpeg_color_space) {
        case JCS_GRAYSCALE:
            info.out_color_space = JCS_GRAYSCALE;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            info.out_color_space = JCS_CMYK;
            break;
        default:
            info.out_color_space = JCS_RGB;
            break;
    }
    if (boxWidth > 0 && boxHeight > 0) {
        const QSize wanted = fittedSize(QSize(int(info.image_width), int(info.image_height)),
                                        QSize(boxWidth, boxHeight));
        info.scale_num = 1;
        info.scale_denom =
            scaleDenominator(info.image_width, info.image_height, wanted.width(), wanted.height());
    }
    JPEG(jpeg_calc_output_dimensions)(&info);
    if (qint64(info.output_width) * info.output_height * 3 > kMaxDecodedBytes) {
        return false;
    }
    JPEG(jpeg_start_decompress)(&info);
    header.width = int(info.output_width);
    header.height = int(info.output_height);
    header.components = info.output_components;
    header.invertedCmyk = info.saw_Adobe_marker != 0;
    return !errors.damaged;
}

// Reads every row into `rgb` (width * height * 3 bytes), expanding grey and CMYK rows.
bool readRows(jpeg_decompress_struct& info, ErrorManager& errors, const Header& header,
              unsigned char* rgb)
{
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    const JDIMENSION rowBytes = JDIMENSION(header.width) * JDIMENSION(header.components);
    JSAMPARRAY scratch = header.components == 3
                             ? nullptr
                             : (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                         JPOOL_IMAGE, rowBytes, 1);
    while (info.output_scanline < info.output_height && !errors.damaged) {
        unsigned char* out = rgb + std::size_t(info.output_scanline) * header.width * 3;
        if (scratch == nullptr) {
            JSAMPROW row = out;
            JPEG(jpeg_read_scanlines)(&info, &row, 1);
            continue;
        }
        JPEG(jpeg_read_scanlines)(&info, scratch, 1);
        const unsigned char* in = scratch[0];
        for (int x = 0; x < header.width; ++x) {
            if (header.components == 1) {
                out[0] = out[1] = out[2] = in[0];
                in += 1;
            } else {
                // Adobe writes CMYK inverted (255 for no ink).
                const int k = header.invertedCmyk ? in[3] : 255 - in[3];
                for (int c = 0; c < 3; ++c) {
                    const int ink = header.invertedCmyk ? in[c] : 255 - in[c];
                    out[c] = static_cast<unsigned char>(ink * k / 255);
                }
                in += 4;
            }
            out += 3;
        }
    }
    if (errors.damaged) {
        return false;
    }
    JPEG(jpeg_finish_decompress)(&info);
    return !errors.damaged;
}

bool compress(jpeg_compress_struct& info, ErrorManager& errors, const unsigned char* rgb, int width,
              int height, int quality, unsigned char** output, unsigned long* size)
{
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    JPEG(jpeg_CreateCompress)(&info, JPEG_LIB_VERSION, sizeof(info));
    JPEG(jpeg_mem_dest)(&info, output, size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    JPEG(jpeg_set_defaults)(&info);
    JPEG(jpeg_set_quality)(&info, quality, TRUE);
    JPEG(jpeg_start_compress)(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(rgb) + std::size_t(info.next_scanline) * width * 3;
        JPEG(jpeg_write_scanlines)(&info, &row, 1);
    }
    JPEG(jpeg_finish_compress)(&info);
    return true;
}

}  // namespace

bool isJpeg(const QByteArray& bytes)
{
    return bytes.size() >= 3 && quint8(bytes[0]) == 0xFF && quint8(bytes[1]) == 0xD8 &&
           quint8(bytes[2]) == 0xFF;
}

QSize fittedSize(const QSize& picture, const QSize& box)
{
    if (box.isEmpty() || (picture.width() <= box.width() && picture.height() <= box.height())) {
        return picture;
    }
    return picture.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

Pixels decodeJpeg(const QByteArray& bytes, const QSize& box)
{
    if (!isJpeg(bytes)) {
        return {};
    }
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    useErrorManager(reinterpret_cast<j_common_ptr>(&info), errors);
    Header header{};
    Pixels pixels;
    bool ok =
        startDecompress(info, errors, reinterpret_cast<const unsigned char*>(bytes.constData()),
                        static_cast<unsigned long>(bytes.size()), std::max(box.width(), 0),
                        std::max(box.height(), 0), header);
    if (ok) {
        pixels.width = header.width;
        pixels.height = header.height;
        pixels.rgb.resize(qsizetype(header.width) * header.height * 3);
        ok = readRows(info, errors, header, reinterpret_cast<unsigned char*>(pixels.rgb.data()));
    }
    JPEG(jpeg_destroy_decompress)(&info);
    return ok ? pixels : Pixels{};
}

QByteArray encodeJpeg(const Pixels& pixels, int quality)
{
    if (pixels.isNull() || pixels.rgb.size() != qsizetype(pixels.width) * pixels.height * 3) {
        throw Error(QStringLiteral("JPEG yazılamadı: resim boş."));
    }
    jpeg_compress_struct info{};
    ErrorManager errors{};
    useErrorManager(reinterpret_cast<j_common_ptr>(&info), errors);
    unsigned char* output = nullptr;
    unsigned long size = 0;
    const bool ok =
        compress(info, errors, reinterpret_cast<const unsigned char*>(pixels.rgb.constData()),
                 pixels.width, pixels.height, qBound(0, quality, 100), &output, &size);
    QByteArray file;
    if (ok) {
        file = QByteArray(reinterpret_cast<const char*>(output), qsizetype(size));
    }
    char message[JMSG_LENGTH_MAX] = {};
    if (!ok) {
        (*errors.base.format_message)(reinterpret_cast<j_common_ptr>(&info), message);
    }
    JPEG(jpeg_destroy_compress)(&info);
    std::free(output);
    if (!ok) {
        throw Error(QStringLiteral("JPEG yazılamadı: %1").arg(QString::fromLocal8Bit(message)));
    }
    return file;
}

}  // namespace tamevo
