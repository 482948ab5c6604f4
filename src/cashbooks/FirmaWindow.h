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
    // "Sunucu Ayarları": the server window, where the books of several desks are kept.
    void serverSettingsRequested();

private:
    // --- Operations ---------------------------------------------------------------------
    void KasayiSec();  // "KASAYI SEÇ": the current code and title chosen; hides the window
    // "YENİ KASA AÇ" (yeniButtonClick): a new empty record, the code field unlocked.
    void startNewCashBook();
    // "KAYDET" (kaydetButClick): saves the record (dosyaac for a new one).
    void saveCashBook();
    // "VAZGEÇ" (vazgecButClick): drops the pending change after the question.
    void cancelChanges();
    // "Kasa Firmasını Sil" (KSilButClick): deletes the current cash book after the question.
    void deleteCashBook();
    // "KAPAT" (kapatButClick): hides the window; pending changes stay pending.
    void closeRegistry();

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

    QPushButton* chooseButton = nullptr;  // "KASAYI SEÇ"
    QPushButton* newButton = nullptr;     // "YENİ KASA AÇ"
    QPushButton* cancelButton = nullptr;  // "VAZGEÇ"
    QPushButton* saveButton = nullptr;    // "KAYDET"
    QPushButton* closeButton = nullptr;   // "KAPAT"

    // --- Middle panel: the cash books, tinted alternately, and the grid's context menu.
    QTableView* registryGrid = nullptr;
    DatasetModel* gridModel = nullptr;
    QMenu* gridMenu = nullptr;
    QAction* chooseAction = nullptr;      // "Seç" F2
    QAction* closeAction = nullptr;       // "Kapat" F10
    QAction* backUpOneAction = nullptr;   // "Tek Kasanın Yedeğini Al" Ctrl+Alt+Y
    QAction* restoreOneAction = nullptr;  // "Tek Kasayı Yedekten Geri Yükle"
    QAction* backUpAllAction = nullptr;   // "Tüm Kasaların Yedeğini Al" Ctrl+Alt+T
    QAction* restoreAllAction = nullptr;  // "Tüm Kasaları Yedekten Geri Yükle"
    QAction* deleteAction = nullptr;      // "Kasa Firmasını Sil"

    // --- Lower panel: the backup commands and the automatic backup's settings.
    QGroupBox* backupPanel = nullptr;
    QPushButton* backUpOneButton = nullptr;         // "Tek Kasa Yedek Al"
    QPushButton* restoreOneButton = nullptr;        // "Tek Kasa Geri Yükle"
    QPushButton* backUpAllButton = nullptr;         // "Tüm Kasaları Yedek Al"
    QPushButton* restoreAllButton = nullptr;        // "Tüm Kasaları Geri Yükle"
    QCheckBox* autoBackupCheck = nullptr;           // "Otomatik Olarak Yedek Al"
    QDateEdit* lastBackupDate = nullptr;            // "Son Yedek Alınma Tarihi", not editable
    QLineEdit* autoBackupFolderEdit = nullptr;      // "Otomatik Yedeklenecek Yer"
    QLineEdit* backupDaysEdit = nullptr;            // "Yedek" ... "Günde Bir Alınsın": 3 digits
    QPushButton* autoBackupFolderButton = nullptr;  // "Otomatik Yedek Adresini Bul"
    QPushButton* saveAutoBackupButton = nullptr;    // "Oto.Yed.Ayarlarını Sakla"

    QPushButton* serverButton = nullptr;  // "Sunucu Ayarları"
};

}  // namespace tamevo
