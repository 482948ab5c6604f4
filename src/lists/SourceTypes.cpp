#include "lists/SourceTypes.h"

#include "data/Errors.h"
#include "data/AtomicFile.h"
#include "data/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStringDecoder>

namespace tamevo {

namespace {

// Windows-1254 differs from Latin-1 in 0x80-0x9F and in six Turkish letters.
QString fromWindows1254(const QByteArray& bytes)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178,
    };
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        char16_t c = b;
        if (b >= 0x80 && b <= 0x9F) {
            c = high[b - 0x80];
        } else {
            switch (b) {
                case 0xD0:
                    c = 0x011E;
                    break;  // Ğ
                case 0xDD:
                    c = 0x0130;
                    break;  // İ
                case 0xDE:
                    c = 0x015E;
                    break;  // Ş
                case 0xF0:
                    c = 0x011F;
                    break;  // ğ
                case 0xFD:
                    c = 0x0131;
                    break;  // ı
                case 0xFE:
                    c = 0x015F;
                    break;  // ş
                default:
                    break;
            }
        }
        text.append(QChar(c));
    }
    return text;
}

QString decodeText(const QByteArray& content)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(content);
    if (utf8.hasError()) {
        return fromWindows1254(content);
    }
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    return text;
}

}  // namespace

QString sourceTypeFilePath()
{
    return GetPathPath() + QStringLiteral("KaynakSekli.ods");
}

QByteArray encodeSourceTypes(const QStringList& names)
{
    QByteArray content;
    for (const QString& name : names) {
        content += name.toUtf8();
        content += "\r\n";
    }
    return content;
}

QStringList decodeSourceTypes(const QByteArray& content)
{
    if (content.isEmpty()) {
        return {};
    }
    QStringList lines = decodeText(content).split(QLatin1Char('\n'));
    // The ending of the last line does not begin another one.
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        // A name longer than a movement's source field is cut to it.
        line.truncate(kSourceTypeMaxLength);
    }
    return lines;
}

bool sameSourceType(const QString& a, const QString& b)
{
    static const QLocale turkish(QLocale::Turkish);
    return turkish.toUpper(a) == turkish.toUpper(b);
}

SourceTypeList::SourceTypeList(const QString& path, QObject* parent) : QObject(parent), path_(path)
{
}

void SourceTypeList::load()
{
    QFile file(path_);
    if (!file.exists()) {
        names_.clear();
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw Error(
            QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path_), file.errorString()));
    }
    names_ = decodeSourceTypes(file.readAll());
}

SourceTypeList::AddResult SourceTypeList::add(const QString& name)
{
    if (name.isEmpty()) {
        return AddResult::Empty;
    }
    for (const QString& present : names_) {
        if (sameSourceType(present, name)) {
            return AddResult::Duplicate;
        }
    }
    if (name.size() > kSourceTypeMaxLength) {
        throw ValidationError(kSourceTypeTooLong);
    }
    QStringList names = names_;
    names << name;
    write(names);
    names_ = names;
    KaynakSekliAyarla();
    return AddResult::Added;
}

void SourceTypeList::removeAt(int index)
{
    QStringList names = names_;
    if (index >= 0 && index < names.size()) {
        names.removeAt(index);
    }
    write(names);
    names_ = names;
    KaynakSekliAyarla();
}

void SourceTypeList::write(const QStringList& names)
{
    writeFileAtomically(path_, encodeSourceTypes(names));
}

}  // namespace tamevo
