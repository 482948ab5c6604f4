#include "support/PdfText.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>

using tamevo::test::pdfText;

namespace {

const QString kManual = QStringLiteral(TAMEVO_MANUAL_PDF);

// The text of one page (1-based) of the manual.
QString pageText(int page)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"),
            {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
             QStringLiteral("-l"), QString::number(page), kManual, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The height in points of every word of the manual, as the PDF places it.
std::vector<double> wordHeights()
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), kManual, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    const QString boxes = QString::fromUtf8(p.readAllStandardOutput());
    static const QRegularExpression word(
        QStringLiteral(R"re(<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)")re"));
    std::vector<double> heights;
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        heights.push_back(m.captured(2).toDouble() - m.captured(1).toDouble());
    }
    return heights;
}

}  // namespace

// The build writes the manual into the program folder with its chapters and the pictures of
// the windows.
TEST(ManualTest, TheBuildWritesTheManualWithItsChapters)
{
    ASSERT_TRUE(QFile::exists(kManual)) << TAMEVO_MANUAL_PDF;
    const QString text = pdfText(kManual);
    for (const char* chapter :
         {"Kullanım Kılavuzu", "1. Kasaya giriş", "2. Kasa bilgileri ve yeni kasa",
          "3. Günlük kasa işlemleri", "4. Hareket girişi ve düzeltme", "6. Raporlar",
          "7. Excel'e aktarma", "8. Belgeler", "9. Yıl devri", "10. Yedekleme ve geri yükleme",
          "11. Şifreler", "12. Programı güncelleme", "Sayfa 1 /"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(chapter))) << chapter;
    }
}

// Printed on A4 the text reads as a book does: its words are as tall as a 10 to 11 point
// font makes them (DejaVu Sans spans 1.164 of its size from descent to ascent), measured
// from the PDF itself.
TEST(ManualTest, TheBodyTextIsPrintable)
{
    std::vector<double> heights = wordHeights();
    ASSERT_GT(heights.size(), 1000u);
    std::sort(heights.begin(), heights.end());
    const double bodyPoints = heights[heights.size() / 2] / 1.164;
    EXPECT_GE(bodyPoints, 9.5);
    EXPECT_LE(bodyPoints, 11.5);
    EXPECT_GE(heights.front() / 1.164, 8.0);  // the page numbers, the smallest text
}

// The table of contents gives each chapter the page it starts on.
TEST(ManualTest, TheContentsGiveEachChaptersPage)
{
    const QString contents = pageText(1);
    ASSERT_TRUE(contents.contains(QStringLiteral("İçindekiler")));
    static const QRegularExpression entry(QStringLiteral(R"(^\s*(\d+\. .+?)\s{2,}(\d+)\s*$)"),
                                          QRegularExpression::MultilineOption);
    int chapters = 0;
    for (auto it = entry.globalMatch(contents); it.hasNext();) {
        const auto m = it.next();
        const QString title = m.captured(1).trimmed();
        const int page = m.captured(2).toInt();
        EXPECT_TRUE(pageText(page).simplified().contains(title))
            << title.toStdString() << " on " << page;
        ++chapters;
    }
    EXPECT_GE(chapters, 13);
}
