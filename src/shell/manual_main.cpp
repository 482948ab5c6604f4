// Build step: makes the user manual TamevoYardim.pdf from its Markdown text, with pictures of
// the real windows taken over a sample cash book on Qt's offscreen platform, so the pictures
// never go stale. Arguments: the manual's text, the PDF to write, the delivered-files folder.
#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Schema.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "help/ManualDocument.h"
#include "shell/Program.h"
#include "shell/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace tamevo {

namespace {

// The manual's windows answer no question and show no message.
class QuietDialogs : public Dialogs {
public:
    void message(const QString&, const QString&, Icon) override {}
    Answer question(const QString&, const QString&, Buttons, Icon, Answer) override
    {
        return Answer::No;
    }
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString existingFolder(const QString&, const QString&) override { return {}; }
    bool openWithDefaultProgram(const QString&) override { return false; }
};

// A month of a small shop's movements in lira and dollars, as one script.
QString sampleMovements()
{
    QString rows;
    const struct {
        const char* day;
        const char* currency;
        const char* in;
        const char* out;
        const char* rate;
        const char* description;
        const char* type;
        const char* source;
    } movements[] = {
        {"2021-01-01", "TL", "12500", "NULL", "1", "31/12/2020 TARİHLİ DEVİR TUTARI", "DEVİR", ""},
        {"2021-01-04", "TL", "1840.50", "NULL", "1", "Peşin satışlar", "SATIŞ", "Nakit"},
        {"2021-01-04", "TL", "NULL", "350", "1", "Kırtasiye alımı", "GİDER", "Nakit"},
        {"2021-01-05", "TL", "2315.75", "NULL", "1", "Peşin satışlar", "SATIŞ", "Nakit"},
        {"2021-01-05", "TL", "NULL", "4500", "1", "Ocak ayı dükkan kirası", "KİRA", "Banka"},
        {"2021-01-05", "USD", "250", "NULL", "7.3420", "Döviz tahsilatı", "TAHSİLAT", "Nakit"},
        {"2021-01-05", "TL", "NULL", "612.40", "1", "Elektrik faturası", "FATURA", "Banka"},
        {"2021-01-06", "TL", "1980", "NULL", "1", "Peşin satışlar", "SATIŞ", "Kredi Kartı"},
    };
    for (const auto& m : movements) {
        rows +=
            QStringLiteral(
                "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                "alacak_tutar, doviz_kuru, aciklama, neden, bankaadi) VALUES "
                "('%1', '%2', %3, %4, %5, '%6', '%7', NULLIF('%8', ''));\n")
                .arg(QLatin1String(m.day), QLatin1String(m.currency), QLatin1String(m.in),
                     QLatin1String(m.out), QLatin1String(m.rate), QString::fromUtf8(m.description),
                     QString::fromUtf8(m.type), QString::fromUtf8(m.source));
    }
    return rows;
}

void press(QWidget* window, const char* button)
{
    if (auto* b = window->findChild<QAbstractButton*>(QString::fromLatin1(button))) {
        b->click();
    }
}

void fill(QWidget* window, const char* edit, const QString& text)
{
    if (auto* e = window->findChild<QLineEdit*>(QString::fromLatin1(edit))) {
        e->setText(text);
    }
}

