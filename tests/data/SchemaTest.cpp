#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Schema.h"
#include "data/Transaction.h"

#include "support/ProgramFolderFixture.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;

namespace {

QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The user's work in a general database: a cash book in its registry.
void registerCashBook(const QString& generalDatabase)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(generalDatabase);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO firma (firma_kodu) VALUES ('K01')")));
    }
    QSqlDatabase::removeDatabase(connection);
}

void put(const QString& path, const QByteArray& content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(content);
}

}  // namespace

class SchemaTest : public ProgramFolderTest {
protected:
    QStringList columns(const QString& file, const QString& table)
    {
        QStringList names;
        const QString connection = QUuid::createUuid().toString();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
            db.setDatabaseName(path(file));
            EXPECT_TRUE(db.open());
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table)));
            while (q.next()) {
                names << q.value(1).toString();
            }
        }
        QSqlDatabase::removeDatabase(connection);
        return names;
    }
};

TEST_F(SchemaTest, EveryTableHasItsColumnsInTheirOrder)
{
    const QStringList firma = words(
        "firma_ind firma_kodu firma_adi musteri_satici firma_unvani_1 firma_unvani_2 "
        "firma_adresi_1 firma_adresi_2 adres_semt adres_sehir vergi_dairesi vergi_no "
        "telefon1_no telefon2_no fax_no firma_sahibi firma_irtibat_kisi ikinci_adres1 "
        "ikinci_adres2 ikinci_adres_semt ikinci_adres_sehir ikinci_adres_tel_no aciklama");
    const struct {
        const char* file;
        const char* table;
        QStringList expected;
    } tables[] = {
        {"Kasa.mdb", "nakit",
         words("nid cekid firmaid firmakodu firmaadi bankaid bankakodu bankaadi islem_tarihi "
               "islem_vadesi borc_tutar alacak_tutar neden doviz_cinsi doviz_borc doviz_alacak "
               "hes_dov_cinsi hes_doviz_borc hes_doviz_alacak aciklama kur_farki doviz_kuru "
               "fatura_KDV fatura_no fatura_seri irsaliye_no irsaliye_seri")},
        {"Kasa.mdb", "firma", firma},
        {"Kasa.mdb", "resimnakit",
         words("rid cekid firmaid resimadi firmakodu firmaadi cirocekid resim aciklama nakidid "
               "bordroid")},
        {"AnaData/Kasa.mdb", "nakit", columns(QStringLiteral("Kasa.mdb"), QStringLiteral("nakit"))},
        {"AnaData/Genel.mdb", "firma", firma},
        {"AnaData/Genel.mdb", "kasaneden", words("kasanedeid kasanedenine")},
        {"AnaData/Genel.mdb", "parabirimi", words("pid kodu aciklama not1")},
        {"AnaData/Genel.mdb", "sifre",
         words("sid kullanici sifre adi soyadi firmaadi firmaadres firmatel firmafax ekle "
               "degistir herksesigor herkesidegistir baskasirandevuver")},
        {"AnaData/Genel.mdb", "master", words("mids")},
    };
    for (const auto& t : tables) {
        EXPECT_EQ(columns(QString::fromLatin1(t.file), QString::fromLatin1(t.table)), t.expected)
            << t.file << " " << t.table;
    }
    EXPECT_EQ(columns(QStringLiteral("Kasa.mdb"), QStringLiteral("nakit")).size(), 27);
}

TEST_F(SchemaTest, GeneralDatabaseIsDeliveredWithItsLists)
{
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT group_concat(kodu, ',') FROM "
                                        "(SELECT kodu FROM parabirimi ORDER BY pid)"))
                  .toString(),
              QStringLiteral("TL,USD,EURO"));
    EXPECT_GE(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT count(*) FROM kasaneden"))
                  .toInt(),
              5);
    for (const char* table : {"firma", "sifre", "master"}) {
        EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                             QStringLiteral("SELECT count(*) FROM %1").arg(QLatin1String(table)))
                      .toInt(),
                  0)
            << table;
    }
}

