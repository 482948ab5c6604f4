#include "update/UpdateCommand.h"

#include "data/Dialogs.h"
#include "entry/EntryRules.h"
#include "data/ProgramFolder.h"
#include "data/Session.h"
#include "update/Download.h"
#include "update/InternetConnection.h"

#include <QDir>

namespace tamevo {

UpdateCommand::UpdateCommand(Session& session, InternetConnection& internet)
    : session_(session), internet_(internet)
{
    ZubUpdater1.UpdateSrc = QStringLiteral("Yedek/");
}

void UpdateCommand::JvXPButton6Click()
{
    if (dialogs().question(kApplicationTitle, kUpdateQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    if (!internet_.connected()) {
        showMessage(kNoInternetConnection);
        return;
    }
    const QString folder = GetPathPath() + QStringLiteral("Yedek");
    QUrl url = server;
    url.setPath(kUpdatePath);
    if (!QDir().mkpath(folder) ||
        !DownloadFile(url, folder + QLatin1Char('/') + programFileName())) {
        return;
    }
    const QString exitConfirmation = session_.CikisOnayi;
    session_.CikisOnayi = kExitConfirmed;
    if (ZubUpdater1.RunUpdate()) {
        showMessage(kUpdateDone);
    } else {
        session_.CikisOnayi = exitConfirmation;
        showMessage(kUpdateFailed);
    }
}

}  // namespace tamevo
