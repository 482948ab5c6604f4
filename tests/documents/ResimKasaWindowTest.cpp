// The documents window over a real cash book: documents added to the ledger's current
// movement from real picture files, the 350 KB rule, deleting, the prints rendered to PDF,
// saving as JPEG and opening in the picture viewer.
#include "documents/ResimKasaWindow.h"

#include "documents/DocumentRules.h"
#include "documents/JpegCodec.h"
#include "documents/QtPictureFormats.h"
#include "ledger/KasaRWindow.h"
#include "reportengine/ReportPreview.h"

#include "support/ProgramFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtMath>

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>

namespace tamevo::test {
namespace {

const QString kBook = QStringLiteral("Data/K012021.mdb");

class ResimKasaWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
        enter(QStringLiteral("K01"), QStringLiteral("2021"));
        ASSERT_TRUE(isShown("kasaRF"));
        execute(kBook,
                {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                                "alacak_tutar, doviz_kuru, aciklama, neden) VALUES "
                                "('2021-01-05', 'TL', 1250.5, NULL, 1, 'Peşin satış', 'Satış')"),
                 QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                                "alacak_tutar, doviz_kuru, aciklama, neden) VALUES "
                                "('2021-01-05', 'TL', NULL, 300, 1, 'Kira ödemesi', 'Kira')")});
        QTest::mouseClick(control<QAbstractButton>("kasaRF", "yenileBut"), Qt::LeftButton);
        ASSERT_EQ(control<QTableView>("kasaRF", "DBGrid1")->model()->rowCount(), 2);
        window = windowNamed<TresimkasaF>("resimkasaF");
    }

    // Selects a movement of the ledger's day with a click, as the user does.
    void selectMovement(int row)
    {
        QTableView* grid = control<QTableView>("kasaRF", "DBGrid1");
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(row, 0)).center());
    }
    qlonglong movementId(int row)
    {
        return queryValue(
                   kBook,
                   QStringLiteral("SELECT nid FROM nakit ORDER BY nid LIMIT 1 OFFSET %1").arg(row))
            .toLongLong();
    }
    // "BELGE EKLE" in the ledger for the movement of that row.
    void openDocuments(int row)
    {
        selectMovement(row);
        QTest::mouseClick(control<QAbstractButton>("kasaRF", "ResimEkle"), Qt::LeftButton);
        ASSERT_TRUE(window->isVisible());
    }

    template <typename T = QPushButton>
    T* documentControl(const char* objectName)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(objectName));
        EXPECT_NE(found, nullptr) << objectName;
        return found;
    }
    void press(const char* buttonName)
    {
        QTest::mouseClick(documentControl(buttonName), Qt::LeftButton);
    }
    QLineEdit* field(const char* objectName) { return documentControl<QLineEdit>(objectName); }
    QTableView* documentGrid() { return documentControl<QTableView>("DBGrid1"); }

    // "Yeni", a name, "Evrak Yükle" with the file, "Sakla".
    void addDocument(const QString& name, const QString& file)
    {
        press("JvXPButton20");
        typeKeys(field("DBEdit1"), name);
        load(file);
        press("JvXPButton18");
    }
    void load(const QString& file)
    {
        dialogs().choosePath(file);
        press("JvXPButton28");
    }

    qlonglong documentCount(const QString& condition = QStringLiteral("TRUE"))
    {
        return queryValue(kBook,
                          QStringLiteral("SELECT COUNT(*) FROM resimnakit WHERE ") + condition)
            .toLongLong();
    }

    // Picture files written into the test's folder.
    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QImage filled(int width, int height, Qt::GlobalColor colour)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    QString bmpFile(const QString& name, const QImage& image)
    {
        const QString file = path(name);
        EXPECT_TRUE(image.save(file, "BMP"));
        return file;
    }
    // A picture of fine detail, so most of its JPEG file is picture data.
    static QImage detailed(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                image.setPixel(x, y, qRgb((x * 37 + y * 11) % 256, (x * y) % 256, (y * 53) % 256));
            }
        }
        return image;
    }
    static QByteArray jpeg(const QImage& image) { return encodeJpeg(toPixels(image)); }
    QByteArray readFile(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList kinds()
    {
        QStringList list;
        for (const auto& shown : dialogs().shown()) {
            list << shown.kind;
        }
        return list;
    }

    TresimkasaF* window = nullptr;
};

