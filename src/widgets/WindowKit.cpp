#include "widgets/WindowKit.h"

#include <QLabel>
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

}  // namespace tamevo
