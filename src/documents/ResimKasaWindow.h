#pragma once

#include "documents/Documents.h"
#include "documents/QtPictureFormats.h"
#include "reportengine/ReportFonts.h"

#include <QMainWindow>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tamevo {

class DocumentPictureView;
class Ledger;
class Session;

// The documents window: the ledger's current movement above, its documents listed by name
// on the left, the selected document's picture on the right, and the commands to add,
// store, delete, print, save and open them.
class TresimkasaF : public QMainWindow {
    Q_OBJECT
public:
    TresimkasaF(Session& session, Ledger& ledger);
    ~TresimkasaF() override;

    // Shows the documents of the ledger's current movement.
    void showDocuments();

protected:
    // Closing the window (KAPAT, Esc or the title bar) with a document whose picture is not
    // stored yet asks whether to store it; Hayır, the default, drops it.
    void closeEvent(QCloseEvent* event) override;
    // Hiding the window drops a document not stored with "Sakla".
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildTopPanel();
    QWidget* buildDocumentColumn();
    void showMovement();
    void showPicture();
    // True when the window may go: nothing unstored, or the user's answer carried out.
    bool settlePendingDocument();

    void addDocument();     // "Yeni" (JvXPButton20Click)
    void deleteDocument();  // "Sil" (JvXPButton19Click)
    void storeDocument();   // "Sakla" (JvXPButton18Click)
    void loadPicture();     // "Evrak Yükle" (JvXPButton28Click)
    void printPortrait();   // "Dikey Önizle Yazdır" (JvXPButton23Click)
    void printLandscape();  // "Yatay Önizle Yazdır" (JvXPButton22Click)
    void saveAsJpeg();      // "JPG Olarak Sakla" (JvXPButton24Click)
    void openInViewer();    // "Windows'tan Aç" (windowsacButClick)

    Ledger& ledger_;
    QtPictureFormats formats_;
    report::FontMeasurer measurer_;
    Documents documents_;

    // The ledger's current movement.
    QLineEdit* descriptionField_ = nullptr;
    QLineEdit* typeField_ = nullptr;
    QLineEdit* dayField_ = nullptr;
    QLineEdit* inField_ = nullptr;
    QLineEdit* outField_ = nullptr;
    QLineEdit* currencyField_ = nullptr;
    QLineEdit* numberField_ = nullptr;

    QPushButton* portraitButton_ = nullptr;
    QPushButton* landscapeButton_ = nullptr;
    QPushButton* saveJpegButton_ = nullptr;
    QPushButton* viewerButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;

    QLineEdit* nameEdit_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* storeButton_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QTableView* documentGrid_ = nullptr;

    DocumentPictureView* pictureView_ = nullptr;
    QByteArray shownBytes_;
    QList<QLabel*> statusPanels_;
};

}  // namespace tamevo
