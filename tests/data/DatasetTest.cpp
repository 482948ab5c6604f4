#include "data/Connection.h"
#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/JournalUpkeep.h"
#include "data/RowConflict.h"

#include "support/ProgramFolderFixture.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;

namespace {

// A cash book's year, a file made from the template or a schema on the server.
const QString kKasa = QStringLiteral("Data/K012021.mdb");
const QString kGenel = QStringLiteral("AnaData/Genel.mdb");

QStringList firmsOf(const Dataset& dataset)
{
    QStringList firms;
    for (int i = 0; i < dataset.recordCount(); ++i) {
        firms << dataset.valueAt(i, QStringLiteral("firmaadi")).toString();
    }
    return firms;
}

}  // namespace

class DatasetTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        if (!tamevo::test::testsOnServer()) {
            ASSERT_TRUE(QFile::copy(path(QStringLiteral("Kasa.mdb")), path(kKasa)));
            return;
        }
        TAMEVO_REQUIRE_TEST_SERVER();
        server.emplace();
        writeServerSettings(programSettingsFile(), server->settings());
        server->createGeneralSchema();
        server->createCashBookSchema(cashBookSchemaName(QStringLiteral("K01"), 2021));
    }

    void TearDown() override
    {
        ProgramFolderTest::TearDown();
        server.reset();
    }

    // A connection to a database of the folder (its schema when the tests run on the server),
    // open.
    std::unique_ptr<Connection> connectTo(const QString& file)
    {
        auto connection = std::make_unique<Connection>(QStringLiteral("kasaConnection"));
        if (server) {
            connection->setServerSchema(server->settings(),
                                        file == kGenel
                                            ? generalSchemaName()
                                            : cashBookSchemaName(QStringLiteral("K01"), 2021));
        } else {
            connection->setConnectionString(BaglantiMetni(file));
        }
        connection->open();
        return connection;
    }

    std::optional<tamevo::test::TestServerDatabase> server;

    // Three movements: A and B on 4 January (B a credit), C on 5 January.
    void addMovements()
    {
        execute(kKasa, {QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, borc_tutar) "
                                       "VALUES ('2021-01-04', 'A', 10)"),
                        QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, alacak_tutar) "
                                       "VALUES ('2021-01-04', 'B', 20)"),
                        QStringLiteral("INSERT INTO nakit (islem_tarihi, firmaadi, borc_tutar) "
                                       "VALUES ('2021-01-05', 'C', 30)")});
    }

    // The movement table of the book, open, on its first row.
    std::unique_ptr<Dataset> openMovements(Connection& connection)
    {
        auto nakit = std::make_unique<Dataset>(connection, QStringLiteral("nakitTable"));
        nakit->setTable(QStringLiteral("nakit"));
        nakit->open();
        return nakit;
    }

    QVariant movementsValue(const QString& sql) { return queryValue(kKasa, sql); }
    int movementCount()
    {
        return movementsValue(QStringLiteral("SELECT count(*) FROM nakit")).toInt();
    }
};

