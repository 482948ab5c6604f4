#pragma once

#include "data/CashBookFiles.h"
#include "lists/Passwords.h"

#include <QMainWindow>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tamevo {

class Session;
class SourceTypeList;

// The entry screen, the program's main window: cash-book code, working year and password,
// and the way into the ledger and the lists. What it asks of other windows it asks through
// its signals.
class TgirisF : public QMainWindow {
    Q_OBJECT
public:
    TgirisF(Session& session, SourceTypeList& sourceTypes);

    // Runs once after the connections opened (FormCreate): program folder current,
    // remembered values.
    void start();

    // The working year as typed in the year box: the registry window makes a new cash book's
    // database for it.
    QString workingYearText() const;
    // The year-end carry-over switched the working year: the year box follows.
    void setWorkingYearText(const QString& year);
    // The registry window's "KASAYI SEÇ": the chosen cash book's code and title.
    void setChosenCashBook(const QString& code, const QString& title);
    // From now on a close ends the program without the exit question (after an update was
    // started, or too many wrong passwords).
    void waiveExitQuestion() { exitQuestionWaived_ = true; }
    // Wrong entry and master passwords typed in this run.
    int wrongPasswordCount() const { return wrongPasswords_.count(); }

signals:
    // The cash book was opened (kasaac): the ledger takes over.
    void bookOpened(const tamevo::OpenBookTexts& texts);
    // The typed code is not registered and the user chose to create it: the registry window
    // is to show the new record.
    void registryRecordStarted();
    // "LİSTEDEN KASA SEÇ" (and a double click on the code or the year box).
    void cashBookListRequested();
    // "YENİ KASA EKLE": a new cash book in the registry window, its code field unlocked.
    void newCashBookRequested();
    void currenciesRequested();   // "PARA BİRİMİ GİRİŞİ"
    void sourceTypesRequested();  // "KAYNAK ŞEKLİ GİRİŞİ"
    // "ŞİFRE GİR/DEĞİŞTİR" after the master password was accepted.
    void passwordsRequested();
    void helpRequested();
    // "PROGRAMI GÜNCELLE": the online update.
    void updateRequested();
    // The exit question: Yes ends the program, No closes the open cash book.
    void exitConfirmed();
    void bookCloseRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    // Reads and writes the remembered code, year and title of FirmaAyar.ini.
    void hafizadanoku();
    void hafizayayaz();
    // Leaving the code or the year box (firmaeditExit): looks the typed code up in the
    // registry; asks to create it when it is missing. Returns true when the code is
    // registered (the registry stands on its record).
    bool lookUpTypedCode();
    // "KASA İŞLEMLERİNE GİR" (JvXPButton13Click).
    void enterCashBook();
    // The exit question; true when the program may end.
    bool FormCloseQuery();
    void openPasswords();  // "ŞİFRE GİR/DEĞİŞTİR" (JvXPButton8Click)

    Session& session_;
    SourceTypeList& sourceTypes_;
    bool askingExit_ = false;
    bool exitQuestionWaived_ = false;    // CikisOnayi
    WrongPasswordCount wrongPasswords_;  // HataliSifreSayisi

    QLineEdit* codeEdit = nullptr;              // "Kasa Kodu"
    QLineEdit* yearEdit = nullptr;              // "Çalışma Yılı"
    QLineEdit* passwordEdit = nullptr;          // "Şifre"
    QLabel* titleLabel = nullptr;               // title of the chosen cash book
    QPushButton* enterButton = nullptr;         // "KASA İŞLEMLERİNE GİR"
    QPushButton* pickFromListButton = nullptr;  // "LİSTEDEN KASA SEÇ"
    QPushButton* newCashBookButton = nullptr;   // "YENİ KASA EKLE"
    QPushButton* passwordsButton = nullptr;     // "ŞİFRE GİR/DEĞİŞTİR"
    QPushButton* updateButton = nullptr;        // "PROGRAMI GÜNCELLE"
    QPushButton* sourceTypesButton = nullptr;   // "KAYNAK ŞEKLİ GİRİŞİ"
    QPushButton* currenciesButton = nullptr;    // "PARA BİRİMİ GİRİŞİ"
    QPushButton* manualButton = nullptr;        // "KULLANIM KILAVUZU"
    QToolButton* helpButton = nullptr;          // help picture
};

}  // namespace tamevo
