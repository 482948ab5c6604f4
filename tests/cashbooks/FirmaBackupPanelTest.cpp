// The registry window's lower panel driven headless: its controls and the values it loads,
// the commands behind its buttons and context-menu entries, the automatic backup's
// settings, and the automatic backup of the exit sequence.
#include "data/Session.h"
#include "cashbooks/BackupSettings.h"
#include "cashbooks/FirmaWindow.h"

#include "ArchiveTools.h"
#include "support/ProgramFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace tamevo;
using namespace tamevo::test;
using Answer = Dialogs::Answer;

namespace {

QDateTime at(int month, int day, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(2021, month, day), QTime(hour, minute));
}

class FirmaBackupPanelTest : public ProgramTest {
protected:
    // The backups hold local files; with the books on a server every command refuses
    // (TwoDesksTest).
    bool booksOnServer() const override { return false; }

    void beforeProgram() override
    {
        for (const auto& [key, value] : storedSettings) {
            backupSettingsFile().write(kOtoYedekler, key, value);
        }
    }

    // Starts the program again, over the same folder, with these settings stored.
    void restart(const QList<QPair<QString, QString>>& settings)
    {
        program.reset();
        storedSettings = settings;
        beforeProgram();
        program = std::make_unique<Program>();
        windowNamed("girisF")->show();
        window = windowNamed<TfirmaF>("firmaF");
        window->backups().now = [this] { return now; };
    }

    void SetUp() override
    {
        ProgramTest::SetUp();
        window = windowNamed<TfirmaF>("firmaF");
        window->backups().now = [this] { return now; };
    }

    static QLineEdit* dayCountEdit(TfirmaF* w)
    {
        return w->findChild<QLineEdit*>(QStringLiteral("yedekGunEdit"));
    }

    QString labelFor(QWidget* buddy)
    {
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->buddy() == buddy) {
                return label->text();
            }
        }
        return {};
    }

    QList<QPair<QString, QString>> storedSettings;
    QDateTime now = at(5, 3);
    TfirmaF* window = nullptr;
};

}  // namespace

TEST_F(FirmaBackupPanelTest, TheLowerPanelShowsTheFreshInstallationValues)
{
    QGroupBox* panel = window->findChild<QGroupBox*>(QStringLiteral("backupPanel"));
    ASSERT_NE(panel, nullptr);
    const struct {
        const char* objectName;
        const char* caption;
    } buttons[] = {
        {"tekYedekBut", "Tek Kasa Yedek Al"},
        {"tekGeriYukleBut", "Tek Kasa Geri Yükle"},
        {"tumYedekBut", "Tüm Kasaları Yedek Al"},
        {"tumGeriYukleBut", "Tüm Kasaları Geri Yükle"},
        {"otoYedekAdresBut", "Otomatik Yedek Adresini Bul"},
        {"otoYedekSaklaBut", "Oto.Yed.Ayarlarını Sakla"},
    };
    for (const auto& b : buttons) {
        auto* button = panel->findChild<QPushButton*>(QString::fromLatin1(b.objectName));
        ASSERT_NE(button, nullptr) << b.objectName;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    }
    auto* check = panel->findChild<QCheckBox*>(QStringLiteral("otoYedekCheck"));
    auto* date = panel->findChild<QDateEdit*>(QStringLiteral("sonYedekTarihi"));
    auto* folder = panel->findChild<QLineEdit*>(QStringLiteral("otoYedekYeriEdit"));
    auto* days = panel->findChild<QLineEdit*>(QStringLiteral("yedekGunEdit"));
    ASSERT_TRUE(check && date && folder && days);
    EXPECT_EQ(check->text(), QStringLiteral("Otomatik Olarak Yedek Al"));
    EXPECT_EQ(labelFor(date), QStringLiteral("Son Yedek Alınma Tarihi"));
    EXPECT_EQ(labelFor(folder), QStringLiteral("Otomatik Yedeklenecek Yer"));
    EXPECT_EQ(labelFor(days), QStringLiteral("Yedek"));
    EXPECT_TRUE(date->isReadOnly());
    EXPECT_EQ(days->maxLength(), 3);
    EXPECT_TRUE(days->alignment() & Qt::AlignRight);

    // No Yedekler.dan: the program's backup folder, 7 days, off, 1 January 2012.
    EXPECT_EQ(folder->text(), path(QStringLiteral("Yedek/")));
    EXPECT_EQ(days->text(), QStringLiteral("7"));
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(date->date(), QDate(2012, 1, 1));
    EXPECT_EQ(date->text(), QStringLiteral("01.01.2012"));

    // The day count takes digits only.
    type(days, QStringLiteral("1a-4x"));
    EXPECT_EQ(days->text(), QStringLiteral("14"));

    // Stored settings show at the next start.
    restart({{kSonOtoYedek, QStringLiteral("/arsiv/")},
             {kYedekGun, QStringLiteral("3")},
             {kYedekAl, QStringLiteral("1")},
             {kTarihOtoGun, QStringLiteral("1")},
             {kTarihOtoAy, QStringLiteral("5")},
             {kTarihOtoYil, QStringLiteral("2021")}});
    EXPECT_EQ(control<QLineEdit>("firmaF", "otoYedekYeriEdit")->text(), QStringLiteral("/arsiv/"));
    EXPECT_EQ(control<QLineEdit>("firmaF", "yedekGunEdit")->text(), QStringLiteral("3"));
    EXPECT_TRUE(control<QCheckBox>("firmaF", "otoYedekCheck")->isChecked());
    EXPECT_EQ(control<QDateEdit>("firmaF", "sonYedekTarihi")->date(), QDate(2021, 5, 1));
}

