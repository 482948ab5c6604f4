#pragma once

#include <QChar>

class QWidget;

namespace tamevo {

// Enter in the control is swallowed and moves the focus to the next control in tab order,
// as Tab does.
void makeEnterMoveOn(QWidget* control);

// The control accepts only the digits 0 to 9, Backspace and Enter among the keys that type
// a character; every other such key (letters, signs, control characters) is swallowed.
// Keys that type nothing (arrows, Delete) and the keys that move between controls or close
// a window (Tab, Shift+Tab, Esc) keep their work.
void acceptDigitsOnly(QWidget* control);

// The control accepts, among the keys that type a character, Backspace, Enter and the
// characters `allowed` accepts; every other such key is swallowed. Keys that type nothing,
// Tab, Shift+Tab and Esc keep their work, and so do shortcuts with Ctrl when `shortcutsPass`
// is set.
void acceptOnlyCharacters(QWidget* control, bool (*allowed)(QChar), bool shortcutsPass);

// Enter (or the keypad's Enter) on the focused button presses it, as Space does.
void makeEnterPress(QWidget* button);

// Esc in a window, when no control of it uses the key (an open list, an editor of a grid
// cell), closes the window.
void makeEscapeClose(QWidget* window);

// Moves the focus from `control` to the next control of its window in tab order.
void focusNextControl(QWidget* control);

}  // namespace tamevo
