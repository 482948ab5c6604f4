// The report fonts, drawing prepared pages, and the report preview.
#include "reportengine/ReportFonts.h"
#include "reportengine/ReportPainter.h"
#include "reportengine/ReportPreview.h"

#include "support/PdfText.h"
#include "support/ScriptedDialogs.h"

#include <QBuffer>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tamevo::report {

using test::ScriptedDialogs;

TEST(ReportFontsTest, TemplateFamiliesMapToInstalledFonts)
{
    const bool hasTimes = QFontDatabase::families().contains(QStringLiteral("Times New Roman"));
    EXPECT_EQ(reportFontFamily(QStringLiteral("Times New Roman Tur")),
              hasTimes ? QStringLiteral("Times New Roman") : QStringLiteral("Liberation Serif"));
    const QString sans = reportFontFamily(QStringLiteral("Tahoma"));
    EXPECT_TRUE(sans == QLatin1String("Tahoma") || sans == QLatin1String("DejaVu Sans") ||
                sans == QLatin1String("Liberation Sans"))
        << sans.toStdString();
    for (const QString& family :
         {QStringLiteral("Times New Roman Tur"), QStringLiteral("Tahoma")}) {
        const QFont font = reportFont(FontSpec{family, 9, true, 0});
        EXPECT_EQ(QFontInfo(font).family(), reportFontFamily(family));
        EXPECT_TRUE(QFontInfo(font).bold());
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 9);
    }
}

TEST(ReportFontsTest, WrapKeepsWordsWholeAndCutKeepsWhatFits)
{
    const FontMeasurer measurer;
    const FontSpec font;
    const QString text = QStringLiteral(
        "Kasadan çıkan paranın açıklaması uzun olduğunda satırlara bölünür ve hiçbir kelime "
        "ortasından kesilmez");
    const double width = 40;
    const QStringList lines = measurer.wrap(text, font, width);
    ASSERT_GE(lines.size(), 3);
    for (const QString& line : lines) {
        EXPECT_LE(measurer.width(line, font), width) << line.toStdString();
        EXPECT_FALSE(line.startsWith(QLatin1Char(' ')) || line.endsWith(QLatin1Char(' ')));
    }
    EXPECT_EQ(lines.join(QLatin1Char(' ')), text);
    // Each line takes as many words as fit: the next word would not have.
    for (int i = 0; i + 1 < lines.size(); ++i) {
        const QString longer =
            lines[i] + QLatin1Char(' ') + lines[i + 1].section(QLatin1Char(' '), 0, 0);
        EXPECT_GT(measurer.width(longer, font), width);
    }
    // A word wider than the line breaks inside.
    const QString word = QStringLiteral("Çokuzunbirkelimeninsatırasığmadığıdurum");
    const QStringList broken = measurer.wrap(word, font, 20);
    EXPECT_GE(broken.size(), 2);
    EXPECT_EQ(broken.join(QString()), word);
    // A text that fits is left as it is, a space at its end included.
    EXPECT_EQ(measurer.wrap(QStringLiteral("Çay "), font, 40), QStringList{QStringLiteral("Çay ")});
    EXPECT_EQ(measurer.cut(QStringLiteral("Çay "), font, 40), QStringLiteral("Çay "));

    const QString cut = measurer.cut(text, font, width);
    EXPECT_TRUE(text.startsWith(cut));
    EXPECT_LE(measurer.width(cut, font), width);
    EXPECT_GT(measurer.width(text.left(cut.size() + 1), font), width);
    // Measures agree with the font's own.
    QFontMetricsF metrics(reportFont(font));
    const double ratio = metrics.horizontalAdvance(text) / metrics.height();
    EXPECT_NEAR(measurer.width(text, font) / measurer.lineHeight(font), ratio, ratio * 0.002);
}

