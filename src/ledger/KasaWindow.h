#pragma once

#include "ledger/Ledger.h"

#include <QDate>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tamevo {

class Ledger;
class Session;

// Where the movement window goes once "SAKLA" has stored the movement (kasaDonusModu): it
// stays open, or, for a movement opened from the two-date browser, hides and has the browser
// built again.
enum class AfterSave { StayOpen, ReturnToBrowser };

// The movement window: adds a movement to the open cash book or changes one. It has no data
// of its own; its edits are bound to the ledger's current movement.
class TkasaF : public QWidget {
    Q_OBJECT
public:
    TkasaF(Session& session, Ledger& ledger);

    // "YENİ" of the ledger: a new pending movement on `day`, in `currency` when one is given
    // (the box keeps its choice otherwise), and the window shown.
    void startNew(const QDate& day, const QString& currency);
    // "DEĞİŞTİR" of the ledger, or a movement opened from another window: the ledger's
    // current movement, with its day and currency, in the window shown. Nothing when the
    // current row is not a stored movement.
    void startEdit(AfterSave afterSave = AfterSave::StayOpen);
    // The two-date browser was hidden: a save no longer returns to it.
    void stopReturningToBrowser() { afterSave_ = AfterSave::StayOpen; }

    // The currency box's entries (its part of ParaBirimiAyarla), the first selected.
    void setCurrencyEntries(const QStringList& codes);
    // The source box's entries (KaynakSekliAyarla); the typed text stays.
    void setSourceNames(const QStringList& names);

signals:
    void typesRequested();    // "İşlem Türü Girişi"
    void sourcesRequested();  // "Kaynak Şekli Girişi"
    void helpRequested();
    // A movement was stored while the window worked for the two-date browser.
    void savedForBrowser();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void saveMovement();          // "SAKLA" (BitBtn1Click)
    void cancelChanges();         // "VAZGEÇ" (JvXPButton2Click)
    void startAnotherMovement();  // "YENİ HAREKET" (JvXPButton1Click)
    // The window's date and currency, and the refusal of an amount it cannot read.
    EntryValues entryValues() const;
    // Tells the ledger the window's values for its pending movement.
    void sendEntryValues();
    void refreshTypeNames();
    void setCurrencyText(const QString& code);
    void showWindow();

    Session& session_;
    Ledger& ledger_;
    AfterSave afterSave_ = AfterSave::StayOpen;

    QDateEdit* datePicker = nullptr;           // "İşlem Tarihi"
    QComboBox* currencyBox = nullptr;          // "Para Birimi"
    QLineEdit* inEdit = nullptr;               // "Kasaya Giren Tutar"
    QLineEdit* outEdit = nullptr;              // "Kasadan Çıkan Tutar"
    QLineEdit* rateEdit = nullptr;             // "Döviz Kuru"
    QLineEdit* descriptionEdit = nullptr;      // "Açıklama"
    QComboBox* typeBox = nullptr;              // "İşlem Türü"
    QComboBox* sourceBox = nullptr;            // "Kaynak"
    QPushButton* saveButton = nullptr;         // "SAKLA"
    QPushButton* cancelButton = nullptr;       // "VAZGEÇ"
    QPushButton* newMovementButton = nullptr;  // "YENİ HAREKET"
    QPushButton* typesButton = nullptr;        // "İşlem Türü Girişi"
    QPushButton* closeButton = nullptr;        // "KAPAT"
    QPushButton* sourcesButton = nullptr;      // "Kaynak Şekli Girişi"
    QToolButton* helpButton = nullptr;
};

}  // namespace tamevo
