#pragma once

#include "data/ServerSettings.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tamevo {

inline const QString kServerConnected = QStringLiteral("Sunucuya bağlanıldı.");
inline const QString kServerSettingsSaved = QStringLiteral(
    "Sunucu ayarları saklandı. Kasalar, program yeniden açıldığında "
    "sunucudan açılır.");
inline const QString kServerSettingsCleared = QStringLiteral(
    "Sunucu ayarları silindi. Kasalar, program yeniden açıldığında bu "
    "bilgisayardaki dosyalardan açılır.");
inline const QString kServerSettingsClearQuestion = QStringLiteral(
    "Sunucu ayarları silinecek; program yeniden açıldığında kasalar bu "
    "bilgisayardaki dosyalardan açılacak. Devam edilsin mi?");
inline const QString kServerSaveAnyway = QStringLiteral("Ayarlar yine de saklansın mı?");
inline const QString kServerPasswordNote = QStringLiteral(
    "Parola programda saklanmaz: PostgreSQL onu ~/.pgpass dosyasından ya da servis "
    "dosyasından okur.");

// The server window "Sunucu Ayarları", opened from the registry window: where the cash books
// of a shop with several desks are kept (FirmaAyar.ini's [Sunucu]). The settings are read
// when it is shown and take effect when the program is opened again, as the books are
// connected at the start. "Bağlantıyı Dene" tries them; "KAYDET" tries them and saves them,
// and with every field empty takes the books back to this computer's files.
class TsunucuF : public QWidget {
    Q_OBJECT
public:
    TsunucuF();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSavedSettings();
    ServerSettings shownSettings() const;
    void tryConnection();  // "Bağlantıyı Dene"
    void saveSettings();   // "KAYDET"

    QLineEdit* serviceEdit = nullptr;   // "Servis"       Servis=
    QLineEdit* hostEdit = nullptr;      // "Adres"        Adres=
    QLineEdit* portEdit = nullptr;      // "Port"         Port=: digits only
    QLineEdit* databaseEdit = nullptr;  // "Veritabanı"   Veritabani=
    QLineEdit* userEdit = nullptr;      // "Kullanıcı"    Kullanici=
    QLabel* passwordNote = nullptr;
    QPushButton* tryButton = nullptr;    // "Bağlantıyı Dene"
    QPushButton* saveButton = nullptr;   // "KAYDET"
    QPushButton* closeButton = nullptr;  // "KAPAT"
};

}  // namespace tamevo
