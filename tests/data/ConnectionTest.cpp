#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Errors.h"
#include "data/ProgramLayout.h"
#include "data/Schema.h"

#include "support/ProgramFolderFixture.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;

TEST(BaglantiMetni, HasTheNineteenPairsInOrder)
{
    const QString expected = QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=Data/K012021.mdb;"
        "Mode=Share Deny None;Extended Properties=\"\";Persist Security Info=False;"
        "Jet OLEDB:System database=\"\";Jet OLEDB:Registry Path=\"\";"
        "Jet OLEDB:Database Password=m3pqwte7RKVNB2F;Jet OLEDB:Engine Type=5;"
        "Jet OLEDB:Database Locking Mode=1;Jet OLEDB:Global Partial Bulk Ops=2;"
        "Jet OLEDB:Global Bulk Transactions=1;Jet OLEDB:New Database Password=\"\";"
        "Jet OLEDB:Create System Database=False;Jet OLEDB:Encrypt Database=False;"
        "Jet OLEDB:Don't Copy Locale on Compact=False;"
        "Jet OLEDB:Compact Without Replica Repair=False;Jet OLEDB:SFP=False");
    EXPECT_EQ(BaglantiMetni(QStringLiteral("Data/K012021.mdb")), expected);
    EXPECT_EQ(BaglantiMetni(QStringLiteral("x")).split(QLatin1Char(';')).size(), 19);
}

TEST(BaglantiMetni, DataSourceReadsBackEveryPathForm)
{
    for (const QString& path :
         {QStringLiteral("AnaData\\Genel.mdb"), QStringLiteral("Data/K12021.mdb"),
          QStringLiteral("/home/a;b/Data/K12021.mdb"), QString()}) {
        EXPECT_EQ(dataSourceOf(BaglantiMetni(path)), path) << path.toStdString();
    }
    EXPECT_EQ(dataSourceOf(QStringLiteral("Provider=x")), QString());
}

class ConnectionTest : public ProgramFolderTest {};

TEST_F(ConnectionTest, OpensARelativeBackslashPathInJournalModeDelete)
{
    Connection c(QStringLiteral("ADOConnection1"));
    c.setConnectionString(BaglantiMetni(QStringLiteral("AnaData\\Genel.mdb")));
    c.open();
    ASSERT_TRUE(c.isOpen());
    EXPECT_EQ(c.databasePath(), path(QStringLiteral("AnaData/Genel.mdb")));
    QSqlQuery q(c.database());
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA journal_mode")) && q.next());
    EXPECT_EQ(q.value(0).toString(), QStringLiteral("delete"));
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA synchronous")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 2);  // FULL
}

TEST_F(ConnectionTest, NeverCreatesAMissingFile)
{
    Connection c(QStringLiteral("kasaConnection"));
    c.setConnectionString(BaglantiMetni(QStringLiteral("Data/K012021.mdb")));
    try {
        c.open();
        FAIL() << "opened a missing file";
    } catch (const Error& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("K012021.mdb")));
    }
    EXPECT_FALSE(c.isOpen());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Data/K012021.mdb"))));
}

TEST_F(ConnectionTest, AFileThatIsNotADatabaseIsAnErrorWithTheEnginesText)
{
    QFile f(path(QStringLiteral("Data/bozuk.mdb")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    Connection c(QStringLiteral("kasaConnection"));
    c.setConnectionString(BaglantiMetni(QStringLiteral("Data/bozuk.mdb")));
    try {
        c.open();
        FAIL() << "opened a file that is not a database";
    } catch (const Error& e) {
        EXPECT_TRUE(e.text().contains(QStringLiteral("bozuk.mdb")));
        EXPECT_TRUE(e.text().contains(QStringLiteral("not a database")));
    }
    EXPECT_FALSE(c.isOpen());
}

TEST_F(ConnectionTest, CloseTellsTheDatasetsFirst)
{
    Connection c(QStringLiteral("kasaConnection"));
    c.setConnectionString(BaglantiMetni(QStringLiteral("Kasa.mdb")));
    c.open();
    bool wasOpenWhenTold = false;
    QObject::connect(&c, &Connection::aboutToClose, [&] { wasOpenWhenTold = c.isOpen(); });
    c.close();
    EXPECT_TRUE(wasOpenWhenTold);
    EXPECT_FALSE(c.isOpen());
}
