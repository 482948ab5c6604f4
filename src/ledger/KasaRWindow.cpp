#include "ledger/KasaRWindow.h"

#include "app/DatasetModel.h"
#include "app/Dialogs.h"
#include "app/WindowParts.h"
#include "app/DisplayFormat.h"
#include "app/GirisWindow.h"
#include "app/Program.h"
#include "app/Session.h"
#include "ledger/CarryOver.h"
#include "ledger/KasaWindow.h"
#include "ledger/Ledger.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tamevo {

namespace {

const QColor kMoneyOutBackground(223, 235, 255);
const QColor kMoneyOutText(12, 47, 111);
const QColor kMoneyInText(230, 98, 19);
const QColor kOddRow(255, 255, 192);
const QColor kWeekend(192, 220, 192);
constexpr int kCalendarHeight = 290;

QLabel* makeValueLabel(const QString& objectName)
{
    auto* label = new QLabel;
    label->setObjectName(objectName);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(120);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QTableView* makeGrid(const QString& objectName, const QString& accessibleName)
{
    auto* grid = new QTableView;
    grid->setObjectName(objectName);
    grid->setAccessibleName(accessibleName);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(22);
    return grid;
}

// Alternating rows of the date list and the summary: the first, third and so on tinted.
void alternateRows(DatasetModel* model)
{
    model->setCellStyle([](const DatasetRow& row, const QString&) {
        CellStyle style;
        if (row.index() % 2 == 0) {
            style.background = kOddRow;
        }
        return style;
    });
}

}  // namespace

TkasaRF::TkasaRF(Program& program) : program_(program), ledger_(program.ledger())
{
    setObjectName(QStringLiteral("kasaRF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopPanel());
    auto* middle = new QSplitter(Qt::Horizontal);
    middle->addWidget(buildLeftColumn());
    middle->addWidget(buildCentre());
    middle->setStretchFactor(1, 1);
    layout->addWidget(middle, 1);
    layout->addWidget(buildBottomPanel());
    setCentralWidget(central);

    auto* status = new QStatusBar;
    status->setObjectName(QStringLiteral("StatusBar1"));
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        statusPanels_ << panel;
        status->addWidget(panel, i == 3 ? 1 : 0);
    }
    setStatusBar(status);
    buildMenus();

    // Window creation: today in the picker, the first currency, the calendar's title and the
    // version text.
    vadesiDate->setDate(QDate::currentDate());
    ledger_.setPickerDate(QDate::currentDate());
    setCurrencyCodes({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    statusPanels_[2]->setText(QStringLiteral(" Version: 3.4 Guncelleme: 0"));

    connect(&ledger_, &Ledger::figuresChanged, this, [this] { showFigures(); });
    connect(&ledger_, &Ledger::bookSwitched, this, [this](const OpenBookTexts& texts) {
        setOpenBookTexts(texts);
        tarihyukle();
    });
    connect(&ledger_, &Ledger::pickerDateChanged, this,
            [this](const QDate& date) { vadesiDate->setDate(date); });
}

QWidget* TkasaRF::buildTopPanel()
{
    auto* panel = new QWidget;
    auto* layout = new QHBoxLayout(panel);
    Label11 = new QLabel(QStringLiteral("KASA"));
    Label11->setObjectName(QStringLiteral("Label11"));
    QFont headerFont = Label11->font();
    headerFont.setBold(true);
    headerFont.setPointSize(headerFont.pointSize() + 4);
    Label11->setFont(headerFont);
    layout->addWidget(Label11, 1);

    dovizBox = new QComboBox;
    dovizBox->setObjectName(QStringLiteral("dovizBox"));
    layout->addWidget(makeCaption(QStringLiteral("Para Birimi"), dovizBox));
    layout->addWidget(dovizBox);
    vadesiDate = new QDateEdit;
    vadesiDate->setObjectName(QStringLiteral("vadesiDate"));
    vadesiDate->setCalendarPopup(true);
    vadesiDate->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    layout->addWidget(makeCaption(QStringLiteral("Tarih"), vadesiDate));
    layout->addWidget(vadesiDate);
    goButton = makeButton(QStringLiteral("JvXPButton1"), QStringLiteral("GİT"));
    layout->addWidget(goButton);
    twoDateButton =
        makeButton(QStringLiteral("JvXPButton7"), QStringLiteral("İki Tarih Arası Kasa Hareketi"));
    typeReportButton =
        makeButton(QStringLiteral("islemturuBut"), QStringLiteral("İşlem/Kaynak Türü Raporu"));
    layout->addWidget(twoDateButton);
    layout->addWidget(typeReportButton);

    yazayar = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"));
    yazayar->setObjectName(QStringLiteral("yazayar"));
    auto* choices = new QGridLayout(yazayar);
    const QStringList items{
        QStringLiteral("Günlük Kasa Raporu"),    QStringLiteral("Günlük Kasa Detay"),
        QStringLiteral("İki Tarih Arası Rapor"), QStringLiteral("İki Tarih Detay Raporu"),
        QStringLiteral("İşlem Türü Raporu"),     QStringLiteral("Gün Toplamları Raporu")};
    for (int i = 0; i < items.size(); ++i) {
        auto* choice = new QRadioButton(items[i]);
        choice->setObjectName(QStringLiteral("yazayar%1").arg(i));
        reportChoices << choice;
        choices->addWidget(choice, i / 2, i % 2);
    }
    reportChoices.first()->setChecked(true);
    layout->addWidget(yazayar);
    CheckBox1 = new QCheckBox(QStringLiteral("Kısa Açıklama"));
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    printButton = makeButton(QStringLiteral("STRG1Yaz"), QStringLiteral("YAZDIR"));
    auto* printColumn = new QVBoxLayout;
    printColumn->addWidget(CheckBox1);
    printColumn->addWidget(printButton);
    layout->addLayout(printColumn);

    connect(dovizBox, &QComboBox::activated, this, [this] { yenileButClick(); });
    connect(vadesiDate, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { ledger_.setPickerDate(date); });
    connect(goButton, &QPushButton::clicked, this, [this] { JvXPButton1Click(); });
    connect(twoDateButton, &QPushButton::clicked, this, [this] {
        if (onTwoDate) {
            onTwoDate();
        }
    });
    connect(typeReportButton, &QPushButton::clicked, this, [this] {
        if (onTypeReport) {
            onTypeReport();
        }
    });
    connect(printButton, &QPushButton::clicked, this, [this] {
        if (onPrint) {
            onPrint();
        }
    });
    return panel;
}

QWidget* TkasaRF::buildLeftColumn()
{
    Splitter3 = new QSplitter(Qt::Vertical);
    Splitter3->setObjectName(QStringLiteral("Splitter3"));
    DBGrid2 = makeGrid(QStringLiteral("DBGrid2"), QStringLiteral("Kasa Tarihi"));
    dateListModel = new DatasetModel(ledger_.kasaRQuery, this);
    dateListModel->addColumn(
        QStringLiteral("islem_tarihi"), QStringLiteral("Kasa Tarihi"),
        [](const QVariant& v) { return formatListDay(v.toDate()); }, Qt::AlignCenter);
    alternateRows(dateListModel);
    bindTableView(*DBGrid2, *dateListModel);
    DBGrid2->horizontalHeader()->setStretchLastSection(true);
    Splitter3->addWidget(DBGrid2);

    StringGrid3 = new QTableWidget(DayCalendar::kRows - 1, 1);
    StringGrid3->setObjectName(QStringLiteral("StringGrid3"));
    StringGrid3->setAccessibleName(DayCalendar::kTitle);
    auto* title = new QTableWidgetItem(DayCalendar::kTitle);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    StringGrid3->setHorizontalHeaderItem(0, title);
    StringGrid3->horizontalHeader()->setStretchLastSection(true);
    StringGrid3->verticalHeader()->setVisible(false);
    StringGrid3->verticalHeader()->setDefaultSectionSize(20);
    StringGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid3->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid3->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid3->setMinimumHeight(80);
    Splitter3->addWidget(StringGrid3);
    Splitter3->setSizes({400, kCalendarHeight});
    Splitter3->setMinimumWidth(170);

    // The date list follows a click or a key; the figures follow the day.
    connect(DBGrid2, &QTableView::clicked, this,
            [this](const QModelIndex& index) { selectDateListRow(index.row()); });
    DBGrid2->installEventFilter(this);
    connect(StringGrid3, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { StringGrid3DblClick(row + 1); });
    return Splitter3;
}

QWidget* TkasaRF::buildCentre()
{
    auto* centre = new QWidget;
    auto* layout = new QVBoxLayout(centre);
    auto* header = new QHBoxLayout;
    dayHeaderLabel = new QLabel;
    dayHeaderLabel->setObjectName(QStringLiteral("dayHeaderLabel"));
    QFont bold = dayHeaderLabel->font();
    bold.setBold(true);
    dayHeaderLabel->setFont(bold);
    header->addWidget(dayHeaderLabel);
    header->addStretch();
    dayStartLabel = makeValueLabel(QStringLiteral("dayStartLabel"));
    header->addWidget(makeCaption(QStringLiteral("GÜN BAŞI KASA")));
    header->addWidget(dayStartLabel);
    newButton = makeButton(QStringLiteral("tahsilatYap"), QStringLiteral("YENİ"));
    changeButton = makeButton(QStringLiteral("KaydDzelt"), QStringLiteral("DEĞİŞTİR"));
    deleteButton = makeButton(QStringLiteral("KaydSil"), QStringLiteral("SİL"));
    documentsButton = makeButton(QStringLiteral("ResimEkle"), QStringLiteral("BELGE EKLE"));
    helpButton = makeHelpButton(QStringLiteral("helpButton"));
    for (QWidget* w : {static_cast<QWidget*>(newButton), static_cast<QWidget*>(changeButton),
                       static_cast<QWidget*>(deleteButton), static_cast<QWidget*>(documentsButton),
                       static_cast<QWidget*>(helpButton)}) {
        header->addWidget(w);
    }
    layout->addLayout(header);

    Splitter1 = new QSplitter(Qt::Vertical);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    DBGrid1 = makeGrid(QStringLiteral("DBGrid1"), QStringLiteral("Kasa Hareketleri"));
    movementModel = new DatasetModel(ledger_.kasaTable, this);
    const auto amount = [](const QVariant& v) { return formatAmount(v); };
    movementModel->addColumn(QStringLiteral("aciklama"), QStringLiteral("Açıklama"));
    movementModel->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("Para B."), {},
                             Qt::AlignCenter);
    movementModel->addColumn(QStringLiteral("borc_tutar"), QStringLiteral("Giren Para"), amount,
                             Qt::AlignRight | Qt::AlignVCenter);
    movementModel->addColumn(QStringLiteral("alacak_tutar"), QStringLiteral("Çıkan Para"), amount,
                             Qt::AlignRight | Qt::AlignVCenter);
    movementModel->addColumn(
        QStringLiteral("doviz_kuru"), QStringLiteral("Kuru"),
        [](const QVariant& v) { return formatRate(v); }, Qt::AlignRight | Qt::AlignVCenter);
    movementModel->addColumn(QStringLiteral("neden"), QStringLiteral("İşlem Türü"));
    movementModel->addColumn(QStringLiteral("bankaadi"), QStringLiteral("Kaynak Adı"));
    // Money out (no money-in value) pale blue with dark blue text; money in orange text.
    movementModel->setCellStyle([](const DatasetRow& row, const QString&) {
        CellStyle style;
        if (row.value(QStringLiteral("borc_tutar")).isNull()) {
            style.background = kMoneyOutBackground;
            style.foreground = kMoneyOutText;
        } else {
            style.foreground = kMoneyInText;
        }
        return style;
    });
    bindTableView(*DBGrid1, *movementModel);
    DBGrid1->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Splitter1->addWidget(DBGrid1);

    DBGrid3 = makeGrid(QStringLiteral("DBGrid3"), QStringLiteral("Para Birimi Durumu"));
    summaryModel = new DatasetModel(ledger_.guntoplamtumuQuery, this);
    summaryModel->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("Para Birimi"));
    summaryModel->addColumn(QStringLiteral("GunBasi"), QStringLiteral("Gün Başı Mevcut"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("BorcToplam"), QStringLiteral("Kasaya Giren"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("AlacakToplam"), QStringLiteral("Kasadan Çıkan"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("bakiye"), QStringLiteral("Gün Sonu Bakiye"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    alternateRows(summaryModel);
    bindTableView(*DBGrid3, *summaryModel);
    DBGrid3->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    DBGrid3->setVisible(false);
    Splitter1->addWidget(DBGrid3);
    Splitter1->setStretchFactor(0, 1);
    layout->addWidget(Splitter1, 1);

    connect(newButton, &QPushButton::clicked, this, [this] { tahsilatYapClick(); });
    connect(changeButton, &QPushButton::clicked, this, [this] { KaydDzelt1Click(); });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { KaydDzelt1Click(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { KaydSil1Click(); });
    connect(documentsButton, &QPushButton::clicked, this, [this] { ResimEkle1Click(); });
    return centre;
}

QWidget* TkasaRF::buildBottomPanel()
{
    auto* panel = new QWidget;
    auto* layout = new QGridLayout(panel);
    bottomDayLabel = new QLabel;
    bottomDayLabel->setObjectName(QStringLiteral("bottomDayLabel"));
    layout->addWidget(bottomDayLabel, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("GÜNE AİT KASA")), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("TOPLAMLARI")), 2, 0);

    dayInLabel = makeValueLabel(QStringLiteral("dayInLabel"));
    dayOutLabel = makeValueLabel(QStringLiteral("dayOutLabel"));
    dayBalanceLabel = makeValueLabel(QStringLiteral("dayBalanceLabel"));
    Label10 = makeValueLabel(QStringLiteral("Label10"));
    Label10->setText(QStringLiteral("..."));
    layout->addWidget(makeCaption(QStringLiteral("GİREN PARA")), 0, 1);
    layout->addWidget(dayInLabel, 0, 2);
    layout->addWidget(makeCaption(QStringLiteral("ÇIKAN PARA")), 1, 1);
    layout->addWidget(dayOutLabel, 1, 2);
    layout->addWidget(makeCaption(QStringLiteral("GÜN BAKİYE")), 2, 1);
    layout->addWidget(dayBalanceLabel, 2, 2);
    layout->addWidget(makeCaption(QStringLiteral("GÜN SONU KASA")), 0, 3);
    layout->addWidget(Label10, 0, 4);

    refreshButton = makeButton(QStringLiteral("yenileBut"), QStringLiteral("BİLGİLERİ GÜNCELLE"));
    mainMenuButton = makeButton(QStringLiteral("JvXPButton9"), QStringLiteral("Ana Menü"));
    carryOverButton = makeButton(QStringLiteral("JvXPButton2"), QStringLiteral("YIL DEVRİ AL"));
    excelButton = makeButton(QStringLiteral("excelBut"), QStringLiteral("Excel"));
    closeButton = makeButton(QStringLiteral("kapat"), QStringLiteral("KAPAT"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b :
         {refreshButton, mainMenuButton, carryOverButton, excelButton, closeButton}) {
        buttons->addWidget(b);
    }
    layout->addLayout(buttons, 1, 3, 2, 2);
    layout->setColumnStretch(5, 1);

    connect(refreshButton, &QPushButton::clicked, this, [this] { yenileButClick(); });
    connect(mainMenuButton, &QPushButton::clicked, this, [this] { program_.kasakapat(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    connect(carryOverButton, &QPushButton::clicked, this, [this] { JvXPButton2Click(); });
    connect(excelButton, &QPushButton::clicked, this, [this] {
        if (onExcel) {
            onExcel();
        }
    });
    return panel;
}

void TkasaRF::buildMenus()
{
    // The date list and the calendar: which of the two lists the column shows.
    auto* listMenu = new QMenu(this);
    listMenu->addAction(QStringLiteral("Üst Listeyi Gizle"), this,
                        [this] { stListeyiGizle1Click(); });
    listMenu->addAction(QStringLiteral("Alt Listeyi Gizle"), this,
                        [this] { AltListeyiGizle1Click(); });
    listMenu->addAction(QStringLiteral("Tüm Listeyi Göster"), this,
                        [this] { mLiteyiGster1Click(); });
    for (QWidget* list : {static_cast<QWidget*>(DBGrid2), static_cast<QWidget*>(StringGrid3)}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this,
                [listMenu, list](const QPoint& at) { listMenu->popup(list->mapToGlobal(at)); });
    }

    // The movement grid and the summary grid: the movement commands with their keys.
    auto* movementMenu = new QMenu(this);
    const struct {
        const char* caption;
        QKeySequence key;
        void (TkasaRF::*command)();
    } entries[] = {
        {"Para Giriş Çıkışı Yap", QKeySequence(Qt::Key_Insert), &TkasaRF::tahsilatYapClick},
        {"Kaydı Düzelt", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TkasaRF::KaydDzelt1Click},
        {"Kaydı Sil", QKeySequence(Qt::Key_Delete), &TkasaRF::KaydSil1Click},
        {"Evraklarına Bak/Ekle", QKeySequence(), &TkasaRF::ResimEkle1Click},
    };
    for (const auto& e : entries) {
        QAction* action = movementMenu->addAction(QString::fromUtf8(e.caption));
        action->setShortcut(e.key);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        const auto command = e.command;
        connect(action, &QAction::triggered, this, [this, command] { (this->*command)(); });
        DBGrid1->addAction(action);
        DBGrid3->addAction(action);
    }
    for (QTableView* grid : {DBGrid1, DBGrid3}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this,
                [movementMenu, grid](const QPoint& at) {
                    movementMenu->popup(grid->viewport()->mapToGlobal(at));
                });
    }
}

void TkasaRF::setOpenBookTexts(const OpenBookTexts& texts)
{
    setWindowTitle(texts.caption);
    Label11->setText(texts.header);
    statusPanels_[3]->setText(texts.status);
}

QString TkasaRF::statusPanelText(int panel) const
{
    return statusPanels_.value(panel) != nullptr ? statusPanels_[panel]->text() : QString();
}

void TkasaRF::setCurrencyCodes(const QStringList& codes)
{
    dovizBox->clear();
    dovizBox->addItems(codes);
    dovizBox->addItem(kAllCurrencies);
    dovizBox->setCurrentIndex(0);
    ledger_.setCurrencySelection(dovizBox->currentText());
}

void TkasaRF::openBook()
{
    guarded([this] {
        ledger_.setCurrencySelection(dovizBox->currentIndex() < 0 ? QString()
                                                                  : dovizBox->currentText());
        ledger_.openBook();
    });
    program_.girisF->ParaBirimiAyarla();
    tarihyukle();
    showMaximized();
    guarded([this] {
        ledger_.ParaBirimiDurum();
        showSummary();
    });
}

void TkasaRF::closeBook()
{
    ledger_.closeBook();
}

void TkasaRF::showFigures()
{
    const QDate day = ledger_.selectedDay();
    const QString dayText = ledger_.kasaRQuery.isOpen() && ledger_.kasaRQuery.currentIndex() >= 0
                                ? day.toString(QStringLiteral("dd.MM.yyyy"))
                                : QString();
    dayHeaderLabel->setText(dayText + QStringLiteral(" KASA"));
    bottomDayLabel->setText(dayText);
    dayStartLabel->setText(formatAmount(ledger_.gunbasikasaQuery.value(QStringLiteral("bakiye"))));
    dayInLabel->setText(formatAmount(ledger_.guniciQuery.value(QStringLiteral("BorcToplam"))));
    dayOutLabel->setText(formatAmount(ledger_.guniciQuery.value(QStringLiteral("AlacakToplam"))));
    dayBalanceLabel->setText(formatAmount(ledger_.guniciQuery.value(QStringLiteral("bakiye"))));
    Label10->setText(formatAmount(ledger_.dayEndBalance()));
}

void TkasaRF::showSummary()
{
    const bool visible = ledger_.guntoplamtumuQuery.isOpen();
    DBGrid3->setVisible(visible);
    if (visible) {
        const int rows = ledger_.guntoplamtumuQuery.recordCount();
        const int height = rows <= 1 ? 50 : rows == 2 ? 74 : 98;
        DBGrid3->setFixedHeight(height);
    }
}

void TkasaRF::yenileButClick()
{
    guarded([this] {
        ledger_.setCurrencySelection(dovizBox->currentIndex() < 0 ? QString()
                                                                  : dovizBox->currentText());
        ledger_.yenile();
        ledger_.ParaBirimiDurum();
    });
    showSummary();
    stringtebul();
}

void TkasaRF::selectDateListRow(int row)
{
    guarded([this, row] {
        ledger_.selectDay(row);
        stringtebul();
        ledger_.ParaBirimiDurum();
    });
    showSummary();
}

void TkasaRF::JvXPButton1Click()
{
    guarded([this] {
        ledger_.goToPickerDate();
        ledger_.ParaBirimiDurum();
    });
    showSummary();
    stringtebul();
}

void TkasaRF::tahsilatYapClick()
{
    guarded([this] {
        TkasaF* entry = program_.kasaF;
        const bool hasDay = ledger_.kasaRQuery.isOpen() && ledger_.kasaRQuery.currentIndex() >= 0;
        entry->vadesiDate->setDate(hasDay ? ledger_.selectedDay() : QDate::currentDate());
        if (dovizBox->currentIndex() >= 0 && dovizBox->currentText() != kAllCurrencies) {
            entry->dovizBox->setCurrentIndex(dovizBox->currentIndex());
        }
        if (entry->dovizBox->currentIndex() < 0) {
            entry->dovizBox->setCurrentIndex(0);
        }
        ledger_.appendMovement();
        entry->show();
        entry->raise();
    });
}

void TkasaRF::KaydDzelt1Click()
{
    guarded([this] {
        if (ledger_.kasaTable.value(QStringLiteral("nid")).toLongLong() <= 0) {
            return;
        }
        TkasaF* entry = program_.kasaF;
        entry->vadesiDate->setDate(
            ledger_.kasaTable.value(QStringLiteral("islem_tarihi")).toDate());
        entry->setCurrencyText(ledger_.kasaTable.value(QStringLiteral("doviz_cinsi")).toString());
        ledger_.editCurrentMovement();
        entry->show();
        entry->raise();
    });
}

void TkasaRF::KaydSil1Click()
{
    if (dialogs().question(kApplicationTitle, kDeleteQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    guarded([this] {
        ledger_.deleteCurrentMovement();
        ledger_.ParaBirimiDurum();
    });
    showSummary();
}

void TkasaRF::ResimEkle1Click()
{
    guarded([this] {
        ledger_.kasaTable.open();
        if (ledger_.kasaTable.value(QStringLiteral("nid")).toLongLong() < 1) {
            return;
        }
        if (onDocuments) {
            onDocuments();
        }
    });
}

void TkasaRF::JvXPButton2Click()
{
    guarded([this] {
        YilSonuDevri(ledger_,
                     [this](const QString& year) { program_.girisF->yilEdit->setText(year); });
    });
    guarded([this] {
        ledger_.refreshAfterCarryOver();
        ledger_.ParaBirimiDurum();
    });
    showSummary();
    stringtebul();
}

void TkasaRF::StringGrid3DblClick(int row)
{
    const QDate day = calendar.dayOfRow(row);
    if (!day.isValid()) {
        return;
    }
    vadesiDate->setDate(day);
    ledger_.setPickerDate(day);
    JvXPButton1Click();
}

void TkasaRF::stListeyiGizle1Click()
{
    DBGrid2->hide();
    StringGrid3->show();
    Splitter3->handle(1)->hide();
}

void TkasaRF::AltListeyiGizle1Click()
{
    DBGrid2->show();
    StringGrid3->hide();
    Splitter3->handle(1)->hide();
}

void TkasaRF::mLiteyiGster1Click()
{
    DBGrid2->show();
    StringGrid3->show();
    Splitter3->handle(1)->show();
    Splitter3->setSizes({qMax(100, Splitter3->height() - kCalendarHeight), kCalendarHeight});
}

void TkasaRF::tarihyukle()
{
    calendar.fill(DayCalendar::calendarYear(program_.session().CalismaYili, ledger_.pickerDate()));
    for (int row = 1; row < DayCalendar::kRows; ++row) {
        auto* item = new QTableWidgetItem(calendar.rowText(row));
        if (calendar.isWeekendRow(row)) {
            item->setBackground(kWeekend);
        }
        StringGrid3->setItem(row - 1, 0, item);
    }
    stringtebul();
}

void TkasaRF::stringtebul()
{
    if (!ledger_.kasaRQuery.isOpen() || ledger_.kasaRQuery.isEmpty()) {
        return;
    }
    // The last row first, then the match: the matched day comes to the top of the list.
    const int last = DayCalendar::kRows - 2;
    StringGrid3->setCurrentCell(last, 0);
    StringGrid3->scrollToBottom();
    const int row = calendar.rowOf(ledger_.selectedDay()) - 1;
    StringGrid3->setCurrentCell(row, 0);
    StringGrid3->scrollToItem(StringGrid3->item(row, 0), QAbstractItemView::PositionAtTop);
}

bool TkasaRF::eventFilter(QObject* watched, QEvent* event)
{
    // A key released in the date list selects the day it moved to.
    if (watched == DBGrid2 && event->type() == QEvent::KeyRelease &&
        DBGrid2->currentIndex().isValid()) {
        selectDateListRow(DBGrid2->currentIndex().row());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TkasaRF::closeEvent(QCloseEvent* event)
{
    // Every close request of the ledger goes to the entry screen's exit question; the ledger
    // closes whatever the answer.
    program_.girisF->close();
    event->accept();
}

}  // namespace tamevo
