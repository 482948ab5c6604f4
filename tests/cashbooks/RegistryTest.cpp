// The cash-book registry over real database files: creating a cash book with its
// first database, the working-year rule, saving an edit into the registry and the working
// year's copy, cancelling and deleting.
#include "data/CashBookFiles.h"
#include "data/ConnectionString.h"
#include "data/Dataset.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "cashbooks/Registry.h"

#include "support/ProgramFolderFixture.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>

using namespace tamevo;
using tamevo::test::ProgramFolderTest;
using Answer = Dialogs::Answer;
using SaveResult = Registry::SaveResult;

namespace {

const QString kK01File = QStringLiteral("Data/K012021.mdb");

// The schema and every row of every table of a database file, as text.
QStringList contentOf(const QString& file, const QStringList& skipTables = {})
{
    QStringList content;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery schema(db);
        schema.exec(QStringLiteral(
            "SELECT type, name, sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' "
            "ORDER BY type, name"));
        QStringList tables;
        while (schema.next()) {
            content << schema.value(0).toString() + QLatin1Char(' ') + schema.value(1).toString() +
                           QLatin1Char(' ') + schema.value(2).toString();
            if (schema.value(0).toString() == QLatin1String("table")) {
                tables << schema.value(1).toString();
            }
        }
        for (const QString& table : tables) {
            if (skipTables.contains(table)) {
                continue;
            }
            QSqlQuery rows(db);
            rows.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
            while (rows.next()) {
                QStringList values;
                for (int i = 0; i < rows.record().count(); ++i) {
                    values << rows.value(i).toString();
                }
                content << table + QLatin1String(": ") + values.join(QLatin1Char('|'));
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return content;
}

}  // namespace

class RegistryTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        session.openStartupConnections();
    }

    Dataset& firma() { return session.FirmaTakip; }

    // A new record typed as the window types it.
    void typeNew(const QString& code, const QString& title,
                 const QList<std::pair<const char*, QString>>& more = {})
    {
        registry.yeni();
        firma().setValue(QStringLiteral("firma_kodu"), code);
        firma().setValue(QStringLiteral("firma_unvani_1"), title);
        for (const auto& [field, value] : more) {
            firma().setValue(QString::fromLatin1(field), value);
        }
    }

    // Creates a cash book through "KAYDET", answering Yes.
    SaveResult create(const QString& code, const QString& title, const QString& year)
    {
        typeNew(code, title);
        dialogs().answer(Answer::Yes);
        return registry.kaydet(year);
    }

    int registryCount()
    {
        return queryValue(QStringLiteral("AnaData/Genel.mdb"),
                          QStringLiteral("SELECT count(*) FROM firma"))
            .toInt();
    }

    QVariant bookValue(const QString& file, const char* field)
    {
        return queryValue(file, QStringLiteral("SELECT %1 FROM firma ORDER BY firma_ind LIMIT 1")
                                    .arg(QLatin1String(field)));
    }

    Session session;
    Registry registry{session};
};

