#pragma once

#include <QByteArray>
#include <QString>

namespace tamevo {

// A file written whole or not at all. The content goes to a temporary file beside the
// target; every write is checked (a short write counts as a failure, as a full disk gives
// it), and commit() syncs the data to the disk, closes the file and only then renames it
// over the target. Any failure, and an AtomicFile dropped without commit(), removes the
// temporary file and leaves the target as it was. The target keeps its permissions; a new
// one is readable by all and writable by its owner. Errors name the target and the reason.
class AtomicFile {
public:
    // Creates the temporary file. Throws Error.
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Appends bytes. Throws Error.
    void write(const char* data, qint64 size);
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }

    // Syncs, closes and renames the file into place. Throws Error; the target is then as it
    // was.
    void commit();

private:
    [[noreturn]] void fail(const QString& reason);
    void discard();

    QString path_;
    QString temporary_;
    int fd_ = -1;
};

// Writes a whole file through an AtomicFile. Throws Error with the file's name and the
// reason.
void writeFileAtomically(const QString& path, const QByteArray& content);

}  // namespace tamevo
