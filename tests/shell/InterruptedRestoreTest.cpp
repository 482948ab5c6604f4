// A restore of all stopped in the middle of putting the files in place, as a kill or a power
// cut stops it: the next start finishes it before any database is opened and says so once.
#include "cashbooks/Backups.h"
#include "cashbooks/RestoreJournal.h"
#include "cashbooks/ZipArchive.h"
#include "data/Session.h"

#include "support/ProgramFixture.h"

#include <QDir>
#include <QFile>

using namespace tamevo;
using tamevo::test::ProgramTest;

namespace {

// Thrown from the restore's step hook: the restore stops there, as if the program had.
struct Stopped {};

class InterruptedRestoreTest : public ProgramTest {
protected:
    // The backups hold local files; a restore never reaches the books on a server.
    bool booksOnServer() const override { return false; }

    void beforeProgram() override
    {
        const QString book = QStringLiteral("Data/K012021.mdb");
        ASSERT_TRUE(QFile::copy(path(QStringLiteral("Kasa.mdb")), path(book)));
        execute(book, {QStringLiteral("INSERT INTO nakit (aciklama) VALUES ('yedek')")});
        registerCashBook(QStringLiteral("K01"), QStringLiteral("Merkez"));
        ZipArchive(path(QStringLiteral("Yedek/Tumu.zip")))
            .writeMatchingFiles(path(QStringLiteral("Data")), QStringLiteral("*.mdb"));
        ZipArchive(path(QStringLiteral("Yedek/Tumu.zipGen")))
            .writeMatchingFiles(path(QStringLiteral("AnaData")), QStringLiteral("*.mdb"));
        execute(book, {QStringLiteral("UPDATE nakit SET aciklama = 'sonra'")});
        execute(QStringLiteral("AnaData/Genel.mdb"), {QStringLiteral("DELETE FROM firma")});

        // Stopped once the first file replaced is kept aside, the others not yet in place.
        const QStringList keptAside{QStringLiteral(".*.onceki*")};
        RestoreJournal::afterEachStep() = [&] {
            const QDir data(path(QStringLiteral("Data")));
            if (!data.entryList(keptAside, QDir::Files | QDir::Hidden).isEmpty()) {
                throw Stopped();
            }
        };
        {
            Session session;
            session.openStartupConnections();
            Backups backups(session);
            dialogs().answer(Dialogs::Answer::Yes);
            dialogs().choosePath(path(QStringLiteral("Yedek/Tumu.zip")));
            EXPECT_THROW(backups.TumFirmalarGeriYukle(), Stopped);
        }
        RestoreJournal::afterEachStep() = nullptr;
        ASSERT_TRUE(QFile::exists(path(QStringLiteral("GeriYukleme.jnl"))));
        dialogs().clear();
    }
};

TEST_F(InterruptedRestoreTest, TheNextStartFinishesItAndSaysSoOnce)
{
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_EQ(dialogs().messages()[0],
              QStringLiteral("Önceki çalışmada \"Tumu.zip\" yedeğinden geri yükleme yarıda "
                             "kalmıştı.\n\rGeri yükleme tamamlandı: yedekteki 3 dosyanın tümü "
                             "yerine kondu; artık dosyalar silindi."));
    EXPECT_EQ(queryValue(QStringLiteral("Data/K012021.mdb"),
                         QStringLiteral("SELECT group_concat(aciklama) FROM nakit")),
              QVariant(QStringLiteral("yedek")));
    EXPECT_EQ(queryValue(QStringLiteral("AnaData/Genel.mdb"),
                         QStringLiteral("SELECT group_concat(firma_kodu) FROM firma")),
              QVariant(QStringLiteral("K01")));
    for (const QString& folder : {QString(), QStringLiteral("Data"), QStringLiteral("AnaData")}) {
        const QStringList left =
            QDir(path(folder))
                .entryList({QStringLiteral(".*"), QStringLiteral("GeriYukleme*")},
                           QDir::Files | QDir::Hidden);
        EXPECT_EQ(left, QStringList()) << folder.toStdString();
    }
}

}  // namespace