TEST_F(DatasetTest, AppendPostsAndReadsBackTheNewKeyTheDayAndTextIntact)
{
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    ASSERT_TRUE(nakit->isEmpty());
    const QString firm = QStringLiteral("Ali'nin Dükkânı; DROP TABLE nakit; --");

    nakit->append();
    EXPECT_EQ(nakit->state(), DatasetState::Insert);
    EXPECT_FALSE(nakit->isModified());
    EXPECT_THROW(nakit->setValue(QStringLiteral("islem_tarihi"), QStringLiteral("31.02.2021")),
                 ValidationError);
    EXPECT_FALSE(nakit->value(QStringLiteral("islem_tarihi")).isValid());
    nakit->setValue(QStringLiteral("islem_tarihi"), QDate(2021, 3, 5));
    nakit->setValue(QStringLiteral("firmaadi"), firm);
    nakit->setValue(QStringLiteral("borc_tutar"), 12.5);
    EXPECT_TRUE(nakit->isModified());
    nakit->post();

    EXPECT_EQ(nakit->state(), DatasetState::Browse);
    EXPECT_FALSE(nakit->isModified());
    const QVariant nid = nakit->value(QStringLiteral("nid"));
    ASSERT_EQ(nid.typeId(), QMetaType::LongLong);
    EXPECT_EQ(movementsValue(QStringLiteral("SELECT islem_tarihi || '|' || firmaadi FROM nakit "
                                            "WHERE nid = %1")
                                 .arg(nid.toLongLong()))
                  .toString(),
              QStringLiteral("2021-03-05|") + firm);

    nakit->append();
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("ikinci"));
    nakit->post();
    EXPECT_NE(nakit->value(QStringLiteral("nid")), nid);

    // Another dataset finds the row by a bound condition and reads the day back as a QDate.
    Dataset again(*connection);
    again.setTable(QStringLiteral("nakit"));
    again.setCondition(QStringLiteral("firmaadi = ?"), {firm});
    again.open();
    ASSERT_EQ(again.recordCount(), 1);
    EXPECT_EQ(again.value(QStringLiteral("nid")), nid);
    EXPECT_EQ(again.value(QStringLiteral("islem_tarihi")), QVariant(QDate(2021, 3, 5)));
    EXPECT_EQ(again.value(QStringLiteral("borc_tutar")).toDouble(), 12.5);
    EXPECT_FALSE(again.value(QStringLiteral("alacak_tutar")).isValid());
    EXPECT_EQ(movementCount(), 2);
}

TEST_F(DatasetTest, EditThenCancelRestoresTheRowAndPostStoresOnlyWhatChanged)
{
    addMovements();
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    nakit->next();  // B

    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("X"));
    EXPECT_EQ(nakit->state(), DatasetState::Edit);
    EXPECT_TRUE(nakit->isModified());
    nakit->cancel();
    EXPECT_EQ(nakit->state(), DatasetState::Browse);
    EXPECT_FALSE(nakit->isModified());
    EXPECT_EQ(nakit->value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("B")));

    // A column changed outside meanwhile: the post asks first; stored, the typed column goes
    // in and the other survives, and is read back.
    execute(kKasa, {QStringLiteral("UPDATE nakit SET neden = 'KİRA' WHERE firmaadi = 'B'")});
    nakit->edit();
    nakit->setValue(QStringLiteral("aciklama"), QStringLiteral("düzeltme"));
    dialogs().answer(Dialogs::Answer::Yes);
    nakit->post();
    EXPECT_EQ(nakit->value(QStringLiteral("neden")), QVariant(QStringLiteral("KİRA")));
    EXPECT_EQ(joinedRows(kKasa, QStringLiteral("SELECT firmaadi, aciklama FROM nakit ORDER BY nid"),
                         QStringLiteral(","), QStringLiteral("=")),
              QStringLiteral("A=-,B=düzeltme,C=-"));
}

TEST_F(DatasetTest, RemoveDeletesTheCurrentRowAndOnlyDropsANewOne)
{
    addMovements();
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    nakit->next();
    nakit->remove();
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(nakit->value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("C")));
    EXPECT_EQ(movementCount(), 2);
    EXPECT_EQ(movementsValue(QStringLiteral("SELECT count(*) FROM nakit WHERE firmaadi = 'B'")),
              QVariant(0));

    nakit->first();
    nakit->append();
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("yeni"));
    nakit->remove();
    EXPECT_EQ(nakit->state(), DatasetState::Browse);
    EXPECT_EQ(nakit->currentIndex(), 0);  // back where it was before append
    EXPECT_EQ(nakit->recordCount(), 2);
    EXPECT_EQ(movementCount(), 2);
}

