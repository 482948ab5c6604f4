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
                                          Buttons buttons, Icon icon)
{
    shown_.push_back({QStringLiteral("question"), title, text, icon, buttons, {}, {}});
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
