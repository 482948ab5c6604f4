// Developer tool: pictures of the program's windows as a 1366x768 screen shows them, over a
// sample year whose movements, in four currencies, are stored through the ledger: the ledger
// under "Hepsi", the income and expense analysis of the year and the preview of the year's
// period report. Arguments: the folder the PNG files go to, the delivered-files folder.
// Without a platform of its own choosing it runs on Qt's offscreen platform with one screen
// of 1366x768. Nobody answers: messages go to the error stream and questions are declined.
#include "data/Errors.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Schema.h"
#include "data/Session.h"
#include "ledger/GecmisWindow.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"
#include "reportengine/ReportPreview.h"
#include "reportengine/ReportPreviewPort.h"
#include "shell/Program.h"
#include "shell/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QSqlDatabase>
#include <QTemporaryDir>

#include <cstdio>

namespace tamevo {

namespace {

constexpr QSize kScreen(1366, 768);

// Writes a picture of `window` as `<folder>/<name>.png` and says so with its size.
void shoot(QWidget* window, const QString& folder, const QString& name)
{
    QCoreApplication::processEvents();
    // A maximized window fills the screen's free area as a desktop's window manager makes
    // it; a bare virtual X server has none to do that.
    if (window->isMaximized() && window->screen() != nullptr &&
        window->geometry() != window->screen()->availableGeometry()) {
        window->setGeometry(window->screen()->availableGeometry());
        QCoreApplication::processEvents();
    }
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(file)) {
        throw Error(file + QStringLiteral(": resim yazılamadı"));
    }
    std::printf("%s %dx%d\n", qPrintable(file), window->width(), window->height());
}

QWidget* child(QWidget* window, const char* name)
{
    auto* found = window->findChild<QWidget*>(QString::fromLatin1(name));
    if (found == nullptr) {
        throw Error(window->objectName() + QStringLiteral(".") + QString::fromLatin1(name) +
                    QStringLiteral(" yok"));
    }
    return found;
}

void press(QWidget* window, const char* button)
{
    static_cast<QAbstractButton*>(child(window, button))->click();
}

// Chooses an entry of a combo box; the window reads it when its command runs.
void choose(QWidget* window, const char* box, const QString& entry)
{
    auto* combo = static_cast<QComboBox*>(child(window, box));
    combo->setCurrentIndex(combo->findText(entry));
}

// The report preview as the program opens it (sized to the screen), pictured instead of
// waiting for the user.
class PicturedPreview : public report::ReportPreviewPort {
public:
    explicit PicturedPreview(QString folder) : folder_(std::move(folder)) {}