// Pictures of the program's windows, by the names the manual gives them.
QHash<QString, QImage> grabWindows()
{
    Program program;
    QSqlDatabase general = program.session().ADOConnection1.database();
    executeScript(general,
                  QStringLiteral("INSERT INTO firma (firma_kodu, firma_unvani_1, firma_adresi_1, "
                                 "adres_semt, adres_sehir, telefon1_no) VALUES ('K01', 'Merkez "
                                 "Mağaza', 'Atatürk Caddesi No 12', 'Selçuklu', 'Konya', "
                                 "'0332 123 45 67');"));
    QHash<QString, QImage> shots;
    const auto shoot = [&](QWidget* window, QSize size) {
        window->showNormal();
        window->resize(size);
        QCoreApplication::processEvents();
        shots.insert(QStringLiteral("ekran/%1.png").arg(window->objectName()),
                     window->grab().toImage());
    };

    QWidget* entry = program.window(QStringLiteral("girisF"));
    fill(entry, "firmaedit", QStringLiteral("K01"));
    fill(entry, "yilEdit", QStringLiteral("2021"));
    shoot(entry, {560, 520});
    press(entry, "JvXPButton13");
    QSqlDatabase book = program.session().kasaConnection.database();
    executeScript(book, sampleMovements());

    QWidget* ledger = program.window(QStringLiteral("kasaRF"));
    press(ledger, "yenileBut");
    shoot(ledger, {1180, 720});

    press(ledger, "tahsilatYap");
    QWidget* movement = program.window(QStringLiteral("kasaF"));
    fill(movement, "DBEdit1", QStringLiteral("1.250,00"));
    fill(movement, "DBEdit4", QStringLiteral("Peşin satış"));
    shoot(movement, {520, 420});
    press(movement, "JvXPButton2");
    movement->hide();

    // The period's movements: the two-date window on January, then its browser.
    press(ledger, "JvXPButton7");
    QWidget* twoDate = program.window(QStringLiteral("ikitarihF"));
    if (auto* first = twoDate->findChild<QDateEdit*>(QStringLiteral("ilkTarihDate"))) {
        first->setDate(QDate(2021, 1, 1));
    }
    if (auto* last = twoDate->findChild<QDateEdit*>(QStringLiteral("SonTarihDate"))) {
        last->setDate(QDate(2021, 1, 31));
    }
    shoot(twoDate, twoDate->size());
    press(twoDate, "STRG1Yaz");
    QWidget* browser = program.window(QStringLiteral("kasaikitarihF"));
    shoot(browser, {1000, 560});
    browser->hide();

    // The collections and payments of the working year.
    press(ledger, "islemturuBut");
    QWidget* analysis = program.window(QStringLiteral("raporKasaF"));
    shoot(analysis, {1100, 640});
    press(analysis, "JvXPButton1");  // the details behind the first group
    for (const char* name : {"gelirdetayF", "giderdetayF"}) {
        QWidget* detail = program.window(QString::fromLatin1(name));
        if (detail->isVisible()) {
            shoot(detail, {900, 480});
            detail->hide();
        }
    }
    analysis->hide();

    press(ledger, "ResimEkle");
    press(entry, "JvXPButton2");
    press(entry, "JvXPButton4");
    press(entry, "JvXPButton9");
    press(entry, "JvXPButton8");
    press(movement, "islemTuruGirisi");
    press(entry, "tfXPButton1");
    // Every other window as it opens.
    for (QWidget* window : program.windows()) {
        const QString name = QStringLiteral("ekran/%1.png").arg(window->objectName());
        if (!shots.contains(name)) {
            shoot(window, window->size().expandedTo({480, 360}));
        }
    }
    return shots;
}

}  // namespace

}  // namespace tamevo

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tamevo::setUpApplication();
    // The windows as a Turkish desktop shows them, whatever the build machine's settings.
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "kullanım: tamevo_manual KILAVUZ.md KILAVUZ.pdf [DOSYA_KLASÖRÜ]\n");
        return 2;
    }
    tamevo::QuietDialogs quiet;
    tamevo::installDialogs(&quiet);
    int code = 0;
    try {
        QFile text(args.at(1));
        if (!text.open(QIODevice::ReadOnly)) {
            throw tamevo::Error(args.at(1) + QStringLiteral(": ") + text.errorString());
        }
        const QString markdown = QString::fromUtf8(text.readAll());
        QTemporaryDir folder;
        tamevo::layOutProgramFolder(folder.path(), args.value(3));
        tamevo::setProgramFolder(folder.path());
        tamevo::enterProgramFolder();
        const QHash<QString, QImage> pictures = tamevo::grabWindows();
        tamevo::writeManualPdf(markdown, pictures, args.at(2));
    } catch (const tamevo::Error& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        code = 1;
    }
    tamevo::installDialogs(nullptr);
    return code;
}
