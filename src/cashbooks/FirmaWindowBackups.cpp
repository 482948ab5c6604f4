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

    tekYedekBut = makeButton(QStringLiteral("tekYedekBut"), QStringLiteral("Tek Kasa Yedek Al"));
    tekGeriYukleBut =
        makeButton(QStringLiteral("tekGeriYukleBut"), QStringLiteral("Tek Kasa Geri Yükle"));
    tumYedekBut =
        makeButton(QStringLiteral("tumYedekBut"), QStringLiteral("Tüm Kasaları Yedek Al"));
    tumGeriYukleBut =
        makeButton(QStringLiteral("tumGeriYukleBut"), QStringLiteral("Tüm Kasaları Geri Yükle"));
    const QList<QPushButton*> commands{tekYedekBut, tekGeriYukleBut, tumYedekBut, tumGeriYukleBut};
    for (int i = 0; i < commands.size(); ++i) {
        grid->addWidget(commands[i], 0, i);
    }

    otoYedekCheck = new QCheckBox(QStringLiteral("Otomatik Olarak Yedek Al"));
    otoYedekCheck->setObjectName(QStringLiteral("otoYedekCheck"));
    sonYedekTarihi = new QDateEdit(kNoAutomaticBackupYet);
    sonYedekTarihi->setObjectName(QStringLiteral("sonYedekTarihi"));
    sonYedekTarihi->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    sonYedekTarihi->setReadOnly(true);
    sonYedekTarihi->setButtonSymbols(QAbstractSpinBox::NoButtons);
    grid->addWidget(otoYedekCheck, 1, 0, 1, 2);
    grid->addWidget(makeCaption(QStringLiteral("Son Yedek Alınma Tarihi"), sonYedekTarihi), 1, 2);
    grid->addWidget(sonYedekTarihi, 1, 3);

    otoYedekYeriEdit = new QLineEdit;
    otoYedekYeriEdit->setObjectName(QStringLiteral("otoYedekYeriEdit"));
    makeEnterMoveOn(otoYedekYeriEdit);
    otoYedekAdresBut = makeButton(QStringLiteral("otoYedekAdresBut"),
                                  QStringLiteral("Otomatik Yedek Adresini Bul"));
    grid->addWidget(makeCaption(QStringLiteral("Otomatik Yedeklenecek Yer"), otoYedekYeriEdit), 2,
                    0);
    grid->addWidget(otoYedekYeriEdit, 2, 1, 1, 2);
    grid->addWidget(otoYedekAdresBut, 2, 3);

    yedekGunEdit = new QLineEdit;
    yedekGunEdit->setObjectName(QStringLiteral("yedekGunEdit"));
    yedekGunEdit->setMaxLength(3);
    yedekGunEdit->setAlignment(Qt::AlignRight);
    acceptDigitsOnly(yedekGunEdit);
    makeEnterMoveOn(yedekGunEdit);
    otoYedekSaklaBut =
        makeButton(QStringLiteral("otoYedekSaklaBut"), QStringLiteral("Oto.Yed.Ayarlarını Sakla"));
    auto* interval = new QHBoxLayout;
    interval->addWidget(makeCaption(QStringLiteral("Yedek"), yedekGunEdit));
    interval->addWidget(yedekGunEdit);
    interval->addWidget(new QLabel(QStringLiteral("Günde Bir Alınsın")));
    interval->addStretch(1);
    grid->addLayout(interval, 3, 0, 1, 3);
    grid->addWidget(otoYedekSaklaBut, 3, 3);

    connect(tekYedekBut, &QPushButton::clicked, this, [this] { TekKasaYedekle(); });
    connect(tekGeriYukleBut, &QPushButton::clicked, this, [this] { TekKasaGeriYukle(); });
    connect(tumYedekBut, &QPushButton::clicked, this, [this] { TumunuYedekle(); });
    connect(tumGeriYukleBut, &QPushButton::clicked, this, [this] { TumFirmalarGeriYukle(); });
    connect(otoYedekAdresBut, &QPushButton::clicked, this, [this] { OtoYedekAdresiniBul(); });
    connect(otoYedekSaklaBut, &QPushButton::clicked, this, [this] { OtoYedekAyarlariniSakla(); });

    // The settings are read once, here; nothing reloads them during the run.
    const AutoBackupSettings settings = loadAutoBackupSettings();
    otoYedekYeriEdit->setText(settings.folder);
    yedekGunEdit->setText(settings.dayCount);
    otoYedekCheck->setChecked(settings.enabled);
    sonYedekTarihi->setDate(settings.lastBackup);
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
        otoYedekYeriEdit->setText(*folder);
    }
    // Saved whether the folder was chosen or not, as the panel stands.
    OtoYedekAyarlariniSakla();
}

void TfirmaF::OtoYedekAyarlariniSakla()
{
    guarded([this] {
        saveAutoBackupSettings(otoYedekYeriEdit->text(), yedekGunEdit->text(),
                               otoYedekCheck->isChecked());
    });
}

void TfirmaF::TumunuYedekleOto()
{
    guarded([this] { backups_.TumunuYedekleOto(); });
}

AutoBackupSettings TfirmaF::shownAutoBackupSettings() const
{
    return {otoYedekYeriEdit->text(), yedekGunEdit->text(), otoYedekCheck->isChecked(),
            sonYedekTarihi->date()};
}

void TfirmaF::runAutomaticBackupWhenDue()
{
    if (isAutomaticBackupDue(shownAutoBackupSettings(), backups_.now())) {
        TumunuYedekleOto();
    }
}

}  // namespace tamevo
