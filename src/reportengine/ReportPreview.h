#pragma once

#include "reportengine/PreparedReport.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;
class QLineEdit;
class QPushButton;
class QScrollArea;

namespace tamevo::report {

class PageCanvas;

// The report preview, "Norvane Rapor Önizleme": the prepared pages one under the other, with
// zoom, find text, print (the system's default printer, through the print dialog), save as
// PDF, open a saved report (in the system's viewer) and close. Shown modally by the dialogs
// layer; tests drive it without showing it modally.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(const PreparedReport& report, QWidget* parent = nullptr);
    ~ReportPreview() override;

    static const QString kTitle;
    static const QList<int> kZoomSteps;  // per cent

    int zoom() const;  // per cent
    void setZoom(int percent);
    // Finds the next item containing the text of the find box (letter case ignored) after the
    // last one found, from the first page again at the end; false (with a message) if none.
    bool findNext();
    // The page (0-based) and item of the last text found; -1 when none.
    int foundPage() const { return foundPage_; }
    int foundItem() const { return foundItem_; }
    // The page shown at the top of the view (0-based).
    int currentPage() const;
    // Shows the page (0-based) at the top of the view.
    void showPage(int page);

private:
    void printToDefaultPrinter();
    void saveAsPdf();
    void openSaved();
    void updatePageLabel();
    // The preview's size: its design size, within the screen's free area.
    void fitToScreen();

    QPushButton* zoomInButton = nullptr;
    QPushButton* zoomOutButton = nullptr;
    QComboBox* zoomBox = nullptr;
    QLineEdit* findEdit = nullptr;
    QPushButton* findButton = nullptr;
    QPushButton* printButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* openButton = nullptr;
    QPushButton* closeButton = nullptr;
    QLabel* pageLabel = nullptr;  // "Sayfa 1 / 617"
    QPushButton* previousPageButton = nullptr;
    QSpinBox* pageBox = nullptr;  // the page to go to
    QPushButton* nextPageButton = nullptr;
    QScrollArea* scrollArea = nullptr;

    const PreparedReport& report_;
    PageCanvas* canvas_ = nullptr;
    int foundPage_ = -1;
    int foundItem_ = -1;
};

}  // namespace tamevo::report
