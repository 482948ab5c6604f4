#pragma once

#include "data/Dataset.h"
#include "documents/PictureFormats.h"
#include "reportengine/PreparedReport.h"
#include "reportengine/ReportTemplate.h"
#include "reportengine/TextMeasurer.h"

#include <array>
#include <optional>

namespace tamevo {

class Ledger;
class Session;

// The page a document picture prints on: frReport17 portrait, frReport16 landscape A4.
enum class DocumentPage { Portrait, Landscape };

// The resolution a document picture is printed at: a scan of a higher one is decoded smaller.
constexpr int kPrintDotsPerInch = 300;

// The documents of a movement: named pictures stored in the cash-book database (table
// resimnakit), each linked to the movement's nid by its nakidid. A picture keeps the bytes of
// the file it was loaded from, in whatever format that file had.
//
// The commands throw ValidationError with the system's message when the user cannot do what
// was asked (and then nothing is stored), or Error for a failure of the disk or the database.
class Documents {
public:
    Documents(Session& session, Ledger& ledger, const PictureFormats& formats);

    // The documents of the ledger's current movement: a detail of the ledger's movement table,
    // so it follows the current movement, a new row starts with the movement's nid, and a
    // changed pending row is stored before the ledger moves to another movement.
    Dataset ResimTakip;

    // Opens the documents table when it is closed.
    void open();
    // Closes it; a row added or loaded and not stored is dropped.
    void close();

    // "Yeni": a new pending document; nothing is stored before "Sakla".
    void newDocument();
    // "Evrak Yükle": lets the user pick a picture file and loads its bytes into the pending
    // document (a new one unless a document is already being edited or added). A file over
    // 350 KB, or one that holds no readable picture, is refused with its message and nothing
    // is loaded; the pending document stays.
    void loadPicture();
    // "Sakla": stores the pending document when it has changes. A new document without a
    // picture is refused (kNoPictureToStore), here and whenever it would be stored.
    void store();
    // True when a document with a picture is being added or changed and is not stored yet:
    // closing the window would drop it.
    bool hasUnstoredPicture() const;
    // "Sil": after its question (Yes, No, Cancel; only Yes deletes) deletes the current
    // document.
    void deleteDocument();

    // The current document's picture, within `box` when one is given (fittedSize). Throws
    // ValidationError(kNoPicture) when there is no document or it has no picture,
    // ValidationError(kUnreadablePicture) when its bytes are no picture the program reads.
    Pixels currentPicture(const QSize& box = {}) const;

    // The print of the current picture: the picture, at the size the template's Picture1
    // prints it at kPrintDotsPerInch (never enlarged), written to EvrakR.bmp in the program
    // folder, loaded into Picture1 and the file removed, then the page prepared.
    report::PreparedReport prepare(DocumentPage page, const report::TextMeasurer& measurer);
    // "Dikey Önizle Yazdır" and "Yatay Önizle Yazdır": the prepared page in the preview.
    void print(DocumentPage page, const report::TextMeasurer& measurer);
    // "JPG Olarak Sakla": asks for a file name (".jpg" appended unless the name has it), asks
    // before replacing a file, writes the picture as JPEG at quality 90 and offers to open it.
    void saveAsJpeg();
    // "Windows'tan Aç": the picture as JPEG at quality 90 in RaporR.jpg of the program folder,
    // opened with the system's picture viewer.
    void openInViewer();

    // The templates, read when first printed; the picture loaded stays until the next print.
    report::ReportTemplate& frReport(DocumentPage page);

private:
    void requireStoredMovement() const;

    Ledger& ledger_;
    const PictureFormats& formats_;
    std::array<std::optional<report::ReportTemplate>, 2> templates_;
};

}  // namespace tamevo
