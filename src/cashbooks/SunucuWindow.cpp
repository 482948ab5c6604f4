#include "cashbooks/SunucuWindow.h"

#include "data/Dialogs.h"
#include "data/JournalUpkeep.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tamevo {

namespace {

const QString kTitle = QStringLiteral("Norvane Tamevo Programı - Sunucu Ayarları");

}  // namespace

TsunucuF::TsunucuF()
{
    setObjectName(QStringLiteral("sunucuF"));
    setWindowTitle(kTitle);

    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const struct {
        QLineEdit** edit;
        const char* objectName;
        const char* caption;
    } fields[] = {
        {&serviceEdit, "servisEdit", "Servis"},    {&hostEdit, "adresEdit", "Adres"},
        {&portEdit, "portEdit", "Port"},           {&databaseEdit, "veritabaniEdit", "Veritabanı"},
        {&userEdit, "kullaniciEdit", "Kullanıcı"},
    };
    int row = 0;
    for (const auto& f : fields) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(f.objectName));
        edit->setAccessibleName(QString::fromUtf8(f.caption));
        // A name of the server is at most 63 bytes; an address may be longer.
        edit->setMaxLength(255);
        makeEnterMoveOn(edit);
        grid->addWidget(makeCaption(QString::fromUtf8(f.caption), edit), row, 0);
        grid->addWidget(edit, row, 1);
        *f.edit = edit;
        ++row;
    }
    portEdit->setMaxLength(5);
    acceptDigitsOnly(portEdit);
    layout->addLayout(grid);

    passwordNote = new QLabel(kServerPasswordNote);
    passwordNote->setObjectName(QStringLiteral("parolaLabel"));
    passwordNote->setWordWrap(true);
    layout->addWidget(passwordNote);

    tryButton = makeButton(QStringLiteral("denemeBut"), QStringLiteral("Bağlantıyı Dene"));
    saveButton = makeButton(QStringLiteral("kaydetBut"), QStringLiteral("KAYDET"));
    closeButton = makeButton(QStringLiteral("kapatBut"), QStringLiteral("KAPAT"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(tryButton);
    buttons->addStretch(1);
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    layout->addLayout(buttons);

    connect(tryButton, &QPushButton::clicked, this, [this] { tryConnection(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { saveSettings(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    resize(460, sizeHint().height());
}

void TsunucuF::showEvent(QShowEvent* event)
{
    showSavedSettings();
    QWidget::showEvent(event);
}

void TsunucuF::showSavedSettings()
{
    guarded([this] {
        const ServerSettings saved = readServerSettings(programSettingsFile());
        serviceEdit->setText(saved.service);
        hostEdit->setText(saved.host);
        portEdit->setText(saved.port > 0 ? QString::number(saved.port) : QString());
        databaseEdit->setText(saved.database);
        userEdit->setText(saved.user);
    });
}

ServerSettings TsunucuF::shownSettings() const
{
    return typedServerSettings(serviceEdit->text(), hostEdit->text(), portEdit->text(),
                               databaseEdit->text(), userEdit->text());
}

void TsunucuF::tryConnection()
{
    guarded([this] {
        const ServerSettings settings = shownSettings();
        if (!settings.isSet()) {
            throw ValidationError(kServerNameMissing);
        }
        tryServerConnection(settings);
        showMessage(kServerConnected);
    });
}

void TsunucuF::saveSettings()
{
    guarded([this] {
        const ServerSettings settings = shownSettings();
        if (!settings.isSet()) {
            if (askBeforeReplacing(kTitle, kServerSettingsClearQuestion) != Dialogs::Answer::Yes) {
                return;
            }
            writeServerSettings(programSettingsFile(), settings);
            showMessage(kServerSettingsCleared);
            return;
        }
        // Settings that do not reach the server are saved only when the user says so: the
        // server may be down for now, or set up later.
        try {
            tryServerConnection(settings);
        } catch (const Error& unreachable) {
            if (askBeforeReplacing(
                    kTitle, unreachable.text() + QStringLiteral("\n\n") + kServerSaveAnyway,
                    Dialogs::Buttons::YesNo, Dialogs::Icon::Warning) != Dialogs::Answer::Yes) {
                return;
            }
        }
        writeServerSettings(programSettingsFile(), settings);
        showMessage(kServerSettingsSaved);
    });
}

}  // namespace tamevo