TEST_F(DatasetTest, RefusedPostLeavesTheRowPendingAndTheFileUnchanged)
{
    struct Case {
        const char* name;
        QString field;
        QVariant refused;
        QVariant accepted;
        QString errorText;
    };
    const std::vector<Case> cases = {
        {"before-post check", QStringLiteral("alacak_tutar"), 5.0, QVariant(),
         QStringLiteral("Borç ve alacak birlikte girilemez.")},
        {"engine constraint", QStringLiteral("firmaadi"), QString(51, QLatin1Char('x')),
         QStringLiteral("kısa"),
         tamevo::test::testsOnServer() ? QStringLiteral("value too long")
                                       : QStringLiteral("CHECK constraint failed")},
    };
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    nakit->setBeforePost([](Dataset& row) {
        if (!row.isNull(QStringLiteral("borc_tutar")) &&
            !row.isNull(QStringLiteral("alacak_tutar"))) {
            throw ValidationError(QStringLiteral("Borç ve alacak birlikte girilemez."));
        }
    });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int stored = movementCount();
        nakit->append();
        nakit->setValue(QStringLiteral("borc_tutar"), 5.0);
        nakit->setValue(c.field, c.refused);
        try {
            nakit->post();
            ADD_FAILURE() << "post was not refused";
        } catch (const Error& error) {
            EXPECT_TRUE(error.text().contains(c.errorText)) << error.what();
        }
        EXPECT_EQ(nakit->state(), DatasetState::Insert);
        EXPECT_TRUE(nakit->isModified());
        EXPECT_EQ(nakit->value(c.field), c.refused);
        EXPECT_EQ(movementCount(), stored);

        nakit->setValue(c.field, c.accepted);
        nakit->post();
        EXPECT_EQ(movementCount(), stored + 1);
        EXPECT_FALSE(nakit->value(QStringLiteral("nid")).isNull());
    }
}

TEST_F(DatasetTest, PostOfARowDeletedMeanwhileIsAnError)
{
    addMovements();
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    execute(kKasa, {QStringLiteral("DELETE FROM nakit WHERE firmaadi = 'A'")});
    nakit->setValue(QStringLiteral("aciklama"), QStringLiteral("geç kaldı"));
    EXPECT_THROW(nakit->post(), Error);
    EXPECT_EQ(nakit->state(), DatasetState::Edit);
    EXPECT_EQ(movementCount(), 2);
}

// Two copies of the program on one file: each change or delete of a stored row checks that
// the file still holds the row as this copy read it, and asks when another copy changed it.
class TwoCopiesTest : public DatasetTest {
protected:
    void SetUp() override
    {
        DatasetTest::SetUp();
        addMovements();
        firstConnection = connectTo(kKasa);
        secondConnection = connectTo(kKasa);
        first = openMovements(*firstConnection);
        second = openMovements(*secondConnection);
    }

    QVariant stored(const char* field, const char* firm)
    {
        return movementsValue(QStringLiteral("SELECT %1 FROM nakit WHERE firmaadi = '%2'")
                                  .arg(QLatin1String(field), QLatin1String(firm)));
    }

    static QString amount(double value) { return QLocale().toString(value, 'f', 2); }

    std::unique_ptr<Connection> firstConnection;
    std::unique_ptr<Connection> secondConnection;
    std::unique_ptr<Dataset> first;
    std::unique_ptr<Dataset> second;
};

