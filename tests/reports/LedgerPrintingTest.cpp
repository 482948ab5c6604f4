// Printing from the ledger window: its print group, "YAZDIR" and the two report buttons, a
// daily report printed to PDF through the preview, and the day's export with "Excel".
#include "reports/LedgerPrinting.h"

#include "shell/Program.h"
#include "data/Session.h"
#include "ledger/KasaRWindow.h"
#include "ledger/Ledger.h"
#include "reportengine/ReportPreview.h"
#include "reports/ExportFile.h"
#include "reports/LedgerReports.h"

#include "ledger/LedgerFixture.h"
#include "support/ProgramFixture.h"
#include "support/TurkishLocale.h"
#include "support/PdfText.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>

namespace tamevo::test {

class LedgerPrintingTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        FirmaRecord record = merkezRecord();
        record.values[6] = QStringLiteral("Atatürk Cad. No 5");
        record.values[8] = QStringLiteral("Merkez");
        record.values[9] = QStringLiteral("Konya");
        texts = program->session().kasaac(QStringLiteral("K01"), QStringLiteral("2021"), record);
    }

    // The ledger entered on the cash book opened above.
    void openLedger() { windowNamed<TkasaRF>("kasaRF")->openBook(texts); }

    void addMovement(const QString& values)
    {
        execute(QStringLiteral("Data/K012021.mdb"),
                {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                                "alacak_tutar, doviz_kuru, aciklama) VALUES (%1)")
                     .arg(values)});
    }

    void choose(int item)
    {
        click(windowNamed("kasaRF")->findChild<QAbstractButton*>(
            QStringLiteral("yazayar%1").arg(item)));
    }
    void print() { click(control<QAbstractButton>("kasaRF", "STRG1Yaz")); }
    qsizetype previewCount() { return qsizetype(dialogs().previews().size()); }

    OpenBookTexts texts;

private:
    TurkishLocale turkish_;
};