TEST_F(RegistryTest, ANewCashBookCreatesItsDatabaseAsTheTemplatePlusTheRegistryRecord)
{
    // An earlier registry record, so the new one's auto-number is not 1.
    execute(
        QStringLiteral("AnaData/Genel.mdb"),
        {QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1) VALUES ('A1', 'Eski')")});
    typeNew(QStringLiteral("K01"), QStringLiteral("Merkez"),
            {{"firma_adresi_1", QStringLiteral("Atatürk Cd. 5")},
             {"adres_semt", QStringLiteral("Çankaya")},
             {"adres_sehir", QStringLiteral("Ankara")},
             {"telefon1_no", QStringLiteral("0312 111 22 33")},
             {"telefon2_no", QStringLiteral("0312 111 22 34")},
             {"vergi_dairesi", QStringLiteral("Kavaklıdere")},
             {"vergi_no", QStringLiteral("1234567890")},
             {"fax_no", QStringLiteral("0312 111 22 35")},
             {"firma_irtibat_kisi", QStringLiteral("Ayşe Öztürk")}});
    dialogs().answer(Answer::Yes);
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Created);

    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?")});
    EXPECT_EQ(dialogs().shown().front().title, QStringLiteral("Norvane Tamevo Programı"));
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(registryCount(), 2);

    ASSERT_TRUE(QFile::exists(path(kK01File)));
    EXPECT_EQ(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files),
              QStringList{QStringLiteral("K012021.mdb")});
    // The template, table for table and row for row, with the firma table aside.
    EXPECT_EQ(contentOf(path(kK01File), {QStringLiteral("firma")}),
              contentOf(path(QStringLiteral("Kasa.mdb")), {QStringLiteral("firma")}));
    // One firma record, equal to the registry's in fields 2 to 23.
    EXPECT_EQ(queryValue(kK01File, QStringLiteral("SELECT count(*) FROM firma")).toInt(), 1);
    const QStringList& fields = firmaFieldNames();
    for (int i = 1; i < fields.size(); ++i) {
        const QString sql = QStringLiteral("SELECT %1 FROM firma").arg(fields[i]);
        EXPECT_EQ(queryValue(kK01File, sql),
                  queryValue(QStringLiteral("AnaData/Genel.mdb"),
                             sql + QStringLiteral(" WHERE firma_kodu = 'K01'")))
            << fields[i].toStdString();
    }
    EXPECT_EQ(bookValue(kK01File, "firma_irtibat_kisi").toString(), QStringLiteral("Ayşe Öztürk"));
    EXPECT_EQ(bookValue(kK01File, "firma_ind").toInt(), 1);
    EXPECT_EQ(firma().value(QStringLiteral("firma_ind")).toInt(), 2);
    EXPECT_FALSE(session.kasaConnection.isOpen());
}

TEST_F(RegistryTest, CreatingTheSameCodeAndYearAgainIsRefusedWithTheThreeLineMessage)
{
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    const QStringList before = contentOf(path(kK01File));

    EXPECT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez 2"), QStringLiteral("2021")),
              SaveResult::Refused);
    EXPECT_EQ(dialogs().messages(),
              QStringList{QStringLiteral("Bu isimde kayıtlı firma mevcut!\n\rBu isimde firma "
                                         "oluşturmak için önce kayıtlı\n\rfirmayı silin")});
    EXPECT_EQ(registryCount(), 1);
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(contentOf(path(kK01File)), before);

    // The user may change the code and save again.
    firma().setValue(QStringLiteral("firma_kodu"), QStringLiteral("K02"));
    dialogs().answer(Answer::Yes);
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Created);
    EXPECT_EQ(registryCount(), 2);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("Data/K022021.mdb"))));
}

TEST_F(RegistryTest, CreatingACodeAgainAfterDeletingItsRecordIsRefusedBecauseTheFileStays)
{
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    dialogs().answer(Answer::Yes);
    EXPECT_TRUE(registry.sil());
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("Firma bilgileri silinecektir. Eminmisiniz?"));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(registryCount(), 0);
    EXPECT_TRUE(QFile::exists(path(kK01File)));  // deleting leaves the files

    dialogs().clear();
    EXPECT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Refused);
    EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBookExists});
    EXPECT_EQ(registryCount(), 0);
}

TEST_F(RegistryTest, ACodeDifferingOnlyInLetterCaseNamesTheSameDatabase)
{
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    EXPECT_EQ(create(QStringLiteral("k01"), QStringLiteral("Şube"), QStringLiteral("2021")),
              SaveResult::Refused);
    EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBookExists});
    EXPECT_EQ(registryCount(), 1);
    EXPECT_EQ(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files),
              QStringList{QStringLiteral("K012021.mdb")});
}

TEST_F(RegistryTest, TheWorkingYearComesFromTheYearBoxOrIsTheCurrentYear)
{
    const QString thisYear = QString::number(QDate::currentDate().year());
    const struct {
        const char* yearBox;
        const char* code;
        QString fileYear;
    } cases[] = {
        {"", "A1", thisYear},
        {"abc", "A2", thisYear},
        {"1969", "A3", thisYear},
        {"2101", "A4", thisYear},
        {"1970", "A5", QStringLiteral("1970")},
        {"2100", "A6", QStringLiteral("2100")},
        {"2021", "A7", QStringLiteral("2021")},
    };
    for (const auto& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        EXPECT_EQ(create(code, QStringLiteral("Kasa"), QString::fromLatin1(c.yearBox)),
                  SaveResult::Created)
            << c.yearBox;
        EXPECT_TRUE(QFile::exists(
            path(QStringLiteral("Data/") + code + c.fileYear + QStringLiteral(".mdb"))))
            << c.yearBox;
        EXPECT_EQ(registryWorkingYear(QString::fromLatin1(c.yearBox)), c.fileYear.toInt());
    }
    EXPECT_EQ(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).size(), 7);
    // The lenient reader keeps the digits: "20a21" is 2021.
    EXPECT_EQ(registryWorkingYear(QStringLiteral("20a21")), 2021);
    EXPECT_EQ(registryWorkingYear(QString(), QDate(2030, 5, 1)), 2030);
}

