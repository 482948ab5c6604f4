#pragma once

#include "data/Dataset.h"

#include <QMainWindow>

class QComboBox;
class QDateEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tamevo {

class Ledger;
class Session;

// "Silinen / Değişen Hareketler": the journal of the open cash book's movements, newest
// first, with the cells a change touched marked; filtered by the day of the change and by
// kind; "GERİ AL" brings an entry back through the ledger.
class TgecmisF : public QMainWindow {
    Q_OBJECT
public:
    TgecmisF(Session& session, Ledger& ledger);

    // Opens the window on the whole journal of the open book.
    void showJournal();

private:
    void listEntries();     // the filters applied
    void bringBackEntry();  // "GERİ AL"
    void keepDaysChanged(int days);

    Session& session_;
    Ledger& ledger_;
    Dataset entries_;

    QDateEdit* fromDate = nullptr;    // "Başlangıç"
    QDateEdit* toDate = nullptr;      // "Bitiş"
    QComboBox* kindBox = nullptr;     // "Tür"
    QSpinBox* keepDaysBox = nullptr;  // "Saklama Süresi"
    QTableView* entryGrid = nullptr;
    QPushButton* bringBackButton = nullptr;  // "GERİ AL"
    QPushButton* closeButton = nullptr;      // "KAPAT"
};

}  // namespace tamevo