TEST_F(ResimKasaWindowTest, AddsADocumentToTheCurrentMovementKeepingTheFileBytes)
{
    openDocuments(1);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Kasa Hareketleri Evrak Kayıt ve İzleme"));
    EXPECT_EQ(field("DBEdit2")->text(), QStringLiteral("Kira ödemesi"));
    EXPECT_EQ(field("DBEdit3")->text(), QStringLiteral("Kira"));
    EXPECT_EQ(field("DBEdit4")->text(), QStringLiteral("05.01.2021"));
    EXPECT_EQ(field("DBEdit5")->text(), QString());
    EXPECT_EQ(field("DBEdit6")->text(), QStringLiteral("300,00"));
    EXPECT_EQ(field("DBEdit7")->text(), QStringLiteral("TL"));
    EXPECT_EQ(field("DBEdit8")->text(), QString::number(movementId(1)));
    EXPECT_EQ(documentControl<QLabel>("StatusPanel3")->text(),
              QStringLiteral(" Version: 3.4 Guncelleme: 0"));

    const QString bmp = bmpFile(QStringLiteral("makbuz.bmp"), filled(120, 80, Qt::red));
    addDocument(QStringLiteral("Kira sözleşmesi"), bmp);

    EXPECT_TRUE(dialogs().messages().isEmpty()) << dialogs().messages().join(u'|').toStdString();
    const auto open = std::find_if(dialogs().shown().begin(), dialogs().shown().end(),
                                   [](const auto& s) { return s.kind == QLatin1String("open"); });
    ASSERT_NE(open, dialogs().shown().end());
    for (const char* pattern : {"*.jpg", "*.jpeg", "*.bmp", "*.png"}) {
        EXPECT_TRUE(open->filter.contains(QLatin1String(pattern))) << pattern;
    }
    ASSERT_EQ(documentCount(), 1);
    EXPECT_EQ(queryValue(kBook, QStringLiteral("SELECT nakidid FROM resimnakit")).toLongLong(),
              movementId(1));
    EXPECT_EQ(queryValue(kBook, QStringLiteral("SELECT resimadi FROM resimnakit")).toString(),
              QStringLiteral("Kira sözleşmesi"));
    const QByteArray stored =
        queryValue(kBook, QStringLiteral("SELECT resim FROM resimnakit")).toByteArray();
    EXPECT_EQ(stored, readFile(bmp));
    EXPECT_TRUE(stored.startsWith("BM"));

    ASSERT_EQ(documentGrid()->model()->rowCount(), 1);
    EXPECT_EQ(documentGrid()->model()->index(0, 0).data().toString(),
              QStringLiteral("Kira sözleşmesi"));
    QWidget* picture = documentControl<QWidget>("DBImage1");
    const QImage shown = picture->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(shown.width() / 2, shown.height() / 2)), QColor(Qt::red));
}

TEST_F(ResimKasaWindowTest, PictureFilesOver350KbAreRefusedWithTheirSize)
{
    openDocuments(0);
    const QByteArray small = jpeg(filled(40, 30, Qt::blue));
    const struct {
        qint64 size;
        const char* shownSize;  // empty: the file loads
    } cases[] = {{358401, "350"}, {409600, "400"}, {358400, ""}};
    for (const auto& c : cases) {
        // A JPEG padded after its end to the size; libjpeg reads no further than the end.
        const QString file = writeFile(QStringLiteral("evrak%1.jpg").arg(c.size),
                                       small + QByteArray(qsizetype(c.size) - small.size(), '\0'));
        dialogs().clear();
        load(file);
        press("JvXPButton18");
        const QString size = QString::fromLatin1(c.shownSize);
        if (size.isEmpty()) {
            EXPECT_TRUE(dialogs().messages().isEmpty()) << c.size;
            EXPECT_EQ(documentCount(), 1);
            EXPECT_EQ(
                queryValue(kBook, QStringLiteral("SELECT resim FROM resimnakit")).toByteArray(),
                readFile(file));
        } else {
            EXPECT_EQ(dialogs().messages(),
                      QStringList{QStringLiteral("Resim Boyutu %1 KB 350 KB tan büyük resim "
                                                 "yüklemesi yapamazsınız!")
                                      .arg(size)})
                << c.size;
            EXPECT_EQ(documentCount(), 0) << c.size;
        }
    }
}

