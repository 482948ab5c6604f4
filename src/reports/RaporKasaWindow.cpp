#include "reports/RaporKasaWindow.h"

#include "data/ProgramVersion.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "lists/ReferenceLists.h"
#include "reportengine/ReportPreviewPort.h"
#include "widgets/DatasetModel.h"
#include "widgets/WindowKit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tamevo {

namespace {

const QString kGroupAmountFormat = QStringLiteral("#,##0.00");
constexpr int kRowHeight = 20;

QDateEdit* makeDatePicker(const char* objectName)
{
    auto* picker = new QDateEdit;
    picker->setObjectName(QString::fromLatin1(objectName));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    return picker;
}

QLineEdit* makeTotalEdit(const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

}  // namespace

TraporKasaF::TraporKasaF(IncomeExpenseAnalysis& analysis) : analysis_(analysis)
{
    setObjectName(QStringLiteral("raporKasaF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı - Günlük Kasa İşlem Türü Raporlama"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopPanel());
    layout->addWidget(buildGrids(), 1);
    setCentralWidget(central);

    statusPanels_ = addStatusPanels(this, 3);
    buildMenus();

    setCurrencyEntries(currencyBoxes(kBuiltInCurrencies).analysis);
    showPeriod();
    showFigures();
    connect(&analysis_, &IncomeExpenseAnalysis::periodChanged, this, [this] { showPeriod(); });
    connect(&analysis_, &IncomeExpenseAnalysis::figuresChanged, this, [this] { showFigures(); });
}

QWidget* TraporKasaF::buildTopPanel()
{
    auto* panel = new QWidget;
    auto* layout = new QGridLayout(panel);

    firstDayPicker = makeDatePicker("DateTimePicker2");
    lastDayPicker = makeDatePicker("DateTimePicker1");
    currencyBox = new QComboBox;
    currencyBox->setObjectName(QStringLiteral("dovizBox"));
    layout->addWidget(makeCaption(QStringLiteral("İlk Tarih"), firstDayPicker), 0, 0);
    layout->addWidget(firstDayPicker, 1, 0);
    layout->addWidget(makeCaption(QStringLiteral("Son Tarih"), lastDayPicker), 0, 1);
    layout->addWidget(lastDayPicker, 1, 1);
    layout->addWidget(makeCaption(QStringLiteral("Para Birimi"), currencyBox), 0, 2);
    layout->addWidget(currencyBox, 1, 2);

    buildButton = makeButton(QStringLiteral("JvXPButton2"), QStringLiteral("Raporu Hazırla"));
    collectionsDetailButton =
        makeButton(QStringLiteral("JvXPButton1"), QStringLiteral("Tahsilat Detay"));
    paymentsDetailButton = makeButton(QStringLiteral("JvXPButton4"), QStringLiteral("Ödeme Detay"));
    layout->addWidget(buildButton, 2, 0);
    layout->addWidget(collectionsDetailButton, 2, 1);
    layout->addWidget(paymentsDetailButton, 2, 2);

    collectionsTotalEdit = makeTotalEdit("donemgelirEdit");
    paymentsTotalEdit = makeTotalEdit("donemgiderEdit");
    differenceEdit = makeTotalEdit("donemkarzararEdit");
    const struct {
        const char* caption;
        QLineEdit* edit;
    } totals[] = {{"Dönem Tahsilat Tutarı", collectionsTotalEdit},
                  {"Dönem Ödeme Tutarı", paymentsTotalEdit},
                  {"Dönem Kasa Bakiye", differenceEdit}};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(makeCaption(QString::fromUtf8(totals[i].caption), totals[i].edit), i, 3);
        layout->addWidget(totals[i].edit, i, 4);
    }

    auto* printGroup = new QGroupBox(QStringLiteral("Yazdırma Seçenekleri"));
    printGroup->setObjectName(QStringLiteral("yazayar"));
    auto* choices = new QVBoxLayout(printGroup);
    const QStringList items{
        QStringLiteral("Tahsilatlar Özet Tablosu"), QStringLiteral("Ödemeler Özet Tablosu"),
        QStringLiteral("Tahsilat/Ödeme Özeti"), QStringLiteral("Tahsilat Detay Raporu"),
        QStringLiteral("Ödeme Detay Raporu")};
    for (int i = 0; i < items.size(); ++i) {
        auto* choice = new QRadioButton(items[i]);
        choice->setObjectName(QStringLiteral("yazayar%1").arg(i));
        printChoices << choice;
        choices->addWidget(choice);
    }
    printChoices.first()->setChecked(true);
    layout->addWidget(printGroup, 0, 5, 4, 1);

    printButton = makeButton(QStringLiteral("JvXPButton3"), QStringLiteral("Yazdır"));
    closeButton = makeButton(QStringLiteral("JvXPButton5"), QStringLiteral("Kapat"));
    layout->addWidget(printButton, 0, 6);
    layout->addWidget(closeButton, 1, 6);
    layout->setColumnStretch(7, 1);

    connect(firstDayPicker, &QDateEdit::dateChanged, this,
            [this](const QDate& day) { analysis_.setFirstDay(day); });
    connect(lastDayPicker, &QDateEdit::dateChanged, this,
            [this](const QDate& day) { analysis_.setLastDay(day); });
    connect(currencyBox, &QComboBox::activated, this, [this] { buildAnalysis(); });
    connect(buildButton, &QPushButton::clicked, this, [this] { buildAnalysis(); });
    // "Tahsilat Detay" lists the payments of the payments grid's type, and "Ödeme Detay" the
    // collections of the collections grid's type, as the program always had them.
    connect(collectionsDetailButton, &QPushButton::clicked, this,
            [this] { showDetail(AnalysisSide::Payments, false); });
    connect(paymentsDetailButton, &QPushButton::clicked, this,
            [this] { showDetail(AnalysisSide::Collections, false); });
    connect(printButton, &QPushButton::clicked, this, [this] { printChoice(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { closeAnalysis(); });
    return panel;
}

QTableView* TraporKasaF::buildGrid(Dataset& dataset, const char* objectName,
                                   const QString& groupField, const QString& groupTitle,
                                   int groupWidth, AnalysisSide side)
{
    const bool collections = side == AnalysisSide::Collections;
    QTableView* grid = makeListGrid(QString::fromLatin1(objectName), groupTitle, kRowHeight);
    auto* model = new DatasetModel(dataset, this);
    model->addColumn(groupField, groupTitle);
    model->addColumn(
        sumField(side),
        collections ? QStringLiteral("Tahsilat Tutarı") : QStringLiteral("Ödeme Tutarı"),
        [](const QVariant& v) { return formatField(v, kGroupAmountFormat); },
        Qt::AlignRight | Qt::AlignVCenter);
    model->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("PB"));
    tintAlternateRows(*model);
    bindTableView(*grid, *model);
    // The group's name takes the room the grid has; the amount and the currency what they
    // need. A grid shows at least eight rows, however small the window.
    grid->setColumnWidth(0, groupWidth);
    grid->horizontalHeader()->setMinimumSectionSize(60);
    grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    grid->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    grid->setMinimumWidth(groupWidth + 160);
    grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() + 8 * kRowHeight +
                           2 * grid->frameWidth());
    return grid;
}

QWidget* TraporKasaF::buildGrids()
{
    const QString source = QStringLiteral("bankaadi");
    const QString sourceTitle = QStringLiteral("Kaynak Adı");
    collectionTypeGrid = buildGrid(analysis_.typeTotals(AnalysisSide::Collections), "giderGrid",
                                   QStringLiteral("neden"), QStringLiteral("Tahsilat Türü"), 240,
                                   AnalysisSide::Collections);
    collectionSourceGrid = buildGrid(analysis_.sourceTotals(AnalysisSide::Collections), "JvDBGrid1",
                                     source, sourceTitle, 240, AnalysisSide::Collections);
    paymentTypeGrid =
        buildGrid(analysis_.typeTotals(AnalysisSide::Payments), "hizligir", QStringLiteral("neden"),
                  QStringLiteral("Ödeme Türü"), 250, AnalysisSide::Payments);
    paymentSourceGrid = buildGrid(analysis_.sourceTotals(AnalysisSide::Payments), "JvDBGrid2",
                                  source, sourceTitle, 250, AnalysisSide::Payments);

    collectionsSplitter = new QSplitter(Qt::Vertical);
    collectionsSplitter->setObjectName(QStringLiteral("Splitter2"));
    collectionsSplitter->addWidget(collectionTypeGrid);
    collectionsSplitter->addWidget(collectionSourceGrid);
    paymentsSplitter = new QSplitter(Qt::Vertical);
    paymentsSplitter->setObjectName(QStringLiteral("Splitter3"));
    paymentsSplitter->addWidget(paymentTypeGrid);
    paymentsSplitter->addWidget(paymentSourceGrid);
    for (QSplitter* half : {collectionsSplitter, paymentsSplitter}) {
        half->setStretchFactor(0, 1);
        half->setChildrenCollapsible(false);
    }
    halvesSplitter = new QSplitter(Qt::Horizontal);
    halvesSplitter->setObjectName(QStringLiteral("Splitter1"));
    halvesSplitter->addWidget(collectionsSplitter);
    halvesSplitter->addWidget(paymentsSplitter);

    connect(collectionTypeGrid, &QTableView::doubleClicked, this,
            [this] { showDetail(AnalysisSide::Collections, false); });
    connect(collectionSourceGrid, &QTableView::doubleClicked, this,
            [this] { showDetail(AnalysisSide::Collections, true); });
    connect(paymentTypeGrid, &QTableView::doubleClicked, this,
            [this] { showDetail(AnalysisSide::Payments, false); });
    connect(paymentSourceGrid, &QTableView::doubleClicked, this,
            [this] { showDetail(AnalysisSide::Payments, true); });
    return halvesSplitter;
}

void TraporKasaF::buildMenus()
{
    // Each half's two grids share a menu. "Detay Göster" lists the movements of the type of
    // the half's type grid, whichever grid the menu was opened on; "Detay Yazdır" prints the
    // other half's detail, as the program always had it.
    const struct {
        QList<QTableView*> grids;
        AnalysisSide side;
        AnalysisSide printed;
    } halves[] = {
        {{collectionTypeGrid, collectionSourceGrid},
         AnalysisSide::Collections,
         AnalysisSide::Payments},
        {{paymentTypeGrid, paymentSourceGrid}, AnalysisSide::Payments, AnalysisSide::Collections},
    };
    for (const auto& half : halves) {
        auto* menu = new QMenu(this);
        const AnalysisSide side = half.side;
        const AnalysisSide printed = half.printed;
        const QList<QWidget*> grids(half.grids.begin(), half.grids.end());
        addGridCommand(menu, grids, QStringLiteral("Detay Göster"), {},
                       [this, side] { showDetail(side, false); });
        addGridCommand(menu, grids, QStringLiteral("Detay Yazdır"), {},
                       [this, printed] { printTypeDetail(printed); });
        for (QTableView* grid : half.grids) {
            attachGridMenu(grid, menu);
        }
    }
}

void TraporKasaF::showAnalysis()
{
    statusPanels_[2]->setText(versionPanelText());
    showMaximized();
    raise();
}

void TraporKasaF::setCurrencyEntries(const QStringList& entries)
{
    currencyBox->clear();
    currencyBox->addItems(entries);
    currencyBox->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    analysis_.setCurrency({});
}

void TraporKasaF::showPeriod()
{
    firstDayPicker->setDate(analysis_.period().first);
    lastDayPicker->setDate(analysis_.period().last);
}

void TraporKasaF::showFigures()
{
    collectionsTotalEdit->setText(analysis_.totalText(AnalysisSide::Collections));
    paymentsTotalEdit->setText(analysis_.totalText(AnalysisSide::Payments));
    differenceEdit->setText(analysis_.differenceText());
    sizeSourceGrid(AnalysisSide::Collections);
    sizeSourceGrid(AnalysisSide::Payments);
}

// A source grid shows up to five rows without scrolling and is hidden, with the splitter
// above it, when the side has no source.
void TraporKasaF::sizeSourceGrid(AnalysisSide side)
{
    const bool collections = side == AnalysisSide::Collections;
    QTableView* grid = collections ? collectionSourceGrid : paymentSourceGrid;
    QSplitter* half = collections ? collectionsSplitter : paymentsSplitter;
    const Dataset& sources = analysis_.sourceTotals(side);
    const int rows = sources.isOpen() ? sources.recordCount() : 0;
    grid->setVisible(rows > 0);
    half->handle(1)->setVisible(rows > 0);
    if (rows > 0) {
        grid->setFixedHeight(std::min(rows, 5) * 24 + 30);
    }
}

void TraporKasaF::buildAnalysis()
{
    analysis_.setCurrency(currencyBox->currentIndex() > 0 ? currencyBox->currentText() : QString());
    guarded([this] {
        // A year of movements takes a moment: the cursor says so.
        const auto busy = dialogs().startProgress(QStringLiteral("Rapor Hazırlanıyor"), false);
        analysis_.buildBothSides();
    });
}

void TraporKasaF::printChoice()
{
    int choice = -1;
    for (int i = 0; i < printChoices.size(); ++i) {
        if (printChoices[i]->isChecked()) {
            choice = i;
        }
    }
    if (choice < 0) {
        return;
    }
    IncomeExpenseAnalysis::Report which{};
    if (guarded(
            [&] { which = analysis_.buildReport(IncomeExpenseAnalysis::PrintChoice(choice)); })) {
        showReport(which);
    }
}

void TraporKasaF::closeAnalysis()
{
    hide();
    analysis_.closeTypeTotals();
}

void TraporKasaF::showDetail(AnalysisSide side, bool bySource)
{
    if (!guarded([&] {
            if (bySource) {
                analysis_.sourceDetail(side);
            } else {
                analysis_.typeDetail(side);
            }
        })) {
        return;
    }
    if (side == AnalysisSide::Collections) {
        emit collectionsDetailRequested();
    } else {
        emit paymentsDetailRequested();
    }
}

void TraporKasaF::printTypeDetail(AnalysisSide side)
{
    if (guarded([&] { analysis_.typeDetail(side); })) {
        showReport(IncomeExpenseAnalysis::detailReport(side));
    }
}

void TraporKasaF::showReport(IncomeExpenseAnalysis::Report which)
{
    guarded([&] {
        report::previewPrepared([&](const report::PrepareOptions& options) {
            return analysis_.prepare(which, measurer_, options);
        });
    });
}

}  // namespace tamevo
