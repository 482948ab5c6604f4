// The registry window's lower panel: the backup and restore commands and the automatic
// backup's settings, loaded once when the window is created.
#include "cashbooks/FirmaWindow.h"

#include "data/Dataset.h"
#include "data/Dialogs.h"
#include "widgets/KeyFilters.h"
#include "data/Session.h"
#include "widgets/WindowKit.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tamevo {

QGroupBox* TfirmaF::buildBackupPanel()
{
    backupPanel = new QGroupBox;
    backupPanel->setObjectName(QStringLiteral("backupPanel"));
    backupPanel->setFlat(true);
    auto* grid = new QGridLayout(backupPanel);

    backUpOneButton =
        makeButton(QStringLiteral("tekYedekBut"), QStringLiteral("Tek Kasa Yedek Al"));
    restoreOneButton =
        makeButton(QStringLiteral("tekGeriYukleBut"), QStringLiteral("Tek Kasa Geri Yükle"));
    backUpAllButton =
        makeButton(QStringLiteral("tumYedekBut"), QStringLiteral("Tüm Kasaları Yedek Al"));
    restoreAllButton =
        makeButton(QStringLiteral("tumGeriYukleBut"), QStringLiteral("Tüm Kasaları Geri Yükle"));
    const QList<QPushButton*> commands{backUpOneButton, restoreOneButton, backUpAllButton,
                                       restoreAllButton};
    for (int i = 0; i < commands.size(); ++i) {
        grid->addWidget(commands[i], 0, i);
    }

    autoBackupCheck = new QCheckBox(QStringLiteral("Otomatik Olarak Yedek Al"));
    autoBackupCheck->setObjectName(QStringLiteral("otoYedekCheck"));
    lastBackupDate = new QDateEdit(kNoAutomaticBackupYet);
    lastBackupDate->setObjectName(QStringLiteral("sonYedekTarihi"));
    lastBackupDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    lastBackupDate->setReadOnly(true);
    lastBackupDate->setButtonSymbols(QAbstractSpinBox::NoButtons);
    grid->addWidget(autoBackupCheck, 1, 0, 1, 2);
    grid->addWidget(makeCaption(QStringLiteral("Son Yedek Alınma Tarihi"), lastBackupDate), 1, 2);
    grid->addWidget(lastBackupDate, 1, 3);

    autoBackupFolderEdit = new QLineEdit;
    autoBackupFolderEdit->setObjectName(QStringLiteral("otoYedekYeriEdit"));
    makeEnterMoveOn(autoBackupFolderEdit);
    autoBackupFolderButton = makeButton(QStringLiteral("otoYedekAdresBut"),
                                        QStringLiteral("Otomatik Yedek Adresini Bul"));
    grid->addWidget(makeCaption(QStringLiteral("Otomatik Yedeklenecek Yer"), autoBackupFolderEdit),
                    2, 0);
    grid->addWidget(autoBackupFolderEdit, 2, 1, 1, 2);
    grid->addWidget(autoBackupFolderButton, 2, 3);

    backupDaysEdit = new QLineEdit;
    backupDaysEdit->setObjectName(QStringLiteral("yedekGunEdit"));
    backupDaysEdit->setMaxLength(3);
    backupDaysEdit->setAlignment(Qt::AlignRight);
    acceptDigitsOnly(backupDaysEdit);
    makeEnterMoveOn(backupDaysEdit);
    saveAutoBackupButton =
        makeButton(QStringLiteral("otoYedekSaklaBut"), QStringLiteral("Oto.Yed.Ayarlarını Sakla"));
    auto* interval = new QHBoxLayout;
    interval->addWidget(makeCaption(QStringLiteral("Yedek"), backupDaysEdit));
    interval->addWidget(backupDaysEdit);
    interval->addWidget(new QLabel(QStringLiteral("Günde Bir Alınsın")));
    interval->addStretch(1);
    grid->addLayout(interval, 3, 0, 1, 3);
    grid->addWidget(saveAutoBackupButton, 3, 3);

    connect(backUpOneButton, &QPushButton::clicked, this, [this] { TekKasaYedekle(); });
    connect(restoreOneButton, &QPushButton::clicked, this, [this] { TekKasaGeriYukle(); });
    connect(backUpAllButton, &QPushButton::clicked, this, [this] { TumunuYedekle(); });
    connect(restoreAllButton, &QPushButton::clicked, this, [this] { TumFirmalarGeriYukle(); });
    connect(autoBackupFolderButton, &QPushButton::clicked, this, [this] { OtoYedekAdresiniBul(); });
    connect(saveAutoBackupButton, &QPushButton::clicked, this,
            [this] { OtoYedekAyarlariniSakla(); });

    // The settings are read once, here; nothing reloads them during the run.
    const AutoBackupSettings settings = loadAutoBackupSettings();
    autoBackupFolderEdit->setText(settings.folder);
    backupDaysEdit->setText(settings.dayCount);
    autoBackupCheck->setChecked(settings.enabled);
    lastBackupDate->setDate(settings.lastBackup);
    return backupPanel;
}

void TfirmaF::TekKasaYedekle()
{
    guarded([this] {
        registry_.open();
        backups_.TekKasaYedekle(session_.FirmaTakip.value(QStringLiteral("firma_kodu")).toString());
    });
}

void TfirmaF::TumunuYedekle()
{
    guarded([this] { backups_.TumunuYedekle(); });
}

void TfirmaF::TekKasaGeriYukle()
{
    guarded([this] { backups_.TekKasaGeriYukle(); });
}

void TfirmaF::TumFirmalarGeriYukle()
{
    guarded([this] { backups_.TumFirmalarGeriYukle(); });
}

void TfirmaF::OtoYedekAdresiniBul()
{
    std::optional<QString> folder;
    guarded([&] { folder = backups_.OtoYedekAdresiniBul(); });
    if (folder) {
        autoBackupFolderEdit->setText(*folder);
    }
    // Saved whether the folder was chosen or not, as the panel stands.
    OtoYedekAyarlariniSakla();
}

void TfirmaF::OtoYedekAyarlariniSakla()
{
    guarded([this] {
        saveAutoBackupSettings(autoBackupFolderEdit->text(), backupDaysEdit->text(),
                               autoBackupCheck->isChecked());
    });
}

void TfirmaF::TumunuYedekleOto()
{
    guarded([this] { backups_.TumunuYedekleOto(); });
}

AutoBackupSettings TfirmaF::shownAutoBackupSettings() const
{
    return {autoBackupFolderEdit->text(), backupDaysEdit->text(), autoBackupCheck->isChecked(),
            lastBackupDate->date()};
}

void TfirmaF::runAutomaticBackupWhenDue()
{
    if (isAutomaticBackupDue(shownAutoBackupSettings(), backups_.now())) {
        TumunuYedekleOto();
    }
}

}  // namespace tamevo
