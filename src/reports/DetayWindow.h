#pragma once

#include "reportengine/ReportFonts.h"
#include "reports/IncomeExpenseAnalysis.h"

#include <QDate>
#include <QMainWindow>

class QLabel;
class QPushButton;
class QTableView;

namespace tamevo {

// A detail window of the analysis: the movements behind one group (a transaction type or a
// source) of one side, with the group's name, its total and the period above. The same
// window serves both sides (TgelirdetayF, TgiderdetayF). What it asks of the ledger it asks
// through its signals, with the movement's day and number.
class TdetayF : public QMainWindow {
    Q_OBJECT
public:
    TdetayF(IncomeExpenseAnalysis& analysis, AnalysisSide side);

    // Shows the detail as last built, modeless, centred on the desktop.
    void showDetail();

signals:
    // "Kaydı Düzelt" (and a double click): the movement in the movement window.
    void editRequested(const QDate& day, qint64 nid);
    // "Kaydı Sil" after Yes to its question: the movement deleted through the ledger.
    void deleteRequested(const QDate& day, qint64 nid);
    // "Evraklarına Bak/Ekle": the movement's documents.
    void documentsRequested(const QDate& day, qint64 nid);

private:
    QWidget* buildTopPanel();
    void buildMenu();
    void showTexts();
    void showHeading();
    // The current movement's day and number, for the row commands.
    QDate currentDay() const;
    qint64 currentNid() const;

    void editMovement();    // "Kaydı Düzelt" (KaydDzelt1Click)
    void deleteMovement();  // "Kaydı Sil" (KaydSil1Click)
    void showDocuments();   // "Evraklarına Bak/Ekle" (ResimEkle1Click)
    void printDetail();     // "Yazdır" (JvXPButton3Click)
    void closeDetail();     // "Kapat" (JvXPButton5Click)

    IncomeExpenseAnalysis& analysis_;
    AnalysisSide side_;
    Dataset& movements_;
    report::FontMeasurer measurer_;

    QLabel* headingLabel = nullptr;     // the type or source of the list
    QLabel* totalLabel = nullptr;       // beside "Toplam Tutar:"
    QLabel* reportDateLabel = nullptr;  // "Rapor Tarihi: " and the period
    QPushButton* printButton = nullptr;
    QPushButton* closeButton = nullptr;
    QTableView* movementGrid = nullptr;
};

// The collections detail: money in of one type or source.
class TgelirdetayF final : public TdetayF {
    Q_OBJECT
public:
    explicit TgelirdetayF(IncomeExpenseAnalysis& analysis);
};

// The payments detail: money out of one type or source.
class TgiderdetayF final : public TdetayF {
    Q_OBJECT
public:
    explicit TgiderdetayF(IncomeExpenseAnalysis& analysis);
};

}  // namespace tamevo