TEST_F(TwoCopiesTest, AChangeOverAnotherCopysChangeAsksAndKeepsWhatTheUserChooses)
{
    const QString in = QStringLiteral("borc_tutar");
    first->setValue(in, 150.0);
    first->post();

    // No: the other copy's row stays and is shown; nothing typed here is stored.
    second->setValue(in, 120.0);
    second->setValue(QStringLiteral("aciklama"), QStringLiteral("ikinci"));
    dialogs().answer(Dialogs::Answer::No);
    EXPECT_THROW(second->post(), OtherCopyKept);
    ASSERT_EQ(dialogs().shown().back().defaultAnswer, Dialogs::Answer::No);
    const QString question = dialogs().questions().last();
    EXPECT_TRUE(question.contains(QStringLiteral("Diğer kopyanın sakladığı:\n\r    Kasaya Giren "
                                                 "Tutar: ") +
                                  amount(150)))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Sizin yazdığınız:\n\r    Kasaya Giren Tutar: ") +
                                  amount(120) + QStringLiteral("\n\r    Açıklama: \"ikinci\"")))
        << question.toStdString();
    EXPECT_EQ(stored("borc_tutar", "A").toDouble(), 150.0);
    EXPECT_TRUE(stored("aciklama", "A").isNull());
    EXPECT_EQ(second->state(), DatasetState::Browse);
    EXPECT_EQ(second->value(in).toDouble(), 150.0);
    EXPECT_TRUE(second->value(QStringLiteral("aciklama")).isNull());

    // Having seen it, the second copy changes it without a question.
    second->setValue(in, 120.0);
    second->post();
    EXPECT_EQ(stored("borc_tutar", "A").toDouble(), 120.0);

    // Yes: the typed column goes over the other copy's row, whose other changes stay.
    first->setValue(QStringLiteral("aciklama"), QStringLiteral("birinci"));
    dialogs().answer(Dialogs::Answer::Yes);
    first->post();
    EXPECT_EQ(stored("borc_tutar", "A").toDouble(), 120.0);
    EXPECT_EQ(stored("aciklama", "A").toString(), QStringLiteral("birinci"));
    EXPECT_EQ(first->value(in).toDouble(), 120.0);
    EXPECT_EQ(dialogs().questions().size(), 2);
}

TEST_F(TwoCopiesTest, ADeleteOfARowAnotherCopyChangedAsksFirst)
{
    first->last();  // C
    second->last();
    second->setValue(QStringLiteral("aciklama"), QStringLiteral("değişti"));
    second->post();

    dialogs().answer(Dialogs::Answer::No);
    EXPECT_THROW(first->remove(), OtherCopyKept);
    EXPECT_TRUE(dialogs().questions().last().contains(QStringLiteral("Açıklama: \"değişti\"")));
    EXPECT_EQ(movementCount(), 3);
    EXPECT_EQ(first->value(QStringLiteral("aciklama")).toString(), QStringLiteral("değişti"));

    second->setValue(QStringLiteral("aciklama"), QStringLiteral("yine"));
    second->post();
    dialogs().answer(Dialogs::Answer::Yes);
    first->remove();
    EXPECT_EQ(movementCount(), 2);
    EXPECT_EQ(first->recordCount(), 2);

    // A row the other copy deleted already is simply gone.
    second->first();
    first->first();
    second->remove();
    first->remove();
    EXPECT_EQ(movementCount(), 1);
    EXPECT_EQ(dialogs().questions().size(), 2);
}

TEST_F(TwoCopiesTest, LeavingAPendingRowWhoseOtherCopyWasKeptGoesOn)
{
    second->setValue(QStringLiteral("aciklama"), QStringLiteral("öbür kopya"));
    second->post();
    first->setValue(QStringLiteral("aciklama"), QStringLiteral("bu kopya"));
    dialogs().answer(Dialogs::Answer::No);
    first->next();
    EXPECT_EQ(first->currentIndex(), 1);
    EXPECT_EQ(first->state(), DatasetState::Browse);
    EXPECT_EQ(stored("aciklama", "A").toString(), QStringLiteral("öbür kopya"));
    EXPECT_EQ(first->valueAt(0, QStringLiteral("aciklama")).toString(),
              QStringLiteral("öbür kopya"));
}

// Every way of leaving the current row, from the middle row (B) of three or from a new row
// appended after them.
struct Move {
    const char* name;
    std::function<void(Dataset&)> run;
    bool leavesTheLastRow;
};

