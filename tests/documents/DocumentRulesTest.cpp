// The rules of document files: the 350 KB limit and its message, the ".jpg" file name.
#include "documents/DocumentRules.h"

#include <gtest/gtest.h>

namespace tamevo {
namespace {

TEST(DocumentRulesTest, TooLargeMessageGivesTheSizeInKbRoundedToTwoDecimals)
{
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const struct {
        qint64 bytes;
        QLocale locale;
        const char* size;
    } cases[] = {
        {358401, turkish, "350"},         // 350.00098 KB
        {409600, turkish, "400"},         // exactly 400 KB
        {358912, turkish, "350,5"},       // no trailing zero
        {359000, turkish, "350,59"},      // 350.5859 KB
        {358528, turkish, "350,13"},      // 350.125 KB: the half rounds up
        {1536000, turkish, "1500"},       // a plain number, no thousands separator
        {358912, QLocale::c(), "350.5"},  // the locale's decimal separator
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pictureTooLargeMessage(c.bytes, c.locale),
                  QStringLiteral("Resim Boyutu %1 KB 350 KB tan büyük resim yüklemesi "
                                 "yapamazsınız!")
                      .arg(QLatin1String(c.size)))
            << c.bytes;
    }
    EXPECT_EQ(kMaxPictureBytes, 358400);
}

TEST(DocumentRulesTest, JpegFileNameAppendsJpgUnlessTheNameHasItInLowerCase)
{
    const struct {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"belge.JPG", "belge.JPG.jpg"},       {"/tmp/belge", "/tmp/belge.jpg"},
        {"/tmp/belge.jpg", "/tmp/belge.jpg"}, {"belge.jpeg", "belge.jpeg.jpg"},
        {"eski.jpg.yedek", "eski.jpg.yedek"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(jpegFileName(QString::fromUtf8(c.chosen)), QString::fromUtf8(c.written));
    }
}

}  // namespace
}  // namespace tamevo
