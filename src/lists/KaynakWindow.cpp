#include "lists/KaynakWindow.h"

#include "data/Dialogs.h"
#include "lists/ReferenceLists.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamevo {

TkaynakF::TkaynakF(SourceTypeList& list) : list_(list)
{
    setObjectName(QStringLiteral("kaynakF"));
    centreOnFirstShow(this);
    setWindowTitle(QStringLiteral("Kaynak Şekilleri"));

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    nameEdit = new QLineEdit;
    nameEdit->setObjectName(QStringLiteral("Edit1"));
    nameEdit->setAccessibleName(QStringLiteral("Kaynak Adı"));
    auto* label = new QLabel(QStringLiteral("Kaynak Adı"));
    label->setBuddy(nameEdit);
    addButton = new QPushButton(QStringLiteral("EKLE"));
    addButton->setObjectName(QStringLiteral("ekleButton"));
    top->addWidget(label);
    top->addWidget(nameEdit, 1);
    top->addWidget(addButton);
    layout->addLayout(top);

    nameList = new QListWidget;
    nameList->setObjectName(QStringLiteral("ListBox1"));
    nameList->setAccessibleName(QStringLiteral("Kaynak Şekilleri"));
    nameList->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(nameList, 1);

    deleteAction = new QAction(QStringLiteral("Kaydı Sil"), this);
    deleteAction->setObjectName(QStringLiteral("KaydSil1"));
    deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    nameList->addAction(deleteAction);
    nameList->setContextMenuPolicy(Qt::ActionsContextMenu);
    resize(320, 400);

    connect(addButton, &QPushButton::clicked, this, [this] { addName(); });
    connect(deleteAction, &QAction::triggered, this, [this] { deleteCurrentName(); });

    // The list is read once, for the whole run, before the window is made.
    showNames();
}

void TkaynakF::showNames()
{
    nameList->clear();
    nameList->addItems(list_.names());
}

void TkaynakF::addName()
{
    const QString text = nameEdit->text();
    SourceTypeList::AddResult result = SourceTypeList::AddResult::Empty;
    if (!guarded([&] { result = list_.add(text); })) {
        return;
    }
    switch (result) {
        case SourceTypeList::AddResult::Empty:
            return;
        case SourceTypeList::AddResult::Duplicate:
            showMessage(kSourceTypeExists);
            break;
        case SourceTypeList::AddResult::Added:
            showNames();
            nameEdit->clear();
            break;
    }
}

void TkaynakF::deleteCurrentName()
{
    if (askBeforeReplacing(kApplicationTitle, kDeleteRecordQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    const QList<QListWidgetItem*> selected = nameList->selectedItems();
    const int index = selected.isEmpty() ? -1 : nameList->row(selected.first());
    if (!guarded([&] { list_.removeAt(index); })) {
        return;
    }
    showNames();
}

}  // namespace tamevo
