#include "documents/Documents.h"

#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/AtomicFile.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "documents/DocumentRules.h"
#include "ledger/Ledger.h"
#include "reportengine/ReportData.h"
#include "reportengine/ReportLayout.h"
#include "reportengine/ReportPreviewPort.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QtMath>

namespace tamevo {

namespace {

const QString kPicture = QStringLiteral("resim");
const QString kMovement = QStringLiteral("nakidid");
const QString kPictureObject = QStringLiteral("Picture1");

constexpr int kJpegQuality = 90;
// The box a loaded picture is decoded within to see that it is one.
constexpr int kCheckedSide = 256;

void openWithViewer(const QString& path)
{
    if (!dialogs().openWithDefaultProgram(path)) {
        throw Error(QStringLiteral("%1 açılamadı.").arg(QDir::toNativeSeparators(path)));
    }
}

}  // namespace

Documents::Documents(Session& session, Ledger& ledger, const PictureFormats& formats)
    : ResimTakip(session.kasaConnection, QStringLiteral("ResimTakip")),
      ledger_(ledger),
      formats_(formats)
{
    ResimTakip.setTable(QStringLiteral("resimnakit"));
    ledger.linkToCurrentMovement(ResimTakip, kMovement);
    // A document is only ever stored with its movement: one without would be listed under
    // no movement and never be seen again. A new one is only stored with its picture.
    ResimTakip.setBeforePost([](Dataset& documents) {
        if (documents.value(kMovement).toLongLong() < 1) {
            throw ValidationError(kNoMovement);
        }
        if (documents.state() == DatasetState::Insert &&
            documents.value(kPicture).toByteArray().isEmpty()) {
            throw ValidationError(kNoPictureToStore);
        }
    });
}

void Documents::open()
{
    ResimTakip.open();
}

void Documents::close()
{
    ResimTakip.close();
}

void Documents::requireStoredMovement() const
{
    if (ledger_.currentMovementId() < 1) {
        throw ValidationError(kNoMovement);
    }
}

void Documents::newDocument()
{
    open();
    requireStoredMovement();
    ResimTakip.append();
}

void Documents::loadPicture()
{
    const CurrentDirectoryKeeper keeper;
    open();
    if (!ResimTakip.isEditing()) {
        // A row of another program (with a cekid) gets its picture; ours get a new row.
        if (ResimTakip.value(QStringLiteral("cekid")).toLongLong() > 0) {
            ResimTakip.edit();
        } else {
            requireStoredMovement();
            ResimTakip.append();
        }
    }
    const QString path =
        dialogs().openFileName(QStringLiteral("Evrak Yükle"), {}, formats_.fileFilter());
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    if (file.size() > kMaxPictureBytes) {
        throw ValidationError(pictureTooLargeMessage(file.size()));
    }
    const QByteArray bytes = file.read(kMaxPictureBytes + 1);
    if (bytes.size() != file.size()) {
        throw Error(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    // Decoded small: the check reads all of the picture's data, without its full size in
    // memory.
    if (formats_.decode(bytes, QSize(kCheckedSide, kCheckedSide)).isNull()) {
        throw ValidationError(kNotAPicture);
    }
    ResimTakip.setValue(kPicture, bytes);
}

void Documents::store()
{
    open();
    if (ResimTakip.isEditing() && ResimTakip.isModified()) {
        ResimTakip.post();
    }
}

bool Documents::hasUnstoredPicture() const
{
    return ResimTakip.isOpen() && ResimTakip.isEditing() && ResimTakip.isModified() &&
           !ResimTakip.value(kPicture).toByteArray().isEmpty();
}

void Documents::deleteDocument()
{
    open();
    if (askBeforeReplacing(kProgramTitle, kDeleteDocumentQuestion, Dialogs::Buttons::YesNoCancel) !=
        Dialogs::Answer::Yes) {
        return;
    }
    ResimTakip.remove();
}

Pixels Documents::currentPicture(const QSize& box) const
{
    const QByteArray bytes =
        ResimTakip.isOpen() ? ResimTakip.value(kPicture).toByteArray() : QByteArray();
    if (bytes.isEmpty()) {
        throw ValidationError(kNoPicture);
    }
    Pixels pixels = formats_.decode(bytes, box);
    if (pixels.isNull()) {
        throw ValidationError(kUnreadablePicture);
    }
    return pixels;
}

report::ReportTemplate& Documents::frReport(DocumentPage page)
{
    const int slot = page == DocumentPage::Portrait ? 0 : 1;
    if (!templates_[slot]) {
        templates_[slot] = report::ReportTemplate::load(
            page == DocumentPage::Portrait
                ? QStringLiteral(":/reports/resimkasaF/frReport17.json")
                : QStringLiteral(":/reports/resimkasaF/frReport16.json"));
    }
    return *templates_[slot];
}

report::PreparedReport Documents::prepare(DocumentPage page, const report::TextMeasurer& measurer)
{
    report::ReportTemplate& layout = frReport(page);
    // The picture's frame at the print resolution (a template without it is refused below).
    const report::ReportObject* frame = layout.findObject(kPictureObject);
    const auto dots = [](double mm) { return qCeil(mm / 25.4 * kPrintDotsPerInch); };
    const Pixels pixels =
        currentPicture(frame != nullptr ? QSize(dots(frame->width), dots(frame->height)) : QSize());
    const QString path = GetPathPath() + kPrintPictureFile;
    {
        const auto removeFile = qScopeGuard([&path] { QFile::remove(path); });
        writeFileAtomically(path, formats_.bmp(pixels));
        layout.loadPicture(kPictureObject, path);
    }
    report::ReportData data;
    return report::prepareReport(layout, data, measurer);
}

void Documents::print(DocumentPage page, const report::TextMeasurer& measurer)
{
    report::previewPort().preview(prepare(page, measurer));
}

void Documents::saveAsJpeg()
{
    const CurrentDirectoryKeeper keeper;
    // Nothing to save is said before a file name is asked for.
    const Pixels pixels = currentPicture();
    const QString chosen =
        dialogs().saveFileName(QStringLiteral("JPG Olarak Sakla"), {}, kJpegFilter, {});
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = jpegFileName(chosen);
    if (QFileInfo::exists(path) &&
        askBeforeReplacing(kApplicationTitle, kOverwriteQuestion, Dialogs::Buttons::YesNo) !=
            Dialogs::Answer::Yes) {
        return;
    }
    writeFileAtomically(path, encodeJpeg(pixels, kJpegQuality));
    if (dialogs().question(kApplicationTitle, kOpenFileQuestion, Dialogs::Buttons::YesNo) ==
        Dialogs::Answer::Yes) {
        openWithViewer(path);
    }
}

void Documents::openInViewer()
{
    const Pixels pixels = currentPicture();
    const QString path = GetPathPath() + kViewerPictureFile;
    writeFileAtomically(path, encodeJpeg(pixels, kJpegQuality));
    openWithViewer(path);
}

}  // namespace tamevo
