// The ZIP archives of the backups over real files: what they hold and how unzip reads them,
// extraction with its bare names, and failures that leave every file as it was.
#include "data/Errors.h"
#include "cashbooks/ZipArchive.h"

#include "ArchiveTools.h"
#include "support/HostileInput.h"

#include <QTemporaryDir>

#include <zip.h>

#include <gtest/gtest.h>

#include <limits>

using namespace tamevo;
using namespace tamevo::test;

namespace {

class ZipArchiveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        source = dir.filePath(QStringLiteral("kaynak"));
        target = dir.filePath(QStringLiteral("hedef"));
        QDir().mkpath(source);
        QDir().mkpath(target);
    }

    QString sourceFile(const QString& name) const { return source + QLatin1Char('/') + name; }
    QString targetFile(const QString& name) const { return target + QLatin1Char('/') + name; }

    // An archive `name` in the test folder holding `files` (stored name, content) as given,
    // stored names untouched.
    QString craftArchive(const QString& name, const QList<QPair<QByteArray, QByteArray>>& files)
    {
        const QString path = dir.filePath(name);
        int error = 0;
        zip_t* zip =
            zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        EXPECT_NE(zip, nullptr);
        std::vector<QByteArray> keep;
        for (const auto& [stored, content] : files) {
            keep.push_back(content);
            zip_source_t* data =
                zip_source_buffer(zip, keep.back().constData(), zip_uint64_t(content.size()), 0);
            EXPECT_GE(zip_file_add(zip, stored.constData(), data, 0), 0);
        }
        EXPECT_EQ(zip_close(zip), 0);
        return path;
    }

    QTemporaryDir dir;
    QString source;
    QString target;
};

}  // namespace

TEST_F(ZipArchiveTest, MatchingFilesGoInUnderBareNamesDeflatedAtTheHighestLevel)
{
    const QByteArray genel = QByteArray("Genel veritabanı ").repeated(4000);
    writeAll(sourceFile(QStringLiteral("Genel.mdb")), genel);
    writeAll(sourceFile(QStringLiteral("ESKI.MDB")), QByteArray("eski ").repeated(100));
    writeAll(sourceFile(QStringLiteral("notlar.txt")), "not");
    QDir(source).mkpath(QStringLiteral("alt.mdb"));  // a folder is never taken

    const QString archive = dir.filePath(QStringLiteral("Yedek.zip"));
    const QStringList stored =
        ZipArchive(archive).writeMatchingFiles(source, QStringLiteral("*.mdb"));

    const QStringList expected{QStringLiteral("ESKI.MDB"), QStringLiteral("Genel.mdb")};
    QStringList sortedStored = stored;
    sortedStored.sort();
    EXPECT_EQ(sortedStored, expected);
    EXPECT_EQ(archiveNames(archive), expected);
    EXPECT_EQ(compressionMethods(archive),
              (QStringList{QStringLiteral("Defl:X"), QStringLiteral("Defl:X")}));
    EXPECT_TRUE(unzipAccepts(archive));
    EXPECT_LT(QFileInfo(archive).size(), genel.size() / 10);

    // Extracted again, byte for byte, over an older file of the same name.
    writeAll(targetFile(QStringLiteral("Genel.mdb")), "eski içerik");
    ZipArchive(archive).extractAll(target);
    EXPECT_EQ(readAll(targetFile(QStringLiteral("Genel.mdb"))), genel);
    EXPECT_EQ(readAll(targetFile(QStringLiteral("ESKI.MDB"))),
              readAll(sourceFile(QStringLiteral("ESKI.MDB"))));
    EXPECT_EQ(folderEntries(target), expected);

    // No matching file: an archive without entries, which extracts to nothing.
    const QString empty = dir.filePath(QStringLiteral("Bos.zip"));
    EXPECT_TRUE(ZipArchive(empty).writeMatchingFiles(source, QStringLiteral("*.dbf")).isEmpty());
    EXPECT_TRUE(runUnzip({QStringLiteral("-l"), empty}).output.contains(QStringLiteral("empty")));
    ZipArchive(empty).extractAll(target);
    EXPECT_EQ(folderEntries(target), expected);
}