    void preview(const report::PreparedReport& report) override
    {
        report::ReportPreview dialog(report, QApplication::activeWindow());
        dialog.show();
        shoot(&dialog, folder_, QStringLiteral("preview"));
    }

private:
    QString folder_;
};

// A year of a small shop: every third day a sale and an expense in lira, and in turn a
// collection in one of the three other currencies; the last day has all four. Stored one by
// one through the ledger, as "YENİ" and "SAKLA" store them.
void enterSampleYear(Ledger& ledger)
{
    const struct {
        const char* currency;
        double rate;
    } foreign[] = {{"USD", 7.3420}, {"EURO", 8.9510}, {"GBP", 10.1230}};
    const QStringList types{QStringLiteral("SATIŞ"), QStringLiteral("KİRA"),
                            QStringLiteral("ELEKTRİK"), QStringLiteral("MAL ALIMI")};
    const auto store = [&ledger](const QDate& day, const QString& currency, double in, double out,
                                 double rate, const QString& description, const QString& type) {
        ledger.appendMovement();
        Dataset& movement = ledger.movementEntry();
        if (in > 0) {
            movement.setValue(QStringLiteral("borc_tutar"), in);
        } else {
            movement.setValue(QStringLiteral("alacak_tutar"), out);
        }
        movement.setValue(QStringLiteral("doviz_kuru"), rate);
        movement.setValue(QStringLiteral("aciklama"), description);
        movement.setValue(QStringLiteral("islemturu"), type);
        movement.setValue(QStringLiteral("bankaadi"), QStringLiteral("Nakit"));
        ledger.saveMovement({day, currency});
    };
    int n = 0;
    for (QDate day(2021, 1, 2); day.year() == 2021; day = day.addDays(3), ++n) {
        store(day, QStringLiteral("TL"), 1200 + (n * 137) % 900 + 0.25 * (n % 4), 0, 1,
              QStringLiteral("Peşin satışlar"), types[0]);
        store(day, QStringLiteral("TL"), 0, 150 + (n * 61) % 400, 1,
              QStringLiteral("Dükkan giderleri"), types[1 + n % 3]);
        const auto& f = foreign[n % 3];
        store(day, QString::fromLatin1(f.currency), 100 + (n * 29) % 300, 0, f.rate,
              QStringLiteral("Döviz tahsilatı"), QStringLiteral("TAHSİLAT"));
    }
    const QDate last(2021, 12, 31);
    for (const auto& f : foreign) {
        store(last, QString::fromLatin1(f.currency), 0, 50, f.rate,
              QStringLiteral("Yıl sonu döviz ödemesi"), QStringLiteral("ÖDEME"));
    }
    store(last, QStringLiteral("TL"), 2450.75, 0, 1, QStringLiteral("Peşin satışlar"), types[0]);
}

void takePictures(const QString& folder)
{
    Program program;
    QSqlDatabase general = program.session().ADOConnection1.database();
    executeScript(general,
                  QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1, adres_sehir) "
                                 "VALUES ('K01', 'Merkez Mağaza', 'Konya');"));
    // The fourth currency, added to the list as "PARA BİRİMİ GİRİŞİ" adds it.
    currencies(program.session()).add(QStringLiteral("GBP"));

    QWidget* entry = program.window(QStringLiteral("girisF"));
    entry->show();
    static_cast<QLineEdit*>(child(entry, "firmaedit"))->setText(QStringLiteral("K01"));
    static_cast<QLineEdit*>(child(entry, "yilEdit"))->setText(QStringLiteral("2021"));
    press(entry, "JvXPButton13");
    QWidget* ledgerWindow = program.window(QStringLiteral("kasaRF"));
    if (!ledgerWindow->isVisible()) {
        throw Error(QStringLiteral("kasa açılamadı"));
    }

    // The ledger under "Hepsi" on the year's last day: its currency summary lists all four.
    choose(ledgerWindow, "dovizBox", kAllCurrencies);
    press(ledgerWindow, "yenileBut");
    enterSampleYear(program.ledger());
    press(ledgerWindow, "yenileBut");
    shoot(ledgerWindow, folder, QStringLiteral("ledger-hepsi"));

    press(ledgerWindow, "islemturuBut");
    QWidget* analysis = program.window(QStringLiteral("raporKasaF"));
    shoot(analysis, folder, QStringLiteral("analysis"));
    analysis->hide();

    // The journal after one movement of the last day was changed and another deleted.
    Ledger& ledger = program.ledger();
    ledger.selectMovement(0);
    const QDate day = ledger.selectedDay();
    const QString currency = ledger.currentMovementValue(QStringLiteral("doviz_cinsi")).toString();
    ledger.editCurrentMovement();
    ledger.movementEntry().setValue(QStringLiteral("aciklama"), QStringLiteral("Düzeltilen ödeme"));
    ledger.saveMovement({day, currency});
    ledger.selectMovement(1);
    ledger.deleteCurrentMovement();
    auto* journal = static_cast<TgecmisF*>(program.window(QStringLiteral("gecmisF")));
    journal->showJournal();
    shoot(journal, folder, QStringLiteral("journal"));
    journal->hide();

    // The period report of the whole year in every currency, in its preview.
    press(ledgerWindow, "yazayar2");
    press(ledgerWindow, "STRG1Yaz");
    QWidget* twoDate = program.window(QStringLiteral("ikitarihF"));
    choose(twoDate, "dovizBox", kAllCurrencies);
    static_cast<QDateEdit*>(child(twoDate, "ilkTarihDate"))->setDate(QDate(2021, 1, 1));
    static_cast<QDateEdit*>(child(twoDate, "SonTarihDate"))->setDate(QDate(2021, 12, 31));
    press(twoDate, "STRG1Yaz");
}

}  // namespace

}  // namespace tamevo

int main(int argc, char** argv)
{
    QTemporaryDir scratch;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        const QString screens = scratch.filePath(QStringLiteral("screen.json"));
        QFile file(screens);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(QStringLiteral("{\"screens\": [{\"name\": \"ekran\", \"x\": 0, \"y\": 0, "
                                      "\"width\": %1, \"height\": %2, \"logicalDpi\": 96}]}")
                           .arg(tamevo::kScreen.width())
                           .arg(tamevo::kScreen.height())
                           .toUtf8());
        }
        qputenv("QT_QPA_PLATFORM",
                (QStringLiteral("offscreen:configfile=") + screens).toLocal8Bit());
    }
    QApplication app(argc, argv);
    tamevo::setUpApplication();
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "kullanım: tamevo_screenshots KLASÖR [DOSYA_KLASÖRÜ]\n");
        return 2;
    }
    const QString out = QDir(args.at(1)).absolutePath();
    QDir().mkpath(out);
    tamevo::PicturedPreview preview(out);
    tamevo::report::installPreviewPort(&preview);
    int code = 0;
    try {
        const QSize screen = QGuiApplication::primaryScreen()->size();
        std::printf("ekran %dx%d\n", screen.width(), screen.height());
        const QString folder = scratch.filePath(QStringLiteral("program"));
        tamevo::layOutProgramFolder(folder, args.value(2));
        tamevo::setProgramFolder(folder);
        tamevo::enterProgramFolder();
        tamevo::takePictures(out);
    } catch (const tamevo::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        code = 1;
    }
    tamevo::report::installPreviewPort(nullptr);
    return code;
}