TEST_F(ResimKasaWindowTest, FilesThatAreNoReadablePictureAreRefusedAndNothingIsStored)
{
    openDocuments(0);
    const QByteArray whole = jpeg(detailed(200, 150));
    const QString damaged =
        writeFile(QStringLiteral("yarim.jpg"), whole.left(whole.size() * 2 / 3));
    const QString text =
        writeFile(QStringLiteral("not.jpg"), QByteArray("Bu bir resim değil, yalnızca metin.\n"));
    for (const QString& file : {damaged, text}) {
        dialogs().clear();
        load(file);
        press("JvXPButton18");
        EXPECT_EQ(dialogs().messages(), QStringList{kNotAPicture}) << file.toStdString();
        EXPECT_EQ(documentCount(), 0);
    }
    EXPECT_EQ(documentGrid()->model()->rowCount(), 1);  // the new document, still pending
}

// KAPAT with a loaded document not stored asks first: Hayır, the default, drops it; Evet
// stores it. A new document without a picture goes without a question.
TEST_F(ResimKasaWindowTest, ClosingWithALoadedDocumentNotStoredAsksWhetherToStoreIt)
{
    const struct {
        const char* name;
        bool loadPicture;
        std::optional<Dialogs::Answer> answer;  // none: no question
        qlonglong stored;
    } cases[] = {
        {"Hayır", true, Dialogs::Answer::No, 0},
        {"no picture", false, std::nullopt, 0},
        {"Evet", true, Dialogs::Answer::Yes, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        openDocuments(0);
        press("JvXPButton20");
        typeKeys(field("DBEdit1"), QStringLiteral("Fatura"));
        if (c.loadPicture) {
            load(bmpFile(QStringLiteral("fatura.bmp"), filled(50, 50, Qt::blue)));
        }
        EXPECT_EQ(documentGrid()->model()->rowCount(), 1);
        dialogs().clear();
        if (c.answer) {
            dialogs().answer(*c.answer);
        }
        press("kapatBut");
        EXPECT_FALSE(window->isVisible());
        if (c.answer) {
            ASSERT_EQ(kinds(), QStringList{QStringLiteral("question")});
            EXPECT_EQ(dialogs().questions(), QStringList{kStoreBeforeClosingQuestion});
            EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
        } else {
            EXPECT_EQ(kinds(), QStringList());
        }
        EXPECT_EQ(documentCount(), c.stored);

        openDocuments(0);
        EXPECT_EQ(documentGrid()->model()->rowCount(), c.stored);
        EXPECT_EQ(field("DBEdit1")->text(), c.stored ? QStringLiteral("Fatura") : QString());
    }
}

// "Sakla" of a new document whose picture was refused stores no document without a picture.
TEST_F(ResimKasaWindowTest, SaklaRefusesADocumentWithoutAPicture)
{
    openDocuments(0);
    press("JvXPButton20");
    typeKeys(field("DBEdit1"), QStringLiteral("Fatura"));
    load(writeFile(QStringLiteral("not.jpg"), QByteArray("resim değil")));
    dialogs().clear();
    press("JvXPButton18");
    EXPECT_EQ(dialogs().messages(), QStringList{kNoPictureToStore});
    EXPECT_EQ(documentCount(), 0);
    // The document stays pending, and takes its picture.
    load(bmpFile(QStringLiteral("fatura.bmp"), filled(50, 50, Qt::blue)));
    press("JvXPButton18");
    EXPECT_EQ(documentCount(QStringLiteral("resimadi = 'Fatura' AND resim IS NOT NULL")), 1);
}

TEST_F(ResimKasaWindowTest, DocumentsListUnderTheirMovementOnlyAndStayWhenItIsDeleted)
{
    openDocuments(0);
    addDocument(QStringLiteral("Fatura"),
                bmpFile(QStringLiteral("a.bmp"), filled(20, 20, Qt::red)));
    addDocument(QStringLiteral("İrsaliye"),
                writeFile(QStringLiteral("b.jpg"), jpeg(filled(20, 20, Qt::blue))));
    ASSERT_EQ(documentCount(QStringLiteral("nakidid = %1").arg(movementId(0))), 2);

    selectMovement(1);
    EXPECT_EQ(field("DBEdit8")->text(), QString::number(movementId(1)));
    EXPECT_EQ(documentGrid()->model()->rowCount(), 0);
    selectMovement(0);
    ASSERT_EQ(documentGrid()->model()->rowCount(), 2);
    EXPECT_EQ(documentGrid()->model()->index(0, 0).data().toString(), QStringLiteral("Fatura"));
    EXPECT_EQ(documentGrid()->model()->index(1, 0).data().toString(), QStringLiteral("İrsaliye"));

    const qlonglong deleted = movementId(0);
    dialogs().answer(Dialogs::Answer::Yes);
    QTest::mouseClick(control<QAbstractButton>("kasaRF", "KaydSil"), Qt::LeftButton);
    EXPECT_EQ(queryValue(kBook, QStringLiteral("SELECT COUNT(*) FROM nakit")).toLongLong(), 1);
    EXPECT_EQ(documentCount(QStringLiteral("nakidid = %1").arg(deleted)), 2);
}

TEST_F(ResimKasaWindowTest, AChangedDocumentIsStoredBeforeTheLedgerMovesOn)
{
    openDocuments(0);
    press("JvXPButton20");
    typeKeys(field("DBEdit1"), QStringLiteral("Dekont"));
    load(bmpFile(QStringLiteral("dekont.bmp"), filled(30, 30, Qt::red)));
    selectMovement(1);
    EXPECT_EQ(
        documentCount(QStringLiteral("nakidid = %1 AND resimadi = 'Dekont'").arg(movementId(0))),
        1);
}

TEST_F(ResimKasaWindowTest, DeleteAsksAndOnlyYesDeletes)
{
    openDocuments(0);
    addDocument(QStringLiteral("Fatura"),
                bmpFile(QStringLiteral("a.bmp"), filled(20, 20, Qt::red)));
    for (const Dialogs::Answer answer :
         {Dialogs::Answer::No, Dialogs::Answer::Cancel, Dialogs::Answer::Yes}) {
        dialogs().clear();
        dialogs().answer(answer);
        press("JvXPButton19");
        ASSERT_EQ(dialogs().shown().size(), 1u);
        const auto& question = dialogs().shown().front();
        EXPECT_EQ(question.title, QStringLiteral("Norvane Tamevo Programı"));
        EXPECT_EQ(question.text, QStringLiteral("Bu kayıt silinecek.\n\rDevam edilsinmi?"));
        EXPECT_EQ(question.buttons, Dialogs::Buttons::YesNoCancel);
        EXPECT_EQ(documentCount(), answer == Dialogs::Answer::Yes ? 0 : 1);
    }
    EXPECT_EQ(documentGrid()->model()->rowCount(), 0);
}

TEST_F(ResimKasaWindowTest, ABmpDocumentIsSavedAsJpegUnderTheJpgName)
{
    openDocuments(0);
    addDocument(QStringLiteral("Makbuz"),
                bmpFile(QStringLiteral("makbuz.bmp"), filled(120, 80, Qt::red)));
    const QString written = path(QStringLiteral("belge.JPG.jpg"));

    dialogs().clear();
    dialogs().choosePath(path(QStringLiteral("belge.JPG")));
    dialogs().answer(Dialogs::Answer::No);  // open it?
    press("JvXPButton24");
    EXPECT_EQ(dialogs().shown().front().kind, QStringLiteral("save"));
    EXPECT_EQ(dialogs().shown().front().filter, QStringLiteral("JPEG Resim Dosyası (*.jpg)"));
    EXPECT_EQ(dialogs().questions(), QStringList{QStringLiteral("Dosyayı açmak istermisiniz?")});
    const Pixels saved = decodeJpeg(readFile(written));
    EXPECT_EQ(saved.width, 120);
    EXPECT_EQ(saved.height, 80);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("belge.JPG"))));

    // An existing file is replaced only on Yes; then the saved file opens when asked.
    writeFile(QStringLiteral("belge.JPG.jpg"), "eski");
    dialogs().clear();
    dialogs().choosePath(path(QStringLiteral("belge.JPG")));
    dialogs().answer(Dialogs::Answer::No);  // overwrite?
    press("JvXPButton24");
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Dosya mevcut Üzerine kayıt edilsinmi?")});
    EXPECT_EQ(readFile(written), QByteArray("eski"));

    dialogs().clear();
    dialogs().choosePath(path(QStringLiteral("belge.JPG")));
    dialogs().answer(Dialogs::Answer::Yes);  // overwrite?
    dialogs().answer(Dialogs::Answer::Yes);  // open it?
    press("JvXPButton24");
    EXPECT_EQ(decodeJpeg(readFile(written)).width, 120);
    EXPECT_EQ(dialogs().last()->kind, QStringLiteral("default-program"));
    EXPECT_EQ(dialogs().last()->text, written);
    EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("belge*")}, QDir::Files),
              QStringList{QStringLiteral("belge.JPG.jpg")});
}

