#pragma once

#include "lists/SourceTypes.h"

#include <QWidget>

class QAction;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tamevo {

// The source types ("Kaynak Şekilleri"): the list of KaynakSekli.ods, read once when
// the window is created, with "EKLE" and "Kaydı Sil". Every change is written to the file and
// announced by the list (KaynakSekliAyarla).
class TkaynakF : public QWidget {
    Q_OBJECT
public:
    explicit TkaynakF(SourceTypeList& list);

    // The names of the list, in list order.
    const QStringList& names() const { return list_.names(); }

private:
    void addName();            // "EKLE" (EKLEClick)
    void deleteCurrentName();  // "Kaydı Sil" (KaydSilClick)
    void showNames();

    SourceTypeList& list_;

    QLineEdit* nameEdit = nullptr;     // "Kaynak Adı"
    QPushButton* addButton = nullptr;  // "EKLE"
    QListWidget* nameList = nullptr;   // the names, in file order
    QAction* deleteAction = nullptr;   // "Kaydı Sil" (Delete)
};

}  // namespace tamevo
