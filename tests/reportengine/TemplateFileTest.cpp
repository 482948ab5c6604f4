// Report templates as data files: reading them, their errors, and the ledger's twelve.
#include "reportengine/ReportTemplate.h"

#include "data/Errors.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tamevo::report {

namespace {

QByteArray minimal(const QString& objects, const QString& extra = {})
{
    return QStringLiteral(R"({"name": "t", "title": "Deneme", %1
        "dataLinks": [{"name": "link", "component": "rows"}],
        "bands": [{"name": "Band4", "kind": "masterData", "height": 6, "dataLink": "link",
                   "objects": [%2]}]})")
        .arg(extra, objects)
        .toUtf8();
}

}  // namespace

TEST(TemplateFileTest, ReadsATemplateWithItsDefaults)
{
    const ReportTemplate t = ReportTemplate::fromJson(
        minimal(QStringLiteral(
            R"({"name": "Memo1", "x": 15.6, "y": 0.3, "width": 20, "height": 6.1,
                "lines": ["[rows.\"a\"]", "ikinci"], "format": "date:dd.mmmm.yyyy",
                "frame": "box", "frameWidth": "thick", "align": "right", "vcenter": true,
                "font": {"family": "Tahoma", "size": 10, "bold": true, "color": "#800000"}},
               {"name": "Memo2", "x": 1, "width": 2, "height": 3})")),
        QStringLiteral("deneme"));
    EXPECT_EQ(t.page, PageSpec{});
    EXPECT_DOUBLE_EQ(t.page.height, 297);
    EXPECT_DOUBLE_EQ(t.page.marginTop, 15);
    const ReportObject* memo1 = t.findObject(QStringLiteral("Memo1"));
    ASSERT_NE(memo1, nullptr);
    EXPECT_EQ(memo1->lines,
              (QStringList{QStringLiteral("[rows.\"a\"]"), QStringLiteral("ikinci")}));
    EXPECT_EQ(memo1->format.kind, ValueFormat::Kind::Date);
    EXPECT_EQ(memo1->format.datePattern, QStringLiteral("dd.mmmm.yyyy"));
    EXPECT_TRUE(memo1->frame.top && memo1->frame.bottom && memo1->frame.left && memo1->frame.right);
    EXPECT_DOUBLE_EQ(memo1->frame.width, Frame::kThick);
    EXPECT_EQ(memo1->align, HAlign::Right);
    EXPECT_EQ(memo1->font, (FontSpec{QStringLiteral("Tahoma"), 10, true, 0x800000}));
    const ReportObject* memo2 = t.findObject(QStringLiteral("Memo2"));
    ASSERT_NE(memo2, nullptr);
    EXPECT_EQ(memo2->font, FontSpec{});
    EXPECT_EQ(memo2->font.family, QStringLiteral("Times New Roman Tur"));
    EXPECT_FALSE(memo2->frame.any());
    EXPECT_EQ(t.findObject(QStringLiteral("Memo3")), nullptr);
}

TEST(TemplateFileTest, RefusesTemplatesThatDoNotHoldTogether)
{
    const QString object = QStringLiteral(R"({"name": "Memo1", "x": 1, "width": 2, "height": 3})");
    const QList<QByteArray> broken{
        "{ not json",
        minimal(
            QStringLiteral(R"({"name": "Memo1", "x": 1, "width": 2, "height": 3, "wrap": true})")),
        minimal(QStringLiteral(
            R"({"name": "Memo1", "x": 1, "width": 2, "height": 3, "frame": "left"})")),
        minimal(QStringLiteral(R"({"name": "Memo1", "x": 1, "width": 2})")),
        minimal(QStringLiteral(R"({"name": "Memo1", "x": "1", "width": 2, "height": 3})")),
        minimal(QStringLiteral(
            R"({"name": "Memo1", "x": 1, "width": 2, "height": 3, "format": "para"})")),
        minimal(object + QLatin1Char(',') + object),
        minimal(object,
                QStringLiteral(R"("variables": [{"name": "T", "sum": "a", "band": "Yok"}],)")),
        R"({"name": "t", "bands": [{"name": "B", "kind": "masterData", "height": 5, "dataLink": "yok"}]})",
        R"({"name": "t", "dataLinks": [{"name": "l", "user": true}],
            "bands": [{"name": "D", "kind": "detailData", "height": 5, "dataLink": "l", "master": "M"},
                      {"name": "M", "kind": "masterData", "height": 5, "dataLink": "l"}]})",
        R"({"name": "t", "bands": [{"name": "B", "kind": "kenar", "height": 5}]})",
    };
    for (const QByteArray& json : broken) {
        try {
            ReportTemplate::fromJson(json, QStringLiteral("bozuk.json"));
            ADD_FAILURE() << "accepted: " << json.toStdString();
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("bozuk.json"))) << error.what();
        }
    }
    EXPECT_THROW(ReportTemplate::load(QStringLiteral(":/yok.json")), Error);
}

