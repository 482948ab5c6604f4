#pragma once

#include "data/Dialogs.h"

#include <cstdio>
#include <cstdlib>

namespace tamevo::test {

// The dialogs of a worker process that a test starts and stops: every question answered Yes,
// every open dialog given `file`; an error or warning message ends the worker with exit code
// 3 and the text on its standard error, so the test sees it.
class AnsweringDialogs : public Dialogs {
public:
    explicit AnsweringDialogs(QString file) : file_(std::move(file)) {}
    void setFile(const QString& file) { file_ = file; }

    void message(const QString&, const QString& text, Icon icon) override
    {
        if (icon == Icon::Error || icon == Icon::Warning) {
            std::fprintf(stderr, "hata: %s\n", qPrintable(text));
            std::_Exit(3);
        }
    }
    Answer question(const QString&, const QString&, Buttons, Icon, Answer) override
    {
        return Answer::Yes;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return file_; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString existingFolder(const QString&, const QString&) override { return {}; }
    bool openWithDefaultProgram(const QString&) override { return false; }

private:
    QString file_;
};

}  // namespace tamevo::test
