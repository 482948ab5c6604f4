#pragma once

#include <QString>

class QLabel;
class QPushButton;
class QTableView;
class QToolButton;
class QWidget;

namespace tamevo {

// Small pieces every window builds from, so they look and announce themselves alike.

// A push button with its caption and the objectName tests find it by.
QPushButton* makeButton(const QString& objectName, const QString& caption);

// The picture button that opens the help window: a question mark, announced as "Yardım".
QToolButton* makeHelpButton(const QString& objectName);

// A caption label; with a buddy, a screen reader announces the buddy by this caption.
QLabel* makeCaption(const QString& text, QWidget* buddy = nullptr);

// A grid of a list: its objectName, the name a screen reader announces, rows of `rowHeight`
// pixels and no row numbers.
QTableView* makeListGrid(const QString& objectName, const QString& accessibleName, int rowHeight);

// Centres a window on the desktop (the primary screen's free area).
void centreOnDesktop(QWidget* window);

}  // namespace tamevo
