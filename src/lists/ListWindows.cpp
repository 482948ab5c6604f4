#include "lists/ListWindows.h"

#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "data/Session.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include <memory>

namespace tamevo {

// --- EditableDatasetModel --------------------------------------------------------------------

void EditableDatasetModel::addEditableColumn(const QString& field, const QString& title)
{
    fields_ << field;
    addColumn(field, title);
}

Qt::ItemFlags EditableDatasetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags result = DatasetModel::flags(index);
    if (editable_ && index.isValid()) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

QVariant EditableDatasetModel::data(const QModelIndex& index, int role) const
{
    if (role == Qt::EditRole && index.isValid() && dataset() != nullptr &&
        index.column() < fields_.size() && index.row() < dataset()->recordCount()) {
        return dataset()->valueAt(index.row(), fields_[index.column()]).toString();
    }
    return DatasetModel::data(index, role);
}

bool EditableDatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    Dataset* table = table_;
    if (!editable_ || role != Qt::EditRole || !index.isValid() || table == nullptr ||
        index.column() >= fields_.size() || index.row() >= table->recordCount()) {
        return false;
    }
    const QString field = fields_[index.column()];
    return guarded([&] {
        table->setCurrentIndex(index.row());
        const QString text = value.toString();
        // An editor closed without a change leaves the row as it is, not being edited.
        if (table->value(field).toString() == text) {
            return;
        }
        table->setValue(field, text.isEmpty() ? QVariant() : QVariant(text));
    });
}

// --- ReferenceListWindow ---------------------------------------------------------------------

ReferenceListWindow::ReferenceListWindow(ReferenceList list, const QString& objectName,
                                         const QString& caption, const QString& boxCaption,
                                         const QString& columnTitle)
    : list_(std::move(list))
{
    setObjectName(objectName);
    centreOnFirstShow(this);
    setWindowTitle(caption);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    nameEdit = new QLineEdit;
    nameEdit->setObjectName(QStringLiteral("Edit1"));
    nameEdit->setAccessibleName(boxCaption);
    auto* label = new QLabel(boxCaption);
    label->setBuddy(nameEdit);
    saveButton = new QPushButton(QStringLiteral("SAKLA"));
    saveButton->setObjectName(QStringLiteral("saklaButton"));
    top->addWidget(label);
    top->addWidget(nameEdit, 1);
    top->addWidget(saveButton);
    layout->addLayout(top);

    namesGrid = new QTableView;
    namesGrid->setObjectName(QStringLiteral("DBGrid1"));
    namesGrid->setAccessibleName(columnTitle);
    namesGrid->verticalHeader()->setVisible(false);
    namesGrid->horizontalHeader()->setStretchLastSection(true);
    model = new EditableDatasetModel(list_.table(), this);
    model->addEditableColumn(list_.nameField(), columnTitle);
    bindTableView(*namesGrid, *model);
    layout->addWidget(namesGrid, 1);

    correctAction = new QAction(QStringLiteral("Kaydı Düzelt"), this);
    correctAction->setObjectName(QStringLiteral("KaydDzelt1"));
    correctAction->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_Insert));
    deleteAction = new QAction(QStringLiteral("Kaydı Sil"), this);
    deleteAction->setObjectName(QStringLiteral("KaydSil1"));
    deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    for (QAction* action : {correctAction, deleteAction}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        namesGrid->addAction(action);
    }
    namesGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    resize(360, 420);

    connect(saveButton, &QPushButton::clicked, this, [this] { addName(); });
    connect(correctAction, &QAction::triggered, this, [this] { unlockGrid(); });
    connect(deleteAction, &QAction::triggered, this, [this] { deleteCurrentName(); });

    // Any save of the table (a corrected row left, or "SAKLA") locks the grid again.
    auto wasEditing = std::make_shared<bool>(false);
    connect(&list_.table(), &Dataset::stateChanged, this, [this, wasEditing](DatasetState state) {
        const bool editing = state == DatasetState::Edit || state == DatasetState::Insert;
        if (*wasEditing && state == DatasetState::Browse) {
            lockGrid();
        }
        *wasEditing = editing;
    });
}

void ReferenceListWindow::openAndShow()
{
    guarded([this] { list_.table().open(); });
    show();
    raise();
    activateWindow();
}

void ReferenceListWindow::addName()
{
    bool added = false;
    guarded([&] { added = list_.add(nameEdit->text()); });
    if (!added) {
        return;
    }
    nameEdit->clear();
    afterAdd();
}

void ReferenceListWindow::unlockGrid()
{
    model->setEditable(true);
    namesGrid->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
}

void ReferenceListWindow::deleteCurrentName()
{
    guarded([this] { list_.removeCurrent(); });
}

bool ReferenceListWindow::isGridUnlocked() const
{
    return model->isEditable();
}

void ReferenceListWindow::lockGrid()
{
    model->setEditable(false);
    namesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

// --- The two lists ---------------------------------------------------------------------------

TnakitnedenF::TnakitnedenF(Session& session)
    : ReferenceListWindow(transactionTypes(session), QStringLiteral("nakitnedenF"),
                          QStringLiteral("Norvane Tamevo Programı   - Nakit İşlem Türü"),
                          QStringLiteral("İşlem Türü"), QStringLiteral("Kasa İşlem Türleri"))
{
}

TparabirimiF::TparabirimiF(Session& session, CurrencyChoices& choices)
    : ReferenceListWindow(currencies(session), QStringLiteral("parabirimiF"),
                          QStringLiteral("Para Birimleri"), QStringLiteral("Para Birimi"),
                          QStringLiteral("Para Birimi")),
      currencies_(choices)
{
}

void TparabirimiF::afterAdd()
{
    guarded([this] { currencies_.ParaBirimiAyarla(); });
}

}  // namespace tamevo
