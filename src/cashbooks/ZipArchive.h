#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QTemporaryFile;

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

private:
    QString path_;
};

// The largest entry a restore unpacks: far above any cash book's database, far below what
// a damaged or hostile archive may declare.
constexpr qint64 kMaxExtractedEntrySize = qint64(4) << 30;

// An archive unpacked beside its targets: every entry is written under its bare file name
// (any folder part of the stored name dropped, so nothing lands outside the folder) to a
// temporary file in the target folder. The folder's files change only when replaceTargets()
// renames the temporaries over their targets; temporaries not used are removed. An entry
// whose name matches an existing file but for letter case replaces that file. An entry whose
// declared size is above `maxEntrySize`, or entries that together do not fit in the folder's
// free space, are refused before anything is written; an entry that inflates beyond its
// declared size is refused too.
class ZipExtraction {
public:
    // Reads and checks the whole archive. Throws Error (archive missing, damaged, unreadable
    // or too large, folder not writable); the folder is then as it was.
    ZipExtraction(const ZipArchive& archive, const QString& folder,
                  qint64 maxEntrySize = kMaxExtractedEntrySize);
    ~ZipExtraction();
    ZipExtraction(const ZipExtraction&) = delete;
    ZipExtraction& operator=(const ZipExtraction&) = delete;

    // The absolute paths the archive replaces or creates.
    QStringList targets() const;

    // Calls `check` with the unpacked file and the target it is to replace, for every entry;
    // a check that throws keeps every target as it was.
    void checkEach(
        const std::function<void(const QString& unpacked, const QString& target)>& check) const;

    // Renames every temporary file over its target, all or none (replaceTogether). Throws
    // Error.
    void replaceTargets(const QStringList& staleCompanionSuffixes = {});

    // Puts the unpacked files of several archives in place as one step: each file replaced is
    // kept aside until every rename succeeded, so a rename that fails midway puts back what
    // was replaced already, and the targets are as they were. The files named by a target
    // and one of `staleCompanionSuffixes` ("-journal") belong to the file replaced: they are
    // taken away with it, and come back when it does. Throws Error with the reason.
    static void replaceTogether(const std::vector<ZipExtraction*>& extractions,
                                const QStringList& staleCompanionSuffixes = {});

private:
    struct Entry {
        std::unique_ptr<QTemporaryFile> temporary;
        QString target;
    };
    QString archivePath_;
    std::vector<Entry> entries_;
};

// The file name part of a name stored in an archive ("../x.mdb" and "/a/b\\x.mdb" give
// "x.mdb"); empty for a folder entry or a name without a file part ("..").
QString bareEntryName(const QString& storedName);

}  // namespace tamevo
