#pragma once

#include "cashbooks/BackupSettings.h"
#include "cashbooks/Backups.h"
#include "cashbooks/Registry.h"

#include <QWidget>

#include <functional>

class QAction;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace tamevo {

class DatasetModel;
class Session;

// The registry window "Kasa Bilgileri": the details of the cash books in the upper panel,
// the list of them in the middle, the backup commands in the lower panel. Cash books are
// created, edited, deleted and picked for the entry screen here.
class TfirmaF : public QWidget {
    Q_OBJECT
public:
    explicit TfirmaF(Session& session);

    // The working year a new cash book's database is made for: the entry screen's year box.
    std::function<QString()> workingYearText;

    Registry& registry() { return registry_; }
    Backups& backups() { return backups_; }

    // --- Operations ---------------------------------------------------------------------
    void KasayiSec();        // the current code and title chosen; hides the window
    void yeniButtonClick();  // new empty record, code field unlocked
    void kaydetButClick();   // save (dosyaac for a new record)
    void vazgecButClick();   // drop the pending change after the question
    void KSilButClick();     // delete the current cash book after the question
    void kapatButClick();    // hide; pending changes stay pending

    // --- Backup operations, of the lower panel and the context menu ---------------------
    void TekKasaYedekle();           // the current cash book's databases into one archive
    void TumunuYedekle();            // every database into an archive and its companion
    void TekKasaGeriYukle();         // one archive into Data/
    void TumFirmalarGeriYukle();     // an archive and its companion over Data/ and AnaData/
    void OtoYedekAdresiniBul();      // choose the automatic backup's folder, then save
    void OtoYedekAyarlariniSakla();  // the panel's automatic backup settings to Yedekler.dan
    void TumunuYedekleOto();         // the automatic backup, without questions

    // The automatic backup's settings as the panel shows them now, saved or not.
    AutoBackupSettings shownAutoBackupSettings() const;
    // The exit sequence's check, after the connections closed: the automatic backup when the
    // panel's settings make it due.
    void runAutomaticBackupWhenDue();

    // The entry screen's ways in: "LİSTEDEN KASA SEÇ" (and a double click on the code or year
    // box) and "YENİ KASA EKLE".
    void showList();
    void showNewCashBook();

    // Whether the code field takes typing: read-only at start, unlocked by "YENİ KASA AÇ" and
    // the entry screen's "YENİ KASA EKLE", never locked again.
    bool isCodeUnlocked() const { return codeUnlocked_; }

signals:
    // "KASAYI SEÇ": the entry screen takes the chosen cash book.
    void cashBookChosen(const QString& code, const QString& title);

private:
    QGroupBox* buildUpperPanel();
    QWidget* buildMiddlePanel();
    QGroupBox* buildBackupPanel();
    void buildMenu();
    void unlockCode();

    Session& session_;
    Registry registry_;
    Backups backups_;
    bool codeUnlocked_ = false;

    // --- Upper panel "KAYITLI KASA BİLGİLERİ", in the Enter order (title first, code last).
    // Each edit's objectName is its field's name.
    QLineEdit* unvanEdit = nullptr;       // "Kasa Adı"   firma_unvani_1
    QLineEdit* adresEdit = nullptr;       // "Adresi"     firma_adresi_1
    QLineEdit* ilceEdit = nullptr;        // "İlçe"       adres_semt
    QLineEdit* sehirEdit = nullptr;       // "Şehir"      adres_sehir
    QLineEdit* telefonEdit = nullptr;     // "Telefon"    telefon1_no
    QLineEdit* telefon2Edit = nullptr;    // "Tel 2"      telefon2_no
    QLineEdit* vergiDaireEdit = nullptr;  // "Vergi D."   vergi_dairesi
    QLineEdit* vergiNoEdit = nullptr;     // "Vergi No:"  vergi_no
    QLineEdit* faksEdit = nullptr;        // "Faks"       fax_no
    QLineEdit* irtibatEdit = nullptr;     // "İrtibat"    firma_irtibat_kisi
    QLineEdit* kodEdit = nullptr;         // "Kasa Kodu"  firma_kodu: 12 characters, key filter
    QList<QLineEdit*> fieldEdits;         // the eleven, in this order

    QPushButton* secButton = nullptr;   // "KASAYI SEÇ"
    QPushButton* yeniButton = nullptr;  // "YENİ KASA AÇ"
    QPushButton* vazgecBut = nullptr;   // "VAZGEÇ"
    QPushButton* kaydetBut = nullptr;   // "KAYDET"
    QPushButton* kapatBut = nullptr;    // "KAPAT"

    // --- Middle panel: the cash books, tinted alternately, and the grid's context menu.
    QTableView* registryGrid = nullptr;
    DatasetModel* gridModel = nullptr;
    QMenu* gridMenu = nullptr;
    QAction* secAction = nullptr;           // "Seç" F2
    QAction* kapatAction = nullptr;         // "Kapat" F10
    QAction* tekYedekAction = nullptr;      // "Tek Kasanın Yedeğini Al" Ctrl+Alt+Y
    QAction* tekGeriYukleAction = nullptr;  // "Tek Kasayı Yedekten Geri Yükle"
    QAction* tumYedekAction = nullptr;      // "Tüm Kasaların Yedeğini Al" Ctrl+Alt+T
    QAction* tumGeriYukleAction = nullptr;  // "Tüm Kasaları Yedekten Geri Yükle"
    QAction* silAction = nullptr;           // "Kasa Firmasını Sil"

    // --- Lower panel: the backup commands and the automatic backup's settings.
    QGroupBox* backupPanel = nullptr;
    QPushButton* tekYedekBut = nullptr;       // "Tek Kasa Yedek Al"
    QPushButton* tekGeriYukleBut = nullptr;   // "Tek Kasa Geri Yükle"
    QPushButton* tumYedekBut = nullptr;       // "Tüm Kasaları Yedek Al"
    QPushButton* tumGeriYukleBut = nullptr;   // "Tüm Kasaları Geri Yükle"
    QCheckBox* otoYedekCheck = nullptr;       // "Otomatik Olarak Yedek Al"
    QDateEdit* sonYedekTarihi = nullptr;      // "Son Yedek Alınma Tarihi", not editable
    QLineEdit* otoYedekYeriEdit = nullptr;    // "Otomatik Yedeklenecek Yer"
    QLineEdit* yedekGunEdit = nullptr;        // "Yedek" ... "Günde Bir Alınsın": 3 digits
    QPushButton* otoYedekAdresBut = nullptr;  // "Otomatik Yedek Adresini Bul"
    QPushButton* otoYedekSaklaBut = nullptr;  // "Oto.Yed.Ayarlarını Sakla"
};

}  // namespace tamevo