TEST_F(RegistryTest, SavingAnUntouchedNewRecordDoesNothing)
{
    registry.yeni();
    // No question is answered: the scripted dialogs fail the test on any question.
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Nothing);
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(registryCount(), 0);
    EXPECT_TRUE(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).isEmpty());

    // Nor does saving a browsed record.
    registry.FirmaTakip().cancel();
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Nothing);
    EXPECT_TRUE(dialogs().shown().empty());
}

TEST_F(RegistryTest, AnsweringNoKeepsTheChangePending)
{
    typeNew(QStringLiteral("K01"), QStringLiteral("Merkez"));
    dialogs().answer(Answer::No);
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Declined);
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(firma().value(QStringLiteral("firma_kodu")).toString(), QStringLiteral("K01"));
    EXPECT_EQ(registryCount(), 0);
    EXPECT_FALSE(QFile::exists(path(kK01File)));
}

TEST_F(RegistryTest, AnEmptyCodeOrTitleOrAMissingTemplateSavesNothing)
{
    typeNew(QString(), QStringLiteral("Merkez"));
    dialogs().answer(Answer::Yes);
    dialogs().expectError(QStringLiteral("Firma kodunu boş geçemezsiniz."));
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Refused);
    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->text, QStringLiteral("Firma kodunu boş geçemezsiniz."));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo Programı"));
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Warning);
    EXPECT_EQ(firma().state(), DatasetState::Insert);

    firma().setValue(QStringLiteral("firma_kodu"), QStringLiteral("K01"));
    firma().setValue(QStringLiteral("firma_unvani_1"), QVariant());
    dialogs().answer(Answer::Yes);
    dialogs().expectError(QStringLiteral("Firma adını boş geçemezsiniz."));
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Refused);
    EXPECT_EQ(dialogs().last()->text, QStringLiteral("Firma adını boş geçemezsiniz."));
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Warning);

    firma().setValue(QStringLiteral("firma_unvani_1"), QStringLiteral("Merkez"));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("Kasa.mdb"))));
    dialogs().answer(Answer::Yes);
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Refused);
    EXPECT_EQ(dialogs().last()->text,
              QStringLiteral("Firma oluşturulması için gerekli dosya bulunamadı!"));
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    EXPECT_EQ(registryCount(), 0);
    EXPECT_TRUE(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).isEmpty());
}

TEST_F(RegistryTest, ACodeThatCannotNameAFileIsRefused)
{
    // The entry screen's lookup puts a typed code into a new record as it stands.
    for (const char* code : {"K/01", "..", "K 01", "ABCDEFGHIJKLM", "Şube"}) {
        dialogs().clear();
        typeNew(QString::fromUtf8(code), QStringLiteral("Merkez"));
        dialogs().answer(Answer::Yes);
        dialogs().expectError(kRegistryBadCode);
        EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Refused) << code;
        EXPECT_EQ(dialogs().messages(), QStringList{kRegistryBadCode}) << code;
        firma().cancel();
    }
    EXPECT_EQ(registryCount(), 0);
    EXPECT_TRUE(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(folder()).entryList({QStringLiteral("*2021*")}, QDir::Files).isEmpty());
}

