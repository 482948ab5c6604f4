#pragma once

#include <QMainWindow>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tamevo {

class Program;

// The entry screen, the program's main window: cash-book code, working year and password,
// and the way into the ledger and the lists.
class TgirisF : public QMainWindow {
    Q_OBJECT
public:
    explicit TgirisF(Program& program);

    QLineEdit* firmaedit = nullptr;             // "Kasa Kodu"
    QLineEdit* yilEdit = nullptr;               // "Çalışma Yılı"
    QLineEdit* sifreEdit = nullptr;             // "Şifre"
    QLabel* Label1 = nullptr;                   // title of the chosen cash book
    QPushButton* enterButton = nullptr;         // "KASA İŞLEMLERİNE GİR"
    QPushButton* pickFromListButton = nullptr;  // "LİSTEDEN KASA SEÇ"
    QPushButton* newCashBookButton = nullptr;   // "YENİ KASA EKLE"
    QPushButton* passwordsButton = nullptr;     // "ŞİFRE GİR/DEĞİŞTİR"
    QPushButton* updateButton = nullptr;        // "PROGRAMI GÜNCELLE"
    QPushButton* sourceTypesButton = nullptr;   // "KAYNAK ŞEKLİ GİRİŞİ"
    QPushButton* currenciesButton = nullptr;    // "PARA BİRİMİ GİRİŞİ"
    QPushButton* manualButton = nullptr;        // "KULLANIM KILAVUZU"
    QToolButton* helpButton = nullptr;          // help picture

    // Runs once after the connections opened: program folder current, remembered values.
    void FormCreate();
    // Reads and writes the remembered code, year and title of FirmaAyar.ini.
    void hafizadanoku();
    void hafizayayaz();
    // Looks the typed code up in the registry; asks to create it when it is missing.
    // Returns true when the code is registered (the registry stands on its record).
    bool firmaeditExit();
    // "KASA İŞLEMLERİNE GİR".
    void JvXPButton13Click();
    // "LİSTEDEN KASA SEÇ" and a double click on the code or the year box: the cash-book list.
    void firmaeditDblClick();
    // "YENİ KASA EKLE": a new cash book in the registry window, its code field unlocked.
    void JvXPButton1Click();
    // "PARA BİRİMİ GİRİŞİ": the currency window.
    void JvXPButton4Click();
    // "KAYNAK ŞEKLİ GİRİŞİ": the source-type window.
    void JvXPButton9Click();
    // "ŞİFRE GİR/DEĞİŞTİR": the password window, guarded by the master password.
    void JvXPButton8Click();

    // Fills the currency boxes of the windows from the currency list, first entry selected.
    void ParaBirimiAyarla();
    // Gives the movement window's source box the names of the source-type list.
    void KaynakSekliAyarla();

signals:
    // "PROGRAMI GÜNCELLE": the online update.
    void updateRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // The exit question; true when the program may end.
    bool FormCloseQuery();

    Program& program_;
    bool askingExit_ = false;
};

}  // namespace tamevo
