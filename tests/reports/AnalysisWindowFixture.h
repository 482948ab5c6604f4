#pragma once

// The program with cash book K01 entered for 2021 and registered with its address, for the
// tests of the analysis window and its detail windows.

#include "support/PdfText.h"
#include "support/ProgramFixture.h"

#include <QApplication>
#include <QLabel>

namespace tamevo::test {

class AnalysisWindowTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        execute(QStringLiteral("AnaData/Genel.mdb"),
                {QStringLiteral(
                    "INSERT INTO firma (firma_kodu, firma_unvani_1, firma_adresi_1, adres_semt, "
                    "adres_sehir, telefon1_no, fax_no) VALUES ('K01', 'Merkez Ticaret', "
                    "'Atatürk Cad. No 5', 'Meram', 'Konya', '0332 111 2233', '0332 111 2234')")});
        enter(QStringLiteral("K01"), QStringLiteral("2021"));
        ASSERT_TRUE(isShown("kasaRF"));
    }

    // A movement: day, currency, money in, money out, rate, type, source and description, as
    // SQL values.
    void add(const QString& values)
    {
        execute(kBook, {QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, "
                                       "alacak_tutar, doviz_kuru, neden, bankaadi, aciklama) "
                                       "VALUES (%1)")
                            .arg(values)});
    }

    // The year the tests share: collections of one type in two currencies from two sources,
    // payments of two types, one of them without a source. The ledger reads them again.
    void addYear()
    {
        add(QStringLiteral("'2021-01-05', 'TL', 1250.5, NULL, 1, 'Satış', 'Nakit', 'Peşin satış'"));
        add(QStringLiteral("'2021-03-10', 'TL', 200, NULL, 1, 'Satış', 'Banka', 'Havale'"));
        add(QStringLiteral("'2021-12-31', 'USD', 100, NULL, 1, 'Satış', 'Banka', 'Dolar satış'"));
        add(QStringLiteral("'2021-02-01', 'TL', NULL, 300, 1, 'Kira', 'Nakit', 'Kira ödemesi'"));
        add(QStringLiteral("'2021-06-15', 'TL', NULL, 45.25, 1, 'Gider', NULL, 'Kırtasiye'"));
        click(control<QAbstractButton>("kasaRF", "yenileBut"));
    }

    // "İşlem/Kaynak Türü Raporu" in the ledger.
    void openAnalysis()
    {
        click(control<QAbstractButton>("kasaRF", "islemturuBut"));
        ASSERT_TRUE(isShown("raporKasaF"));
    }

    QTableView* grid(const char* window, const char* name)
    {
        return control<QTableView>(window, name);
    }
    QString labelText(const char* window, const char* name)
    {
        return control<QLabel>(window, name)->text();
    }
    // The texts of a grid's column, top to bottom.
    static QStringList column(QTableView* view, int column)
    {
        QStringList texts;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            texts << view->model()->index(row, column).data().toString();
        }
        return texts;
    }

    // Runs a print command and saves the preview it opens as a PDF; returns the PDF's text.
    QString printToPdf(const QString& name, const std::function<void()>& print)
    {
        const QString pdf = path(name);
        saveNextPreviewAsPdf(pdf);
        print();
        return pdfText(pdf);
    }

    const QString kBook = QStringLiteral("Data/K012021.mdb");
};

}  // namespace tamevo::test
