#include "entry/EntryRules.h"
#include "data/IniFile.h"
#include "ledger/KasaRWindow.h"

#include "support/ProgramFixture.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>

using namespace tamevo;
using tamevo::test::ProgramTest;

class EntryScreenTest : public ProgramTest {};

TEST_F(EntryScreenTest, FirstStartShowsEmptyBoxesAndTheWindowsExistInTheirOrder)
{
    EXPECT_EQ(windowNamed("girisF")->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Giriş"));
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QString());
    EXPECT_EQ(control<QLineEdit>("girisF", "yilEdit")->text(), QString());
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QString());
    EXPECT_EQ(windowNamed("girisF")->findChild<QLabel*>(QStringLiteral("StatusPanel4"))->text(),
              QStringLiteral("Versiyon 3.4  Güncelleme: 0"));
    QStringList names;
    for (QWidget* w : program->windows()) {
        names << w->objectName();
    }
    EXPECT_EQ(names,
              QString::fromLatin1("girisF kasaRF yardimF kasaF resimkasaF ikitarihF nakitnedenF "
                                  "firmaF parabirimiF gelirdetayF raporKasaF giderdetayF sifreF "
                                  "kasaikitarihF kaynakF gecmisF sunucuF")
                  .split(QLatin1Char(' ')));
    EXPECT_FALSE(isShown("kasaRF"));
}

TEST_F(EntryScreenTest, TheYearBoxTakesOnlyDigitsAndFourOfThem)
{
    QLineEdit* year = control<QLineEdit>("girisF", "yilEdit");
    year->setFocus();
    QTest::keyClicks(year, QStringLiteral("2a0-2 1x95"));
    EXPECT_EQ(year->text(), QStringLiteral("2021"));
    QTest::keyClick(year, Qt::Key_Backspace);
    EXPECT_EQ(year->text(), QStringLiteral("202"));
}

TEST_F(EntryScreenTest, YearAndCodeRulesRefuseBeforeAnyFileIsNamed)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    const struct {
        const char* code;
        const char* year;
        const char* message;  // nullptr: the ledger opens
    } cases[] = {
        {"K01", "", "Çalışma yılı girişiniz hatalıdır!"},
        {"K01", "1969", "Çalışma yılı girişiniz hatalıdır!"},
        {"K01", "2101", "Çalışma yılı girişiniz hatalıdır!"},
        {"K01", "20a1", "Çalışma yılı girişiniz hatalıdır!"},  // pasted past the key filter
        {"", "2021", "Firma girişiniz hatalıdır!"},
        {"K01", "1970", nullptr},
        {"K01", "2100", nullptr},
    };
    for (const auto& c : cases) {
        dialogs().clear();
        const QString year = QString::fromLatin1(c.year);
        if (year.contains(QLatin1Char('a'))) {
            // A paste from the edit's context menu passes the key filter.
            QLineEdit* yearBox = control<QLineEdit>("girisF", "yilEdit");
            retype(yearBox, {});
            QGuiApplication::clipboard()->setText(year);
            yearBox->paste();
            ASSERT_EQ(yearBox->text(), year);
            retype(control<QLineEdit>("girisF", "firmaedit"), QString::fromLatin1(c.code));
            click(control<QAbstractButton>("girisF", "JvXPButton13"));
        } else {
            enter(QString::fromLatin1(c.code), year);
        }
        if (c.message != nullptr) {
            ASSERT_EQ(dialogs().messages(), QStringList{QString::fromUtf8(c.message)}) << c.year;
            EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
            EXPECT_TRUE(isShown("girisF"));
            EXPECT_FALSE(isShown("kasaRF"));
        } else {
            EXPECT_TRUE(dialogs().messages().isEmpty())
                << dialogs().messages().join(QLatin1Char('|')).toStdString();
            EXPECT_TRUE(isShown("kasaRF")) << c.year;
            EXPECT_TRUE(
                databaseExists(QStringLiteral("Data/K01%1.mdb").arg(QLatin1String(c.year))));
            program->kasakapat();
        }
    }
    // No refused entry made a book: the two years entered are the only ones.
    const int made =
        tamevo::test::testsOnServer()
            ? queryValue(
                  QStringLiteral("AnaData/Genel.mdb"),
                  QStringLiteral("SELECT count(*) FROM pg_namespace WHERE nspname LIKE 'K01%'"))
                  .toInt()
            : QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).size();
    EXPECT_EQ(made, 2);
}

