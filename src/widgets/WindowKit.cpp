#include "widgets/WindowKit.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPushButton>
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
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        const int above =
            -metrics.tightBoundingRect(QStringLiteral("ÇĞİÖŞÜ")).top() - metrics.ascent();
        const QMargins margins = label->contentsMargins();
        if (above > margins.top()) {
            label->setContentsMargins(margins.left(), above, margins.right(), margins.bottom());
        }
    }
}

}  // namespace tamevo
