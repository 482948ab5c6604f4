// The source types: the file KaynakSekli.ods, its format, the duplicate rule, and
// the default list the build delivers.
#include "data/Errors.h"
#include "data/ProgramLayout.h"
#include "lists/SourceTypes.h"

#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;
using AddResult = SourceTypeList::AddResult;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class SourceTypesTest : public ProgramFolderTest {
protected:
    QString file() const { return path(QStringLiteral("KaynakSekli.ods")); }
};

TEST_F(SourceTypesTest, AFirstStartWithoutTheFileHasAnEmptyList)
{
    ASSERT_FALSE(QFile::exists(file()));
    SourceTypeList list;
    EXPECT_EQ(list.path(), file());
    list.load();
    EXPECT_TRUE(list.names().isEmpty());
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(SourceTypesTest, NakitThenBankaGiveATwoLineFileWithCrLf)
{
    SourceTypeList list;
    list.load();
    EXPECT_EQ(list.add(QStringLiteral("Nakit")), AddResult::Added);
    EXPECT_EQ(list.add(QStringLiteral("Banka")), AddResult::Added);
    EXPECT_EQ(bytesOf(file()), QByteArray("Nakit\r\nBanka\r\n"));
    EXPECT_EQ(list.names(), (QStringList{QStringLiteral("Nakit"), QStringLiteral("Banka")}));
    EXPECT_EQ(list.add(QString()), AddResult::Empty);
    EXPECT_EQ(bytesOf(file()), QByteArray("Nakit\r\nBanka\r\n"));
}

TEST_F(SourceTypesTest, ANameTheListHoldsInOtherLettersIsADuplicateAndNothingIsWritten)
{
    SourceTypeList list;
    list.add(QStringLiteral("Nakit"));
    list.add(QStringLiteral("Banka"));
    list.add(QStringLiteral("Çek"));
    list.add(QStringLiteral("İstanbul Şubesi"));
    // A file changed behind the list's back shows whether the list wrote it.
    writeBytes(file(), "elle yazildi\r\n");
    for (const char* name : {"nakit", "NAKİT", "BANKA", "çEK", "ÇEK", "istanbul şubesi"}) {
        EXPECT_EQ(list.add(QString::fromUtf8(name)), AddResult::Duplicate) << name;
    }
    EXPECT_EQ(bytesOf(file()), QByteArray("elle yazildi\r\n"));
    EXPECT_EQ(list.names().size(), 4);
    // Dotless ı and dotted i are different letters in Turkish.
    EXPECT_FALSE(sameSourceType(QStringLiteral("KIRA"), QStringLiteral("kira")));
    EXPECT_TRUE(sameSourceType(QStringLiteral("KIRA"), QStringLiteral("kıra")));
}

TEST_F(SourceTypesTest, TurkishLettersSurviveAWriteAndARead)
{
    const QStringList names{QStringLiteral("Çek"), QStringLiteral("Ödeme"),
                            QStringLiteral("Şirket Kartı"), QStringLiteral("Güğüm İğne ıöüçş")};
    {
        SourceTypeList list;
        for (const QString& name : names) {
            ASSERT_EQ(list.add(name), AddResult::Added);
        }
    }
    const QByteArray bytes = bytesOf(file());
    EXPECT_TRUE(
        bytes.startsWith("\xC3\x87"
                         "ek\r\n"));  // UTF-8, no byte-order mark
    SourceTypeList again;
    again.load();
    EXPECT_EQ(again.names(), names);
}

TEST_F(SourceTypesTest, FilesOfOtherMakesAreRead)
{
    const struct {
        QByteArray bytes;
        QStringList names;
    } cases[] = {
        // An older copy of the list: Windows code page 1254.
        {QByteArray("\xC7"
                    "ek\r\n\xD6"
                    "deme\r\n\xDE"
                    "ube \xFD\xF0\xDD\r\n"),
         {QStringLiteral("Çek"), QStringLiteral("Ödeme"), QStringLiteral("Şube ığİ")}},
        // Line feeds only, and a last line without an ending.
        {QByteArray("Nakit\nBanka"), {QStringLiteral("Nakit"), QStringLiteral("Banka")}},
        // UTF-8 with a byte-order mark.
        {QByteArray("\xEF\xBB\xBFNakit\r\n"), {QStringLiteral("Nakit")}},
        {QByteArray(), {}},
    };
    for (const auto& c : cases) {
        writeBytes(file(), c.bytes);
        SourceTypeList list;
        list.load();
        EXPECT_EQ(list.names(), c.names) << c.bytes.toStdString();
    }
}

TEST_F(SourceTypesTest, DeletingRewritesTheWholeList)
{
    SourceTypeList list;
    list.add(QStringLiteral("Nakit"));
    list.add(QStringLiteral("Banka"));
    list.add(QStringLiteral("Çek"));
    list.removeAt(1);
    EXPECT_EQ(bytesOf(file()), QByteArray("Nakit\r\n\xC3\x87"
                                          "ek\r\n"));
    // Nothing selected: the file is written again with the same lines.
    ASSERT_TRUE(QFile::remove(file()));
    list.removeAt(-1);
    EXPECT_EQ(bytesOf(file()), QByteArray("Nakit\r\n\xC3\x87"
                                          "ek\r\n"));
    list.removeAt(5);
    EXPECT_EQ(list.names().size(), 2);
}

TEST_F(SourceTypesTest, ANameLongerThanAMovementsSourceColumnIsRefused)
{
    SourceTypeList list;
    EXPECT_EQ(list.add(QString(50, QLatin1Char('a'))), AddResult::Added);
    try {
        list.add(QString(51, QLatin1Char('b')));
        FAIL() << "a 51-character source was taken";
    } catch (const ValidationError& error) {
        EXPECT_EQ(error.text(), kSourceTypeTooLong);
    }
    EXPECT_EQ(list.names().size(), 1);
    EXPECT_EQ(bytesOf(file()).size(), 52);
}

TEST_F(SourceTypesTest, AFileThatCannotBeWrittenLeavesTheListAsItWas)
{
    SourceTypeList list(path(QStringLiteral("YokKlasor/KaynakSekli.ods")));
    list.load();
    EXPECT_THROW(list.add(QStringLiteral("Nakit")), Error);
    EXPECT_TRUE(list.names().isEmpty());
}

TEST_F(SourceTypesTest, TheBuildDeliversAShortDefaultList)
{
    const QString delivered = QStringLiteral(TAMEVO_DELIVERED_FILES "/KaynakSekli.ods");
    const QByteArray bytes = bytesOf(delivered);
    ASSERT_FALSE(bytes.isEmpty());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n"));
    const QStringList names = decodeSourceTypes(bytes);
    EXPECT_GE(names.size(), 3);
    EXPECT_EQ(names.first(), QStringLiteral("Nakit"));
    EXPECT_TRUE(names.contains(QStringLiteral("Kredi Kartı")));
    EXPECT_TRUE(names.contains(QStringLiteral("Çek")));
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_FALSE(names[i].isEmpty());
        EXPECT_LE(names[i].size(), kSourceTypeMaxLength);
        for (int j = i + 1; j < names.size(); ++j) {
            EXPECT_FALSE(sameSourceType(names[i], names[j]));
        }
    }

    // Laying out a program folder copies it only when it is missing.
    QTemporaryDir fresh;
    layOutProgramFolder(fresh.path(), QStringLiteral(TAMEVO_DELIVERED_FILES));
    EXPECT_EQ(bytesOf(fresh.filePath(QStringLiteral("KaynakSekli.ods"))), bytes);
    writeBytes(fresh.filePath(QStringLiteral("KaynakSekli.ods")), "Kendi\r\n");
    layOutProgramFolder(fresh.path(), QStringLiteral(TAMEVO_DELIVERED_FILES));
    EXPECT_EQ(bytesOf(fresh.filePath(QStringLiteral("KaynakSekli.ods"))), QByteArray("Kendi\r\n"));
}
