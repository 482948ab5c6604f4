#pragma once

#include "app/CashBookFiles.h"
#include "ledger/DayCalendar.h"

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

class DatasetModel;
class Ledger;
class Program;

// The ledger window: the days of the open cash book with the year calendar, the selected
// day's movements and figures, and the commands on them.
class TkasaRF : public QMainWindow {
    Q_OBJECT
public:
    explicit TkasaRF(Program& program);

    // --- Controls, named as the tests and other windows find them -----------------------
    QLabel* Label11 = nullptr;                // header: code - title - year
    QComboBox* dovizBox = nullptr;            // currency selection, "Hepsi" last
    QDateEdit* vadesiDate = nullptr;          // date picker
    QPushButton* goButton = nullptr;          // "GİT"
    QPushButton* twoDateButton = nullptr;     // "İki Tarih Arası Kasa Hareketi"
    QPushButton* typeReportButton = nullptr;  // "İşlem/Kaynak Türü Raporu"
    QGroupBox* yazayar = nullptr;             // "Raporlama Seçenekleri"
    QList<QRadioButton*> reportChoices;
    QCheckBox* CheckBox1 = nullptr;       // "Kısa Açıklama"
    QPushButton* printButton = nullptr;   // "YAZDIR"
    QTableView* DBGrid2 = nullptr;        // date list
    QTableWidget* StringGrid3 = nullptr;  // year calendar
    QSplitter* Splitter3 = nullptr;
    QLabel* dayHeaderLabel = nullptr;        // "<day> KASA"
    QLabel* dayStartLabel = nullptr;         // beside "GÜN BAŞI KASA"
    QPushButton* newButton = nullptr;        // "YENİ"
    QPushButton* changeButton = nullptr;     // "DEĞİŞTİR"
    QPushButton* deleteButton = nullptr;     // "SİL"
    QPushButton* documentsButton = nullptr;  // "BELGE EKLE"
    QToolButton* helpButton = nullptr;
    QTableView* DBGrid1 = nullptr;  // movements of the day
    QSplitter* Splitter1 = nullptr;
    QTableView* DBGrid3 = nullptr;           // per-currency summary
    QLabel* bottomDayLabel = nullptr;        // the day in the bottom panel
    QLabel* dayInLabel = nullptr;            // beside "GİREN PARA"
    QLabel* dayOutLabel = nullptr;           // beside "ÇIKAN PARA"
    QLabel* dayBalanceLabel = nullptr;       // beside "GÜN BAKİYE"
    QLabel* Label10 = nullptr;               // beside "GÜN SONU KASA"
    QPushButton* refreshButton = nullptr;    // "BİLGİLERİ GÜNCELLE"
    QPushButton* mainMenuButton = nullptr;   // "Ana Menü"
    QPushButton* carryOverButton = nullptr;  // "YIL DEVRİ AL"
    QPushButton* excelButton = nullptr;      // "Excel"
    QPushButton* closeButton = nullptr;      // "KAPAT"

    DatasetModel* dateListModel = nullptr;
    DatasetModel* movementModel = nullptr;
    DatasetModel* summaryModel = nullptr;
    DayCalendar calendar;

    // Shows which cash book and year are open: caption, header and last status panel.
    void setOpenBookTexts(const OpenBookTexts& texts);
    QString statusPanelText(int panel) const;

    // Entry steps of the ledger after the cash book was opened: data, figures, lists,
    // calendar, summary.
    void openBook();
    // Drops a pending movement and closes the ledger's data (before the cash book closes).
    void closeBook();

    // --- Commands -----------------------------------------------------------------------
    void yenileButClick();            // refresh
    void JvXPButton1Click();          // "GİT"
    void tahsilatYapClick();          // "YENİ"
    void KaydDzelt1Click();           // "DEĞİŞTİR"
    void KaydSil1Click();             // "SİL"
    void ResimEkle1Click();           // "BELGE EKLE"
    void JvXPButton2Click();          // "YIL DEVRİ AL"
    void selectDateListRow(int row);  // click or key in the date list
    void StringGrid3DblClick(int row);
    void stListeyiGizle1Click();   // "Üst Listeyi Gizle"
    void AltListeyiGizle1Click();  // "Alt Listeyi Gizle"
    void mLiteyiGster1Click();     // "Tüm Listeyi Göster"

    // The day calendar: filled for the working year, following the selected day.
    void tarihyukle();
    void stringtebul();
    // Sets the currency boxes' entries (ParaBirimiAyarla): the codes, then "Hepsi".
    void setCurrencyCodes(const QStringList& codes);
    // Writes the day figures into their labels.
    void showFigures();
    // The summary grid's visibility and height after ParaBirimiDurum.
    void showSummary();

    // Handlers of the commands that come with their own subsystems.
    std::function<void()> onExcel;
    std::function<void()> onPrint;
    std::function<void()> onTwoDate;
    std::function<void()> onTypeReport;
    std::function<void()> onDocuments;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTopPanel();
    QWidget* buildLeftColumn();
    QWidget* buildCentre();
    QWidget* buildBottomPanel();
    void buildMenus();

    Program& program_;
    Ledger& ledger_;
    QList<QLabel*> statusPanels_;
};

}  // namespace tamevo
