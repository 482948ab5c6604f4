#pragma once

#include "data/Dialogs.h"

#include <QString>
#include <QStringList>

#include "reportengine/PreparedReport.h"
#include "reportengine/ReportPreviewPort.h"

#include <deque>
#include <functional>
#include <vector>

namespace tamevo::test {

// Dialogs and report previews for tests: records every message, question and preview,
// answers questions and file dialogs from queues a test fills, and fails the test when a
// question, a dialog or an error or warning message comes that the test did not queue or
// expect, or when an answer or an expected error is left unused at the end of the test.
class ScriptedDialogs : public Dialogs, public report::ReportPreviewPort {
public:
    struct Shown {
        // "message", "question", "open", "save", "folder", "default-program", "preview"
        QString kind;
        QString title;
        QString text;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::YesNo;
        QString filter;                      // file dialogs: the file type filter
        QString defaultSuffix;               // save dialogs: the extension added to a bare name
        Answer defaultAnswer = Answer::Yes;  // questions: the default button
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Queues the answer to the next question.
    void answer(Answer answer) { answers_.push_back(answer); }
    // Queues the result of the next file or folder dialog (an empty text cancels it).
    void choosePath(const QString& path) { paths_.push_back(path); }
    // Expects the next error or warning message (one with the error or warning icon); with a
    // text, the message must contain it.
    void expectError(const QString& part = {}) { errors_.push_back(part); }
    // Makes the next "open with the default program" fail.
    void failNextOpen() { failOpen_ = true; }
    // What the user does in the next report preview before closing it (save it as PDF,
    // say); without one the preview is closed at once.
    using PreviewAction = std::function<void(const report::PreparedReport&)>;
    void onNextPreview(PreviewAction action) { previewActions_.push_back(std::move(action)); }
    // Makes the user cancel the next cancellable command at its `step`th report (1 for the
    // first).
    void cancelNextProgressAt(int step) { cancelAt_ = step; }

    // A long command's progress as it was shown: its title, whether it could be cancelled,
    // its reports and the last step's text.
    struct ProgressShown {
        QString title;
        bool cancellable = false;
        int reports = 0;
        QString lastStep;
        bool cancelled = false;
    };
    const std::vector<ProgressShown>& progresses() const { return progresses_; }
    std::unique_ptr<Progress> startProgress(const QString& title, bool cancellable) override;
    // The reports previewed, in order (a preview's text is its report's title).
    const std::vector<report::PreparedReport>& previews() const { return previews_; }

    const std::vector<Shown>& shown() const { return shown_; }
    // The texts of the messages shown, in order.
    QStringList messages() const;
    QStringList questions() const;
    const Shown* last() const { return shown_.empty() ? nullptr : &shown_.back(); }
    void clear() { shown_.clear(); }

    void message(const QString& title, const QString& text, Icon icon) override;
    Answer question(const QString& title, const QString& text, Buttons buttons, Icon icon,
                    Answer defaultAnswer) override;
    QString openFileName(const QString& title, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& title, const QString& folder, const QString& filter,
                         const QString& defaultSuffix) override;
    QString existingFolder(const QString& title, const QString& folder) override;
    bool openWithDefaultProgram(const QString& pathOrUrl) override;
    void preview(const report::PreparedReport& report) override;

private:
    QString nextPath(const QString& kind, const QString& title, const QString& folder,
                     const QString& filter = {}, const QString& defaultSuffix = {});

    std::deque<Answer> answers_;
    std::deque<QString> errors_;
    std::deque<QString> paths_;
    bool failOpen_ = false;
    std::deque<PreviewAction> previewActions_;
    std::vector<report::PreparedReport> previews_;
    std::vector<Shown> shown_;
    int cancelAt_ = 0;
    std::vector<ProgressShown> progresses_;
};

}  // namespace tamevo::test
