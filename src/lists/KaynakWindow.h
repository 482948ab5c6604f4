#pragma once

#include "lists/SourceTypes.h"

#include <QWidget>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tamevo {

class Program;

// The source types ("Kaynak Şekilleri"): the list of KaynakSekli.ods, read once when
// the window is created, with "EKLE" and "Kaydı Sil". Every change is written to the file and
// passed on to the movement window's source box (KaynakSekliAyarla).
class TkaynakF : public QWidget {
    Q_OBJECT
public:
    explicit TkaynakF(Program& program);

    QLineEdit* nameEdit = nullptr;     // "Kaynak Adı"
    QPushButton* addButton = nullptr;  // "EKLE"
    QListWidget* ListBox1 = nullptr;   // the names, in file order
    QAction* deleteAction = nullptr;   // "Kaydı Sil" (Delete)

    // The names of the list, in list order.
    const QStringList& names() const { return list_.names(); }

    void EKLEClick();     // "EKLE"
    void KaydSilClick();  // "Kaydı Sil"

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showNames();

    Program& program_;
    SourceTypeList list_;
    bool placed_ = false;
};

}  // namespace tamevo
