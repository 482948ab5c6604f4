#include "shell/Startup.h"

#include "data/Errors.h"
#include "entry/GirisWindow.h"
#include "shell/Application.h"
#include "shell/Program.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "shell/QtDialogs.h"
#include "shell/QtTranslation.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

namespace tamevo {

void setUpApplication()
{
    // The application's title. No display name is set: the platform would append it to every
    // title bar, and the title bars show exactly the windows' captions.
    QApplication::setApplicationName(QStringLiteral("Norvane Tamevo"));
    // The desktop's menu entry of the installed program, so the desktop shows its windows
    // under that entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("tr.com.norvane.Tamevo"));
    // The entry screen is hidden while the ledger is open; the program ends only through
    // the exit sequence.
    QApplication::setQuitOnLastWindowClosed(false);
}

int runProgram(int& argc, char** argv, const std::function<void()>& entryScreenShown)
{
    Application app(argc, argv);
    setUpApplication();
    installQtTranslation(app);

    QtDialogs qtDialogs;
    installDialogs(&qtDialogs);
    const ProgramFolders folders =
        locateProgramFolders(QCoreApplication::applicationDirPath(),
                             qEnvironmentVariable("TAMEVO_HOME"), QDir::homePath());
    setProgramFolders(folders);
    report::installPreviewPort(&qtDialogs);

    std::unique_ptr<Program> program;
    try {
        if (folders.installed) {
            layOutDataFolder(folders.data, folders.programFiles);
        }
        program = std::make_unique<Program>();
    } catch (const Error& error) {
        // A data folder that cannot be laid out, a missing or damaged database: say which and
        // why, then end.
        showError(error.text());
        installDialogs(nullptr);
        report::installPreviewPort(nullptr);
        return 1;
    }
    program->window(QStringLiteral("girisF"))->show();
    if (entryScreenShown) {
        QTimer::singleShot(0, &app, entryScreenShown);
    }
    const int code = QApplication::exec();
    program.reset();
    installDialogs(nullptr);
    report::installPreviewPort(nullptr);
    return code;
}

}  // namespace tamevo