TEST_F(SchemaTest, TextLongerThanItsColumnIsNeverStored)
{
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path(QStringLiteral("Kasa.mdb")));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        q.prepare(QStringLiteral("INSERT INTO nakit (doviz_cinsi) VALUES (?)"));
        q.addBindValue(QStringLiteral("ABCDEF"));
        EXPECT_FALSE(q.exec());
        q.prepare(QStringLiteral("INSERT INTO nakit (doviz_cinsi, aciklama) VALUES (?, ?)"));
        q.addBindValue(QStringLiteral("EURO"));
        q.addBindValue(QString(200, QChar(0x015F)));  // 200 × "ş": characters, not bytes
        EXPECT_TRUE(q.exec());
    }
    QSqlDatabase::removeDatabase(connection);
}

TEST(ProgramLayout, MakesWhatIsMissingAndNeverTouchesWhatExists)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Tamevo/");
    QTemporaryDir delivered;
    QFile help(delivered.filePath(QStringLiteral("ygiris")));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly));
    help.write("yardım");
    help.close();

    layOutProgramFolder(root, delivered.path());
    for (const char* f : {"Kasa.mdb", "AnaData/Genel.mdb", "AnaData/Kasa.mdb", "ygiris"}) {
        EXPECT_TRUE(QFileInfo(root + QLatin1String(f)).isFile()) << f;
    }
    for (const char* d : {"Data", "Yedek"}) {
        EXPECT_TRUE(QFileInfo(root + QLatin1String(d)).isDir()) << d;
    }

    // The user's data and edits survive a second build.
    registerCashBook(root + QStringLiteral("AnaData/Genel.mdb"));
    ASSERT_TRUE(help.open(QIODevice::WriteOnly | QIODevice::Append));
    help.write(" yeni");
    help.close();
    QFile own(root + QStringLiteral("ygiris"));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("kullanıcının");
    own.close();

    QMap<QString, QByteArray> before;
    for (const char* f : {"Kasa.mdb", "AnaData/Genel.mdb", "AnaData/Kasa.mdb", "ygiris"}) {
        before[QLatin1String(f)] = fileHash(root + QLatin1String(f));
    }
    layOutProgramFolder(root, delivered.path());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        EXPECT_EQ(fileHash(root + it.key()), it.value()) << it.key().toStdString();
    }
}

TEST(Schema, SplitKeepsTriggerBodiesWhole)
{
    const QStringList statements = splitSqlScript(QStringLiteral(
        "-- comment\nCREATE TABLE a (x);\n\nCREATE TRIGGER t AFTER INSERT ON a BEGIN\n"
        "  UPDATE a SET x = 1;\n  DELETE FROM a;\nEND;\nINSERT INTO a VALUES ('b;c');\n"));
    ASSERT_EQ(statements.size(), 3);
    EXPECT_TRUE(statements[1].startsWith(QLatin1String("CREATE TRIGGER")));
    EXPECT_TRUE(statements[1].endsWith(QLatin1String("END;")));
}