// The day's report printed from the ledger, saved as PDF from the preview and read back.
TEST_F(LedgerPrintingTest, DailyReportPrintsToPdfFromThePreview)
{
    addMovement(QStringLiteral("'2021-01-04', 'TL', 250, NULL, 1, 'Önceki gün'"));
    addMovement(QStringLiteral("'2021-01-05', 'TL', 1234.5, NULL, 1, 'Peşin satış bedeli'"));
    addMovement(QStringLiteral("'2021-01-05', 'TL', NULL, 84.25, 1, 'Kırtasiye gideri'"));
    openLedger();
    ASSERT_EQ(program->ledger().selectedDay(), QDate(2021, 1, 5));

    const QString pdf = path(QStringLiteral("gunluk.pdf"));
    saveNextPreviewAsPdf(pdf);
    print();

    ASSERT_EQ(previewCount(), 1);
    const auto shown =
        std::find_if(dialogs().shown().begin(), dialogs().shown().end(),
                     [](const auto& s) { return s.kind == QLatin1String("preview"); });
    ASSERT_NE(shown, dialogs().shown().end());
    EXPECT_EQ(shown->title, QStringLiteral("Norvane Rapor Önizleme"));
    EXPECT_EQ(shown->text, QStringLiteral("Günlük Kasa Raporu"));
    EXPECT_EQ(dialogs().previews()[0].name, QStringLiteral("frReport1"));
    const QString text = pdfText(pdf);
    for (const char* expected :
         {"Merkez", "Atatürk Cad. No 5 Merkez Konya", "5.01.2021 KASA HAREKETLERİ", "AÇIKLAMA",
          "GÜN BAŞI KASA MEVCUDU", "250,00", "05.01.2021", "Peşin satış bedeli", "1.234,50",
          "Kırtasiye gideri", "84,25", "GÜNE AİT KASA TOPLAMLARI", "GÜNİÇİ KASA NETİ", "1.150,25",
          "GÜN SONU DEVİR KASA MEVCUDU", "1.400,25", "Sayfa 1 / 1"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    }
    EXPECT_FALSE(text.contains(QStringLiteral("Önceki gün")));
}

TEST_F(LedgerPrintingTest, PrintGroupChoosesWhatYazdirDoes)
{
    addMovement(QStringLiteral("'2021-01-05', 'TL', 10, NULL, 1, 'Bir'"));
    openLedger();

    click(control<QCheckBox>("kasaRF", "CheckBox1"));
    print();
    choose(1);
    print();
    click(control<QCheckBox>("kasaRF", "CheckBox1"));
    print();
    ASSERT_EQ(previewCount(), 3);
    EXPECT_EQ(dialogs().previews()[0].name, QStringLiteral("frReport7"));
    EXPECT_EQ(dialogs().previews()[1].name, QStringLiteral("frReport12"));
    EXPECT_EQ(dialogs().previews()[2].name, QStringLiteral("frReport6"));

    // The period reports only bring up the two-date window; its button prints the one chosen.
    const QStringList periodTemplates{QStringLiteral("frReport2"), QStringLiteral("frReport5"),
                                      QStringLiteral("frReport3"), QStringLiteral("frReport4")};
    for (int item = 2; item < 6; ++item) {
        choose(item);
        print();
        EXPECT_EQ(previewCount(), item + 1);
        ASSERT_TRUE(isShown("ikitarihF"));
        click(control<QAbstractButton>("ikitarihF", "STRG1Yaz"));
        ASSERT_EQ(previewCount(), item + 2);
        EXPECT_EQ(dialogs().previews().back().name, periodTemplates[item - 2]);
        EXPECT_FALSE(isShown("ikitarihF"));
    }

    // "İki Tarih Arası Kasa Hareketi": the same window builds the movement browser.
    click(control<QAbstractButton>("kasaRF", "JvXPButton7"));
    ASSERT_TRUE(isShown("ikitarihF"));
    click(control<QAbstractButton>("ikitarihF", "STRG1Yaz"));
    EXPECT_TRUE(isShown("kasaikitarihF"));
    EXPECT_EQ(previewCount(), 7);
    click(control<QAbstractButton>("kasaRF", "islemturuBut"));
    EXPECT_TRUE(isShown("raporKasaF"));
}

// A report's pages are shown as they are prepared; stopped, no preview opens and nothing is
// said, and the next print prepares it whole.
TEST_F(LedgerPrintingTest, AStoppedPreparationOpensNoPreview)
{
    addMovement(QStringLiteral("'2021-01-05', 'TL', 10, NULL, 1, 'Bir'"));
    openLedger();
    dialogs().cancelNextProgressAt(1);
    print();
    EXPECT_EQ(previewCount(), 0);
    ASSERT_EQ(dialogs().progresses().size(), 1u);
    EXPECT_TRUE(dialogs().progresses()[0].cancelled);
    EXPECT_TRUE(dialogs().messages().isEmpty());

    print();
    EXPECT_EQ(previewCount(), 1);
    EXPECT_EQ(dialogs().progresses().back().lastStep, QStringLiteral("Sayfa 1 hazırlanıyor"));
}

// A report that cannot be prepared shows why and opens no preview; the window prints again.
TEST_F(LedgerPrintingTest, FailedPreparationShowsItsMessageAndOpensNoPreview)
{
    openLedger();
    report::ReportTemplate& daily = program->ledgerReports().frReport(1);
    const QStringList title = daily.findObject(QStringLiteral("Memo1"))->lines;
    daily.replaceText(QStringLiteral("Memo1"), QStringLiteral("[yokQuery.\"alan\"]"));
    dialogs().expectError(QStringLiteral("yokQuery"));
    print();
    EXPECT_EQ(previewCount(), 0);
    ASSERT_EQ(dialogs().messages().size(), 1);
    EXPECT_TRUE(dialogs().messages()[0].contains(QStringLiteral("hazırlanamadı")));
    EXPECT_TRUE(dialogs().messages()[0].contains(QStringLiteral("yokQuery")));

    daily.replaceText(QStringLiteral("Memo1"), title.join(QLatin1Char('\n')));
    print();
    EXPECT_EQ(previewCount(), 1);
}

// "Excel" writes the selected day into a new workbook in the export folder and hands it to
// the default program.
TEST_F(LedgerPrintingTest, ExcelButtonExportsTheDayAndOpensIt)
{
    const QString folder = path(QStringLiteral("Excel"));
    setExportFolder(folder);
    const auto restore = qScopeGuard([] { setExportFolder({}); });
    addMovement(QStringLiteral("'2021-01-05', 'TL', 1234.5, NULL, 1, 'Peşin satış bedeli'"));
    openLedger();
    click(control<QAbstractButton>("kasaRF", "excelBut"));

    ASSERT_NE(dialogs().last(), nullptr);
    EXPECT_EQ(dialogs().last()->kind, QStringLiteral("default-program"));
    const QFileInfo workbook(dialogs().last()->text);
    EXPECT_EQ(workbook.absolutePath(), QDir(folder).absolutePath());
    EXPECT_TRUE(workbook.fileName().startsWith(QLatin1String("K01_2021-01-05_")));
    EXPECT_GT(workbook.size(), 0);
    EXPECT_TRUE(dialogs().messages().isEmpty());
}

}  // namespace tamevo::test