TEST_F(FirmaBackupPanelTest, TheButtonsAndMenuEntriesRunTheirCommands)
{
    registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
    click(control<QAbstractButton>("girisF", "JvXPButton2"));
    const struct {
        const char* name;
        std::function<void()> trigger;
        const char* dialog;
        QString title;
        QString text;
    } cases[] = {
        {"Tek Kasa Yedek Al", [&] { click(control<QAbstractButton>("firmaF", "tekYedekBut")); },
         "save", QStringLiteral("Norvane Yedek"), path(QStringLiteral("Yedek/K01_2021_05_03"))},
        {"Tek Kasanın Yedeğini Al", [&] { control<QAction>("firmaF", "TekKasaYedek1")->trigger(); },
         "save", QStringLiteral("Norvane Yedek"), path(QStringLiteral("Yedek/K01_2021_05_03"))},
        {"Tüm Kasaları Yedek Al", [&] { click(control<QAbstractButton>("firmaF", "tumYedekBut")); },
         "save", QStringLiteral("Norvane Yedek"),
         path(QStringLiteral("Yedek/NorvaneKasaTumu_2021_05_03"))},
        {"Tüm Kasaların Yedeğini Al",
         [&] { control<QAction>("firmaF", "TumKasaYedek1")->trigger(); }, "save",
         QStringLiteral("Norvane Yedek"), path(QStringLiteral("Yedek/NorvaneKasaTumu_2021_05_03"))},
        {"Tek Kasa Geri Yükle",
         [&] { click(control<QAbstractButton>("firmaF", "tekGeriYukleBut")); }, "open",
         QStringLiteral("Norvane Tamevo Yedek"), path(QStringLiteral("Yedek/"))},
        {"Tek Kasayı Yedekten Geri Yükle",
         [&] { control<QAction>("firmaF", "TekKasaGeriYukle1")->trigger(); }, "open",
         QStringLiteral("Norvane Tamevo Yedek"), path(QStringLiteral("Yedek/"))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs().clear();
        dialogs().choosePath({});
        c.trigger();
        ASSERT_EQ(dialogs().shown().size(), 1u);
        EXPECT_EQ(dialogs().last()->kind, QString::fromLatin1(c.dialog));
        EXPECT_EQ(dialogs().last()->title, c.title);
        EXPECT_EQ(dialogs().last()->text, c.text);
    }
    for (const auto& trigger : std::vector<std::function<void()>>{
             [&] { click(control<QAbstractButton>("firmaF", "tumGeriYukleBut")); },
             [&] { control<QAction>("firmaF", "TumKasaGeriYukle1")->trigger(); }}) {
        dialogs().clear();
        dialogs().answer(Answer::No);
        trigger();
        EXPECT_EQ(dialogs().questions(), QStringList{kRestoreAllWarning});
        EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Warning);
        EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
        EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo Programı"));
    }

    // A failure is shown with its reason; no success message follows.
    dialogs().clear();
    dialogs().choosePath(path(QStringLiteral("Kasa.mdb/K01.ydk")));
    dialogs().expectError(QStringLiteral("K01.ydk"));
    click(control<QAbstractButton>("firmaF", "tekYedekBut"));
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_EQ(dialogs().last()->icon, Dialogs::Icon::Error);
    EXPECT_TRUE(dialogs().last()->text.startsWith(QStringLiteral("Yedek dosyası yazılamadı: ")));
}

