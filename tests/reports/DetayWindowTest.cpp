// The collections and payments detail windows over a real cash book: their list, heading and
// labels, the row commands through the ledger (change, delete, documents), "Yazdır" and
// "Kapat".
#include "reports/DetayWindow.h"

#include "ledger/Ledger.h"

#include "AnalysisWindowFixture.h"

#include <QRadioButton>

namespace tamevo::test {

namespace {

class DetayWindowTest : public AnalysisWindowTest {
protected:
    void SetUp() override
    {
        AnalysisWindowTest::SetUp();
        addYear();
        openAnalysis();
    }

    // The collections of type "Satış" in gelirdetayF: the lira row, then the dollar row.
    void showSales() { clickRow(grid("raporKasaF", "giderGrid"), 0, true); }
    void showDollarSales() { clickRow(grid("raporKasaF", "giderGrid"), 1, true); }
    QTableView* detailGrid() { return grid("gelirdetayF", "hizligir"); }
    int stored(const char* description)
    {
        return queryValue(kBook, QStringLiteral("SELECT count(*) FROM nakit WHERE aciklama = '%1'")
                                     .arg(QString::fromUtf8(description)))
            .toInt();
    }
};

}  // namespace

TEST_F(DetayWindowTest, ListsTheGroupsMovementsWithItsTotal)
{
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("0,00"));
    EXPECT_EQ(labelText("gelirdetayF", "Label3"), QStringLiteral("Rapor Tarihi:"));
    showSales();
    ASSERT_TRUE(isShown("gelirdetayF"));
    EXPECT_EQ(windowNamed("gelirdetayF")->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Tahsilat Detay"));
    EXPECT_EQ(labelText("gelirdetayF", "DBText1"), QStringLiteral("Satış"));
    // Under "Hepsi" a row names one currency: its detail lists that row's movements only, and
    // its total is the row's amount.
    EXPECT_EQ(grid("raporKasaF", "giderGrid")->model()->index(0, 1).data().toString(),
              QStringLiteral("1.450,50"));
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("1.450,50"));
    EXPECT_EQ(labelText("gelirdetayF", "Label3"),
              QStringLiteral("Rapor Tarihi: 1/1/2021 - 31/12/2021"));
    QAbstractItemModel* model = detailGrid()->model();
    QStringList titles;
    for (int c = 0; c < model->columnCount(); ++c) {
        titles << model->headerData(c, Qt::Horizontal).toString();
    }
    EXPECT_EQ(titles, QStringList({QStringLiteral("Tarih"), QStringLiteral("Açıklama"),
                                   QStringLiteral("Tahsilat Tutarı"), QStringLiteral("PB"),
                                   QStringLiteral("D.Kuru")}));
    EXPECT_EQ(column(detailGrid(), 0),
              QStringList({QStringLiteral("05.01.2021"), QStringLiteral("10.03.2021")}));
    EXPECT_EQ(column(detailGrid(), 2),
              QStringList({QStringLiteral("1.250,50"), QStringLiteral("200,00")}));
    EXPECT_EQ(column(detailGrid(), 3), QStringList(2, QStringLiteral("TL")));
    EXPECT_EQ(column(detailGrid(), 4), QStringList(2, QStringLiteral("1,00000")));
    EXPECT_EQ(model->index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(255, 255, 192));
    EXPECT_EQ(model->index(1, 1).data(Qt::BackgroundRole).value<QBrush>().style(), Qt::NoBrush);

    clickRow(grid("raporKasaF", "hizligir"), 1, true);
    ASSERT_TRUE(isShown("giderdetayF"));
    EXPECT_EQ(windowNamed("giderdetayF")->windowTitle(),
              QStringLiteral("Norvane Tamevo Programı - Ödeme Detay"));
    EXPECT_EQ(grid("giderdetayF", "hizligir")->model()->headerData(2, Qt::Horizontal).toString(),
              QStringLiteral("Ödeme Tutarı"));
    EXPECT_EQ(labelText("giderdetayF", "Label2"), QStringLiteral("300,00"));

    showDollarSales();
    EXPECT_EQ(column(detailGrid(), 1), QStringList{QStringLiteral("Dolar satış")});
    EXPECT_EQ(column(detailGrid(), 3), QStringList{QStringLiteral("USD")});
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("100,00"));
}

