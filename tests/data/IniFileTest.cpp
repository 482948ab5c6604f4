#include "data/IniFile.h"

#include "cashbooks/BackupSettings.h"
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "lists/SourceTypes.h"

#include "support/FileSizeLimit.h"
#include "support/ProgramFolderFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace tamevo;
using namespace tamevo::test;

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

}  // namespace

TEST(IniFile, MissingFileOrKeyReadsEmpty)
{
    QTemporaryDir dir;
    const IniFile ini(dir.filePath(QStringLiteral("FirmaAyar.ini")));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Kodu")), QString());
    ini.write(QStringLiteral("Giris"), QStringLiteral("Kodu"), QStringLiteral("K01"));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Yil")), QString());
    EXPECT_EQ(ini.read(QStringLiteral("Baska"), QStringLiteral("Kodu")), QString());
}

TEST(IniFile, WritingOneKeyKeepsTheOthersAndTurkishLetters)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FirmaAyar.ini"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        "; "
        "not\r\n[Diger]\r\nKodu=X\r\n\r\n[Giris]\r\nKodu=K01\r\nYil=2020\r\n\r\n[Son]\r\nA=1\r\n");
    f.close();

    const IniFile ini(path);
    ini.write(QStringLiteral("giris"), QStringLiteral("YIL"), QStringLiteral("2021"));
    ini.write(QStringLiteral("Giris"), QStringLiteral("Adi"),
              QStringLiteral("Çiçekçi Şükrü İğdır"));
    ini.write(QStringLiteral("Yeni"), QStringLiteral("B"), QStringLiteral("2"));

    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Yil")), QStringLiteral("2021"));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Kodu")), QStringLiteral("K01"));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Adi")),
              QStringLiteral("Çiçekçi Şükrü İğdır"));
    EXPECT_EQ(ini.read(QStringLiteral("Diger"), QStringLiteral("Kodu")), QStringLiteral("X"));
    EXPECT_EQ(readAll(path),
              QStringLiteral("; not\r\n[Diger]\r\nKodu=X\r\n\r\n[Giris]\r\nKodu=K01\r\nYIL=2021\r\n"
                             "Adi=Çiçekçi Şükrü İğdır\r\n\r\n[Son]\r\nA=1\r\n[Yeni]\r\nB=2\r\n"));
}

TEST(IniFile, AFileThatCannotBeWrittenIsAnErrorAndStaysAsItWas)
{
    QTemporaryDir dir;
    // A folder in place of the file: no writer can replace it, even as root.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("FirmaAyar.ini")));
    const IniFile ini(dir.filePath(QStringLiteral("FirmaAyar.ini")));
    EXPECT_ANY_THROW(
        ini.write(QStringLiteral("Giris"), QStringLiteral("Kodu"), QStringLiteral("K")));
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("FirmaAyar.ini"))).isDir());
}

// A full disk while a settings file is written: the write is an error that names the file,
// and the file keeps its old content whole (an empty or cut file would silently switch the
// automatic backup off, lose the source types or forget the entry values).
class SettingsFilesOnAFullDisk : public ProgramFolderTest {};

TEST_F(SettingsFilesOnAFullDisk, KeepTheirContentAndSaySo)
{
    const QByteArray longName(40, 'x');
    const struct {
        const char* file;
        QByteArray before;
        std::function<void()> write;
    } cases[] = {
        {"FirmaAyar.ini", "[Giris]\r\nKodu=K01\r\nYil=2021\r\nAdi=Merkez\r\n",
         [] {
             IniFile(GetPathPath() + QStringLiteral("FirmaAyar.ini"))
                 .write(QStringLiteral("Giris"), QStringLiteral("Adi"),
                        QStringLiteral("Merkez Şubesi Kasası, İkinci Kat"));
         }},
        {"Yedekler.dan", "[OtoYedekler]\r\nYedekAl=1\r\nTarihOtoGun=3\r\n",
         [] {
             saveAutoBackupSettings(GetPathPath() + QStringLiteral("Yedek/"), QStringLiteral("7"),
                                    true);
         }},
        {"KaynakSekli.ods", "Nakit\r\nBanka\r\n",
         [&] {
             SourceTypeList list;
             list.load();
             list.add(QString::fromLatin1(longName));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = path(QString::fromLatin1(c.file));
        writeAll(file, c.before);
        try {
            const FileSizeLimit full(16);
            c.write();
            ADD_FAILURE() << "no error";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().startsWith(QDir::toNativeSeparators(file))) << error.what();
        }
        EXPECT_EQ(readAll(file).toUtf8(), c.before);
        EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("*.*~*"), QStringLiteral(".*")},
                                           QDir::Files | QDir::Hidden),
                  QStringList());
    }
}
