#pragma once

#include "update/ZubUpdater.h"

#include <QString>
#include <QUrl>

namespace tamevo {

class InternetConnection;
class Session;

inline const QString kUpdateQuestion = QStringLiteral(
    "Bu işlem programınızın versionunu yükseltecektir!\n\rDevam etmek istiyormusunuz?");
inline const QString kNoInternetConnection =
    QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz.");
inline const QString kUpdateDone = QStringLiteral("Güncelleme yapıldı");
inline const QString kUpdateFailed = QStringLiteral("Güncelleme yapılamadı");
// The vendor's download server and the path of the newer program on it.
inline const QString kUpdateServer = QStringLiteral("https://www.norvane.com.tr");
inline const QString kUpdatePath = QStringLiteral("/download/Tamevo34.exe");

// "PROGRAMI GÜNCELLE" of the entry screen: asks, checks the connection, downloads the newer
// program into Yedek/ and hands it to the updater, which has the running program replaced
// once it has ended.
class UpdateCommand {
public:
    UpdateCommand(Session& session, InternetConnection& internet);

    // The server the newer program comes from (scheme, host and port); kUpdatePath on it.
    QUrl server{kUpdateServer};
    // The replacement component; its source is the download folder "Yedek/".
    TZubUpdater ZubUpdater1;

    // The button's steps: the question (No ends it); without a connection its message; the
    // download (a failed or refused download ends it without a message); CikisOnayi set so
    // the close that follows asks nothing; the run, reported as done or not done. A run that
    // did not replace the program gives CikisOnayi its earlier value back.
    void JvXPButton6Click();

private:
    Session& session_;
    InternetConnection& internet_;
};

}  // namespace tamevo