TEST_F(ZipArchiveTest, AnEntryReplacesTheFileOfTheSameNameInAnyLetterCase)
{
    writeAll(sourceFile(QStringLiteral("k012021.mdb")), "yedekteki");
    const QString archive = dir.filePath(QStringLiteral("Yedek.ydk"));
    ZipArchive(archive).writeMatchingFiles(source, QStringLiteral("*.mdb"));
    writeAll(targetFile(QStringLiteral("K012021.mdb")), "şimdiki");

    ZipArchive(archive).extractAll(target);
    EXPECT_EQ(folderEntries(target), QStringList{QStringLiteral("K012021.mdb")});
    EXPECT_EQ(readAll(targetFile(QStringLiteral("K012021.mdb"))), QByteArray("yedekteki"));
}

TEST_F(ZipArchiveTest, StoredFolderNamesAreDroppedSoNothingLandsOutsideTheTarget)
{
    QTemporaryDir elsewhere;
    const QByteArray absolute = QFile::encodeName(elsewhere.filePath(QStringLiteral("y.mdb")));
    const QString archive =
        craftArchive(QStringLiteral("Kotu.zip"), {{"../x.mdb", "x içerik"},
                                                  {absolute, "y içerik"},
                                                  {"alt\\klasor\\z.mdb", "z içerik"},
                                                  {"klasor/", ""},
                                                  {"..", "hiç"}});
    ZipArchive(archive).extractAll(target);

    EXPECT_EQ(folderEntries(target), (QStringList{QStringLiteral("x.mdb"), QStringLiteral("y.mdb"),
                                                  QStringLiteral("z.mdb")}));
    EXPECT_EQ(readAll(targetFile(QStringLiteral("x.mdb"))), QByteArray("x içerik"));
    EXPECT_EQ(readAll(targetFile(QStringLiteral("y.mdb"))), QByteArray("y içerik"));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.mdb"))));
    EXPECT_FALSE(QFile::exists(elsewhere.filePath(QStringLiteral("y.mdb"))));
}

TEST_F(ZipArchiveTest, ADamagedArchiveLeavesEveryFileAsItWas)
{
    writeAll(sourceFile(QStringLiteral("A2021.mdb")), incompressible(40000, 1));
    writeAll(sourceFile(QStringLiteral("B2021.mdb")), incompressible(40000, 2));
    const QString good = dir.filePath(QStringLiteral("Iyi.zip"));
    ZipArchive(good).writeMatchingFiles(source, QStringLiteral("*.mdb"));
    const QByteArray bytes = readAll(good);

    const struct {
        const char* name;
        QByteArray content;
    } damaged[] = {
        {"truncated", bytes.left(bytes.size() - 100)},
        {"cut in half", bytes.left(bytes.size() / 2)},
        // A byte of the second entry's data changed: its checksum no longer matches.
        {"changed byte",
         QByteArray(bytes).replace(60000, 1, QByteArray(1, char(bytes[60000] ^ 0x5a)))},
        {"not an archive", QByteArray("PK bu bir arşiv değil")},
    };
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.name);
        writeAll(targetFile(QStringLiteral("A2021.mdb")), "şimdiki A");
        writeAll(targetFile(QStringLiteral("B2021.mdb")), "şimdiki B");
        const QString archive = dir.filePath(QStringLiteral("Hasarli.zip"));
        writeAll(archive, d.content);
        try {
            ZipArchive(archive).extractAll(target);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().contains(QStringLiteral("Hasarli.zip"))) << error.what();
            EXPECT_TRUE(error.text().contains(QLatin1Char('\n'))) << "no reason: " << error.what();
        }
        EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), QByteArray("şimdiki A"));
        EXPECT_EQ(readAll(targetFile(QStringLiteral("B2021.mdb"))), QByteArray("şimdiki B"));
        EXPECT_EQ(folderEntries(target),
                  (QStringList{QStringLiteral("A2021.mdb"), QStringLiteral("B2021.mdb")}));
    }
}

