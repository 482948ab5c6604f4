#include "lists/SifreWindow.h"

#include "data/Dialogs.h"
#include "widgets/FieldBinding.h"
#include "widgets/KeyFilters.h"
#include "data/Session.h"
#include "lists/Passwords.h"

#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamevo {

TsifreF::TsifreF(Session& session) : session_(session)
{
    setObjectName(QStringLiteral("sifreF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Şifre Girişi"));

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    entryPasswordEdit = new QLineEdit;
    entryPasswordEdit->setObjectName(QStringLiteral("DBEdit1"));
    masterPasswordEdit = new QLineEdit;
    masterPasswordEdit->setObjectName(QStringLiteral("DBEdit2"));
    const struct {
        const char* caption;
        QLineEdit* edit;
    } rows[] = {
        {"Program Giriş Şifresi", entryPasswordEdit},
        {"Program Master Şifresi", masterPasswordEdit},
    };
    int row = 0;
    for (const auto& r : rows) {
        const QString caption = QString::fromUtf8(r.caption);
        auto* label = new QLabel(caption);
        label->setBuddy(r.edit);
        r.edit->setAccessibleName(caption);
        r.edit->setMaxLength(kPasswordMaxLength);
        makeEnterMoveOn(r.edit);
        grid->addWidget(label, row, 0);
        grid->addWidget(r.edit, row, 1);
        ++row;
    }
    layout->addLayout(grid);

    warningLabel = new QLabel(kMasterPasswordWarning);
    warningLabel->setObjectName(QStringLiteral("Label3"));
    warningLabel->setWordWrap(true);
    layout->addWidget(warningLabel);

    saveButton = new QPushButton(QStringLiteral("SAKLA"));
    saveButton->setObjectName(QStringLiteral("saklaButton"));
    layout->addWidget(saveButton, 0, Qt::AlignRight);

    // Typing starts editing the first record; into an empty table it creates it.
    bindLineEdit(entryPasswordEdit, &session.sifreTable, QStringLiteral("sifre"));
    bindLineEdit(masterPasswordEdit, &session.masterTable, QStringLiteral("mids"));

    connect(saveButton, &QPushButton::clicked, this, [this] { savePasswords(); });
}

void TsifreF::savePasswords()
{
    guarded([this] { tamevo::savePasswords(session_); });
}

void TsifreF::hideEvent(QHideEvent* event)
{
    // What was typed and not saved with "SAKLA" is dropped when the window is hidden or
    // closed (not when the window system minimises it).
    if (!event->spontaneous()) {
        cancelPasswordChanges(session_);
    }
    QWidget::hideEvent(event);
}

}  // namespace tamevo
