#pragma once

#include "update/ZubUpdater.h"

#include <QObject>
#include <QString>
#include <QUrl>

namespace tamevo {

class InternetConnection;

inline const QString kUpdateQuestion = QStringLiteral(
    "Bu işlem programınızın versionunu yükseltecektir!\n\rDevam etmek istiyormusunuz?");
inline const QString kNoInternetConnection =
    QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz.");
inline const QString kUpdateDone = QStringLiteral("Güncelleme yapıldı");
inline const QString kUpdateFailed = QStringLiteral("Güncelleme yapılamadı");
// An installed program is updated by the system's package manager, never by itself.
inline const QString kUpdatedByPackageManager = QStringLiteral(
    "Bu program sisteminizin paket yöneticisiyle kurulmuştur; güncellemeler paket "
    "yöneticisinden gelir.\n\rProgram kendi dosyalarını değiştirmez.");
// The vendor's download server and the path of the newer program on it.
inline const QString kUpdateServer = QStringLiteral("https://www.norvane.com.tr");
inline const QString kUpdatePath = QStringLiteral("/download/Tamevo34.exe");

// "PROGRAMI GÜNCELLE" of the entry screen: asks, checks the connection, downloads the newer
// program into Yedek/ and hands it to the updater, which has the running program replaced
// once it has ended. An installed program leaves its updates to the package manager.
class UpdateCommand : public QObject {
    Q_OBJECT
public:
    explicit UpdateCommand(InternetConnection& internet);

    // The server the newer program comes from (scheme, host and port); kUpdatePath on it.
    QUrl server{kUpdateServer};
    // The replacement component; its source is the download folder "Yedek/".
    TZubUpdater updater;

    // The button's steps (JvXPButton6Click). An installed program only says that its updates
    // come from the package manager. Otherwise: the question (No ends it); without a connection
    // its message; the download (a failed or refused download ends it without a message);
    // the run, reported as done or not done. A run that started the replacement waives the
    // exit question before it is reported, so the close that follows asks nothing.
    void updateProgram();

signals:
    // The replacement has started: the program is to end without its exit question.
    void exitQuestionWaived();

private:
    InternetConnection& internet_;
};

}  // namespace tamevo