// The row commands find the movement in the ledger first: its day, then its row in the
// ledger's currency (TL here); a movement the ledger does not hold gets nothing.
TEST_F(DetayWindowTest, RowCommandsGoThroughTheLedger)
{
    Ledger& ledger = program->ledger();
    showSales();

    clickRow(detailGrid(), 1, true);  // "Havale"
    EXPECT_TRUE(isShown("kasaF"));
    EXPECT_EQ(ledger.selectedDay(), QDate(2021, 3, 10));
    EXPECT_EQ(ledger.movements().state(), DatasetState::Edit);
    EXPECT_EQ(ledger.movements().value(QStringLiteral("aciklama")).toString(),
              QStringLiteral("Havale"));
    ledger.cancelPendingMovement();
    windowNamed("kasaF")->hide();

    showDollarSales();
    clickRow(detailGrid(), 0, true);  // "Dolar satış", in USD
    EXPECT_FALSE(isShown("kasaF"));

    showSales();
    chooseFromMenu(detailGrid(), 0, QStringLiteral("Evraklarına Bak/Ekle"));
    EXPECT_TRUE(isShown("resimkasaF"));
    EXPECT_EQ(ledger.movements().value(QStringLiteral("aciklama")).toString(),
              QStringLiteral("Peşin satış"));
    windowNamed("resimkasaF")->hide();

    // "Kaydı Sil": No keeps the movement; Yes deletes it through the ledger, and the list
    // and its total keep it until the detail is built again.
    dialogs().answer(Dialogs::Answer::No);
    chooseFromMenu(detailGrid(), 1, QStringLiteral("Kaydı Sil"));
    EXPECT_EQ(stored("Havale"), 1);
    dialogs().answer(Dialogs::Answer::Yes);
    chooseFromMenu(detailGrid(), 1, QStringLiteral("Kaydı Sil"));
    EXPECT_EQ(dialogs().questions().last(),
              QStringLiteral("Kaydı silmek istediğinize eminmisiniz?\n\r"
                             "10.03.2021  Giren: 200,00 TL  Havale"));
    EXPECT_EQ(dialogs().last()->title, QStringLiteral("Norvane Tamevo"));
    EXPECT_EQ(dialogs().last()->defaultAnswer, Dialogs::Answer::No);
    EXPECT_EQ(stored("Havale"), 0);
    EXPECT_EQ(column(detailGrid(), 1).size(), 2);
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("1.450,50"));
    showDollarSales();
    dialogs().answer(Dialogs::Answer::Yes);
    chooseFromMenu(detailGrid(), 0, QStringLiteral("Kaydı Sil"));  // in USD: not held
    EXPECT_EQ(stored("Dolar satış"), 1);

    showSales();
    EXPECT_EQ(column(detailGrid(), 1), QStringList{QStringLiteral("Peşin satış")});
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("1.250,50"));
}

// "Yazdır" in a window listing a source prints the movements of the analysis window's current
// type, which the window then lists; after "Kapat" the analysis prints the detail with its
// title and period again.
TEST_F(DetayWindowTest, PrintListsTheCurrentTypeAndKapatLeavesNoEmptyTitle)
{
    clickRow(grid("raporKasaF", "JvDBGrid1"), 0, true);  // source "Banka", in lira
    EXPECT_EQ(column(detailGrid(), 1), QStringList{QStringLiteral("Havale")});
    click(control<QAbstractButton>("gelirdetayF", "JvXPButton3"));
    ASSERT_EQ(dialogs().previews().size(), 1u);
    const QStringList printed = dialogs().previews()[0].pageTexts(0);
    EXPECT_TRUE(printed.contains(QStringLiteral("Satış")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Peşin satış")));
    EXPECT_TRUE(printed.contains(QStringLiteral("1.450,50")));
    EXPECT_EQ(column(detailGrid(), 1).size(), 2);
    EXPECT_EQ(labelText("gelirdetayF", "DBText1"), QStringLiteral("Satış"));

    click(control<QAbstractButton>("gelirdetayF", "JvXPButton5"));
    EXPECT_FALSE(isShown("gelirdetayF"));
    EXPECT_EQ(labelText("gelirdetayF", "Label2"), QStringLiteral("0.00"));
    EXPECT_EQ(labelText("gelirdetayF", "Label3"), QStringLiteral("Rapor Tarihi:"));
    EXPECT_EQ(column(detailGrid(), 1).size(), 0);

    click(control<QRadioButton>("raporKasaF", "yazayar3"));
    const QString text = printToPdf(QStringLiteral("detay.pdf"), [this] {
        click(control<QAbstractButton>("raporKasaF", "JvXPButton3"));
    });
    EXPECT_TRUE(text.contains(QStringLiteral("Satış"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Rapor Tarihi: 1/1/2021 - 31/12/2021")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.450,50")));
}

}  // namespace tamevo::test
