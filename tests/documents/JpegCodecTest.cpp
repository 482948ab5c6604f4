// The JPEG side of documents: libjpeg decoding stored pictures and writing them at quality 90.
#include "documents/JpegCodec.h"

#include "data/Errors.h"

#include <cstdio>

#include <jpeglib.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>

namespace tamevo {
namespace {

// A picture whose left half is red and right half blue.
Pixels halves(int width, int height)
{
    Pixels pixels{width, height, QByteArray(qsizetype(width) * height * 3, '\0')};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char* p = pixels.rgb.data() + (qsizetype(y) * width + x) * 3;
            p[x < width / 2 ? 0 : 2] = char(255);
        }
    }
    return pixels;
}

// A picture of fine detail, so most of its JPEG file is picture data.
Pixels detailed(int width, int height)
{
    Pixels pixels{width, height, QByteArray(qsizetype(width) * height * 3, '\0')};
    for (qsizetype i = 0; i < pixels.rgb.size(); ++i) {
        pixels.rgb[i] = char((i * 7919) % 251);
    }
    return pixels;
}

// The colour of a pixel, as red, green and blue.
std::array<int, 3> at(const Pixels& pixels, int x, int y)
{
    const auto* p = reinterpret_cast<const uchar*>(pixels.rgb.constData()) +
                    (qsizetype(y) * pixels.width + x) * 3;
    return {p[0], p[1], p[2]};
}

void expectNear(const std::array<int, 3>& colour, const std::array<int, 3>& expected)
{
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(colour[c], expected[c], 12) << "component " << c;
    }
}

// A JPEG written straight with libjpeg in another colour space, as scanners write grey and
// CMYK pictures.
QByteArray libjpegFile(int width, int height, J_COLOR_SPACE space, int components,
                       const QByteArray& samplesOfOnePixel)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    QByteArray row = samplesOfOnePixel.repeated(width);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = reinterpret_cast<JSAMPROW>(row.data());
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray file(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return file;
}

// The first step of the first quantisation table: 3 for libjpeg's quality 90 (8 at its
// default 75).
int firstQuantisationStep(const QByteArray& jpeg)
{
    const qsizetype table = jpeg.indexOf(QByteArray("\xFF\xDB", 2));
    return table < 0 ? -1 : quint8(jpeg.at(table + 5));
}

TEST(JpegCodecTest, WritesAtQuality90AndReadsTheSamePictureBack)
{
    const QByteArray file = encodeJpeg(halves(64, 48));
    EXPECT_TRUE(isJpeg(file));
    EXPECT_EQ(firstQuantisationStep(file), 3);
    EXPECT_EQ(firstQuantisationStep(encodeJpeg(halves(64, 48), 75)), 8);

    const Pixels read = decodeJpeg(file);
    ASSERT_EQ(read.width, 64);
    ASSERT_EQ(read.height, 48);
    expectNear(at(read, 8, 24), {255, 0, 0});
    expectNear(at(read, 56, 24), {0, 0, 255});

    EXPECT_THROW(encodeJpeg(Pixels{}), Error);
}

TEST(JpegCodecTest, GreyAndCmykPicturesReadAsRgb)
{
    const Pixels grey = decodeJpeg(libjpegFile(24, 16, JCS_GRAYSCALE, 1, QByteArray(1, char(128))));
    ASSERT_EQ(grey.width, 24);
    ASSERT_EQ(grey.height, 16);
    expectNear(at(grey, 12, 8), {128, 128, 128});

    // CMYK as Adobe writes it, inverted: no cyan, full magenta and yellow, no black is red.
    const Pixels cmyk =
        decodeJpeg(libjpegFile(24, 16, JCS_CMYK, 4, QByteArray("\xFF\x00\x00\xFF", 4)));
    ASSERT_EQ(cmyk.width, 24);
    expectNear(at(cmyk, 12, 8), {255, 0, 0});
}

// Within a box a picture is decoded at the library's smallest scale still at least its fitted
// size; a picture that fits, or no box, gives the full size.
TEST(JpegCodecTest, WithinABoxThePictureIsDecodedNearTheSizeItIsShownAt)
{
    const QByteArray file = encodeJpeg(halves(800, 400));
    const struct {
        QSize box;
        QSize fitted;
        QSize decoded;
    } cases[] = {
        {{}, {800, 400}, {800, 400}},         {{1000, 1000}, {800, 400}, {800, 400}},
        {{100, 100}, {100, 50}, {100, 50}},    // 1/8
        {{150, 400}, {150, 75}, {200, 100}},   // 1/4: 1/8 would be smaller
        {{400, 150}, {300, 150}, {400, 200}},  // the height decides
        {{799, 400}, {799, 399}, {800, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.box.width() << "x" << c.box.height());
        EXPECT_EQ(fittedSize(QSize(800, 400), c.box), c.fitted);
        const Pixels read = decodeJpeg(file, c.box);
        EXPECT_EQ(QSize(read.width, read.height), c.decoded);
        if (!read.isNull()) {
            expectNear(at(read, read.width / 4, read.height / 2), {255, 0, 0});
            expectNear(at(read, read.width * 3 / 4, read.height / 2), {0, 0, 255});
        }
    }
}

TEST(JpegCodecTest, WhatIsNoWholeJpegReadsAsNothing)
{
    const QByteArray whole = encodeJpeg(detailed(160, 120));
    ASSERT_FALSE(decodeJpeg(whole).isNull());
    const qsizetype pictureData = whole.indexOf(QByteArray("\xFF\xDA", 2));
    ASSERT_GT(pictureData, 0);
    ASSERT_LT(pictureData, whole.size() / 4);
    QByteArray scrambled = whole;
    for (qsizetype i = scrambled.size() / 2; i < scrambled.size() - 2; i += 3) {
        scrambled[i] = char(0xFF);
        scrambled[i + 1] = char(0xD0 + i % 7);
    }
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"text", QByteArray("bu bir resim degil, yalnizca metin")},
        {"cut in its header", whole.left(30)},
        {"cut in its picture data", whole.left(whole.size() * 2 / 3)},
        {"picture data scrambled", scrambled},
        {"a start marker and noise", QByteArray("\xFF\xD8\xFF", 3) + QByteArray(500, 'x')},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(decodeJpeg(c.bytes).isNull()) << c.what;
    }
}

}  // namespace
}  // namespace tamevo
