// The readers of what comes from outside the program, over random and damaged input: the
// settings files, the lenient number reader and the amount reader never crash or hang, and
// what they give stays within its field.
#include "cashbooks/BackupSettings.h"
#include "data/DisplayFormat.h"
#include "data/IniFile.h"
#include "data/Numbers.h"
#include "entry/EntryRules.h"
#include "lists/SourceTypes.h"

#include "support/HostileInput.h"
#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <QLocale>

#include <cmath>
#include <limits>

using namespace tamevo;
using namespace tamevo::test;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// A settings file as a damaged disk or a hostile hand leaves it: any bytes, or sections and
// keys of the program's own with values of any text and length.
QByteArray settingsFileContent(HostileInput& input, const QByteArray& good)
{
    switch (input.number(0, 2)) {
        case 0:
            return input.bytes(2000);
        case 1:
            return input.damaged(good);
        default: {
            QString text;
            for (int i = input.number(1, 12); i > 0; --i) {
                if (input.chance(30)) {
                    text += QLatin1Char('[') +
                            input.pick({QStringLiteral("Giris"), QStringLiteral("OtoYedekler"),
                                        QStringLiteral("gIRIS"), input.text(10)}) +
                            QLatin1Char(']');
                } else {
                    text +=
                        input.pick({QStringLiteral("Kodu"), QStringLiteral("Yil"),
                                    QStringLiteral("Adi"), QStringLiteral("YedekGun"),
                                    QStringLiteral("SonOtoYedek"), QStringLiteral("TarihOtoYil"),
                                    QStringLiteral("TarihOtoGun"), QStringLiteral("YedekAl"),
                                    input.text(8)}) +
                        QLatin1Char('=') + input.text(input.chance(5) ? 200000 : 60);
                }
                text += input.pick(
                    {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r")});
            }
            return text.toUtf8();
        }
    }
}

class HostileSettingsFiles : public ProgramFolderTest {};

}  // namespace

TEST_F(HostileSettingsFiles, AreReadWithinTheirFieldsAndWrittenAgain)
{
    const QByteArray firmaAyar = "[Giris]\r\nKodu=K01\r\nYil=2021\r\nAdi=Merkez\r\n";
    const QByteArray yedekler =
        "[OtoYedekler]\r\nSonOtoYedek=/yedek/\r\nYedekGun=7\r\nYedekAl=1\r\n"
        "TarihOtoGun=3\r\nTarihOtoAy=5\r\nTarihOtoYil=2021\r\n";
    const QByteArray kaynak = "Nakit\r\nBanka\r\nKredi Kartı\r\n";
    for (quint32 seed = 1; seed <= 150; ++seed) {
        SCOPED_TRACE(seed);
        HostileInput input(seed);

        writeFile(path(QStringLiteral("FirmaAyar.ini")), settingsFileContent(input, firmaAyar));
        const RememberedEntry entry = readRememberedEntry();
        EXPECT_LE(entry.code.size(), kRememberedCodeWidth);
        EXPECT_LE(entry.year.size(), kRememberedYearWidth);
        EXPECT_LE(entry.title.size(), kRememberedTitleWidth);
        // Written into whatever was there, the values read back as written (every tenth
        // case: each write waits for the disk).
        const bool writeBack = seed % 10 == 0;
        if (writeBack) {
            writeRememberedEntry(
                {QStringLiteral("K01"), QStringLiteral("2021"), QStringLiteral("Çarşı Şubesi")});
            const RememberedEntry again = readRememberedEntry();
            EXPECT_EQ(again.code, QStringLiteral("K01"));
            EXPECT_EQ(again.year, QStringLiteral("2021"));
            EXPECT_EQ(again.title, QStringLiteral("Çarşı Şubesi"));
        }

        writeFile(path(QStringLiteral("Yedekler.dan")), settingsFileContent(input, yedekler));
        const AutoBackupSettings backup = loadAutoBackupSettings();
        EXPECT_LE(backup.folder.size(), kBackupFolderWidth);
        EXPECT_LE(backup.dayCount.size(), kDayCountWidth);
        EXPECT_TRUE(backup.lastBackup == kNoAutomaticBackupYet ||
                    (backup.lastBackup.year() >= 1971 && backup.lastBackup.year() <= 2049));
        isAutomaticBackupDue(backup, QDateTime(QDate(2021, 5, 3), QTime(12, 0)));
        if (writeBack) {
            saveAutomaticBackupDate(QDate(2021, 5, 3));
            EXPECT_EQ(loadAutoBackupSettings().lastBackup, QDate(2021, 5, 3));
        }

        writeFile(path(QStringLiteral("KaynakSekli.ods")), settingsFileContent(input, kaynak));
        SourceTypeList sources;
        sources.load();
        for (const QString& name : sources.names()) {
            EXPECT_LE(name.size(), kSourceTypeMaxLength);
            EXPECT_FALSE(name.contains(QLatin1Char('\n')));
        }
    }
}

TEST(HostileNumbers, TheLenientReaderKeepsDigitsAndALeadingSign)
{
    for (quint32 seed = 1; seed <= 2000; ++seed) {
        SCOPED_TRACE(seed);
        HostileInput input(seed);
        const QString text = input.chance(30) ? QString(input.number(1, 40), QLatin1Char('9'))
                                              : input.text(input.chance(3) ? 100000 : 30);
        const qint64 value = SayiyaCevir(text);
        QString digits;
        for (const QChar c : text) {
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
                digits += c;
            }
        }
        const bool negative = text.startsWith(QLatin1Char('-'));
        if (digits.isEmpty()) {
            EXPECT_EQ(value, 0);
            continue;
        }
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0'))) {
            digits.remove(0, 1);
        }
        if (digits.size() <= 18) {
            EXPECT_EQ(value, (negative ? -1 : 1) * digits.toLongLong());
        } else {
            EXPECT_EQ(value, negative ? -std::numeric_limits<qint64>::max()
                                      : std::numeric_limits<qint64>::max());
        }
    }
}

