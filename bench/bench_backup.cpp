// The backup of all over a data folder of about 50 MB of real cash-book databases (ten
// cash books and years, movements in four currencies), beside `zip -9 -j` of the same files
// in the same run: time and archive size.
#include "Measure.h"

#include "data/CashBookFiles.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "cashbooks/ZipArchive.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace tamevo;

namespace {

constexpr qint64 kBytesPerBook = 5000000;

const QStringList kCurrencies{QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO"),
                              QStringLiteral("GBP")};
const QStringList kTypes{QStringLiteral("SATIŞ"), QStringLiteral("KİRA"), QStringLiteral("MAAŞ"),
                         QStringLiteral("ELEKTRİK"), QStringLiteral("TAHSİLAT")};
const QStringList kSources{QStringLiteral("Nakit"), QStringLiteral("Banka"),
                           QStringLiteral("Kredi Kartı")};

void fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    std::exit(1);
}

// Movements of `year`, in batches, until the database file reaches kBytesPerBook.
void fill(const QString& file, int year, quint32 seed)
{
    const QString name = QStringLiteral("fill");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            fail(db.lastError().text());
        }
        QRandomGenerator random(seed);
        QSqlQuery q(db);
        q.prepare(QStringLiteral(
            "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, doviz_kuru, "
            "aciklama, neden, bankaadi, fatura_no) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        const QDate first(year, 1, 1);
        int i = 0;
        while (QFileInfo(file).size() < kBytesPerBook) {
            db.transaction();
            for (int n = 0; n < 1000; ++n, ++i) {
                const bool in = random.bounded(2) == 0;
                const double amount = random.bounded(10000000) / 100.0;
                const QString currency = kCurrencies[random.bounded(kCurrencies.size())];
                q.addBindValue(first.addDays(i % 365).toString(Qt::ISODate));
                q.addBindValue(currency);
                q.addBindValue(in ? QVariant(amount) : QVariant());
                q.addBindValue(in ? QVariant() : QVariant(amount));
                q.addBindValue(
                    currency == QLatin1String("TL") ? 1.0 : 5 + random.bounded(300000) / 10000.0);
                q.addBindValue(QStringLiteral("%1 %2 no'lu fiş, müşteri %3")
                                   .arg(kTypes[i % kTypes.size()])
                                   .arg(random.bounded(100000))
                                   .arg(random.bounded(500)));
                q.addBindValue(kTypes[random.bounded(kTypes.size())]);
                q.addBindValue(kSources[random.bounded(kSources.size())]);
                q.addBindValue(QString::number(random.bounded(1000000)));
                if (!q.exec()) {
                    fail(q.lastError().text());
                }
            }
            db.commit();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList makeDataFolder()
{
    QStringList files;
    quint32 seed = 1;
    for (const char* code : {"K01", "K02", "K03", "SUBE1", "SUBE2"}) {
        for (const int year : {2021, 2022}) {
            FirmaRecord record;
            record.values.fill(QVariant(), firmaFieldNames().size());
            record.values[1] = QString::fromLatin1(code);
            record.values[4] = QStringLiteral("Kasa %1").arg(QString::fromLatin1(code));
            const QString file = GetPathPath() + QStringLiteral("Data/") +
                                 cashBookFileName(record.kodu(), QString::number(year));
            createCashBookDatabase(file, record);
            fill(file, year, seed++);
            files << file;
        }
    }
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    setProgramFolder(dir.path());
    layOutProgramFolder(dir.path());
    enterProgramFolder();
    const QStringList files = makeDataFolder();
    qint64 total = 0;
    for (const QString& file : files) {
        total += QFileInfo(file).size();
    }

    const QString ours = dir.filePath(QStringLiteral("Yedek/NorvaneKasaTumu.zip"));
    const QString theirs = dir.filePath(QStringLiteral("Yedek/zip9.zip"));
    const auto [subject, baseline] = bench::sideBySide(
        [&] {
            ZipArchive(ours).writeMatchingFiles(GetPathPath() + QStringLiteral("Data"),
                                                QStringLiteral("*.mdb"));
        },
        [&] {
            QFile::remove(theirs);
            if (QProcess::execute(QStringLiteral("zip"),
                                  QStringList{QStringLiteral("-9"), QStringLiteral("-j"),
                                              QStringLiteral("-q"), theirs} +
                                      files) != 0) {
                fail(QStringLiteral("zip failed"));
            }
        },
        5);

    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();
    std::printf("data folder: %lld files, %.1f MB\n", qlonglong(files.size()), total / 1048576.0);
    bench::report("backup of all beside zip -9 -j (time)", subject, baseline);
    std::printf("%-48s %10.3f MB  baseline %10.3f MB  ratio %.4f\n",
                "backup of all beside zip -9 -j (size)", ourSize / 1048576.0, theirSize / 1048576.0,
                theirSize > 0 ? double(ourSize) / theirSize : 0.0);
    std::printf("goals: time ratio <= 1.20, size ratio <= 1.01\n");
    return 0;
}