TEST(ReportPainterTest, PicturesKeepTheirProportionsAtTheTopLeft)
{
    QImage red(200, 100, QImage::Format_RGB32);
    red.fill(Qt::red);
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        ASSERT_TRUE(red.save(&buffer, "PNG"));
    }
    PreparedReport report;
    ItemStyle style;
    style.kind = ReportObject::Kind::Picture;
    style.stretchPicture = true;
    style.keepAspectRatio = true;
    style.picture = png;
    report.styles << style;
    report.pages.append(PreparedPage{{PreparedItem{0, 10, 10, 80, 90, {}}}, {}});

    constexpr double kDotsPerMm = 4;
    QImage page(int(210 * kDotsPerMm), int(297 * kDotsPerMm), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        ReportPainter(report).drawPage(painter, 0, kDotsPerMm);
    }
    const auto at = [&](double x, double y) {
        return QColor(page.pixel(int(x * kDotsPerMm), int(y * kDotsPerMm)));
    };
    EXPECT_EQ(at(12, 12), QColor(Qt::red));
    EXPECT_EQ(at(88, 48), QColor(Qt::red));  // 80 mm wide, so 40 mm high
    EXPECT_EQ(at(50, 60), QColor(Qt::white));
    EXPECT_EQ(at(5, 12), QColor(Qt::white));
}

// A prepared report of three pages, each with a title and five rows.
PreparedReport threePages()
{
    PreparedReport report;
    report.title = QStringLiteral("Deneme Raporu");
    ItemStyle text;
    text.objectName = QStringLiteral("Memo1");
    report.styles << text;
    for (int p = 1; p <= 3; ++p) {
        PreparedPage page;
        page.items << PreparedItem{0, 15, 15, 180, 6, QStringLiteral("SAYFA %1 BAŞLIĞI").arg(p)};
        for (int row = 1; row <= 5; ++row) {
            page.items << PreparedItem{0,   15, float(20 + row * 7),
                                       180, 6,  QStringLiteral("Hareket %1-%2").arg(p).arg(row)};
        }
        report.pages << page;
    }
    return report;
}

class ReportPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        preview.resize(900, 700);
        preview.show();
    }
    // The user's click on one of the preview's buttons.
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // A control of the preview, by its objectName.
    template <class T>
    T* part(const char* name)
    {
        T* found = preview.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    ScriptedDialogs dialogs;
    PreparedReport report = threePages();
    ReportPreview preview{report};
};

TEST_F(ReportPreviewTest, ZoomsInAndOut)
{
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Norvane Rapor Önizleme"));
    EXPECT_EQ(preview.zoom(), 100);
    const int width = part<QScrollArea>("scrollArea")->widget()->width();
    click(part<QAbstractButton>("zoomInButton"));
    EXPECT_EQ(preview.zoom(), 125);
    EXPECT_EQ(part<QComboBox>("zoomBox")->currentText(), QStringLiteral("%125"));
    EXPECT_GT(part<QScrollArea>("scrollArea")->widget()->width(), width);
    click(part<QAbstractButton>("zoomOutButton"));
    click(part<QAbstractButton>("zoomOutButton"));
    EXPECT_EQ(preview.zoom(), 75);
    EXPECT_LT(part<QScrollArea>("scrollArea")->widget()->width(), width);
    // %200 chosen from the keyboard: down the list to it.
    const int target = part<QComboBox>("zoomBox")->findData(200);
    for (int i = 0; i < 20 && part<QComboBox>("zoomBox")->currentIndex() < target; ++i) {
        QTest::keyClick(part<QComboBox>("zoomBox"), Qt::Key_Down);
    }
    EXPECT_EQ(preview.zoom(), 200);
    EXPECT_EQ(part<QLabel>("pageLabel")->text(), QStringLiteral("Sayfa 1 / 3"));
}

TEST_F(ReportPreviewTest, FindsTextFromHitToHitThroughThePages)
{
    part<QLineEdit>("findEdit")->setText(QStringLiteral("hareket 2-"));
    ASSERT_TRUE(preview.findNext());
    EXPECT_EQ(preview.foundPage(), 1);
    EXPECT_EQ(preview.foundItem(), 1);
    EXPECT_EQ(part<QLabel>("pageLabel")->text(), QStringLiteral("Sayfa 2 / 3"));
    click(part<QAbstractButton>("findButton"));
    EXPECT_EQ(preview.foundPage(), 1);
    EXPECT_EQ(preview.foundItem(), 2);

    part<QLineEdit>("findEdit")->setText(QStringLiteral("BAŞLIĞI"));
    ASSERT_TRUE(preview.findNext());
    EXPECT_EQ(preview.foundPage(), 2);
    ASSERT_TRUE(preview.findNext());  // from the end back to the first page
    EXPECT_EQ(preview.foundPage(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    part<QLineEdit>("findEdit")->setText(QStringLiteral("yok böyle"));
    EXPECT_FALSE(preview.findNext());
    EXPECT_EQ(preview.foundPage(), -1);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("\"yok böyle\" bulunamadı.")});
}