TEST_F(ResimKasaWindowTest, OpensThePictureInTheViewerThroughRaporRJpg)
{
    openDocuments(0);
    addDocument(QStringLiteral("Fiş"),
                writeFile(QStringLiteral("fis.jpg"), jpeg(filled(64, 40, Qt::blue))));
    const QString viewerFile = path(QStringLiteral("RaporR.jpg"));
    writeFile(QStringLiteral("RaporR.jpg"), "önceki resim");

    dialogs().clear();
    press("windowsacBut");
    EXPECT_EQ(kinds(), QStringList{QStringLiteral("default-program")});
    EXPECT_EQ(dialogs().last()->text, viewerFile);
    const Pixels written = decodeJpeg(readFile(viewerFile));
    EXPECT_EQ(written.width, 64);
    EXPECT_EQ(written.height, 40);

    // A viewer that cannot be started is told, with the file's name.
    dialogs().clear();
    dialogs().failNextOpen();
    dialogs().expectError(QStringLiteral("açılamadı."));
    press("windowsacBut");
    EXPECT_EQ(
        dialogs().messages(),
        QStringList{QStringLiteral("%1 açılamadı.").arg(QDir::toNativeSeparators(viewerFile))});

    // A file that cannot be written is told and nothing is opened.
    ASSERT_TRUE(QFile::remove(viewerFile));
    ASSERT_TRUE(QDir().mkdir(viewerFile));
    dialogs().clear();
    dialogs().expectError(QStringLiteral("RaporR.jpg"));
    press("windowsacBut");
    EXPECT_EQ(kinds(), QStringList{QStringLiteral("message")});
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
}

