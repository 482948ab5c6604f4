#pragma once

#include "reportengine/ReportFonts.h"
#include "reports/IncomeExpenseAnalysis.h"

#include <QMainWindow>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSplitter;
class QTableView;

namespace tamevo {

class DatasetModel;

// The income and expense analysis window: the period and currency above, the collections by
// type and by source on the left, the payments on the right, the period totals, and the
// commands that list a group's movements in the detail windows and print the five reports.
// The detail windows are asked for through its signals.
class TraporKasaF : public QMainWindow {
    Q_OBJECT
public:
    explicit TraporKasaF(IncomeExpenseAnalysis& analysis);

    // Opening from the ledger: the version text in the status bar and the window shown
    // maximised, in front.
    void showAnalysis();
    // Sets the currency box's entries ("Hepsi", then the codes) and selects the first.
    void setCurrencyEntries(const QStringList& entries);

signals:
    // The collections detail (gelirdetayF) or the payments detail (giderdetayF) was built
    // and is to be shown.
    void collectionsDetailRequested();
    void paymentsDetailRequested();

private:
    QWidget* buildTopPanel();
    QWidget* buildGrids();
    QTableView* buildGrid(Dataset& dataset, const char* objectName, const QString& groupField,
                          const QString& groupTitle, int groupWidth, AnalysisSide side);
    void buildMenus();
    void showPeriod();
    void showFigures();
    void sizeSourceGrid(AnalysisSide side);

    void buildAnalysis();  // "Raporu Hazırla", and a change of the currency (JvXPButton2Click)
    void printChoice();    // "Yazdır" (JvXPButton3Click)
    void closeAnalysis();  // "Kapat" (JvXPButton5Click)
    // Builds a side's detail by the type or the source of its grid's current row and asks
    // for its window; a failed build shows its message only.
    void showDetail(AnalysisSide side, bool bySource);
    // Builds the detail of a side by type and prints it.
    void printTypeDetail(AnalysisSide side);
    void showReport(IncomeExpenseAnalysis::Report which);

    IncomeExpenseAnalysis& analysis_;
    report::FontMeasurer measurer_;

    QDateEdit* firstDayPicker = nullptr;             // "İlk Tarih"
    QDateEdit* lastDayPicker = nullptr;              // "Son Tarih"
    QComboBox* currencyBox = nullptr;                // "Hepsi" first
    QPushButton* buildButton = nullptr;              // "Raporu Hazırla"
    QPushButton* collectionsDetailButton = nullptr;  // "Tahsilat Detay"
    QPushButton* paymentsDetailButton = nullptr;     // "Ödeme Detay"
    QLineEdit* collectionsTotalEdit = nullptr;       // "Dönem Tahsilat Tutarı"
    QLineEdit* paymentsTotalEdit = nullptr;          // "Dönem Ödeme Tutarı"
    QLineEdit* differenceEdit = nullptr;             // "Dönem Kasa Bakiye"
    QList<QRadioButton*> printChoices;               // "Yazdırma Seçenekleri"
    QPushButton* printButton = nullptr;              // "Yazdır"
    QPushButton* closeButton = nullptr;              // "Kapat"
    QSplitter* halvesSplitter = nullptr;
    QSplitter* collectionsSplitter = nullptr;
    QSplitter* paymentsSplitter = nullptr;
    QTableView* collectionTypeGrid = nullptr;    // giderGrid
    QTableView* collectionSourceGrid = nullptr;  // JvDBGrid1
    QTableView* paymentTypeGrid = nullptr;       // hizligir
    QTableView* paymentSourceGrid = nullptr;     // JvDBGrid2
    QList<QLabel*> statusPanels_;
};

}  // namespace tamevo
