#include "data/Dialogs.h"

#include <cstdio>

namespace tamevo {

namespace {

// Before the program installs its dialogs (and in command-line tools) messages go to the
// error stream and every question is declined.
class StreamDialogs : public Dialogs {
public:
    void message(const QString& title, const QString& text, Icon) override
    {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
    Answer question(const QString& title, const QString& text, Buttons, Icon icon, Answer) override
    {
        message(title, text, icon);
        return Answer::No;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString existingFolder(const QString&, const QString&) override { return {}; }
    bool openWithDefaultProgram(const QString&) override { return false; }
};

StreamDialogs& fallback()
{
    static StreamDialogs dialogs;
    return dialogs;
}

Dialogs*& installed()
{
    static Dialogs* current = &fallback();
    return current;
}

}  // namespace

Dialogs& dialogs()
{
    return *installed();
}

void installDialogs(Dialogs* dialogs)
{
    installed() = dialogs != nullptr ? dialogs : &fallback();
}

std::unique_ptr<Progress> Dialogs::startProgress(const QString&, bool)
{
    return std::make_unique<NoProgress>();
}

Dialogs::Answer askBeforeReplacing(const QString& title, const QString& text,
                                   Dialogs::Buttons buttons, Dialogs::Icon icon)
{
    return dialogs().question(title, text, buttons, icon, Dialogs::Answer::No);
}

void showMessage(const QString& text)
{
    dialogs().message(kApplicationTitle, text, Dialogs::Icon::None);
}

void showError(const QString& text)
{
    dialogs().message(kApplicationTitle, text, Dialogs::Icon::Error);
}

}  // namespace tamevo
