#pragma once

#include <QMainWindow>

class QLabel;
class QPushButton;
class QTableView;

namespace tamevo {

class TwoDateBrowser;

// The two-date movement browser: the movements of the range the two-date window last built
// it for, coloured by side, with the balance before the range, the range's money in and out,
// its net and its closing balance. A listed movement opens in the movement window through
// the ledger; what the browser asks of other windows it asks through its signals.
class TkasaikitarihF : public QMainWindow {
    Q_OBJECT
public:
    explicit TkasaikitarihF(TwoDateBrowser& browser);

    // Shown maximised and in front, modeless.
    void showBrowser();

signals:
    // The ledger stands on the movement to edit: the movement window is to open it, and to
    // come back to the browser after it is saved.
    void editMovementRequested();
    // "YAZDIR": the two-date window prints "İki Tarih Arası Rapor" for its range.
    void printRequested();
    // The browser was hidden: the movement window no longer returns to it.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Double click and "İşlemi Düzeltt" (DBGrid1DblClick): the current movement opened
    // through the ledger.
    void openCurrentMovement();
    // The labels follow each build.
    void showLabels();

    TwoDateBrowser& browser_;

    QLabel* titleLabel = nullptr;           // Label2
    QLabel* openingCaptionLabel = nullptr;  // Label3
    QLabel* openingLabel = nullptr;         // DBText2
    QPushButton* printButton = nullptr;     // "YAZDIR"
    QPushButton* excelButton = nullptr;     // "Excel"
    QTableView* movementGrid = nullptr;     // DBGrid1
    QLabel* inLabel = nullptr;              // beside "DÖNEM GİREN PARA"
    QLabel* outLabel = nullptr;             // beside "DÖNEM ÇIKAN PARA"
    QLabel* netLabel = nullptr;             // beside "DÖNEM BAKİYE"
    QLabel* closingLabel = nullptr;         // beside "DÖNEM SONU KASA MEVCUDU"
    QLabel* closingDayLabel = nullptr;      // "( <last day> )"
    QPushButton* closeButton = nullptr;     // "KAPAT"
};

}  // namespace tamevo
