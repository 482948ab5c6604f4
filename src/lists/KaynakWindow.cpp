#include "lists/KaynakWindow.h"

#include "app/Dialogs.h"
#include "app/GirisWindow.h"
#include "app/Program.h"
#include "lists/ListWindows.h"
#include "lists/ReferenceLists.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamevo {

TkaynakF::TkaynakF(Program& program) : program_(program)
{
    setObjectName(QStringLiteral("kaynakF"));
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

    ListBox1 = new QListWidget;
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Kaynak Şekilleri"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(ListBox1, 1);

    deleteAction = new QAction(QStringLiteral("Kaydı Sil"), this);
    deleteAction->setObjectName(QStringLiteral("KaydSil1"));
    deleteAction->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ListBox1->addAction(deleteAction);
    ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);
    resize(320, 400);

    connect(addButton, &QPushButton::clicked, this, [this] { EKLEClick(); });
    connect(deleteAction, &QAction::triggered, this, [this] { KaydSilClick(); });

    // Window creation: the file is read once, for the whole run.
    guarded([this] { list_.load(); });
    showNames();
}

void TkaynakF::showEvent(QShowEvent* event)
{
    if (!placed_) {
        placed_ = true;
        centreOnDesktop(this);
    }
    QWidget::showEvent(event);
}

void TkaynakF::showNames()
{
    ListBox1->clear();
    ListBox1->addItems(list_.names());
}

void TkaynakF::EKLEClick()
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
    program_.girisF->KaynakSekliAyarla();
}

void TkaynakF::KaydSilClick()
{
    if (dialogs().question(kApplicationTitle, kDeleteRecordQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    const int index = selected.isEmpty() ? -1 : ListBox1->row(selected.first());
    if (!guarded([&] { list_.removeAt(index); })) {
        return;
    }
    showNames();
    program_.girisF->KaynakSekliAyarla();
}

}  // namespace tamevo