TEST_F(RegistryTest, ATelephoneChangeReachesTheRegistryAndTheWorkingYearsCopyOnly)
{
    typeNew(QStringLiteral("K01"), QStringLiteral("Merkez"),
            {{"telefon1_no", QStringLiteral("111")}});
    dialogs().answer(Answer::Yes);
    ASSERT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Created);
    // The 2022 database of the same cash book, made as opening it makes it.
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2022"), registry.currentRecord());
    session.kasaConnection.close();
    const QString k2022 = QStringLiteral("Data/K012022.mdb");
    ASSERT_EQ(bookValue(k2022, "telefon1_no").toString(), QStringLiteral("111"));

    firma().setValue(QStringLiteral("telefon1_no"), QStringLiteral("0312 999 88 77"));
    EXPECT_EQ(firma().state(), DatasetState::Edit);
    dialogs().answer(Answer::Yes);
    EXPECT_EQ(registry.kaydet(QStringLiteral("2021")), SaveResult::Saved);

    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT telefon1_no FROM firma WHERE firma_kodu = 'K01'"))
                  .toString(),
              QStringLiteral("0312 999 88 77"));
    EXPECT_EQ(bookValue(kK01File, "telefon1_no").toString(), QStringLiteral("0312 999 88 77"));
    EXPECT_EQ(queryValue(kK01File, QStringLiteral("SELECT count(*) FROM firma")).toInt(), 1);
    EXPECT_EQ(bookValue(k2022, "telefon1_no").toString(), QStringLiteral("111"));
    EXPECT_FALSE(session.kasaConnection.isOpen());
    EXPECT_TRUE(dialogs().messages().isEmpty());
    EXPECT_EQ(registryCount(), 1);
}

TEST_F(RegistryTest, AnEditOfABookWithoutADatabaseForTheWorkingYearSavesTheRegistryOnly)
{
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    firma().setValue(QStringLiteral("adres_sehir"), QStringLiteral("İzmir"));
    dialogs().answer(Answer::Yes);
    try {
        registry.kaydet(QStringLiteral("2023"));
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("K012023.mdb")))
            << error.text().toStdString();
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Data/K012023.mdb"))));
    EXPECT_EQ(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files),
              QStringList{QStringLiteral("K012021.mdb")});
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT adres_sehir FROM firma"))
                  .toString(),
              QStringLiteral("İzmir"));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_FALSE(session.kasaConnection.isOpen());
    EXPECT_TRUE(bookValue(kK01File, "adres_sehir").isNull());
}

TEST_F(RegistryTest, CancellingAsksOnlyForAChangeAndDropsItOnYes)
{
    // A new record with nothing typed: no question, it stays.
    registry.yeni();
    EXPECT_FALSE(registry.vazgec());
    EXPECT_TRUE(dialogs().shown().empty());
    EXPECT_EQ(firma().state(), DatasetState::Insert);

    firma().setValue(QStringLiteral("firma_kodu"), QStringLiteral("K01"));
    dialogs().answer(Answer::No);
    EXPECT_FALSE(registry.vazgec());
    EXPECT_EQ(firma().state(), DatasetState::Insert);
    dialogs().answer(Answer::Yes);
    EXPECT_TRUE(registry.vazgec());
    EXPECT_EQ(dialogs().questions(),
              QStringList(2, QStringLiteral("Değişiklikler iptal edilecektir, eminmisiniz?")));
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(firma().recordCount(), 0);

    // An edited record goes back to its stored values.
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    firma().setValue(QStringLiteral("firma_unvani_1"), QStringLiteral("Başka"));
    dialogs().answer(Answer::Yes);
    EXPECT_TRUE(registry.vazgec());
    EXPECT_EQ(firma().value(QStringLiteral("firma_unvani_1")).toString(), QStringLiteral("Merkez"));
}

TEST_F(RegistryTest, DeletingWhileInsertingCancelsTheInsertionOnly)
{
    ASSERT_EQ(create(QStringLiteral("K01"), QStringLiteral("Merkez"), QStringLiteral("2021")),
              SaveResult::Created);
    typeNew(QStringLiteral("K02"), QStringLiteral("Şube"));
    dialogs().answer(Answer::Yes);
    EXPECT_FALSE(registry.sil());
    EXPECT_EQ(firma().state(), DatasetState::Browse);
    EXPECT_EQ(firma().recordCount(), 1);
    EXPECT_EQ(registryCount(), 1);

    // No: nothing.
    dialogs().answer(Answer::No);
    EXPECT_FALSE(registry.sil());
    EXPECT_EQ(registryCount(), 1);
}