TEST_F(ZipArchiveTest, AFailedWriteLeavesNoPartialFileAndKeepsTheOlderOne)
{
    writeAll(sourceFile(QStringLiteral("A2021.mdb")), incompressible(20000, 3));
    writeAll(sourceFile(QStringLiteral("B2021.mdb")), incompressible(300000, 4));
    const QString archive = dir.filePath(QStringLiteral("Yedek.zip"));
    writeAll(archive, "daha eski bir yedek");

    // A folder that cannot exist: its parent is a regular file.
    const QString underFile = archive + QStringLiteral("/Yedek.zip");
    EXPECT_THROW(ZipArchive(underFile).writeMatchingFiles(source, QStringLiteral("*.mdb")), Error);
    EXPECT_THROW(ZipArchive(underFile).writeMatchingFiles(source, QStringLiteral("*.yok")), Error);

    // The disk fills while the archive is written.
    try {
        const FileSizeLimit full(100000);
        ZipArchive(archive).writeMatchingFiles(source, QStringLiteral("*.mdb"));
        ADD_FAILURE() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.text().startsWith(QStringLiteral("Yedek dosyası yazılamadı: ")))
            << error.what();
    }
    EXPECT_EQ(readAll(archive), QByteArray("daha eski bir yedek"));
    EXPECT_EQ(folderEntries(dir.path()),
              (QStringList{QStringLiteral("Yedek.zip"), QStringLiteral("hedef"),
                           QStringLiteral("kaynak")}));
}

TEST_F(ZipArchiveTest, AFailedExtractionChangesNoFile)
{
    writeAll(sourceFile(QStringLiteral("A2021.mdb")), incompressible(20000, 5));
    writeAll(sourceFile(QStringLiteral("B2021.mdb")), incompressible(300000, 6));
    const QString archive = dir.filePath(QStringLiteral("Yedek.zip"));
    ZipArchive(archive).writeMatchingFiles(source, QStringLiteral("*.mdb"));
    writeAll(targetFile(QStringLiteral("A2021.mdb")), "şimdiki A");

    // The disk fills at the second entry: the first, complete by then, is not put in place.
    {
        const FileSizeLimit full(100000);
        EXPECT_THROW(ZipArchive(archive).extractAll(target), Error);
    }
    EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), QByteArray("şimdiki A"));
    EXPECT_EQ(folderEntries(target), QStringList{QStringLiteral("A2021.mdb")});

    // A target folder that cannot exist: its parent is a regular file.
    EXPECT_THROW(ZipArchive(archive).extractAll(targetFile(QStringLiteral("A2021.mdb"))), Error);
    EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), QByteArray("şimdiki A"));
}