class PendingRowTest : public DatasetTest {
protected:
    // Runs `check` once for every move, each time on the movement table opened afresh.
    void forEachMove(const std::function<void(const Move&, Dataset&)>& check)
    {
        const std::vector<Move> moves = {
            {"next", [](Dataset& d) { d.next(); }, false},
            {"prior", [](Dataset& d) { d.prior(); }, true},
            {"first", [](Dataset& d) { d.first(); }, true},
            {"last", [](Dataset& d) { d.last(); }, false},
            {"setCurrentIndex", [](Dataset& d) { d.setCurrentIndex(0); }, true},
            {"locate",
             [](Dataset& d) { d.locate(QStringLiteral("firmaadi"), QStringLiteral("A")); }, true},
            {"append", [](Dataset& d) { d.append(); }, true},
            {"refresh", [](Dataset& d) { d.refresh(); }, true},
        };
        addMovements();
        auto connection = connectTo(kKasa);
        for (const Move& move : moves) {
            SCOPED_TRACE(move.name);
            auto nakit = openMovements(*connection);
            check(move, *nakit);
        }
    }
};

TEST_F(PendingRowTest, AChangedPendingRowIsPostedBeforeMoving)
{
    forEachMove([&](const Move& move, Dataset& nakit) {
        nakit.next();
        nakit.setValue(QStringLiteral("aciklama"), QString::fromLatin1(move.name));
        move.run(nakit);
        EXPECT_NE(nakit.state(), DatasetState::Edit);
        EXPECT_EQ(movementsValue(QStringLiteral("SELECT aciklama FROM nakit WHERE firmaadi = 'B'")),
                  QVariant(QString::fromLatin1(move.name)));
    });
}

TEST_F(PendingRowTest, AnUnchangedNewRowIsDroppedWhenLeft)
{
    forEachMove([&](const Move& move, Dataset& nakit) {
        nakit.setOnNewRow(
            [](Dataset& d) { d.setValue(QStringLiteral("islem_tarihi"), QDate(2021, 1, 6)); });
        nakit.next();
        nakit.append();
        move.run(nakit);
        if (move.leavesTheLastRow) {
            // Only append leaves a new row behind: its own.
            const bool appended = nakit.state() == DatasetState::Insert;
            EXPECT_EQ(nakit.recordCount(), appended ? 4 : 3);
            EXPECT_EQ(firmsOf(nakit).mid(0, 3),
                      QStringList({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}));
        } else {
            // Nowhere to go past the last row: the new row stays pending.
            EXPECT_EQ(nakit.state(), DatasetState::Insert);
            EXPECT_EQ(nakit.currentIndex(), 3);
            EXPECT_TRUE(nakit.eof());
        }
        EXPECT_EQ(movementCount(), 3);
    });
}

TEST_F(PendingRowTest, ARefusedPostKeepsThePosition)
{
    forEachMove([&](const Move& move, Dataset& nakit) {
        nakit.setBeforePost([](Dataset&) { throw ValidationError(QStringLiteral("Olmaz.")); });
        nakit.next();
        nakit.setValue(QStringLiteral("aciklama"), QStringLiteral("red"));
        EXPECT_THROW(move.run(nakit), ValidationError);
        EXPECT_EQ(nakit.currentIndex(), 1);
        EXPECT_EQ(nakit.recordCount(), 3);
        EXPECT_EQ(nakit.state(), DatasetState::Edit);
        EXPECT_EQ(nakit.value(QStringLiteral("aciklama")), QVariant(QStringLiteral("red")));
    });
    EXPECT_EQ(movementsValue(QStringLiteral("SELECT count(aciklama) FROM nakit")), QVariant(0));
}