TEST(Transaction, WritesOfSeveralStatementsLastTogetherOrNotAtAll)
{
    QTemporaryDir dir;
    const QString connection = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(dir.filePath(QStringLiteral("t.mdb")));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE t (x)")));
        const auto count = [&] {
            QSqlQuery c(db);
            EXPECT_TRUE(c.exec(QStringLiteral("SELECT count(*) FROM t")) && c.next());
            return c.value(0).toInt();
        };
        const auto insertTwo = [&] {
            EXPECT_TRUE(q.exec(QStringLiteral("INSERT INTO t VALUES (1)")));
            EXPECT_TRUE(q.exec(QStringLiteral("INSERT INTO t VALUES (2)")));
        };

        // Left by an exception: rolled back.
        try {
            Transaction transaction(db);
            insertTwo();
            throw Error(QStringLiteral("disk dolu"));
        } catch (const Error&) {
        }
        EXPECT_EQ(count(), 0);

        {
            Transaction transaction(db);
            insertTwo();
            transaction.commit();
        }
        EXPECT_EQ(count(), 2);

        // A script that fails at its last statement leaves nothing of the others.
        EXPECT_THROW(executeScript(db, QStringLiteral("INSERT INTO t VALUES (3);\n"
                                                      "INSERT INTO yok VALUES (4);\n")),
                     Error);
        EXPECT_EQ(count(), 2);
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

TEST(ProgramLayout, AnUpdateBringsTheProgramAndDeliveredFilesButNeverTheUsersData)
{
    QTemporaryDir dir;
    const QString root = dir.path() + QStringLiteral("/Tamevo/");
    const QString delivered = dir.path() + QStringLiteral("/teslim/");
    const QString program = dir.path() + QStringLiteral("/derleme/Tamevo");
    QDir().mkpath(delivered);
    QDir().mkpath(dir.path() + QStringLiteral("/derleme"));
    put(delivered + QStringLiteral("ygiris"), "yardım 1");
    put(delivered + QStringLiteral("KaynakSekli.ods"), "Nakit\r\n");
    put(program, "program 1");
    updateProgramFolder(root, delivered, program);
    EXPECT_EQ(fileHash(root + QStringLiteral("Tamevo")), fileHash(program));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Tamevo")).isExecutable());

    // The user works: a cash book, settings, an edited list.
    ASSERT_TRUE(
        QFile::copy(root + QStringLiteral("Kasa.mdb"), root + QStringLiteral("Data/K012021.mdb")));
    put(root + QStringLiteral("KaynakSekli.ods"), "Nakit\r\nBanka\r\n");
    put(root + QStringLiteral("FirmaAyar.ini"), "[Giris]\r\nKodu=K01\r\n");
    put(root + QStringLiteral("Yedekler.dan"), "[OtoYedekler]\r\nYedekAl=1\r\n");
    const QStringList kept{QStringLiteral("Kasa.mdb"),         QStringLiteral("AnaData/Genel.mdb"),
                           QStringLiteral("AnaData/Kasa.mdb"), QStringLiteral("Data/K012021.mdb"),
                           QStringLiteral("KaynakSekli.ods"),  QStringLiteral("FirmaAyar.ini"),
                           QStringLiteral("Yedekler.dan")};
    QMap<QString, QByteArray> before;
    for (const QString& f : kept) {
        before[f] = fileHash(root + f);
    }

    // A new build delivers new files, a settings file and databases of its own among them.
    put(delivered + QStringLiteral("ygiris"), "yardım 2");
    put(delivered + QStringLiteral("KaynakSekli.ods"), "Çek\r\n");
    put(delivered + QStringLiteral("FirmaAyar.ini"), "[Giris]\r\n");
    put(program, "program 2");
    const QString manual = dir.path() + QStringLiteral("/derleme/TamevoYardim.pdf");
    put(manual, "kılavuz 2");
    updateProgramFolder(root, delivered, program, {manual});
    EXPECT_EQ(fileHash(root + QStringLiteral("TamevoYardim.pdf")), fileHash(manual));
    EXPECT_EQ(fileHash(root + QStringLiteral("ygiris")),
              fileHash(delivered + QStringLiteral("ygiris")));
    EXPECT_EQ(fileHash(root + QStringLiteral("Tamevo")), fileHash(program));
    EXPECT_TRUE(QFileInfo(root + QStringLiteral("Tamevo")).isExecutable());
    for (const QString& f : kept) {
        EXPECT_EQ(fileHash(root + f), before[f]) << f.toStdString();
    }
}

TEST(ProgramFolders, AnInstalledProgramKeepsTheUsersDataInTheUsersFolder)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/usr/bin")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/usr/share/tamevo")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/Tamevo")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/share/tamevo")));
    const struct {
        const char* executableFolder;
        const char* tamevoHome;
        const char* programFiles;
        const char* data;
        bool installed;
    } cases[] = {
        // Run from its own folder (no bin/, though a share/tamevo/ lies beside it):
        // everything in that folder, TAMEVO_HOME or not.
        {"/Tamevo", "", "/Tamevo/", "/Tamevo/", false},
        {"/Tamevo", "/baska", "/Tamevo/", "/Tamevo/", false},
        // Installed: its own files beside bin/, the data in the home folder or TAMEVO_HOME.
        {"/usr/bin", "", "/usr/share/tamevo/", "/ev/Tamevo/", true},
        {"/usr/bin", "/baska", "/usr/share/tamevo/", "/baska/", true},
    };
    for (const auto& c : cases) {
        const QString tamevoHome = *c.tamevoHome ? root + QLatin1String(c.tamevoHome) : QString();
        const ProgramFolders found = locateProgramFolders(root + QLatin1String(c.executableFolder),
                                                          tamevoHome, root + QStringLiteral("/ev"));
        EXPECT_EQ(found.programFiles, root + QLatin1String(c.programFiles)) << c.executableFolder;
        EXPECT_EQ(found.data, root + QLatin1String(c.data)) << c.executableFolder;
        EXPECT_EQ(found.installed, c.installed) << c.executableFolder;
    }
}