TEST_F(ResimKasaWindowTest, WithoutAPictureTheCommandsSaySo)
{
    openDocuments(0);
    for (const char* button : {"JvXPButton23", "JvXPButton22", "JvXPButton24", "windowsacBut"}) {
        dialogs().clear();
        press(button);
        EXPECT_EQ(dialogs().messages(), QStringList{kNoPicture}) << button;
        EXPECT_EQ(kinds(), QStringList{QStringLiteral("message")}) << button;
    }
    // A new document before its picture is loaded has no picture either.
    press("JvXPButton20");
    dialogs().clear();
    press("windowsacBut");
    EXPECT_EQ(dialogs().messages(), QStringList{kNoPicture});
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("EvrakR.bmp"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("RaporR.jpg"))));
}

TEST_F(ResimKasaWindowTest, NoDocumentIsAddedToAMovementNotYetStored)
{
    openDocuments(0);
    QTest::mouseClick(control<QAbstractButton>("kasaRF", "tahsilatYap"),
                      Qt::LeftButton);  // a new pending movement
    dialogs().clear();
    press("JvXPButton20");
    EXPECT_EQ(dialogs().messages(), QStringList{kNoMovement});
    dialogs().clear();
    press("JvXPButton28");
    EXPECT_EQ(dialogs().messages(), QStringList{kNoMovement});
    EXPECT_EQ(documentCount(), 0);
}

