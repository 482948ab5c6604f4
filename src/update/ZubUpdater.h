#pragma once

#include "update/ReplacementScript.h"
#include "update/UpdaterErrors.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

namespace tamevo {

// Replaces the running program with a new program file from a source folder. The program
// cannot overwrite its own file, so a run stages the new file beside it (A + "_" + N), keeps
// a copy of the current one (A + "B" + N), writes the replacement script T, starts it hidden
// and asks the program to close; the script does the swap once the program has ended.
// An updater completes at most one run.
class TZubUpdater : public QObject {
    Q_OBJECT
public:
    // Raised for every error; `parameter` names the file or folder concerned (may be empty),
    // `message` is the error's text in the chosen language.
    using TOnError = std::function<void(TZubUpdater& sender, TZubSimpleUpdaterError code,
                                        const QString& parameter, const QString& message)>;

    explicit TZubUpdater(QObject* parent = nullptr);

    TOnError OnError;
    TZubSimpleUpdaterLanguage Language = TZubSimpleUpdaterLanguage::sulaEnglish;
    // The folder that holds the new files; a relative folder is taken from the program folder.
    QString UpdateSrc;
    // Ends the run at the first error instead of going on.
    bool StopOnFirstError = false;
    // Keeps copies of the current files in a time-stamped folder under SaveDir.
    bool SaveOriginalFiles = false;
    // The root of the save folders; empty means the program folder + "PRGBACKUP".
    QString SaveDir;
    // The script restarts the program, and the run asks the program to close right away.
    bool AutoRestartApp = true;

    // Further files, relative to the program folder, replaced together with the program
    // file. Names are compared without regard to letter case; duplicates are ignored.
    const QStringList& OtherFiles() const { return otherFiles_; }
    void setOtherFiles(const QStringList& files);

    // The platform around a run. The program file (empty: the running program) and the
    // process the shell script waits for (0: this process).
    QString programFile;
    qint64 programProcessId = 0;
    // Starts the script hidden (startHiddenScript); false when it could not be started.
    std::function<bool(const QString& script, const QString& workingDirectory)> startHidden;

    // One update run. True when the script has been started; the program is then asked to
    // close (closeRequested), or error 0 says it has to be restarted by hand. False after an
    // error that stopped the run, and whenever the new program could not be staged beside the
    // saved copy of the current one or the script could not be started: nothing is left
    // behind then and the program stays as it is.
    bool RunUpdate();

    // Picks the message of `code` in the chosen language and raises OnError when it is set.
    void ReportError(TZubSimpleUpdaterError code, const QString& parameter = {});

    // True once a run has been completed.
    bool done() const { return done_; }
    // The time-stamped save folder of the last run (empty before a run reached it).
    const QString& saveFolder() const { return saveFolder_; }

signals:
    // The run asks the program to close, as after the user's close; connect it queued, so
    // the close is handled once the caller has reported the run.
    void closeRequested();

private:
    bool done_ = false;
    QStringList otherFiles_;
    QString saveFolder_;
};

}  // namespace tamevo