TEST_F(EntryScreenTest, EnteringOpensTheBookAndRemembersTheEntry)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez Şube"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    ASSERT_TRUE(isShown("kasaRF"));
    EXPECT_FALSE(isShown("girisF"));
    EXPECT_EQ(windowNamed("kasaRF")->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Merkez Şube - 2021"));
    EXPECT_EQ(control<QLabel>("kasaRF", "Label11")->text(),
              QStringLiteral("K01 - Merkez Şube - 2021"));
    EXPECT_EQ(windowNamed<TkasaRF>("kasaRF")->statusPanelText(3),
              QStringLiteral("  K01 - Merkez Şube - 2021"));
    EXPECT_EQ(program->session().CalismaYili, 2021);
    const IniFile ini(path(QStringLiteral("FirmaAyar.ini")));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Kodu")), QStringLiteral("K01"));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Yil")), QStringLiteral("2021"));
    EXPECT_EQ(ini.read(QStringLiteral("Giris"), QStringLiteral("Adi")),
              QStringLiteral("Merkez Şube"));

    // The next start reads them back.
    program.reset();
    program = std::make_unique<Program>();
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QStringLiteral("K01"));
    EXPECT_EQ(control<QLineEdit>("girisF", "yilEdit")->text(), QStringLiteral("2021"));
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QStringLiteral("Merkez Şube"));
}

TEST_F(EntryScreenTest, AnUnregisteredCodeAsksAndNoCreatesNothing)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    for (const auto answer : {Dialogs::Answer::No, Dialogs::Answer::Cancel}) {
        dialogs().answer(answer);
        enter(QStringLiteral("K99"), QStringLiteral("2021"));
        ASSERT_FALSE(dialogs().questions().isEmpty());
        EXPECT_EQ(
            dialogs().questions().last(),
            QStringLiteral("Firma Kodunu yalnış girdiniz!\n\rYeni firma oluşturmak istermisiniz?"));
        EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo Programı"));
        EXPECT_EQ(dialogs().last()->buttons, Dialogs::Buttons::YesNoCancel);
        EXPECT_FALSE(isShown("kasaRF"));
    }
    EXPECT_TRUE(QDir(path(QStringLiteral("Data"))).entryList(QDir::Files).isEmpty());
}

