#pragma once

#include "data/CashBookFiles.h"
#include "ledger/DayCalendar.h"
#include "ledger/LedgerPrintChoice.h"

#include <QDate>
#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableView;
class QTableWidget;
class QToolButton;

namespace tamevo {

class CurrencyChoices;
class DatasetModel;
class Ledger;
class Session;
struct CarryOverState;

// The ledger window: the days of the open cash book with the year calendar, the selected
// day's movements and figures, and the commands on them. What it asks of other windows it
// asks through its signals.
class TkasaRF : public QMainWindow {
    Q_OBJECT
public:
    TkasaRF(Session& session, Ledger& ledger, CurrencyChoices& currencies);

    // Entry into the opened cash book: its texts, the window shown, then the ledger's data,
    // figures, lists, calendar and summary.
    void openBook(const OpenBookTexts& texts);
    // Drops a pending movement and closes the ledger's data (before the cash book closes).
    void closeBook();
    // Shows which cash book and year are open: caption, header and last status panel.
    void setOpenBookTexts(const OpenBookTexts& texts);
    QString statusPanelText(int panel) const;
    // Sets the currency box's entries (its part of ParaBirimiAyarla: the codes, then "Hepsi")
    // and selects the first.
    void setCurrencyEntries(const QStringList& entries);

signals:
    // "YENİ": a new movement on `day` in `currency` (empty under "Hepsi").
    void newMovementRequested(const QDate& day, const QString& currency);
    // "DEĞİŞTİR": the current movement in the movement window.
    void editMovementRequested();
    // "BELGE EKLE": the documents of the current, stored movement.
    void documentsRequested();
    void printRequested();  // "YAZDIR"
    // The print group's item or "Kısa Açıklama" changed.
    void printChoiceChanged(const tamevo::LedgerPrintChoice& choice);
    void twoDateRequested();     // "İki Tarih Arası Kasa Hareketi"
    void typeReportRequested();  // "İşlem/Kaynak Türü Raporu"
    void excelRequested();       // "Excel"
    void helpRequested();
    // "Ana Menü": back to the entry screen.
    void mainMenuRequested();
    // Every close request of the ledger goes to the entry screen's exit question.
    void closeRequested();
    // The year-end carry-over switched the working year.
    void workingYearChanged(const QString& year);
    // "Silinen / Değişen Hareketler": the journal of the book's movements.
    void journalRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // --- Commands -----------------------------------------------------------------------
    void refresh();          // "BİLGİLERİ GÜNCELLE", a currency chosen (yenileButClick)
    void goToPickedDate();   // "GİT" (JvXPButton1Click)
    void newMovement();      // "YENİ" (tahsilatYapClick)
    void editMovement();     // "DEĞİŞTİR" (KaydDzelt1Click)
    void deleteMovement();   // "SİL" (KaydSil1Click)
    void showDocuments();    // "BELGE EKLE" (ResimEkle1Click)
    void takeCarryOver();    // "YIL DEVRİ AL" (JvXPButton2Click)
    void retakeCarryOver();  // "DEVRİ YENİDEN AL"
    // The carry-over check's warning line, and its question when it finds a new mismatch.
    void showCarryOverState(const CarryOverState& state);
    void askToRetakeCarryOver(const CarryOverState& state);
    void selectDateListRow(int row);  // click or key in the date list
    void goToCalendarDay(int row);    // double click in the calendar (StringGrid3DblClick)
    void showOnlyCalendar();          // "Üst Listeyi Gizle"
    void showOnlyDateList();          // "Alt Listeyi Gizle"
    void showBothLists();             // "Tüm Listeyi Göster"

    QWidget* buildTopPanel();
    QWidget* buildLeftColumn();
    QWidget* buildCentre();
    QWidget* buildBottomPanel();
    void buildMenus();
    // The entry steps after the cash book was opened.
    void openBookData();
    // The day calendar: filled for the working year, following the selected day.
    void tarihyukle();
    void stringtebul();
    // Writes the day figures into their labels.
    void showFigures();
    // The summary grid's visibility and height after ParaBirimiDurum.
    void showSummary();
    void takePrintChoice();

    Session& session_;
    Ledger& ledger_;
    CurrencyChoices& currencies_;
    DayCalendar calendar_;

    QLabel* headerLabel = nullptr;            // code - title - year
    QComboBox* currencyBox = nullptr;         // currency selection, "Hepsi" last
    QDateEdit* datePicker = nullptr;          // the ledger's date picker
    QPushButton* goButton = nullptr;          // "GİT"
    QPushButton* twoDateButton = nullptr;     // "İki Tarih Arası Kasa Hareketi"
    QPushButton* typeReportButton = nullptr;  // "İşlem/Kaynak Türü Raporu"
    QGroupBox* printGroup = nullptr;          // "Raporlama Seçenekleri"
    QList<QRadioButton*> reportChoices;
    QCheckBox* shortDescriptionCheck = nullptr;  // "Kısa Açıklama"
    QPushButton* printButton = nullptr;          // "YAZDIR"
    QTableView* dateListGrid = nullptr;
    QTableWidget* calendarGrid = nullptr;
    QSplitter* listSplitter = nullptr;
    QLabel* dayHeaderLabel = nullptr;        // "<day> KASA"
    QLabel* dayStartLabel = nullptr;         // beside "GÜN BAŞI KASA"
    QPushButton* newButton = nullptr;        // "YENİ"
    QPushButton* changeButton = nullptr;     // "DEĞİŞTİR"
    QPushButton* deleteButton = nullptr;     // "SİL"
    QPushButton* documentsButton = nullptr;  // "BELGE EKLE"
    QToolButton* helpButton = nullptr;
    QTableView* movementGrid = nullptr;  // movements of the day
    QSplitter* centreSplitter = nullptr;
    QTableView* summaryGrid = nullptr;             // per-currency summary
    QLabel* bottomDayLabel = nullptr;              // the day in the bottom panel
    QLabel* dayInLabel = nullptr;                  // beside "GİREN PARA"
    QLabel* dayOutLabel = nullptr;                 // beside "ÇIKAN PARA"
    QLabel* dayBalanceLabel = nullptr;             // beside "GÜN BAKİYE"
    QLabel* dayEndLabel = nullptr;                 // beside "GÜN SONU KASA"
    QPushButton* refreshButton = nullptr;          // "BİLGİLERİ GÜNCELLE"
    QPushButton* mainMenuButton = nullptr;         // "Ana Menü"
    QPushButton* carryOverButton = nullptr;        // "YIL DEVRİ AL"
    QLabel* carryOverWarningLabel = nullptr;       // the carry-over check's warning line
    QPushButton* retakeCarryOverButton = nullptr;  // "DEVRİ YENİDEN AL"
    QPushButton* excelButton = nullptr;            // "Excel"
    QPushButton* closeButton = nullptr;            // "KAPAT"
    DatasetModel* dateListModel = nullptr;
    DatasetModel* movementModel = nullptr;
    DatasetModel* summaryModel = nullptr;
    QList<QLabel*> statusPanels_;
};

}  // namespace tamevo
