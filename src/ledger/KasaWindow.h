#pragma once

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tamevo {

class Ledger;
class Program;

// The movement window: adds a movement to the open cash book or changes one. It has no data
// of its own; its edits are bound to the ledger's current movement.
class TkasaF : public QWidget {
    Q_OBJECT
public:
    explicit TkasaF(Program& program);

    QDateEdit* vadesiDate = nullptr;           // "İşlem Tarihi"
    QComboBox* dovizBox = nullptr;             // "Para Birimi"
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

    void BitBtn1Click();      // "SAKLA"
    void JvXPButton2Click();  // "VAZGEÇ"
    void JvXPButton1Click();  // "YENİ HAREKET"

    void setCurrencyCodes(const QStringList& codes);
    void setCurrencyText(const QString& code);
    void setSourceNames(const QStringList& names);

    // Handlers of the buttons that open the lists' windows.
    std::function<void()> onTypes;
    std::function<void()> onSources;

protected:
    void hideEvent(QHideEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void refreshTypeNames();

    Program& program_;
    Ledger& ledger_;
};

}  // namespace tamevo