TEST_F(FirmaBackupPanelTest, TheFolderChooserAndTheSaveButtonStoreThePanelsSettings)
{
    QDir().mkpath(path(QStringLiteral("Arsiv")));
    control<QCheckBox>("firmaF", "otoYedekCheck")->setChecked(true);
    type(control<QLineEdit>("firmaF", "yedekGunEdit"), QStringLiteral("12"));
    dialogs().choosePath(path(QStringLiteral("Arsiv")));
    click(control<QAbstractButton>("firmaF", "otoYedekAdresBut"));

    ASSERT_EQ(dialogs().shown().size(), 1u);
    EXPECT_EQ(dialogs().last()->kind, QStringLiteral("folder"));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Yedek"));
    EXPECT_EQ(dialogs().last()->text, path(QStringLiteral("Yedek/")));
    EXPECT_EQ(control<QLineEdit>("firmaF", "otoYedekYeriEdit")->text(),
              path(QStringLiteral("Arsiv/")));
    const IniFile file = backupSettingsFile();
    EXPECT_EQ(file.read(kOtoYedekler, kSonOtoYedek), path(QStringLiteral("Arsiv/")));
    EXPECT_EQ(file.read(kOtoYedekler, kYedekGun), QStringLiteral("12"));
    EXPECT_EQ(file.read(kOtoYedekler, kYedekAl), QStringLiteral("1"));

    // Cancelled, the chooser starts in the stored folder and the panel is saved as it stands.
    dialogs().clear();
    type(control<QLineEdit>("firmaF", "otoYedekYeriEdit"), QStringLiteral("/el/ile/yazildi"));
    dialogs().choosePath({});
    click(control<QAbstractButton>("firmaF", "otoYedekAdresBut"));
    EXPECT_EQ(dialogs().last()->text, path(QStringLiteral("Arsiv/")));
    EXPECT_EQ(file.read(kOtoYedekler, kSonOtoYedek), QStringLiteral("/el/ile/yazildi"));

    control<QCheckBox>("firmaF", "otoYedekCheck")->setChecked(false);
    retype(control<QLineEdit>("firmaF", "yedekGunEdit"), {});
    click(control<QAbstractButton>("firmaF", "otoYedekSaklaBut"));
    EXPECT_EQ(file.read(kOtoYedekler, kYedekAl), QStringLiteral("2"));
    EXPECT_EQ(file.read(kOtoYedekler, kYedekGun), QString());
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

TEST_F(FirmaBackupPanelTest, TheExitSequenceTakesTheAutomaticBackupWhenThePanelMakesItDue)
{
    QTemporaryDir target;
    ASSERT_TRUE(
        QFile::copy(path(QStringLiteral("Kasa.mdb")), path(QStringLiteral("Data/K012021.mdb"))));
    // Stored: on, every 7 days, last on 1 May 2021, into `target` given without a separator.
    const QList<QPair<QString, QString>> stored{
        {kSonOtoYedek, target.path()},      {kYedekGun, QStringLiteral("7")},
        {kYedekAl, QStringLiteral("1")},    {kTarihOtoGun, QStringLiteral("1")},
        {kTarihOtoAy, QStringLiteral("5")}, {kTarihOtoYil, QStringLiteral("2021")}};
    const struct {
        const char* name;
        QDateTime exitAt;
        std::function<void(TfirmaF*)> unsavedChange;
        bool backup;
    } cases[] = {
        {"up to 7 May", at(5, 7, 23, 59), {}, false},
        {"on 8 May", at(5, 8, 0, 0), {}, true},
        {"day count 0, not saved", at(5, 2),
         [](TfirmaF* w) { retype(dayCountEdit(w), QStringLiteral("0")); }, true},
        {"day count empty", at(5, 1, 0, 0), [](TfirmaF* w) { retype(dayCountEdit(w), {}); }, true},
        {"unticked, not saved", at(5, 9),
         [](TfirmaF* w) {
             QTest::keyClick(w->findChild<QCheckBox*>(QStringLiteral("otoYedekCheck")),
                             Qt::Key_Space);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        restart(stored);
        now = c.exitAt;
        if (c.unsavedChange) {
            c.unsavedChange(window);
        }
        dialogs().answer(Answer::Yes);
        windowNamed("girisF")->close();
        ASSERT_TRUE(program->ended());

        const QString archive = target.filePath(
            QStringLiteral("NorvaneKasa_") +
            c.exitAt.date().toString(QStringLiteral("yyyy_MM_dd")) + QStringLiteral(".zip"));
        EXPECT_EQ(QFile::exists(archive), c.backup);
        EXPECT_EQ(QFile::exists(archive + QStringLiteral("Gen")), c.backup);
        EXPECT_EQ(loadAutoBackupSettings().lastBackup,
                  c.backup ? c.exitAt.date() : QDate(2021, 5, 1));
        if (c.backup) {
            EXPECT_EQ(archiveNames(archive), QStringList{QStringLiteral("K012021.mdb")});
            EXPECT_EQ(archiveNames(archive + QStringLiteral("Gen")),
                      (QStringList{QStringLiteral("Genel.mdb"), QStringLiteral("Kasa.mdb")}));
            EXPECT_TRUE(unzipAccepts(archive));
        }
        for (const QString& name : folderEntries(target.path())) {
            QFile::remove(target.filePath(name));
        }
        beforeProgram();  // the stored date back to 1 May
    }

    // Due, into a folder that is gone: the three-line message; the date stays.
    QList<QPair<QString, QString>> gone = stored;
    gone[0].second = path(QStringLiteral("Silinmis"));
    restart(gone);
    now = at(5, 20);
    dialogs().clear();
    dialogs().answer(Answer::Yes);
    windowNamed("girisF")->close();
    EXPECT_EQ(dialogs().messages(), QStringList{kAutomaticBackupFolderMissing});
    EXPECT_EQ(loadAutoBackupSettings().lastBackup, QDate(2021, 5, 1));
}

// A run in which the registry window was never shown: its panel is built at exit, from the
// stored settings, and the automatic backup follows them.
class AutomaticBackupOfAnUnshownPanelTest : public ProgramTest {
protected:
    // The backups hold local files; with the books on a server every command refuses
    // (TwoDesksTest).
    bool booksOnServer() const override { return false; }

    void beforeProgram() override
    {
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("Kasa.mdb")),
                                path(QStringLiteral("Data/K012021.mdb"))));
        const QList<QPair<QString, QString>> stored{
            {kSonOtoYedek, target.path()},      {kYedekGun, QStringLiteral("7")},
            {kYedekAl, QStringLiteral("1")},    {kTarihOtoGun, QStringLiteral("1")},
            {kTarihOtoAy, QStringLiteral("5")}, {kTarihOtoYil, QStringLiteral("2021")}};
        for (const auto& [key, value] : stored) {
            backupSettingsFile().write(kOtoYedekler, key, value);
        }
    }

    QTemporaryDir target;
};

TEST_F(AutomaticBackupOfAnUnshownPanelTest, TheExitSequenceTakesItAsTheStoredSettingsSay)
{
    for (QWidget* w : program->builtWindows()) {
        ASSERT_NE(w->objectName(), QStringLiteral("firmaF"));
    }
    dialogs().answer(Answer::Yes);
    windowNamed("girisF")->close();
    ASSERT_TRUE(program->ended());

    const QDate taken = loadAutoBackupSettings().lastBackup;
    EXPECT_GT(taken, QDate(2021, 5, 1));
    const QString archive =
        target.filePath(QStringLiteral("NorvaneKasa_") +
                        taken.toString(QStringLiteral("yyyy_MM_dd")) + QStringLiteral(".zip"));
    EXPECT_EQ(archiveNames(archive), QStringList{QStringLiteral("K012021.mdb")});
    EXPECT_TRUE(dialogs().messages().isEmpty());
}
