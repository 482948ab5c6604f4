#include "widgets/WindowKit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

namespace tamevo {

QPushButton* makeButton(const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(objectName);
    return button;
}

QToolButton* makeHelpButton(const QString& objectName)
{
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setText(QStringLiteral("?"));
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    button->setAccessibleName(QStringLiteral("Yardım"));
    button->setToolTip(QStringLiteral("Yardım"));
    return button;
}

QLabel* makeCaption(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    if (buddy != nullptr) {
        label->setBuddy(buddy);
    }
    return label;
}

QTableView* makeListGrid(const QString& objectName, const QString& accessibleName, int rowHeight)
{
    auto* grid = new QTableView;
    grid->setObjectName(objectName);
    grid->setAccessibleName(accessibleName);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    return grid;
}

void centreOnDesktop(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

}  // namespace tamevo