TEST(ProgramLayout, TheDataFolderTakesTheUsersFilesOnceAndKeepsThemFromThenOn)
{
    // The program's own files as installed: the fresh layout, help texts and the manual,
    // read-only.
    QTemporaryDir dir;
    const QString programFiles = dir.path() + QStringLiteral("/share/tamevo/");
    layOutProgramFolder(programFiles);
    put(programFiles + QStringLiteral("KaynakSekli.ods"), "Nakit\r\n");
    put(programFiles + QStringLiteral("ygiris"), "yardım");
    put(programFiles + QStringLiteral("TamevoYardim.pdf"), "kılavuz");
    QDirIterator files(programFiles, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        ASSERT_TRUE(QFile::setPermissions(files.next(), QFile::ReadOwner | QFile::ReadUser |
                                                            QFile::ReadGroup | QFile::ReadOther));
    }

    const QString data = dir.path() + QStringLiteral("/ev/Tamevo/");
    layOutDataFolder(data, programFiles);
    const QStringList usersFiles{QStringLiteral("Kasa.mdb"), QStringLiteral("AnaData/Genel.mdb"),
                                 QStringLiteral("AnaData/Kasa.mdb"),
                                 QStringLiteral("KaynakSekli.ods")};
    for (const QString& f : usersFiles) {
        EXPECT_EQ(fileHash(data + f), fileHash(programFiles + f)) << f.toStdString();
        EXPECT_TRUE(QFileInfo(data + f).permissions() & QFile::WriteOwner) << f.toStdString();
    }
    for (const char* f : {"Data", "Yedek"}) {
        EXPECT_TRUE(QFileInfo(data + QLatin1String(f)).isDir()) << f;
    }
    for (const char* f : {"ygiris", "TamevoYardim.pdf"}) {
        EXPECT_FALSE(QFileInfo(data + QLatin1String(f)).isFile()) << f;
    }

    // The user works; a later version delivers other files; the user's stay as they are.
    put(data + QStringLiteral("KaynakSekli.ods"), "Nakit\r\nBanka\r\n");
    put(data + QStringLiteral("FirmaAyar.ini"), "[Giris]\r\nKodu=K01\r\n");
    registerCashBook(data + QStringLiteral("AnaData/Genel.mdb"));
    QMap<QString, QByteArray> before;
    for (const QString& f : usersFiles + QStringList{QStringLiteral("FirmaAyar.ini")}) {
        before[f] = fileHash(data + f);
    }
    ASSERT_TRUE(QFile::setPermissions(programFiles + QStringLiteral("KaynakSekli.ods"),
                                      QFile::ReadOwner | QFile::WriteOwner));
    put(programFiles + QStringLiteral("KaynakSekli.ods"), "Çek\r\n");
    put(programFiles + QStringLiteral("FirmaAyar.ini"), "[Giris]\r\n");
    QFile::remove(data + QStringLiteral("AnaData/Kasa.mdb"));
    layOutDataFolder(data, programFiles);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() != QStringLiteral("AnaData/Kasa.mdb")) {
            EXPECT_EQ(fileHash(data + it.key()), it.value()) << it.key().toStdString();
        }
    }
    // A database the user lost comes back fresh.
    EXPECT_EQ(fileHash(data + QStringLiteral("AnaData/Kasa.mdb")),
              fileHash(programFiles + QStringLiteral("AnaData/Kasa.mdb")));
}
