#pragma once

#include "cashbooks/ZipArchive.h"

#include <QLockFile>
#include <QString>

#include <functional>
#include <vector>

namespace tamevo {

// The journal of a restore: the file GeriYukleme.jnl in the program folder, written whole
// (and synced) before each stage of the restore, naming every file the stage makes, moves or
// removes. A restore stopped at any moment (a kill, a power cut) is finished or taken back
// from it at the next start, so the databases are all the backup's or all as they were,
// Genel.mdb with them, and nothing the restore made is left behind:
//   unpacking  - the archives are being unpacked beside their targets; nothing replaced yet:
//                the unpacked files are removed.
//   replacing  - every unpacked file is whole and checked; the targets are being replaced:
//                the replacement is finished.
//   puttingBack - a replacement failed and is being taken back: it is taken back.
//   cleaningUp - every target holds its new file: the replaced files kept aside are removed.
// While a restore runs it holds the lock GeriYukleme.kilit, so a second copy of the program
// neither starts a restore nor takes the running one for an interrupted one.
class RestoreJournal : public ReplacementLog {
public:
    // Takes the lock for a restore from `archiveName` (shown in the next start's message).
    // Throws ValidationError when another copy of the program is restoring, or a restore
    // left unfinished has not been finished yet.
    explicit RestoreJournal(const QString& archiveName);
    // A journal of unpacking only is removed (nothing was replaced); one of a replacement
    // that could neither be finished nor taken back stays for the next start.
    ~RestoreJournal() override;
    RestoreJournal(const RestoreJournal&) = delete;
    RestoreJournal& operator=(const RestoreJournal&) = delete;

    // Before the archives are unpacked: the files the unpacking writes.
    void unpacking(const std::vector<const ZipExtraction*>& extractions);

    void replacing(const std::vector<ReplacedFile>& files) override;
    void puttingBack() override;
    void cleaningUp() override;
    void finished() override;
    void stepDone() override;

    // Called after every step of a restore that lasts on the disk (a journal written, a file
    // unpacked, moved or removed): tests stop the program there.
    static std::function<void()>& afterEachStep();

    enum class Stage { None, Unpacking, Replacing, PuttingBack, CleaningUp };

private:
    void write(Stage stage);

    QLockFile lock_;
    QString archiveName_;
    Stage stage_ = Stage::None;
    std::vector<ReplacedFile> files_;
};

// The next start's part: finishes or takes back a restore its journal shows was stopped,
// removes every file it left, and returns the one message that says what was done (empty when
// no restore was stopped, or another copy of the program is restoring now). Throws Error when
// a file cannot be moved; the journal then stays, for the start after.
QString finishInterruptedRestore();

}  // namespace tamevo
