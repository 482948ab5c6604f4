#include "update/UpdateCommand.h"

#include "data/Dialogs.h"
#include "data/ProgramFolder.h"
#include "update/Download.h"
#include "update/InternetConnection.h"

#include <QDir>

namespace tamevo {

UpdateCommand::UpdateCommand(InternetConnection& internet) : internet_(internet)
{
    updater.UpdateSrc = QStringLiteral("Yedek/");
}

void UpdateCommand::updateProgram()
{
    if (programIsInstalled()) {
        showMessage(kUpdatedByPackageManager);
        return;
    }
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
    if (updater.RunUpdate()) {
        // The run's close request is queued; it may arrive while the message is shown.
        emit exitQuestionWaived();
        showMessage(kUpdateDone);
    } else {
        showMessage(kUpdateFailed);
    }
}

}  // namespace tamevo
