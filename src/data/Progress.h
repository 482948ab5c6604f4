#pragma once

#include <QString>

#include <stdexcept>

namespace tamevo {

// The progress of a long command (an export, a PDF, a report's pages, a backup's files), as
// the dialogs layer shows it: a busy cursor at once, and after two seconds a dialog with the
// step the command is on and, where stopping loses nothing, a cancel button.
class Progress {
public:
    virtual ~Progress() = default;
    // The work done so far of `total` (0 when the total is not known) and the step it is on
    // ("12.000 hareket yazıldı").
    virtual void report(qint64 done, qint64 total, const QString& step) = 0;
    // True once the user cancelled; the command then stops with OperationCancelled.
    virtual bool wasCancelled() const = 0;

    // Reports, and stops the command when the user cancelled.
    void step(qint64 done, qint64 total, const QString& text)
    {
        report(done, total, text);
        if (wasCancelled()) {
            throw OperationCancelled();
        }
    }

    // The user stopped a command that loses nothing by stopping: it leaves no file and no
    // change behind, and nothing is said about it.
    class OperationCancelled : public std::exception {
    public:
        const char* what() const noexcept override { return "cancelled"; }
    };
};

// No progress shown (command-line tools, the default dialogs).
class NoProgress final : public Progress {
public:
    void report(qint64, qint64, const QString&) override {}
    bool wasCancelled() const override { return false; }
};

// Reports through `progress` when there is one.
inline void stepProgress(Progress* progress, qint64 done, qint64 total, const QString& text)
{
    if (progress != nullptr) {
        progress->step(done, total, text);
    }
}

}  // namespace tamevo