TEST(HostileNumbers, TheAmountReaderGivesAFiniteNumberOrRefusesClearly)
{
    for (const QLocale& locale : {QLocale(QLocale::Turkish, QLocale::Turkey), QLocale::c()}) {
        for (quint32 seed = 1; seed <= 2000; ++seed) {
            SCOPED_TRACE(seed);
            HostileInput input(seed);
            QString text;
            switch (input.number(0, 3)) {
                case 0:
                    text = input.text(input.chance(3) ? 100000 : 30);
                    break;
                case 1:
                    text = input.pick({QStringLiteral("1e999"), QStringLiteral("-1e-999"),
                                       QStringLiteral("nan"), QStringLiteral("inf"),
                                       QStringLiteral("1.234,56"), QStringLiteral("1,234.56"),
                                       QStringLiteral("١٢٣٫٤٥"), QStringLiteral(" -0,00 ")});
                    break;
                case 2:
                    text = QString(input.number(1, 5000), QLatin1Char('9')) +
                           input.pick({QStringLiteral(",5"), QStringLiteral(".5"), QString()});
                    break;
                default:
                    for (int i = input.number(1, 12); i > 0; --i) {
                        text += input.pick({QLatin1Char('1'), QLatin1Char('0'), QLatin1Char(','),
                                            QLatin1Char('.'), QLatin1Char('-'), QLatin1Char(' '),
                                            QLatin1Char('+'), QLatin1Char('e')});
                    }
                    break;
            }
            bool ok = false;
            const QVariant value = parseAmount(text, &ok, locale);
            if (!ok) {
                EXPECT_TRUE(value.isNull()) << text.left(40).toStdString();
            } else if (!value.isNull()) {
                EXPECT_TRUE(std::isfinite(value.toDouble())) << text.left(40).toStdString();
            } else {
                EXPECT_TRUE(text.trimmed().isEmpty()) << text.left(40).toStdString();
            }
        }
    }
}
