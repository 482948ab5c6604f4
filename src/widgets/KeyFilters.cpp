#include "widgets/KeyFilters.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QWidget>

namespace tamevo {

namespace {

bool isEnter(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

class EnterMovesOn : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event))) {
            focusNextControl(static_cast<QWidget*>(watched));
            return true;
        }
        return false;
    }
};

class CharacterFilter : public QObject {
public:
    CharacterFilter(QObject* parent, bool (*allowed)(QChar), bool shortcutsPass)
        : QObject(parent), allowed_(allowed), shortcutsPass_(shortcutsPass)
    {
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key) || key->key() == Qt::Key_Backspace || key->text().isEmpty() ||
            key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
            key->key() == Qt::Key_Escape) {
            return false;
        }
        if (shortcutsPass_ && (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
            return false;
        }
        return key->text().size() != 1 || !allowed_(key->text().at(0));
    }

private:
    bool (*allowed_)(QChar);
    bool shortcutsPass_;
};

class EnterPresses : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(event)) &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            if (auto* button = qobject_cast<QAbstractButton*>(watched); button->isEnabled()) {
                button->click();
            }
            return true;
        }
        return false;
    }
};

// Sees the Esc that reaches the window itself: the one no control of the window took.
class EscapeCloses : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        return false;
    }
};

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

}  // namespace

void focusNextControl(QWidget* control)
{
    QWidget* window = control->window();
    for (QWidget* w = control->nextInFocusChain(); w != nullptr && w != control;
         w = w->nextInFocusChain()) {
        // The parts of a compound control (the text box inside a date box) are the control.
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(window) &&
            w->window() == window && !control->isAncestorOf(w)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void makeEnterMoveOn(QWidget* control)
{
    control->installEventFilter(new EnterMovesOn(control));
}

void makeEnterPress(QWidget* button)
{
    button->installEventFilter(new EnterPresses(button));
}

void makeEscapeClose(QWidget* window)
{
    window->installEventFilter(new EscapeCloses(window));
}

void acceptDigitsOnly(QWidget* control)
{
    acceptOnlyCharacters(control, isDigit, false);
}

void acceptOnlyCharacters(QWidget* control, bool (*allowed)(QChar), bool shortcutsPass)
{
    control->installEventFilter(new CharacterFilter(control, allowed, shortcutsPass));
}

}  // namespace tamevo
