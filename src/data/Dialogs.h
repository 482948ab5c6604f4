#pragma once

#include "data/Progress.h"

#include <QString>

#include <memory>

namespace tamevo {

// Every message box, question, file or folder dialog and "open with the default program" of
// the program goes through this interface. The program installs the Qt implementation; tests
// install a scripted one that records what was shown and gives chosen answers.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Error, Question };
    enum class Buttons { YesNo, YesNoCancel };
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;

    // A message box with an OK button.
    virtual void message(const QString& title, const QString& text, Icon icon) = 0;
    // A question box, with the question icon unless another is asked for (a warning before
    // a command that replaces data), and "Evet" as its default button unless `defaultAnswer`
    // names another (Enter and a hasty key give the default).
    virtual Answer question(const QString& title, const QString& text, Buttons buttons,
                            Icon icon = Icon::Question, Answer defaultAnswer = Answer::Yes) = 0;
    // File and folder dialogs; an empty text when the user cancels.
    virtual QString openFileName(const QString& title, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    virtual QString existingFolder(const QString& title, const QString& folder) = 0;
    // Opens a file or an address with the desktop's default program; false on failure.
    virtual bool openWithDefaultProgram(const QString& pathOrUrl) = 0;
    // The progress of a long command, shown as long as the returned object lives: a busy
    // cursor at once, a dialog titled `title` with the step once it lasts, with a cancel
    // button when `cancellable`. Without an implementation of its own, nothing is shown.
    virtual std::unique_ptr<Progress> startProgress(const QString& title, bool cancellable);
};

// The application title, the title of plain messages.
inline const QString kApplicationTitle = QStringLiteral("Norvane Tamevo");
// The title of the questions that name the program in full.
inline const QString kProgramTitle = QStringLiteral("Norvane Tamevo Programı");

// The dialogs of the program; the one installed last.
Dialogs& dialogs();
void installDialogs(Dialogs* dialogs);

// A question before a command that destroys or replaces data (a delete, a restore, an
// overwritten file): "Hayır" is its default button, so Enter or a hasty key keeps the data.
Dialogs::Answer askBeforeReplacing(const QString& title, const QString& text,
                                   Dialogs::Buttons buttons = Dialogs::Buttons::YesNo,
                                   Dialogs::Icon icon = Dialogs::Icon::Question);

// A plain message with an OK button and the application title.
void showMessage(const QString& text);
// An error of the disk, the database or the platform, with its own text.
void showError(const QString& text);

// Runs a command; an Error it throws is shown (ValidationError as a plain message, any
// other with the error icon) and ends only this command. Returns false when it failed.
template <typename Command>
bool guarded(Command&& command);

}  // namespace tamevo

#include "data/Errors.h"

template <typename Command>
bool tamevo::guarded(Command&& command)
{
    try {
        command();
        return true;
    } catch (const Progress::OperationCancelled&) {
        // The user stopped it; nothing to say.
    } catch (const ValidationError& error) {
        showMessage(error.text());
    } catch (const Error& error) {
        showError(error.text());
    }
    return false;
}
