#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tamevo {

class Session;

// The password window "Norvane Tamevo Şifre Girişi": the entry password and the
// master password, shown in clear, stored by "SAKLA". Hiding the window drops what was typed
// and not saved.
class TsifreF : public QWidget {
    Q_OBJECT
public:
    explicit TsifreF(Session& session);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void savePasswords();  // "SAKLA" (saklaClick)

    Session& session_;

    QLineEdit* entryPasswordEdit = nullptr;   // "Program Giriş Şifresi" (sifre.sifre)
    QLineEdit* masterPasswordEdit = nullptr;  // "Program Master Şifresi" (master.mids)
    QLabel* warningLabel = nullptr;
    QPushButton* saveButton = nullptr;  // "SAKLA"
};

}  // namespace tamevo
