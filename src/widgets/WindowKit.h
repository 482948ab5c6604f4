#pragma once

#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class QAbstractScrollArea;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;

namespace tamevo {

// Small pieces every window builds from, so they look and announce themselves alike.

// The colours of movement rows wherever movements are listed: money out on a light blue
// ground in dark blue letters, money in in orange letters.
inline const QColor kMoneyOutBackground(223, 235, 255);
inline const QColor kMoneyOutText(12, 47, 111);
inline const QColor kMoneyInText(230, 98, 19);

// A push button with its caption and the objectName tests find it by.
QPushButton* makeButton(const QString& objectName, const QString& caption);

// The font of the windows' headings and figures: `base` in bold, `extraPoints` larger.
QFont headingFont(const QFont& base, int extraPoints = 0);
// Gives a label or a button that font.
void setHeadingFont(QWidget* widget, int extraPoints = 0);

// The picture button that opens the help window: a question mark, announced as "Yardım".
QToolButton* makeHelpButton(const QString& objectName);

// A figure beside its caption: bold, right-aligned, wide enough for a large amount.
QLabel* makeFigureLabel(const QString& objectName);

// A caption label; with a buddy, a screen reader announces the buddy by this caption.
QLabel* makeCaption(const QString& text, QWidget* buddy = nullptr);

// Makes room above every label of a window for the dots and hooks of the Turkish capitals
// (İ, Ü, Ö, Ç, Ş, Ğ), which many fonts draw above their ascent: without it a label as high as
// its font cuts them off.
void keepLettersWhole(QWidget* window);
// A read-only grid of a list: its objectName, the name a screen reader announces, whole rows
// selected one at a time, rows of `rowHeight` pixels and no row numbers.
QTableView* makeListGrid(const QString& objectName, const QString& accessibleName, int rowHeight);

// A grid's context menu, shown where the user asks for it on the grid.
void attachGridMenu(QAbstractScrollArea* grid, QMenu* menu);
// A command of a grid's context menu that its key (none when empty) also runs while one of
// `grids`, or a control in it, has the focus.
QAction* addGridCommand(QMenu* menu, const QList<QWidget*>& grids, const QString& caption,
                        const QKeySequence& key, const std::function<void()>& command);

// The window's status bar with `count` panels (StatusPanel1, ...), the last one taking the
// room left; returns the panels in order.
QList<QLabel*> addStatusPanels(QMainWindow* window, int count);

// Centres a window on the desktop (the primary screen's free area).
void centreOnDesktop(QWidget* window);
// Centres a window on the desktop the first time it is shown; later it stays where the user
// put it.
void centreOnFirstShow(QWidget* window);

}  // namespace tamevo