TEST_F(DatasetTest, EofBofAndLocateWalkTheRowsAsClassicDatasetsDo)
{
    addMovements();
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    QStringList forward;
    for (nakit->first(); !nakit->eof(); nakit->next()) {
        forward << nakit->value(QStringLiteral("firmaadi")).toString();
    }
    EXPECT_EQ(forward.join(QString()), QStringLiteral("ABC"));
    EXPECT_EQ(nakit->currentIndex(), 2);
    QStringList backward;
    for (nakit->last(); !nakit->bof(); nakit->prior()) {
        backward << nakit->value(QStringLiteral("firmaadi")).toString();
    }
    EXPECT_EQ(backward.join(QString()), QStringLiteral("CBA"));

    EXPECT_TRUE(nakit->locate(QStringLiteral("islem_tarihi"), QDate(2021, 1, 5)));
    EXPECT_EQ(nakit->currentIndex(), 2);
    EXPECT_TRUE(nakit->locate(QStringLiteral("FIRMAADI"), QStringLiteral("B")));
    EXPECT_EQ(nakit->currentIndex(), 1);
    EXPECT_FALSE(nakit->locate(QStringLiteral("firmaadi"), QStringLiteral("b")));
    EXPECT_EQ(nakit->currentIndex(), 1);
    EXPECT_THROW(nakit->value(QStringLiteral("yok")), Error);

    Dataset empty(*connection);
    empty.setTable(QStringLiteral("nakit"));
    empty.setCondition(QStringLiteral("1 = 0"));
    empty.open();
    empty.first();
    EXPECT_TRUE(empty.eof() && empty.bof());
    EXPECT_EQ(empty.currentIndex(), -1);
    EXPECT_FALSE(empty.value(QStringLiteral("firmaadi")).isValid());
}

class MasterDetailTest : public DatasetTest {
protected:
    void SetUp() override
    {
        DatasetTest::SetUp();
        addMovements();
        connection = connectTo(kKasa);
        days = std::make_unique<Dataset>(*connection, QStringLiteral("gunler"));
        days->setQuery(QStringLiteral("SELECT DISTINCT islem_tarihi FROM nakit ORDER BY 1"));
        days->setDateField(QStringLiteral("islem_tarihi"));
        nakit = std::make_unique<Dataset>(*connection, QStringLiteral("nakitTable"));
        nakit->setTable(QStringLiteral("nakit"));
        nakit->setMasterLink(days.get(), QStringLiteral("islem_tarihi"),
                             QStringLiteral("islem_tarihi"));
    }
    void TearDown() override
    {
        nakit.reset();
        days.reset();
        connection.reset();
        DatasetTest::TearDown();
    }

    std::unique_ptr<Connection> connection;
    std::unique_ptr<Dataset> days;
    std::unique_ptr<Dataset> nakit;
};

TEST_F(MasterDetailTest, TheDetailFollowsTheMastersDayAndANewRowTakesIt)
{
    nakit->open();
    EXPECT_TRUE(nakit->isEmpty());  // no master row, no detail rows
    days->open();
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("A"), QStringLiteral("B")}));
    days->next();
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("C")}));

    nakit->append();
    EXPECT_EQ(nakit->value(QStringLiteral("islem_tarihi")), QVariant(QDate(2021, 1, 5)));
    EXPECT_FALSE(nakit->isModified());
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("D"));
    nakit->post();
    EXPECT_EQ(movementsValue(QStringLiteral("SELECT islem_tarihi FROM nakit WHERE firmaadi = 'D'")),
              QVariant(QStringLiteral("2021-01-05")));

    days->refresh();
    EXPECT_EQ(days->currentIndex(), 1);
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("C"), QStringLiteral("D")}));

    days->close();
    EXPECT_TRUE(nakit->isOpen());
    EXPECT_TRUE(nakit->isEmpty());
}

TEST_F(MasterDetailTest, ADetailsRefusedPostStopsTheMaster)
{
    nakit->setBeforePost([](Dataset&) { throw ValidationError(QStringLiteral("Tutar yok.")); });
    nakit->open();
    days->open();
    nakit->append();
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("E"));

    EXPECT_THROW(days->next(), ValidationError);
    EXPECT_EQ(days->currentIndex(), 0);
    EXPECT_EQ(nakit->state(), DatasetState::Insert);
    EXPECT_EQ(nakit->value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("E")));
    EXPECT_EQ(movementCount(), 3);

    // Without a change the new detail row is dropped and the master moves.
    nakit->cancel();
    nakit->append();
    days->next();
    EXPECT_EQ(days->currentIndex(), 1);
    EXPECT_EQ(nakit->state(), DatasetState::Browse);
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("C")}));
}

