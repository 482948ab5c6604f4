#include "data/IniFile.h"

#include "data/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace tamevo {

namespace {

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

bool isSectionLine(const QString& line, QString* name)
{
    const QString t = line.trimmed();
    if (t.startsWith(QLatin1Char('[')) && t.endsWith(QLatin1Char(']'))) {
        *name = t.mid(1, t.size() - 2).trimmed();
        return true;
    }
    return false;
}

// The key of a key=value line, or an empty text for other lines.
QString keyOf(const QString& line)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq <= 0 ? QString() : line.left(eq).trimmed();
}

}  // namespace

QString IniFile::read(const QString& section, const QString& key) const
{
    QString current;
    bool inSection = false;
    for (const QString& line : readLines(path_)) {
        if (isSectionLine(line, &current)) {
            inSection = current.compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && keyOf(line).compare(key, Qt::CaseInsensitive) == 0 &&
                   !keyOf(line).isEmpty()) {
            return line.mid(line.indexOf(QLatin1Char('=')) + 1);
        }
    }
    return {};
}

void IniFile::write(const QString& section, const QString& key, const QString& value) const
{
    QStringList lines = readLines(path_);
    const QString entry = key + QLatin1Char('=') + value;
    QString current;
    qsizetype sectionStart = -1;
    qsizetype sectionEnd = -1;  // index after the last line of the section
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (isSectionLine(lines[i], &current)) {
            if (sectionStart >= 0 && sectionEnd < 0) {
                sectionEnd = i;
            }
            if (sectionStart < 0 && current.compare(section, Qt::CaseInsensitive) == 0) {
                sectionStart = i;
            }
        } else if (sectionStart >= 0 && sectionEnd < 0 && !keyOf(lines[i]).isEmpty() &&
                   keyOf(lines[i]).compare(key, Qt::CaseInsensitive) == 0) {
            lines[i] = entry;
            writeFileAtomically(
                path_, (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
            return;
        }
    }
    if (sectionStart < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
    } else {
        qsizetype at = sectionEnd < 0 ? lines.size() : sectionEnd;
        // Keep blank lines that end the section after the new key.
        while (at > sectionStart + 1 && lines[at - 1].trimmed().isEmpty()) {
            --at;
        }
        lines.insert(at, entry);
    }
    writeFileAtomically(path_,
                        (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
}

}  // namespace tamevo