TEST(TemplateFileTest, ReplacedTextsAndLoadedPicturesStay)
{
    ReportTemplate t = ReportTemplate::fromJson(
        minimal(QStringLiteral(
            R"({"name": "Memo1", "x": 1, "width": 2, "height": 3, "lines": ["a", "b"]},
               {"name": "Picture1", "type": "picture", "x": 1, "width": 2, "height": 3,
                "stretch": true, "keepAspectRatio": true})")),
        QStringLiteral("deneme"));
    t.replaceText(QStringLiteral("Memo1"), QStringLiteral("Yeni başlık"));
    EXPECT_EQ(t.findObject(QStringLiteral("Memo1"))->lines,
              QStringList{QStringLiteral("Yeni başlık")});
    t.replaceText(QStringLiteral("Memo1"), QString());
    EXPECT_EQ(t.findObject(QStringLiteral("Memo1"))->lines, QStringList{QString()});
    EXPECT_THROW(t.replaceText(QStringLiteral("Memo9"), QStringLiteral("x")), Error);
    EXPECT_THROW(t.replaceText(QStringLiteral("Picture1"), QStringLiteral("x")), Error);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("resim.bin"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("resim baytları");
    out.close();
    t.loadPicture(QStringLiteral("Picture1"), file);
    EXPECT_EQ(t.findObject(QStringLiteral("Picture1"))->picture, QByteArray("resim baytları"));
    EXPECT_TRUE(t.findObject(QStringLiteral("Picture1"))->keepAspectRatio);
    EXPECT_THROW(t.loadPicture(QStringLiteral("Memo1"), file), Error);
    EXPECT_THROW(t.loadPicture(QStringLiteral("Picture1"), dir.filePath(QStringLiteral("yok"))),
                 Error);
}

// The ledger's templates: each of the six layouts wraps its data rows, and its twin is the
// same template with the data rows left unwrapped.
TEST(TemplateFileTest, LedgerTemplatesAndTheirShortDescriptionTwins)
{
    for (int number = 1; number <= 6; ++number) {
        SCOPED_TRACE(number);
        const auto load = [](int n) {
            return ReportTemplate::load(QStringLiteral(":/reports/kasaRF/frReport%1.json").arg(n));
        };
        const ReportTemplate wrapped = load(number);
        ReportTemplate twin = load(number + 6);
        EXPECT_EQ(wrapped.name, QStringLiteral("frReport%1").arg(number));
        EXPECT_EQ(twin.name, QStringLiteral("frReport%1").arg(number + 6));
        EXPECT_EQ(twin.title, wrapped.title);
        int dataObjects = 0;
        for (Band& band : twin.bands) {
            for (ReportObject& object : band.objects) {
                if (band.isData()) {
                    ++dataObjects;
                    EXPECT_TRUE(object.stretch) << object.name.toStdString();
                    EXPECT_FALSE(object.wordWrap) << object.name.toStdString();
                    EXPECT_TRUE(wrapped.findObject(object.name)->wordWrap)
                        << object.name.toStdString();
                    object.wordWrap = true;
                }
            }
        }
        EXPECT_GE(dataObjects, 6);
        twin.name = wrapped.name;
        EXPECT_EQ(twin, wrapped);
        // Every ledger template has the cash book block, the title and the page footer.
        for (const char* name : {"Memo59", "Memo57", "Memo58", "Memo1", "Memo2"}) {
            EXPECT_NE(wrapped.findObject(QString::fromLatin1(name)), nullptr) << name;
        }
    }
}

}  // namespace tamevo::report