TEST_F(DatasetTest, RowFilterCalculatedAndLookupFields)
{
    addMovements();
    execute(kKasa, {QStringLiteral("INSERT INTO firma (firma_ind, firma_adi) VALUES (7, 'Alfa')"),
                    QStringLiteral("INSERT INTO firma (firma_ind, firma_adi) VALUES (9, 'Beta')"),
                    QStringLiteral("UPDATE nakit SET firmaid = 7 WHERE firmaadi = 'A'")});
    auto connection = connectTo(kKasa);
    Dataset firms(*connection);
    firms.setTable(QStringLiteral("firma"));
    firms.open();
    Dataset nakit(*connection);
    nakit.setTable(QStringLiteral("nakit"));
    nakit.addCalculatedField(QStringLiteral("bakiye"), [](const DatasetRow& row) {
        return row.value(QStringLiteral("borc_tutar")).toDouble() -
               row.value(QStringLiteral("alacak_tutar")).toDouble();
    });
    nakit.addLookupField(QStringLiteral("firma"), QStringLiteral("firmaid"), &firms,
                         QStringLiteral("firma_ind"), QStringLiteral("firma_adi"));
    nakit.setRowFilter(
        [](const DatasetRow& row) { return row.value(QStringLiteral("bakiye")).toDouble() >= 0; });
    nakit.open();

    EXPECT_EQ(nakit.fieldNames().mid(nakit.fieldNames().size() - 3),
              QStringList({QStringLiteral("irsaliye_seri"), QStringLiteral("bakiye"),
                           QStringLiteral("firma")}));
    EXPECT_EQ(firmsOf(nakit), QStringList({QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_EQ(nakit.valueAt(0, QStringLiteral("bakiye")), QVariant(10.0));
    EXPECT_EQ(nakit.valueAt(0, QStringLiteral("firma")), QVariant(QStringLiteral("Alfa")));
    EXPECT_TRUE(nakit.valueAt(1, QStringLiteral("firma")).isNull());

    nakit.last();
    nakit.setValue(QStringLiteral("firma"), QStringLiteral("Beta"));
    EXPECT_EQ(nakit.value(QStringLiteral("firmaid")), QVariant(9));
    EXPECT_EQ(nakit.value(QStringLiteral("firma")), QVariant(QStringLiteral("Beta")));
    EXPECT_THROW(nakit.setValue(QStringLiteral("firma"), QStringLiteral("Gama")), ValidationError);
    EXPECT_EQ(nakit.value(QStringLiteral("firmaid")), QVariant(9));
    nakit.post();
    EXPECT_EQ(movementsValue(QStringLiteral("SELECT firmaid FROM nakit WHERE firmaadi = 'C'")),
              QVariant(9));

    nakit.setValue(QStringLiteral("firma"), QVariant());
    EXPECT_FALSE(nakit.value(QStringLiteral("firmaid")).isValid());
    EXPECT_THROW(nakit.setValue(QStringLiteral("bakiye"), 1.0), Error);
}

TEST_F(DatasetTest, ATableWithoutAKeyColumnIsEditedByItsRowid)
{
    execute(kGenel, {QStringLiteral("INSERT INTO master (mids) VALUES ('x')"),
                     QStringLiteral("INSERT INTO master (mids) VALUES ('x')")});
    auto connection = connectTo(kGenel);
    Dataset master(*connection);
    master.setTable(QStringLiteral("master"));
    master.open();
    EXPECT_EQ(master.fieldNames(), QStringList({QStringLiteral("mids")}));
    EXPECT_EQ(master.rowValues(), QVariantList({QStringLiteral("x")}));

    const auto stored = [&] {
        return joinedRows(kGenel, QStringLiteral("SELECT mids FROM master ORDER BY mids"),
                          QStringLiteral(","));
    };
    master.setValue(QStringLiteral("mids"), QStringLiteral("y"));
    master.post();
    // One of the two equal rows changed, not both.
    EXPECT_EQ(stored(), QStringLiteral("x,y"));
    master.append();
    master.setValue(QStringLiteral("mids"), QStringLiteral("z"));
    master.post();
    master.setValue(QStringLiteral("mids"), QStringLiteral("z2"));
    master.post();
    EXPECT_EQ(stored(), QStringLiteral("x,y,z2"));
    master.setCurrentIndex(1);
    master.remove();
    EXPECT_EQ(stored(), QStringLiteral("y,z2"));
    EXPECT_EQ(master.value(QStringLiteral("mids")), QVariant(QStringLiteral("z2")));
}

TEST_F(DatasetTest, ClosingTheConnectionClosesItsDatasetsAndDropsWhatIsPending)
{
    addMovements();
    auto connection = connectTo(kKasa);
    auto nakit = openMovements(*connection);
    execute(kKasa, {QStringLiteral("DELETE FROM nakit WHERE firmaadi = 'A'")});
    nakit->open();  // already open: the rows stay as they were read
    EXPECT_EQ(nakit->recordCount(), 3);
    nakit->refresh();
    EXPECT_EQ(nakit->recordCount(), 2);

    bool closedSignal = false;
    QObject::connect(nakit.get(), &Dataset::closed, [&] { closedSignal = true; });
    nakit->append();
    nakit->setValue(QStringLiteral("firmaadi"), QStringLiteral("bekleyen"));
    connection->close();
    EXPECT_TRUE(closedSignal);
    EXPECT_FALSE(nakit->isOpen());
    EXPECT_EQ(nakit->recordCount(), 0);
    EXPECT_EQ(nakit->currentIndex(), -1);
    EXPECT_THROW(nakit->append(), Error);
    EXPECT_EQ(movementCount(), 2);

    connection->open();
    nakit->open();
    EXPECT_EQ(firmsOf(*nakit), QStringList({QStringLiteral("B"), QStringLiteral("C")}));
}

TEST_F(DatasetTest, AQueryIsReadOnlyWithBoundValuesAndDays)
{
    auto connection = connectTo(kGenel);
    Dataset reasons(*connection, QStringLiteral("nedenler"));
    reasons.setQuery(QStringLiteral("SELECT kasanedenine, ? AS gun FROM kasaneden "
                                    "WHERE kasanedeid <= ? ORDER BY kasanedeid"),
                     {QStringLiteral("2021-02-03"), 3});
    reasons.setDateField(QStringLiteral("gun"));
    reasons.open();
    ASSERT_EQ(reasons.recordCount(), 3);
    EXPECT_EQ(reasons.valueAt(1, QStringLiteral("kasanedenine")),
              QVariant(QStringLiteral("TAHSİLAT")));
    EXPECT_EQ(reasons.value(QStringLiteral("gun")), QVariant(QDate(2021, 2, 3)));

    const std::vector<std::function<void()>> changes = {
        [&] { reasons.edit(); },
        [&] { reasons.append(); },
        [&] { reasons.post(); },
        [&] { reasons.remove(); },
        [&] { reasons.setValue(QStringLiteral("kasanedenine"), QStringLiteral("x")); },
    };
    for (const auto& change : changes) {
        EXPECT_THROW(change(), Error);
    }
    EXPECT_EQ(reasons.state(), DatasetState::Browse);
    EXPECT_EQ(reasons.recordCount(), 3);
}

TEST_F(DatasetTest, RefreshStaysOnTheSameRowWhenRowsMoveAround)
{
    addMovements();
    auto connection = connectTo(kKasa);
    Dataset byName(*connection);
    byName.setTable(QStringLiteral("nakit"), QStringLiteral("firmaadi"));
    byName.open();
    Dataset names(*connection);
    names.setQuery(QStringLiteral("SELECT firmaadi FROM nakit ORDER BY firmaadi"));
    names.open();
    byName.last();
    names.last();
    execute(kKasa, {QStringLiteral("INSERT INTO nakit (firmaadi) VALUES ('0')")});

    byName.refresh();
    names.refresh();
    EXPECT_EQ(byName.currentIndex(), 3);
    EXPECT_EQ(byName.value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("C")));
    EXPECT_EQ(names.currentIndex(), 3);
    EXPECT_EQ(names.value(QStringLiteral("firmaadi")), QVariant(QStringLiteral("C")));
}