namespace {

quint32 crc32Of(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : data) {
        crc ^= quint8(byte);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void put16(QByteArray& out, quint16 v)
{
    out += char(v & 0xFF);
    out += char(v >> 8);
}

void put32(QByteArray& out, quint32 v)
{
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

void put64(QByteArray& out, quint64 v)
{
    put32(out, quint32(v & 0xFFFFFFFFu));
    put32(out, quint32(v >> 32));
}

// An archive of one deflated entry whose headers declare `declaredSize` bytes (in the large
// file form of the format), whatever the data inflate to.
QByteArray archiveDeclaring(const QByteArray& name, const QByteArray& content, quint64 declaredSize)
{
    const QByteArray zlib = qCompress(content, 9);
    const QByteArray deflated = zlib.mid(6, zlib.size() - 10);  // the bare deflate stream
    QByteArray extra;
    put16(extra, 0x0001);
    put16(extra, 16);
    put64(extra, declaredSize);
    put64(extra, quint64(deflated.size()));
    const auto header = [&](bool central) {
        QByteArray h;
        put32(h, central ? 0x02014b50u : 0x04034b50u);
        if (central) {
            put16(h, 45);
        }
        put16(h, 45);  // version needed: large files
        put16(h, 0);
        put16(h, 8);  // deflate
        put16(h, 0);
        put16(h, 0x5221);
        put32(h, crc32Of(content));
        put32(h, 0xFFFFFFFFu);
        put32(h, 0xFFFFFFFFu);
        put16(h, quint16(name.size()));
        put16(h, quint16(extra.size()));
        if (central) {
            put16(h, 0);
            put16(h, 0);
            put16(h, 0);
            put32(h, 0);
            put32(h, 0);  // the local header's offset
        }
        return h + name + extra;
    };
    QByteArray archive = header(false) + deflated;
    const quint32 directoryOffset = quint32(archive.size());
    const QByteArray directory = header(true);
    archive += directory;
    put32(archive, 0x06054b50u);
    put16(archive, 0);
    put16(archive, 0);
    put16(archive, 1);
    put16(archive, 1);
    put32(archive, quint32(directory.size()));
    put32(archive, directoryOffset);
    put16(archive, 0);
    return archive;
}

}  // namespace

TEST_F(ZipArchiveTest, AnEntryTooLargeForTheLimitOrTheDiskIsRefusedBeforeAnythingIsWritten)
{
    writeAll(targetFile(QStringLiteral("A2021.mdb")), "şimdiki A");
    writeAll(sourceFile(QStringLiteral("A2021.mdb")), incompressible(300000, 7));
    const QString honest = dir.filePath(QStringLiteral("Buyuk.zip"));
    ZipArchive(honest).writeMatchingFiles(source, QStringLiteral("*.mdb"));
    const QString declaring = dir.filePath(QStringLiteral("Beyan.zip"));
    writeAll(declaring, archiveDeclaring("A2021.mdb", "az", quint64(1) << 50));

    const struct {
        const char* name;
        QString archive;
        qint64 limit;
        const char* reason;
    } cases[] = {
        {"above the limit", honest, 100000, "en büyük dosya 100000 bayt"},
        {"declares a petabyte", declaring, kMaxExtractedEntrySize, "1125899906842624 bayt"},
        {"more than the free space", declaring, std::numeric_limits<qint64>::max(), "boş yer"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            ZipExtraction extraction(ZipArchive(c.archive), target, c.limit);
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().contains(QString::fromUtf8(c.reason))) << error.what();
        }
        EXPECT_EQ(folderEntries(target), QStringList{QStringLiteral("A2021.mdb")});
        EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), QByteArray("şimdiki A"));
    }
    // Within the limit the same archive is unpacked.
    ZipArchive(honest).extractAll(target);
    EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), incompressible(300000, 7));
}

TEST_F(ZipArchiveTest, RandomlyDamagedArchivesAreRefusedAndChangeNothing)
{
    writeAll(sourceFile(QStringLiteral("A2021.mdb")), incompressible(3000, 8));
    writeAll(sourceFile(QStringLiteral("B2021.mdb")), QByteArray("kasa hareketi ").repeated(400));
    const QString good = dir.filePath(QStringLiteral("Iyi.zip"));
    ZipArchive(good).writeMatchingFiles(source, QStringLiteral("*.mdb"));
    const QByteArray bytes = readAll(good);
    const QString archive = dir.filePath(QStringLiteral("Bozuk.zip"));
    int refused = 0;
    for (quint32 seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        HostileInput input(seed);
        QByteArray damaged = input.damaged(bytes);
        if (input.chance(30)) {
            // A size field of a header changed to a large value.
            const qsizetype header = damaged.indexOf(input.pick({"PK\x03\x04", "PK\x01\x02"}));
            const int field = input.pick({18, 22, 20, 24});
            if (header >= 0 && header + field + 4 <= damaged.size()) {
                const quint32 size = quint32(input.number(1, 0x7FFFFFFF)) << 1;
                for (int k = 0; k < 4; ++k) {
                    damaged[header + field + k] = char(size >> (8 * k));
                }
            }
        }
        writeAll(archive, damaged);
        QDir(target).removeRecursively();
        QDir().mkpath(target);
        writeAll(targetFile(QStringLiteral("A2021.mdb")), "şimdiki A");
        try {
            ZipArchive(archive).extractAll(target);
        } catch (const Error& error) {
            ++refused;
            EXPECT_TRUE(error.text().contains(QLatin1Char('\n'))) << "no reason: " << error.what();
            EXPECT_EQ(folderEntries(target), QStringList{QStringLiteral("A2021.mdb")});
            EXPECT_EQ(readAll(targetFile(QStringLiteral("A2021.mdb"))), QByteArray("şimdiki A"));
            continue;
        }
        // A change the archive does not notice (a name, a date): whole files only, and no
        // temporary file left.
        for (const QString& name : folderEntries(target)) {
            EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
        }
    }
    EXPECT_GT(refused, 200);
}
