#include "data/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tamevo;

namespace {

QString readAll(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QString::fromUtf8(f.readAll());
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
