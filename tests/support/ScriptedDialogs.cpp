#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace tamevo::test {

ScriptedDialogs::ScriptedDialogs()
{
    installDialogs(this);
    report::installPreviewPort(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    installDialogs(nullptr);
    report::installPreviewPort(nullptr);
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " question answer(s) left unused";
    EXPECT_TRUE(paths_.empty()) << paths_.size() << " dialog path(s) left unused";
    EXPECT_TRUE(errors_.empty()) << errors_.size() << " expected error message(s) not shown";
    EXPECT_TRUE(previewActions_.empty())
        << previewActions_.size() << " preview action(s) left unused";
}

namespace {

// Records what a command reports into its entry of the shown progresses, and cancels it at
// the step the test chose.
class ScriptedProgress final : public Progress {
public:
    ScriptedProgress(std::vector<ScriptedDialogs::ProgressShown>& shown, size_t index, int cancelAt)
        : shown_(shown), index_(index), cancelAt_(cancelAt)
    {
    }
    void report(qint64, qint64, const QString& step) override
    {
        ScriptedDialogs::ProgressShown& entry = shown_[index_];
        ++entry.reports;
        entry.lastStep = step;
        if (entry.cancellable && cancelAt_ > 0 && entry.reports >= cancelAt_) {
            entry.cancelled = true;
        }
    }
    bool wasCancelled() const override { return shown_[index_].cancelled; }

private:
    std::vector<ScriptedDialogs::ProgressShown>& shown_;
    size_t index_;
    int cancelAt_;
};

}  // namespace

std::unique_ptr<Progress> ScriptedDialogs::startProgress(const QString& title, bool cancellable)
{
    progresses_.push_back({title, cancellable, 0, {}, false});
    const int cancelAt = cancellable ? cancelAt_ : 0;
    if (cancellable) {
        cancelAt_ = 0;
    }
    return std::make_unique<ScriptedProgress>(progresses_, progresses_.size() - 1, cancelAt);
}

QStringList ScriptedDialogs::messages() const
{
    QStringList texts;
    for (const Shown& s : shown_) {
        if (s.kind == QLatin1String("message")) {
            texts << s.text;
        }
    }
    return texts;
}

QStringList ScriptedDialogs::questions() const
{
    QStringList texts;
    for (const Shown& s : shown_) {
        if (s.kind == QLatin1String("question")) {
            texts << s.text;
        }
    }
    return texts;
}

void ScriptedDialogs::message(const QString& title, const QString& text, Icon icon)
{
    shown_.push_back({QStringLiteral("message"), title, text, icon, Buttons::YesNo, {}, {}});
    if (icon != Icon::Error && icon != Icon::Warning) {
        return;
    }
    if (errors_.empty()) {
        ADD_FAILURE() << "unexpected error message: " << text.toStdString();
        return;
    }
    const QString part = errors_.front();
    errors_.pop_front();
    EXPECT_TRUE(text.contains(part)) << "error message: " << text.toStdString()
                                     << "\nexpected to contain: " << part.toStdString();
}

Dialogs::Answer ScriptedDialogs::question(const QString& title, const QString& text,
                                          Buttons buttons, Icon icon, Answer defaultAnswer)
{
    shown_.push_back(
        {QStringLiteral("question"), title, text, icon, buttons, {}, {}, defaultAnswer});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return Answer::No;
    }
    const Answer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString ScriptedDialogs::nextPath(const QString& kind, const QString& title, const QString& folder,
                                  const QString& filter, const QString& defaultSuffix)
{
    shown_.push_back({kind, title, folder, Icon::None, Buttons::YesNo, filter, defaultSuffix});
    if (paths_.empty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << " dialog: " << title.toStdString();
        return {};
    }
    const QString path = paths_.front();
    paths_.pop_front();
    return path;
}

QString ScriptedDialogs::openFileName(const QString& title, const QString& folder,
                                      const QString& filter)
{
    return nextPath(QStringLiteral("open"), title, folder, filter);
}

QString ScriptedDialogs::saveFileName(const QString& title, const QString& folder,
                                      const QString& filter, const QString& defaultSuffix)
{
    return nextPath(QStringLiteral("save"), title, folder, filter, defaultSuffix);
}

QString ScriptedDialogs::existingFolder(const QString& title, const QString& folder)
{
    return nextPath(QStringLiteral("folder"), title, folder);
}

bool ScriptedDialogs::openWithDefaultProgram(const QString& pathOrUrl)
{
    shown_.push_back(
        {QStringLiteral("default-program"), {}, pathOrUrl, Icon::None, Buttons::YesNo, {}, {}});
    const bool ok = !failOpen_;
    failOpen_ = false;
    return ok;
}

void ScriptedDialogs::preview(const report::PreparedReport& report)
{
    shown_.push_back({QStringLiteral("preview"),
                      report::kReportPreviewTitle,
                      report.title,
                      Icon::None,
                      Buttons::YesNo,
                      {},
                      {}});
    previews_.push_back(report);
    if (!previewActions_.empty()) {
        const PreviewAction action = std::move(previewActions_.front());
        previewActions_.pop_front();
        action(report);
    }
}

}  // namespace tamevo::test
