#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

namespace tamevo {

inline const QString kSourceTypeExists = QStringLiteral("Bu kaynak şekli mevcut!");
// A movement stores its source in bankaadi, 50 characters wide.
inline const QString kSourceTypeTooLong =
    QStringLiteral("Kaynak şekli en çok 50 karakter olabilir.");
constexpr int kSourceTypeMaxLength = 50;

// The file of the source types in the program folder.
QString sourceTypeFilePath();

// The file format of KaynakSekli.ods: plain text, one name per line, each line ended by a
// carriage return and a line feed, UTF-8 without a byte-order mark.
QByteArray encodeSourceTypes(const QStringList& names);
// Reads the lines of the file: a line ends at a line feed, a carriage return before it is
// dropped, and a last line without an ending counts too. A name longer than 50 characters is
// cut to them. Text that is not UTF-8 is read as
// the Windows code page for Turkish (1254), in which older copies of the file were written.
QStringList decodeSourceTypes(const QByteArray& content);

// Two names are the same source when they are equal without regard to letter case, by the
// Turkish rules (i and İ, ı and I are pairs).
bool sameSourceType(const QString& a, const QString& b);

// The source types: the working copy of KaynakSekli.ods for the whole run, read
// once and written whole after every change. Every change is announced to the windows that
// offer the names (the movement window's source box).
class SourceTypeList : public QObject {
    Q_OBJECT
public:
    explicit SourceTypeList(const QString& path = sourceTypeFilePath(), QObject* parent = nullptr);

    const QString& path() const { return path_; }
    const QStringList& names() const { return names_; }

    // Reads the file; a missing file is an empty list. Throws Error when it cannot be read.
    void load();

    enum class AddResult { Empty, Duplicate, Added };
    // "EKLE": an empty name does nothing; a name the list holds (letter case aside) is a
    // duplicate and nothing is written; otherwise the name is appended and the whole list
    // written. A name longer than 50 characters is a ValidationError. When the file cannot
    // be written (Error) the list stays as it was.
    AddResult add(const QString& name);
    // "Kaydı Sil": removes the name at `index` (nothing when there is none) and writes the
    // whole list. When the file cannot be written (Error) the list stays as it was.
    void removeAt(int index);

    // KaynakSekliAyarla: announces the names as they are now.
    void KaynakSekliAyarla() { emit namesChanged(names_); }

signals:
    void namesChanged(const QStringList& names);

private:
    void write(const QStringList& names);

    QString path_;
    QStringList names_;
};

}  // namespace tamevo