// The red area (or the area of pixels `marked` picks) of a PDF page rendered by poppler at
// `dpi`, in mm from the top left corner, and the page's size in mm.
struct RenderedPage {
    QSizeF page;
    QRectF red;
};
bool isRed(const QColor& c)
{
    return c.red() > 200 && c.green() < 80 && c.blue() < 80;
}
RenderedPage renderPdf(const QString& pdf, const QString& prefix,
                       const std::function<bool(const QColor&)>& marked = isRed)
{
    constexpr int kDpi = 50;
    QProcess process;
    process.start(QStringLiteral("pdftoppm"),
                  {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-png"),
                   QStringLiteral("-singlefile"), pdf, prefix});
    EXPECT_TRUE(process.waitForFinished(60000) && process.exitCode() == 0)
        << process.readAllStandardError().toStdString();
    const QImage image(prefix + QStringLiteral(".png"));
    EXPECT_FALSE(image.isNull());
    QRect red;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (marked(QColor(image.pixel(x, y)))) {
                red |= QRect(x, y, 1, 1);
            }
        }
    }
    const double mmPerPixel = 25.4 / kDpi;
    return {QSizeF(image.width(), image.height()) * mmPerPixel,
            QRectF(red.x() * mmPerPixel, red.y() * mmPerPixel, red.width() * mmPerPixel,
                   red.height() * mmPerPixel)};
}

TEST_F(ResimKasaWindowTest, PrintsCarryThePictureAtThePageSizeWithItsProportions)
{
    const struct {
        const char* button;
        QSize picture;
        QSizeF page;        // mm
        QRectF pictureBox;  // Picture1, mm
        QRectF printed;     // where the picture lands, mm
    } cases[] = {
        // A wide picture on the portrait page: full width, the lower part left blank.
        {"JvXPButton23", {400, 100}, {210, 297}, {1.1, 0, 207.7, 293.3}, {1.1, 0, 207.7, 51.925}},
        // A tall picture on the landscape page: full height.
        {"JvXPButton22", {100, 200}, {297, 210}, {1.1, 0, 293.6, 204.6}, {1.1, 0, 102.3, 204.6}},
    };
    openDocuments(0);
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ++number;
        addDocument(QStringLiteral("Evrak %1").arg(number),
                    bmpFile(QStringLiteral("evrak%1.bmp").arg(number),
                            filled(c.picture.width(), c.picture.height(), Qt::red)));
        documentGrid()->selectRow(number - 1);
        const QString pdf = path(QStringLiteral("evrak%1.pdf").arg(number));
        saveNextPreviewAsPdf(pdf);
        dialogs().clear();
        press(c.button);
        ASSERT_EQ(kinds(), (QStringList{QStringLiteral("preview"), QStringLiteral("save")}));

        // The picture printed is the document's, at its own size, through EvrakR.bmp, which
        // is gone once read.
        const report::PreparedReport& prepared = dialogs().previews().back();
        ASSERT_EQ(prepared.pageCount(), 1);
        const auto items = prepared.items(0, QStringLiteral("Picture1"));
        ASSERT_EQ(items.size(), 1);
        const QImage printed = QImage::fromData(prepared.styleOf(*items[0]).picture, "BMP");
        EXPECT_EQ(printed.size(), c.picture);
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("EvrakR.bmp"))));
        const QRectF box = items[0]->rect();  // stored in single precision
        for (const auto& [got, wanted] : {std::pair{box.x(), c.pictureBox.x()},
                                          {box.y(), c.pictureBox.y()},
                                          {box.width(), c.pictureBox.width()},
                                          {box.height(), c.pictureBox.height()}}) {
            EXPECT_NEAR(got, wanted, 1e-4);
        }

        const RenderedPage page = renderPdf(pdf, path(QStringLiteral("sayfa%1").arg(number)));
        EXPECT_NEAR(page.page.width(), c.page.width(), 1);
        EXPECT_NEAR(page.page.height(), c.page.height(), 1);
        EXPECT_NEAR(page.red.x(), c.printed.x(), 1);
        EXPECT_NEAR(page.red.y(), c.printed.y(), 1);
        EXPECT_NEAR(page.red.width(), c.printed.width(), 1.5);
        EXPECT_NEAR(page.red.height(), c.printed.height(), 1.5);
    }
}