TEST_F(EntryScreenTest, PasswordsAreComparedExactlyAndTheFourthWrongOneEndsTheProgram)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    execute(QStringLiteral("AnaData/Genel.mdb"),
            {QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Gizli 1')")});
    int backups = 0;
    program->automaticBackup = [&] { ++backups; };
    for (const char* wrong : {"gizli 1", "Gizli 1 ", ""}) {
        dialogs().clear();
        dialogs().expectError(QStringLiteral("Şifreyi yalnış girdiniz!"));
        enter(QStringLiteral("K01"), QStringLiteral("2021"), QString::fromLatin1(wrong));
        ASSERT_EQ(dialogs().messages().size(), 1) << wrong;
        EXPECT_EQ(dialogs().last()->text,
                  QStringLiteral("Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!"));
        EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
        EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
        EXPECT_EQ(control<QLineEdit>("girisF", "sifreEdit")->text(), QString());
        EXPECT_FALSE(program->ended());
    }
    dialogs().clear();
    enter(QStringLiteral("K01"), QStringLiteral("2021"), QStringLiteral("yanlış"));
    EXPECT_TRUE(program->ended());
    EXPECT_TRUE(dialogs().questions().isEmpty());  // no exit question
    EXPECT_EQ(backups, 1);  // the exit sequence still checks the automatic backup
    EXPECT_FALSE(program->session().ADOConnection1.isOpen());
}

TEST_F(EntryScreenTest, TheRightPasswordOrAnEmptyTableLetsTheUserIn)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"), QStringLiteral("herhangi"));
    EXPECT_TRUE(isShown("kasaRF"));
    program->kasakapat();
    execute(QStringLiteral("AnaData/Genel.mdb"),
            {QStringLiteral("INSERT INTO sifre (sifre) VALUES ('Gizli 1')")});
    program->session().sifreTable.refresh();
    enter(QStringLiteral("K01"), QStringLiteral("2021"), QStringLiteral("Gizli 1"));
    EXPECT_TRUE(isShown("kasaRF"));
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(EntryScreenTest, ExitQuestionNoReturnsToTheEntryScreenWithTheBookClosed)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"), QStringLiteral("parola"));
    ASSERT_TRUE(isShown("kasaRF"));

    dialogs().answer(Dialogs::Answer::No);
    click(control<QAbstractButton>("kasaRF", "kapat"));
    EXPECT_EQ(dialogs().questions(),
              QStringList{QStringLiteral("Programı kapatmak istediğinize eminmisiniz?")});
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_FALSE(program->ended());
    EXPECT_FALSE(isShown("kasaRF"));
    EXPECT_TRUE(isShown("girisF"));
    EXPECT_FALSE(program->session().kasaConnection.isOpen());
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QStringLiteral("K01"));
    EXPECT_EQ(control<QLineEdit>("girisF", "yilEdit")->text(), QStringLiteral("2021"));
    EXPECT_EQ(control<QLineEdit>("girisF", "sifreEdit")->text(), QStringLiteral("parola"));

    // Entering again reopens the book; Yes ends the program.
    click(control<QAbstractButton>("girisF", "JvXPButton13"));
    EXPECT_TRUE(isShown("kasaRF"));
    EXPECT_TRUE(program->session().kasaConnection.isOpen());
    dialogs().answer(Dialogs::Answer::Yes);
    click(control<QAbstractButton>("kasaRF", "kapat"));
    EXPECT_TRUE(program->ended());
    EXPECT_FALSE(program->session().kasaConnection.isOpen());
}

TEST_F(EntryScreenTest, AnErrorOfTheGeneralDatabaseOnEntryIsShownAndTheProgramGoesOn)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    execute(QStringLiteral("AnaData/Genel.mdb"),
            {QStringLiteral("ALTER TABLE sifre RENAME TO sifre_eski")});
    dialogs().expectError(QStringLiteral("sifre"));
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    EXPECT_TRUE(isShown("girisF"));
    EXPECT_FALSE(isShown("kasaRF"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Data/K012021.mdb"))));

    execute(QStringLiteral("AnaData/Genel.mdb"),
            {QStringLiteral("ALTER TABLE sifre_eski RENAME TO sifre")});
    enter(QStringLiteral("K01"), QStringLiteral("2021"));
    EXPECT_TRUE(isShown("kasaRF"));
}

TEST_F(EntryScreenTest, RememberedValuesLongerThanTheirFieldsAreCutOnReading)
{
    QFile ini(path(QStringLiteral("FirmaAyar.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Giris]\r\nKodu=" + QByteArray(40, 'K') +
              "\r\nYil=20211999\r\nAdi=" + QByteArray("Şube ").repeated(1 << 20) + "\r\n");
    ini.close();
    program.reset();
    program = std::make_unique<Program>();
    EXPECT_EQ(control<QLineEdit>("girisF", "firmaedit")->text(), QString(20, QLatin1Char('K')));
    EXPECT_EQ(control<QLineEdit>("girisF", "yilEdit")->text(), QStringLiteral("2021"));
    EXPECT_EQ(control<QLabel>("girisF", "Label1")->text(), QStringLiteral("Şube ").repeated(20));
}
