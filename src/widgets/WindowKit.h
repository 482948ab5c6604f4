#pragma once

#include <QString>

class QLabel;
class QPushButton;
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

// Makes room above every label of a window for the dots and hooks of the Turkish capitals
// (İ, Ü, Ö, Ç, Ş, Ğ), which many fonts draw above their ascent: without it a label as high as
// its font cuts them off.
void keepLettersWhole(QWidget* window);

// Centres a window on the desktop (the primary screen's free area).
void centreOnDesktop(QWidget* window);
// Centres a window on the desktop the first time it is shown; later it stays where the user
// put it.
void centreOnFirstShow(QWidget* window);

}  // namespace tamevo