// Whole A4 pages scanned at 600 dpi within the 350 KB rule, the top half dark: a grey JPEG and
// a one-bit PNG. Each is taken, shown and printed with its pixels, the page's size in memory.
TEST_F(ResimKasaWindowTest, APageScannedAt600DpiIsTakenShownAndPrinted)
{
    QImage scan(4960, 7016, QImage::Format_Grayscale8);
    scan.fill(Qt::white);
    for (int y = 0; y < scan.height() / 2; ++y) {
        std::memset(scan.scanLine(y), 20, size_t(scan.width()));
    }
    const struct {
        const char* file;
        const char* format;
        QImage picture;
    } cases[] = {
        {"tarama.jpg", "JPEG", scan},
        {"tarama.png", "PNG", scan.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither)},
    };
    openDocuments(0);
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ++number;
        const QString file = path(QString::fromLatin1(c.file));
        QImageWriter writer(file, c.format);
        writer.setOptimizedWrite(true);
        ASSERT_TRUE(writer.write(c.picture)) << writer.errorString().toStdString();
        ASSERT_LE(QFileInfo(file).size(), kMaxPictureBytes);

        dialogs().clear();
        addDocument(QStringLiteral("Tarama %1").arg(number), file);
        EXPECT_TRUE(dialogs().messages().isEmpty())
            << dialogs().messages().join(u'|').toStdString();
        ASSERT_EQ(documentCount(), number);
        documentGrid()->selectRow(number - 1);
        // Shown: the view's middle column passes through the dark half.
        const QImage shown = documentControl<QWidget>("DBImage1")->grab().toImage();
        int dark = 0;
        for (int y = 0; y < shown.height(); ++y) {
            dark += qGray(shown.pixel(shown.width() / 2, y)) < 60 ? 1 : 0;
        }
        EXPECT_GT(dark, shown.height() / 4);

        const QString pdf = path(QStringLiteral("tarama%1.pdf").arg(number));
        saveNextPreviewAsPdf(pdf);
        dialogs().clear();
        press("JvXPButton23");
        ASSERT_EQ(kinds(), (QStringList{QStringLiteral("preview"), QStringLiteral("save")}));
        const report::PreparedReport& prepared = dialogs().previews().back();
        const auto items = prepared.items(0, QStringLiteral("Picture1"));
        ASSERT_EQ(items.size(), 1);
        // Decoded at the print's resolution: the frame's 207.7 mm by 293.3 mm at 300 dpi.
        const QImage printed = QImage::fromData(prepared.styleOf(*items[0]).picture, "BMP");
        EXPECT_EQ(printed.height(), qCeil(293.3 / 25.4 * kPrintDotsPerInch));
        EXPECT_LE(printed.width(), qCeil(207.7 / 25.4 * kPrintDotsPerInch));
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("EvrakR.bmp"))));

        // The page holds the dark half: the frame's width, half the picture's printed height.
        const RenderedPage page =
            renderPdf(pdf, path(QStringLiteral("taramasayfa%1").arg(number)),
                      [](const QColor& colour) { return qGray(colour.rgb()) < 60; });
        EXPECT_NEAR(page.red.y(), 0, 1);
        EXPECT_NEAR(page.red.height(), 293.3 / 2, 1.5);
        EXPECT_NEAR(page.red.width(), 293.3 * 4960 / 7016, 1.5);
    }
}

}  // namespace
}  // namespace tamevo::test
