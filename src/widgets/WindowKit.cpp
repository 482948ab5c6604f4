#include "widgets/WindowKit.h"

#include "widgets/KeyFilters.h"

#include <QEvent>
#include <QFontMetrics>
#include <QAction>
#include <QGuiApplication>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>

namespace tamevo {

QPushButton* makeButton(const QString& objectName, const QString& caption)
{
    auto* button = new QPushButton(caption);
    button->setObjectName(objectName);
    makeEnterPress(button);
    return button;
}

QFont headingFont(const QFont& base, int extraPoints)
{
    QFont font = base;
    font.setBold(true);
    if (extraPoints != 0) {
        font.setPointSize(font.pointSize() + extraPoints);
    }
    return font;
}

void setHeadingFont(QWidget* widget, int extraPoints)
{
    widget->setFont(headingFont(widget->font(), extraPoints));
}

QLabel* makeFigureLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(120);
    setHeadingFont(label);
    return label;
}

QToolButton* makeHelpButton(const QString& objectName)
{
    auto* button = new QToolButton;
    button->setObjectName(objectName);
    button->setText(QStringLiteral("?"));
    setHeadingFont(button);
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
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    // Tab leaves the grid for the next control; the arrows move between its rows.
    grid->setTabKeyNavigation(false);
    return grid;
}

void attachGridMenu(QAbstractScrollArea* grid, QMenu* menu)
{
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        grid, &QWidget::customContextMenuRequested, menu,
        [grid, menu](const QPoint& at) { menu->popup(grid->viewport()->mapToGlobal(at)); });
}

QAction* addGridCommand(QMenu* menu, const QList<QWidget*>& grids, const QString& caption,
                        const QKeySequence& key, const std::function<void()>& command)
{
    QAction* action = menu->addAction(caption);
    action->setShortcut(key);
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(action, &QAction::triggered, menu, command);
    for (QWidget* grid : grids) {
        grid->addAction(action);
    }
    return action;
}

QList<QLabel*> addStatusPanels(QMainWindow* window, int count)
{
    auto* status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    QList<QLabel*> panels;
    for (int i = 0; i < count; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        panels << panel;
        status->addWidget(panel, i == count - 1 ? 1 : 0);
    }
    window->setStatusBar(status);
    return panels;
}

void centreOnDesktop(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

namespace {

class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            centreOnDesktop(static_cast<QWidget*>(watched));
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }
};

}  // namespace

void centreOnFirstShow(QWidget* window)
{
    window->installEventFilter(new CentreOnFirstShow(window));
}

void keepLettersWhole(QWidget* window)
{
    // The room is measured once for each font the labels use: most share one or two.
    QHash<QString, int> roomAbove;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QFont font = label->font();
        auto room = roomAbove.constFind(font.key());
        if (room == roomAbove.cend()) {
            const QFontMetrics metrics(font);
            room = roomAbove.insert(
                font.key(),
                -metrics.tightBoundingRect(QStringLiteral("ÇĞİÖŞÜ")).top() - metrics.ascent());
        }
        const int above = *room;
        const QMargins margins = label->contentsMargins();
        if (above > margins.top()) {
            label->setContentsMargins(margins.left(), above, margins.right(), margins.bottom());
        }
    }
}

}  // namespace tamevo
