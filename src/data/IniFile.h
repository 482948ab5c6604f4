#pragma once

#include <QString>

namespace tamevo {

// A small settings file of sections in square brackets and key=value lines, UTF-8, as the
// program's own settings files are kept (FirmaAyar.ini, Yedekler.dan). Sections and keys
// are found without regard to letter case. A missing file, section or key reads as the
// empty text. Writing one key keeps every other line of the file; the file is written
// under a temporary name and renamed into place, so it is never left half written.
class IniFile {
public:
    explicit IniFile(const QString& path) : path_(path) {}

    const QString& path() const { return path_; }

    QString read(const QString& section, const QString& key) const;
    // Throws Error when the file cannot be written.
    void write(const QString& section, const QString& key, const QString& value) const;

private:
    QString path_;
};

}  // namespace tamevo