TEST_F(ReportPreviewTest, SavesAsPdfAndOpensASavedReport)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rapor"));
    dialogs.choosePath(pdf);
    click(part<QAbstractButton>("saveButton"));
    const QString text = test::pdfText(pdf + QStringLiteral(".pdf"));
    for (int p = 1; p <= 3; ++p) {
        EXPECT_TRUE(text.contains(QStringLiteral("SAYFA %1 BAŞLIĞI").arg(p))) << text.toStdString();
    }
    EXPECT_EQ(text.count(QLatin1Char('\f')), 3);  // one form feed after each page

    // The pages written are shown as the save goes; the user may stop it.
    ASSERT_EQ(dialogs.progresses().size(), 1u);
    EXPECT_TRUE(dialogs.progresses()[0].cancellable);
    EXPECT_EQ(dialogs.progresses()[0].lastStep, QStringLiteral("Sayfa 2 / 3 yazıldı"));

    dialogs.choosePath({});  // cancelled: nothing written
    click(part<QAbstractButton>("saveButton"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);

    // Stopped after its first page: no file, and nothing said.
    dialogs.choosePath(dir.filePath(QStringLiteral("yarim.pdf")));
    dialogs.cancelNextProgressAt(1);
    click(part<QAbstractButton>("saveButton"));
    EXPECT_TRUE(dialogs.progresses().back().cancelled);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());

    dialogs.choosePath(pdf + QStringLiteral(".pdf"));
    click(part<QAbstractButton>("openButton"));
    EXPECT_EQ(dialogs.last()->kind, QStringLiteral("default-program"));
    EXPECT_EQ(dialogs.last()->text, pdf + QStringLiteral(".pdf"));

    dialogs.choosePath(dir.filePath(QStringLiteral("yok/rapor.pdf")));
    dialogs.expectError(QStringLiteral("yok/rapor.pdf"));
    click(part<QAbstractButton>("saveButton"));  // a folder that is not there
    EXPECT_EQ(dialogs.last()->kind, QStringLiteral("message"));
    EXPECT_EQ(dialogs.last()->icon, Dialogs::Icon::Error);
}

// The preview opens within the screen's free area, whatever the screen, and its page box and
// page buttons go to a page.
TEST_F(ReportPreviewTest, FitsTheScreenAndGoesToAPage)
{
    ReportPreview fresh(report);
    fresh.show();
    ASSERT_NE(fresh.screen(), nullptr);
    const QRect free = fresh.screen()->availableGeometry();
    EXPECT_TRUE(free.contains(fresh.frameGeometry()))
        << fresh.frameGeometry().width() << "x" << fresh.frameGeometry().height() << " in "
        << free.width() << "x" << free.height();
    EXPECT_LE(fresh.width(), 980);
    EXPECT_LE(fresh.height(), 900);

    auto* box = part<QSpinBox>("pageBox");
    EXPECT_EQ(box->maximum(), 3);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_3);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(preview.currentPage(), 2);
    EXPECT_EQ(part<QLabel>("pageLabel")->text(), QStringLiteral("Sayfa 3 / 3"));
    click(part<QAbstractButton>("previousPageButton"));
    EXPECT_EQ(preview.currentPage(), 1);
    EXPECT_EQ(box->value(), 2);
    click(part<QAbstractButton>("nextPageButton"));
    click(part<QAbstractButton>("nextPageButton"));  // the last page stays the last
    EXPECT_EQ(preview.currentPage(), 2);
}

}  // namespace tamevo::report
