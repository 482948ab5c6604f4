#pragma once

#include "data/Progress.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace tamevo {

class ZipExtraction;

// One backup archive: a standard ZIP file (deflate at level 9, entries under bare file names)
// that any unzip tool opens.
class ZipArchive {
public:
    explicit ZipArchive(const QString& path) : path_(path) {}

    const QString& path() const { return path_; }

    // Writes the archive anew with every file of `folder` whose name matches `wildcard`
    // ("*.mdb", "K01[0-9][0-9][0-9][0-9].mdb"; letter case aside, as the program's file names
    // are compared), each under its bare file name, deflated at level 9. The archive is
    // written under a temporary name beside it and renamed into place when complete, so a
    // failure leaves neither a partial archive nor a damaged older archive of the same name.
    // No matching file gives an empty archive. Returns the names stored. Throws Error with
    // the archive's name and the reason.
    QStringList writeMatchingFiles(const QString& folder, const QString& wildcard) const;

    // Extracts every entry into `folder` under its bare file name, overwriting: all entries
    // or, on any failure, none. Throws Error.
    void extractAll(const QString& folder) const;

    // The files of `folder` whose name matches `wildcard` (letter case aside), by name.
    static QStringList matchingFiles(const QString& folder, const QString& wildcard);
    // Writes the archive anew with `files` (entry name, file to store), deflated at level 9,
    // under a temporary name renamed into place when complete. Throws Error. With `progress`,
    // the share written is reported, and a cancel stops the writing with OperationCancelled,
    // leaving no archive and an older archive of the same name as it was.
    void writeFiles(const QList<QPair<QString, QString>>& files,
                    Progress* progress = nullptr) const;

private:
    QString path_;
};

// The largest entry a restore unpacks: far above any cash book's database, far below what
// a damaged or hostile archive may declare.
constexpr qint64 kMaxExtractedEntrySize = qint64(4) << 30;

// One file a restore puts in place: the target, the unpacked file that replaces it, the name
// the replaced file is kept under until every file is in place (empty when the target did not
// exist), and the files beside the target that belong to it ("-journal"), each with the name
// it is kept under meanwhile. Absolute paths.
struct ReplacedFile {
    QString target;
    QString unpacked;
    QString kept;
    QList<QPair<QString, QString>> companions;
};

// What a replacement tells as it goes, so that a journal can let the next start finish or
// take back a replacement stopped by a kill or a power cut. Each call comes before the step
// it names; stepDone() after each file unpacked, put in place or removed.
class ReplacementLog {
public:
    virtual ~ReplacementLog() = default;
    virtual void replacing(const std::vector<ReplacedFile>& files) = 0;
    virtual void puttingBack() = 0;
    virtual void cleaningUp() = 0;
    virtual void finished() = 0;
    virtual void stepDone() {}
};

// An archive unpacked beside its targets: every entry is written under its bare file name
// (any folder part of the stored name dropped, so nothing lands outside the folder) to a
// file of its own in the target folder (".<name>.yeni"). The folder's files change only when
// replaceTogether() renames the unpacked files over their targets; unpacked files not put in
// place are removed. An entry whose name matches an existing file but for letter case
// replaces that file. An entry whose declared size is above `maxEntrySize`, or entries that
// together do not fit in the folder's free space, are refused before anything is written; an
// entry that inflates beyond its declared size is refused too.
class ZipExtraction {
public:
    // Reads and checks the archive's list of entries and names the unpacked files; writes
    // nothing. Throws Error (archive missing, damaged, unreadable or too large).
    ZipExtraction(const ZipArchive& archive, const QString& folder,
                  qint64 maxEntrySize = kMaxExtractedEntrySize);
    ~ZipExtraction();
    ZipExtraction(const ZipExtraction&) = delete;
    ZipExtraction& operator=(const ZipExtraction&) = delete;

    // The absolute paths the archive replaces or creates.
    QStringList targets() const;
    // The absolute paths of the unpacked files.
    QStringList unpackedFiles() const;

    // Writes every entry whole to its unpacked file, synced to the disk, reporting the file
    // it is on to `progress` when given. Throws Error (an entry damaged, the disk full, the
    // folder not writable); the folder's files are then as they were.
    void unpack(ReplacementLog* log = nullptr, Progress* progress = nullptr);

    // Calls `check` with the unpacked file and the target it is to replace, for every entry;
    // a check that throws keeps every target as it was.
    void checkEach(
        const std::function<void(const QString& unpacked, const QString& target)>& check) const;

    // Puts the unpacked files of several archives in place as one step: each file replaced is
    // kept aside until every rename succeeded, so a rename that fails midway puts back what
    // was replaced already, and the targets are as they were. The files named by a target
    // and one of `staleCompanionSuffixes` ("-journal") belong to the file replaced: they are
    // taken away with it, and come back when it does. `log`, when given, is told each step
    // before it is taken. Throws Error with the reason.
    static void replaceTogether(const std::vector<ZipExtraction*>& extractions,
                                const QStringList& staleCompanionSuffixes = {},
                                ReplacementLog* log = nullptr);

private:
    struct Entry {
        quint64 index;
        quint64 size;
        QString target;
        QString unpacked;
        bool written = false;  // the unpacked file exists and is ours to remove
    };
    QString archivePath_;
    std::vector<Entry> entries_;
};

// Takes back a replacement stopped at any point, by a failure or by a kill: every target
// holds again the file it had, and what the replacement made is gone. It decides by what is
// on the disk, so it may run again after another stop. Returns the files it could not put
// back.
QStringList putBackReplaced(const std::vector<ReplacedFile>& files);

// Completes a replacement stopped at any point after every unpacked file was written whole:
// every target holds its unpacked file. Like putBackReplaced it may run again. Throws Error.
void completeReplacement(const std::vector<ReplacedFile>& files);

// Makes the new names of the targets last on the disk before what they replaced is removed.
void syncTargetFolders(const std::vector<ReplacedFile>& files);

// Removes the replaced files kept aside, once every target holds its new file.
void removeReplaced(const std::vector<ReplacedFile>& files, ReplacementLog* log = nullptr);

// The file name part of a name stored in an archive ("../x.mdb" and "/a/b\\x.mdb" give
// "x.mdb"); empty for a folder entry or a name without a file part ("..").
QString bareEntryName(const QString& storedName);

}  // namespace tamevo
