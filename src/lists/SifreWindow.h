#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tamevo {

class Program;

// The password window "Norvane Tamevo Şifre Girişi": the entry password and the
// master password, shown in clear, stored by "SAKLA". Hiding the window drops what was typed
// and not saved.
class TsifreF : public QWidget {
    Q_OBJECT
public:
    explicit TsifreF(Program& program);

    QLineEdit* entryPasswordEdit = nullptr;   // "Program Giriş Şifresi" (sifre.sifre)
    QLineEdit* masterPasswordEdit = nullptr;  // "Program Master Şifresi" (master.mids)
    QLabel* warningLabel = nullptr;
    QPushButton* saveButton = nullptr;  // "SAKLA"

    void saklaClick();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    Program& program_;
};

}  // namespace tamevo
