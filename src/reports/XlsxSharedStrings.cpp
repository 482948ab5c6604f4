#include "reports/XlsxSharedStrings.h"

#include "data/Errors.h"
#include "data/SystemLibrary.h"
#include "data/ZipErrors.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <zip.h>

#include <charconv>
#include <memory>

// The library is loaded on the first call (SystemLibrary).
#define ZIP(f) TAMEVO_CALL(zipLibrary, f)

namespace tamevo {

namespace {

const char kSheetPart[] = "xl/worksheets/sheet1.xml";
const char kContentTypesPart[] = "[Content_Types].xml";
const char kRelationshipsPart[] = "xl/_rels/workbook.xml.rels";
const char kSharedStringsPart[] = "xl/sharedStrings.xml";

// A text cell as the workbook writer writes it: `<c r="A1" s="2" t="inlineStr"><is><t>`,
// the start tag possibly with xml:space="preserve", then the escaped text and its end. The
// text is escaped, so neither mark can occur inside it.
const QByteArray kInlineStart = QByteArrayLiteral(" t=\"inlineStr\"><is><t");
const QByteArray kInlineEnd = QByteArrayLiteral("</t></is></c>");

Error zipError(zip_t* zip)
{
    return Error(QString::fromLocal8Bit(ZIP(zip_strerror)(zip)));
}

// A file beside the workbook that holds a part until the package is written again.
std::unique_ptr<QTemporaryFile> partFile(const QString& workbook)
{
    auto file = std::make_unique<QTemporaryFile>(
        QFileInfo(workbook).absoluteDir().filePath(QStringLiteral(".tamevo-part-XXXXXX")));
    if (!file->open()) {
        throw Error(file->errorString());
    }
    return file;
}

void write(QFile& file, const QByteArray& bytes)
{
    if (file.write(bytes) != bytes.size()) {
        throw Error(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    }
}

// Reads a part whole (the small parts of the package).
QByteArray readPart(zip_t* zip, const char* name)
{
    const zip_int64_t index = ZIP(zip_name_locate)(zip, name, 0);
    if (index < 0) {
        throw Error(QStringLiteral("%1 bulunamadı.").arg(QString::fromLatin1(name)));
    }
    zip_file_t* file = ZIP(zip_fopen_index)(zip, zip_uint64_t(index), 0);
    if (file == nullptr) {
        throw zipError(zip);
    }
    const auto closeFile = qScopeGuard([file] { ZIP(zip_fclose)(file); });
    QByteArray bytes;
    char buffer[1 << 14];
    zip_int64_t read = 0;
    while ((read = ZIP(zip_fread)(file, buffer, sizeof buffer)) > 0) {
        bytes.append(buffer, qsizetype(read));
    }
    if (read < 0) {
        throw Error(QString::fromLocal8Bit(ZIP(zip_file_strerror)(file)));
    }
    return bytes;
}

// The table being built: the entries go to a file as they are made; the texts remembered
// give their entry again.
class StringTable {
public:
    StringTable(const QString& workbook, int remembered)
        : entries_(partFile(workbook)), remembered_(remembered)
    {
    }

    // The entry of a text: `key` is the rest of its start tag (the attributes and ">") and
    // its escaped characters, as the cell holds them.
    int entryOf(const QByteArray& key)
    {
        ++references_;
        const auto found = known_.constFind(key);
        if (found != known_.cend()) {
            return found.value();
        }
        const int entry = count_++;
        write(*entries_, QByteArrayLiteral("<si><t") + key + QByteArrayLiteral("</t></si>"));
        if (known_.size() < remembered_) {
            known_.insert(key, entry);
        }
        return entry;
    }

    bool isEmpty() const { return count_ == 0; }

    // The shared-strings part: its header, the entries, its end.
    std::unique_ptr<QTemporaryFile> part(const QString& workbook)
    {
        known_.clear();
        auto file = partFile(workbook);
        write(*file, QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" "
                                       "standalone=\"yes\"?>\n<sst xmlns=\"http://"
                                       "schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                                       "count=\"") +
                         QByteArray::number(references_) + "\" uniqueCount=\"" +
                         QByteArray::number(count_) + "\">");
        if (!entries_->seek(0)) {
            throw Error(entries_->errorString());
        }
        char buffer[1 << 16];
        qint64 read = 0;
        while ((read = entries_->read(buffer, sizeof buffer)) > 0) {
            write(*file, QByteArray::fromRawData(buffer, qsizetype(read)));
        }
        if (read < 0) {
            throw Error(entries_->errorString());
        }
        write(*file, QByteArrayLiteral("</sst>"));
        if (!file->flush()) {
            throw Error(file->errorString());
        }
        return file;
    }

private:
    std::unique_ptr<QTemporaryFile> entries_;
    int remembered_;
    QHash<QByteArray, int> known_;
    int count_ = 0;
    qint64 references_ = 0;
};

// Copies the worksheet to `out` with every inline text cell turned into a reference to its
// table entry. The sheet is read in pieces; a cell cut by a piece's end waits for the next.
void rewriteSheet(zip_t* zip, zip_uint64_t index, QFile& out, StringTable& table)
{
    zip_file_t* file = ZIP(zip_fopen_index)(zip, index, 0);
    if (file == nullptr) {
        throw zipError(zip);
    }
    const auto closeFile = qScopeGuard([file] { ZIP(zip_fclose)(file); });
    QByteArray pending;
    QByteArray written;
    char buffer[1 << 16];
    for (;;) {
        const zip_int64_t read = ZIP(zip_fread)(file, buffer, sizeof buffer);
        if (read < 0) {
            throw Error(QString::fromLocal8Bit(ZIP(zip_file_strerror)(file)));
        }
        const bool last = read == 0;
        pending.append(buffer, qsizetype(read));
        qsizetype at = 0;
        written.resize(0);  // keeps its room for the next piece
        for (;;) {
            const qsizetype start = pending.indexOf(kInlineStart, at);
            const qsizetype tagEnd =
                start < 0 ? -1 : pending.indexOf('>', start + kInlineStart.size());
            const qsizetype end = tagEnd < 0 ? -1 : pending.indexOf(kInlineEnd, tagEnd);
            if (end < 0) {
                // Keep what may begin a cell not yet read whole.
                const qsizetype keep =
                    last ? pending.size()
                         : (start >= 0 ? start
                                       : qMax(at, pending.size() - (kInlineStart.size() - 1)));
                written.append(pending.constData() + at, keep - at);
                pending.remove(0, keep);
                break;
            }
            const qsizetype attributesAt = start + kInlineStart.size();
            const int entry = table.entryOf(pending.mid(attributesAt, end - attributesAt));
            written.append(pending.constData() + at, start - at);
            char digits[16];
            const auto [digitsEnd, ec] = std::to_chars(digits, digits + sizeof digits, entry);
            written.append(" t=\"s\"><v>");
            written.append(digits, digitsEnd - digits);
            written.append("</v></c>");
            at = end + kInlineEnd.size();
        }
        write(out, written);
        if (last) {
            break;
        }
    }
    if (!pending.isEmpty()) {
        write(out, pending);
    }
    if (!out.flush()) {
        throw Error(out.errorString());
    }
}

// Inserts `element` before the closing tag `end` of a small part.
QByteArray insertBefore(QByteArray part, const QByteArray& end, const QByteArray& element)
{
    const qsizetype at = part.lastIndexOf(end);
    if (at < 0) {
        throw Error(QStringLiteral("Çalışma kitabının bir parçası eksik: %1")
                        .arg(QString::fromLatin1(end)));
    }
    return part.insert(at, element);
}

// The relationship identifier no relationship of the part has: one above the highest.
QByteArray freeRelationshipId(const QByteArray& relationships)
{
    static const QRegularExpression id(QStringLiteral("Id=\"rId(\\d+)\""));
    int highest = 0;
    auto it = id.globalMatch(QString::fromUtf8(relationships));
    while (it.hasNext()) {
        highest = qMax(highest, it.next().captured(1).toInt());
    }
    return "rId" + QByteArray::number(highest + 1);
}

// How a part that exists is replaced: in its place (the small parts, [Content_Types].xml
// first in the archive as every writer puts it), or dropped and added anew at the end (the
// worksheet: a part overwritten in place keeps the archive library's slowest level).
enum class Placing { InPlace, AtTheEnd };

// Puts the bytes of `source` in the part `name`, deflated at the fastest level: the markup
// packs well at any level, and the export stays about as quick as the writer's own.
void putPart(zip_t* zip, const char* name, zip_source_t* source, Placing placing)
{
    if (source == nullptr) {
        throw zipError(zip);
    }
    const zip_int64_t existing = ZIP(zip_name_locate)(zip, name, 0);
    if (existing >= 0 && placing == Placing::AtTheEnd &&
        ZIP(zip_delete)(zip, zip_uint64_t(existing)) != 0) {
        ZIP(zip_source_free)(source);
        throw zipError(zip);
    }
    const zip_int64_t index =
        ZIP(zip_file_add)(zip, name, source, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        ZIP(zip_source_free)(source);
        throw zipError(zip);
    }
    if (ZIP(zip_set_file_compression)(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0) {
        throw zipError(zip);
    }
}

}  // namespace

void shareWorkbookStrings(const QString& path, int rememberedTexts)
{
    int openError = 0;
    zip_t* zip = ZIP(zip_open)(QFile::encodeName(path).constData(), 0, &openError);
    if (zip == nullptr) {
        throw Error(zipOpenErrorText(openError));
    }
    auto discard = qScopeGuard([zip] { ZIP(zip_discard)(zip); });

    const zip_int64_t sheetIndex = ZIP(zip_name_locate)(zip, kSheetPart, 0);
    if (sheetIndex < 0) {
        throw Error(QStringLiteral("%1 bulunamadı.").arg(QString::fromLatin1(kSheetPart)));
    }
    StringTable table(path, rememberedTexts);
    const std::unique_ptr<QTemporaryFile> sheet = partFile(path);
    rewriteSheet(zip, zip_uint64_t(sheetIndex), *sheet, table);
    if (table.isEmpty()) {
        return;
    }
    const std::unique_ptr<QTemporaryFile> strings = table.part(path);

    // The package's parts and the workbook's relationships name the table. The sources
    // read these bytes when the archive is written, so they live until then.
    const QByteArray contentTypes = insertBefore(
        readPart(zip, kContentTypesPart), QByteArrayLiteral("</Types>"),
        QByteArrayLiteral("<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\""
                          "application/vnd.openxmlformats-officedocument.spreadsheetml."
                          "sharedStrings+xml\"/>"));
    const QByteArray relationships = readPart(zip, kRelationshipsPart);
    const QByteArray withTable = insertBefore(
        relationships, QByteArrayLiteral("</Relationships>"),
        "<Relationship Id=\"" + freeRelationshipId(relationships) +
            QByteArrayLiteral("\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                              "relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>"));

    putPart(
        zip, kContentTypesPart,
        ZIP(zip_source_buffer)(zip, contentTypes.constData(), zip_uint64_t(contentTypes.size()), 0),
        Placing::InPlace);
    putPart(zip, kRelationshipsPart,
            ZIP(zip_source_buffer)(zip, withTable.constData(), zip_uint64_t(withTable.size()), 0),
            Placing::InPlace);
    putPart(zip, kSheetPart,
            ZIP(zip_source_file)(zip, QFile::encodeName(sheet->fileName()).constData(), 0, -1),
            Placing::AtTheEnd);
    putPart(zip, kSharedStringsPart,
            ZIP(zip_source_file)(zip, QFile::encodeName(strings->fileName()).constData(), 0, -1),
            Placing::AtTheEnd);

    discard.dismiss();
    if (ZIP(zip_close)(zip) != 0) {
        const Error error = zipError(zip);
        ZIP(zip_discard)(zip);
        throw error;
    }
}

}  // namespace tamevo
