#pragma once

#include "widgets/DatasetModel.h"
#include "lists/ReferenceLists.h"

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tamevo {

class CurrencyChoices;
class Session;

// A grid over a dataset whose cells can be corrected in place while it is unlocked: a changed
// cell writes its field on the dataset's row, which stays pending until the row is left (the
// dataset then stores it, through its own checks).
class EditableDatasetModel : public DatasetModel {
    Q_OBJECT
public:
    explicit EditableDatasetModel(Dataset& table, QObject* parent = nullptr)
        : DatasetModel(table, parent), table_(&table)
    {
    }

    void addEditableColumn(const QString& field, const QString& title);
    void setEditable(bool editable) { editable_ = editable; }
    bool isEditable() const { return editable_; }

    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

private:
    QPointer<Dataset> table_;
    QStringList fields_;
    bool editable_ = false;
};

// The window of one small list of the general database: a text box and "SAKLA"
// to add a name, a grid of the names, read-only until "Kaydı Düzelt" unlocks it for
// corrections in place (locked again by the next save of the table), and "Kaydı Sil".
class ReferenceListWindow : public QWidget {
    Q_OBJECT
public:
    ReferenceList& list() { return list_; }

    // Opens the list's table when it is closed and shows the window.
    void openAndShow();

    // Whether "Kaydı Düzelt" has unlocked the grid for corrections in place.
    bool isGridUnlocked() const;

protected:
    ReferenceListWindow(ReferenceList list, const QString& objectName, const QString& caption,
                        const QString& boxCaption, const QString& columnTitle);
    // Runs after a name was added by "SAKLA".
    virtual void afterAdd() {}

private:
    void addName();            // "SAKLA" (saklaClick)
    void unlockGrid();         // "Kaydı Düzelt" (KaydDzeltClick)
    void deleteCurrentName();  // "Kaydı Sil" (KaydSilClick)
    void lockGrid();

    QLineEdit* nameEdit = nullptr;      // the new name
    QPushButton* saveButton = nullptr;  // "SAKLA"
    QTableView* namesGrid = nullptr;    // the names
    QAction* correctAction = nullptr;   // "Kaydı Düzelt" (Shift+Insert)
    QAction* deleteAction = nullptr;    // "Kaydı Sil" (Delete)
    EditableDatasetModel* model = nullptr;

    ReferenceList list_;
};

// The transaction types (kasaneden), opened by the movement window's "İşlem Türü Girişi".
class TnakitnedenF : public ReferenceListWindow {
    Q_OBJECT
public:
    explicit TnakitnedenF(Session& session);
};

// The currencies (parabirimi), opened by the entry screen's "PARA BİRİMİ GİRİŞİ"; "SAKLA"
// refills the currency boxes (ParaBirimiAyarla).
class TparabirimiF : public ReferenceListWindow {
    Q_OBJECT
public:
    TparabirimiF(Session& session, CurrencyChoices& currencies);

protected:
    void afterAdd() override;

private:
    CurrencyChoices& currencies_;
};

}  // namespace tamevo
