#include "ledger/KasaRWindow.h"

#include "data/ProgramVersion.h"
#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "data/Session.h"
#include "ledger/CarryOver.h"
#include "ledger/CarryOverCheck.h"
#include "ledger/Ledger.h"
#include "lists/ReferenceLists.h"
#include "widgets/DatasetModel.h"
#include "widgets/WindowKit.h"

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
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tamevo {

namespace {

const QColor kWeekend(192, 220, 192);
constexpr int kCalendarHeight = 290;

}  // namespace

TkasaRF::TkasaRF(Session& session, Ledger& ledger, CurrencyChoices& currencies)
    : session_(session), ledger_(ledger), currencies_(currencies)
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

    statusPanels_ = addStatusPanels(this, 4);
    buildMenus();

    // Tab follows the eye: the top panel left to right, the date list and the calendar, the
    // day's buttons, its movements and the summary, then the bottom buttons. Enter in the
    // date box goes to its day, as "GİT" does.
    QList<QWidget*> order{currencyBox, datePicker, goButton, twoDateButton, typeReportButton};
    for (QRadioButton* choice : reportChoices) {
        order << choice;
    }
    order << shortDescriptionCheck << printButton << dateListGrid << calendarGrid << newButton
          << changeButton << deleteButton << documentsButton << helpButton << movementGrid
          << summaryGrid << refreshButton << mainMenuButton << carryOverButton
          << retakeCarryOverButton << excelButton << closeButton;
    for (int i = 0; i + 1 < order.size(); ++i) {
        setTabOrder(order[i], order[i + 1]);
    }
    datePicker->installEventFilter(this);

    // Window creation: today in the picker, the first currency, the calendar's title and the
    // version text.
    datePicker->setDate(QDate::currentDate());
    ledger_.setPickerDate(QDate::currentDate());
    setCurrencyEntries(currencyBoxes(kBuiltInCurrencies).ledger);
    statusPanels_[2]->setText(versionPanelText());

    connect(&ledger_, &Ledger::figuresChanged, this, [this] { showFigures(); });
    connect(&ledger_, &Ledger::summaryChanged, this, [this] { showSummary(); });
    connect(&ledger_, &Ledger::bookSwitched, this, [this](const OpenBookTexts& texts) {
        setOpenBookTexts(texts);
        tarihyukle();
    });
    connect(&ledger_, &Ledger::dayLocated, this, [this] { stringtebul(); });
    connect(&ledger_, &Ledger::carryOverChecked, this,
            [this](const CarryOverState& state) { showCarryOverState(state); });
    connect(
        &ledger_, &Ledger::carryOverMismatchFound, this,
        [this](const CarryOverState& state) { askToRetakeCarryOver(state); }, Qt::QueuedConnection);
    connect(&ledger_, &Ledger::pickerDateChanged, this,
            [this](const QDate& date) { datePicker->setDate(date); });
}

QWidget* TkasaRF::buildTopPanel()
{
    // The open book's caption above the currency, date and window buttons; the print group
    // beside them. Two rows keep the ledger narrower than the common 1366-pixel screens.
    auto* panel = new QWidget;
    auto* panelLayout = new QHBoxLayout(panel);
    auto* leftRows = new QVBoxLayout;
    panelLayout->addLayout(leftRows, 1);
    auto* layout = new QHBoxLayout;
    headerLabel = new QLabel(QStringLiteral("KASA"));
    headerLabel->setObjectName(QStringLiteral("Label11"));
    setHeadingFont(headerLabel, 4);
    leftRows->addWidget(headerLabel);
    leftRows->addLayout(layout);

    currencyBox = new QComboBox;
    currencyBox->setObjectName(QStringLiteral("dovizBox"));
    layout->addWidget(makeCaption(QStringLiteral("Para Birimi"), currencyBox));
    layout->addWidget(currencyBox);
    datePicker = new QDateEdit;
    datePicker->setObjectName(QStringLiteral("vadesiDate"));
    datePicker->setCalendarPopup(true);
    datePicker->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    layout->addWidget(makeCaption(QStringLiteral("Tarih"), datePicker));
    layout->addWidget(datePicker);
    goButton = makeButton(QStringLiteral("JvXPButton1"), QStringLiteral("GİT"));
    layout->addWidget(goButton);
    twoDateButton =
        makeButton(QStringLiteral("JvXPButton7"), QStringLiteral("İki Tarih Arası Kasa Hareketi"));
    typeReportButton =
        makeButton(QStringLiteral("islemturuBut"), QStringLiteral("İşlem/Kaynak Türü Raporu"));
    layout->addWidget(twoDateButton);
    layout->addWidget(typeReportButton);
    layout->addStretch(1);

    printGroup = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"));
    printGroup->setObjectName(QStringLiteral("yazayar"));
    auto* choices = new QGridLayout(printGroup);
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
    panelLayout->addWidget(printGroup);
    shortDescriptionCheck = new QCheckBox(QStringLiteral("Kısa Açıklama"));
    shortDescriptionCheck->setObjectName(QStringLiteral("CheckBox1"));
    printButton = makeButton(QStringLiteral("STRG1Yaz"), QStringLiteral("YAZDIR"));
    auto* printColumn = new QVBoxLayout;
    printColumn->addWidget(shortDescriptionCheck);
    printColumn->addWidget(printButton);
    panelLayout->addLayout(printColumn);

    connect(currencyBox, &QComboBox::activated, this, [this] { refresh(); });
    connect(datePicker, &QDateEdit::dateChanged, this,
            [this](const QDate& date) { ledger_.setPickerDate(date); });
    connect(goButton, &QPushButton::clicked, this, [this] { goToPickedDate(); });
    connect(twoDateButton, &QPushButton::clicked, this, &TkasaRF::twoDateRequested);
    connect(typeReportButton, &QPushButton::clicked, this, &TkasaRF::typeReportRequested);
    connect(printButton, &QPushButton::clicked, this, &TkasaRF::printRequested);
    // The print group's choice and "Kısa Açıklama" are the ledger's print choice, announced
    // as it changes; the printing reads it when it prints.
    for (QRadioButton* choice : reportChoices) {
        connect(choice, &QRadioButton::toggled, this, [this] { takePrintChoice(); });
    }
    connect(shortDescriptionCheck, &QCheckBox::toggled, this, [this] { takePrintChoice(); });
    return panel;
}

QWidget* TkasaRF::buildLeftColumn()
{
    listSplitter = new QSplitter(Qt::Vertical);
    listSplitter->setObjectName(QStringLiteral("Splitter3"));
    dateListGrid = makeListGrid(QStringLiteral("DBGrid2"), QStringLiteral("Kasa Tarihi"), 22);
    dateListModel = new DatasetModel(
        ledger_.dateList(), [this](int row) { ledger_.selectDay(row); }, this);
    dateListModel->addColumn(
        QStringLiteral("islem_tarihi"), QStringLiteral("Kasa Tarihi"),
        [](const QVariant& v) { return formatListDay(v.toDate()); }, Qt::AlignCenter);
    tintAlternateRows(*dateListModel);
    bindTableView(*dateListGrid, *dateListModel);
    dateListGrid->horizontalHeader()->setStretchLastSection(true);
    listSplitter->addWidget(dateListGrid);

    calendarGrid = new QTableWidget(DayCalendar::kRows - 1, 1);
    calendarGrid->setObjectName(QStringLiteral("StringGrid3"));
    calendarGrid->setAccessibleName(DayCalendar::kTitle);
    auto* title = new QTableWidgetItem(DayCalendar::kTitle);
    title->setFont(headingFont(title->font()));
    calendarGrid->setHorizontalHeaderItem(0, title);
    calendarGrid->horizontalHeader()->setStretchLastSection(true);
    calendarGrid->verticalHeader()->setVisible(false);
    calendarGrid->verticalHeader()->setDefaultSectionSize(20);
    calendarGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    calendarGrid->setTabKeyNavigation(false);
    calendarGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    calendarGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    calendarGrid->setMinimumHeight(80);
    listSplitter->addWidget(calendarGrid);
    listSplitter->setSizes({400, kCalendarHeight});
    listSplitter->setMinimumWidth(170);

    // The date list follows a click or a key; the figures follow the day.
    connect(dateListGrid, &QTableView::clicked, this,
            [this](const QModelIndex& index) { selectDateListRow(index.row()); });
    dateListGrid->installEventFilter(this);
    connect(calendarGrid, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { goToCalendarDay(row + 1); });
    return listSplitter;
}

QWidget* TkasaRF::buildCentre()
{
    auto* centre = new QWidget;
    auto* layout = new QVBoxLayout(centre);
    auto* header = new QHBoxLayout;
    dayHeaderLabel = new QLabel;
    dayHeaderLabel->setObjectName(QStringLiteral("dayHeaderLabel"));
    setHeadingFont(dayHeaderLabel);
    header->addWidget(dayHeaderLabel);
    header->addStretch();
    dayStartLabel = makeFigureLabel(QStringLiteral("dayStartLabel"));
    header->addWidget(makeCaption(QStringLiteral("GÜN BAŞI KASA")));
    header->addWidget(dayStartLabel);
    newButton = makeButton(QStringLiteral("tahsilatYap"), QStringLiteral("YENİ"));
    changeButton = makeButton(QStringLiteral("KaydDzelt"), QStringLiteral("DEĞİŞTİR"));
    deleteButton = makeButton(QStringLiteral("KaydSil"), QStringLiteral("SİL"));
    documentsButton = makeButton(QStringLiteral("ResimEkle"), QStringLiteral("BELGE EKLE"));
    helpButton = makeHelpButton(QStringLiteral("helpButton"));
    connect(helpButton, &QToolButton::clicked, this, &TkasaRF::helpRequested);
    for (QWidget* w : {static_cast<QWidget*>(newButton), static_cast<QWidget*>(changeButton),
                       static_cast<QWidget*>(deleteButton), static_cast<QWidget*>(documentsButton),
                       static_cast<QWidget*>(helpButton)}) {
        header->addWidget(w);
    }
    layout->addLayout(header);

    centreSplitter = new QSplitter(Qt::Vertical);
    centreSplitter->setObjectName(QStringLiteral("Splitter1"));
    movementGrid = makeListGrid(QStringLiteral("DBGrid1"), QStringLiteral("Kasa Hareketleri"), 22);
    movementModel = new DatasetModel(
        ledger_.movements(), [this](int row) { ledger_.selectMovement(row); }, this);
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
    bindTableView(*movementGrid, *movementModel);
    movementGrid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    centreSplitter->addWidget(movementGrid);

    summaryGrid = makeListGrid(QStringLiteral("DBGrid3"), QStringLiteral("Para Birimi Durumu"), 22);
    summaryModel = new DatasetModel(ledger_.currencySummary(), {}, this);
    summaryModel->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("Para Birimi"));
    summaryModel->addColumn(QStringLiteral("GunBasi"), QStringLiteral("Gün Başı Mevcut"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("BorcToplam"), QStringLiteral("Kasaya Giren"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("AlacakToplam"), QStringLiteral("Kasadan Çıkan"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    summaryModel->addColumn(QStringLiteral("bakiye"), QStringLiteral("Gün Sonu Bakiye"), amount,
                            Qt::AlignRight | Qt::AlignVCenter);
    tintAlternateRows(*summaryModel);
    bindTableView(*summaryGrid, *summaryModel);
    summaryGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    summaryGrid->setVisible(false);
    centreSplitter->addWidget(summaryGrid);
    centreSplitter->setStretchFactor(0, 1);
    layout->addWidget(centreSplitter, 1);

    connect(newButton, &QPushButton::clicked, this, [this] { newMovement(); });
    connect(changeButton, &QPushButton::clicked, this, [this] { editMovement(); });
    connect(movementGrid, &QTableView::doubleClicked, this, [this] { editMovement(); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { deleteMovement(); });
    connect(documentsButton, &QPushButton::clicked, this, [this] { showDocuments(); });
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

    dayInLabel = makeFigureLabel(QStringLiteral("dayInLabel"));
    dayOutLabel = makeFigureLabel(QStringLiteral("dayOutLabel"));
    dayBalanceLabel = makeFigureLabel(QStringLiteral("dayBalanceLabel"));
    dayEndLabel = makeFigureLabel(QStringLiteral("Label10"));
    dayEndLabel->setText(QStringLiteral("..."));
    layout->addWidget(makeCaption(QStringLiteral("GİREN PARA")), 0, 1);
    layout->addWidget(dayInLabel, 0, 2);
    layout->addWidget(makeCaption(QStringLiteral("ÇIKAN PARA")), 1, 1);
    layout->addWidget(dayOutLabel, 1, 2);
    layout->addWidget(makeCaption(QStringLiteral("GÜN BAKİYE")), 2, 1);
    layout->addWidget(dayBalanceLabel, 2, 2);
    layout->addWidget(makeCaption(QStringLiteral("GÜN SONU KASA")), 0, 3);
    layout->addWidget(dayEndLabel, 0, 4);

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

    // The carry-over check's line: shown while a carry-over does not agree with its year.
    auto* warning = new QHBoxLayout;
    carryOverWarningLabel = new QLabel;
    carryOverWarningLabel->setObjectName(QStringLiteral("devirUyariLabel"));
    carryOverWarningLabel->setStyleSheet(QStringLiteral("color: rgb(176, 0, 0);"));
    setHeadingFont(carryOverWarningLabel);
    retakeCarryOverButton =
        makeButton(QStringLiteral("devirYenidenBut"), QStringLiteral("DEVRİ YENİDEN AL"));
    warning->addWidget(carryOverWarningLabel, 1);
    warning->addWidget(retakeCarryOverButton);
    layout->addLayout(warning, 3, 0, 1, 6);
    carryOverWarningLabel->hide();
    retakeCarryOverButton->hide();
    connect(retakeCarryOverButton, &QPushButton::clicked, this, [this] { retakeCarryOver(); });

    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(mainMenuButton, &QPushButton::clicked, this, &TkasaRF::mainMenuRequested);
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    connect(carryOverButton, &QPushButton::clicked, this, [this] { takeCarryOver(); });
    connect(excelButton, &QPushButton::clicked, this, &TkasaRF::excelRequested);
    return panel;
}

void TkasaRF::buildMenus()
{
    // The date list and the calendar: which of the two lists the column shows.
    auto* listMenu = new QMenu(this);
    listMenu->addAction(QStringLiteral("Üst Listeyi Gizle"), this, [this] { showOnlyCalendar(); });
    listMenu->addAction(QStringLiteral("Alt Listeyi Gizle"), this, [this] { showOnlyDateList(); });
    listMenu->addAction(QStringLiteral("Tüm Listeyi Göster"), this, [this] { showBothLists(); });
    attachGridMenu(dateListGrid, listMenu);
    attachGridMenu(calendarGrid, listMenu);

    // The movement grid and the summary grid: the movement commands with their keys.
    auto* movementMenu = new QMenu(this);
    const struct {
        const char* caption;
        QKeySequence key;
        void (TkasaRF::*command)();
    } entries[] = {
        {"Para Giriş Çıkışı Yap", QKeySequence(Qt::Key_Insert), &TkasaRF::newMovement},
        {"Kaydı Düzelt", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TkasaRF::editMovement},
        {"Kaydı Sil", QKeySequence(Qt::Key_Delete), &TkasaRF::deleteMovement},
        {"Evraklarına Bak/Ekle", QKeySequence(), &TkasaRF::showDocuments},
    };
    for (const auto& e : entries) {
        const auto command = e.command;
        addGridCommand(movementMenu, {movementGrid, summaryGrid}, QString::fromUtf8(e.caption),
                       e.key, [this, command] { (this->*command)(); });
    }
    movementMenu->addSeparator();
    movementMenu->addAction(QStringLiteral("Silinen / Değişen Hareketler"), this,
                            &TkasaRF::journalRequested);
    attachGridMenu(movementGrid, movementMenu);
    attachGridMenu(summaryGrid, movementMenu);
}

void TkasaRF::setOpenBookTexts(const OpenBookTexts& texts)
{
    setWindowTitle(texts.caption);
    headerLabel->setText(texts.header);
    statusPanels_[3]->setText(texts.status);
}

QString TkasaRF::statusPanelText(int panel) const
{
    return statusPanels_.value(panel) != nullptr ? statusPanels_[panel]->text() : QString();
}

void TkasaRF::setCurrencyEntries(const QStringList& entries)
{
    currencyBox->clear();
    currencyBox->addItems(entries);
    currencyBox->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    ledger_.setCurrencySelection(currencyBox->currentText());
}

void TkasaRF::openBook(const OpenBookTexts& texts)
{
    setOpenBookTexts(texts);
    show();
    openBookData();
}

void TkasaRF::openBookData()
{
    // The currency lists first, so the ledger opens in the currency its box shows.
    guarded([this] { currencies_.ParaBirimiAyarla(); });
    guarded([this] {
        ledger_.setCurrencySelection(currencyBox->currentIndex() < 0 ? QString()
                                                                     : currencyBox->currentText());
        ledger_.openBook();
    });
    tarihyukle();
    showMaximized();
}

void TkasaRF::closeBook()
{
    ledger_.closeBook();
}

void TkasaRF::showFigures()
{
    const QString dayText = ledger_.hasSelectedDay()
                                ? ledger_.selectedDay().toString(QStringLiteral("dd.MM.yyyy"))
                                : QString();
    dayHeaderLabel->setText(dayText + QStringLiteral(" KASA"));
    bottomDayLabel->setText(dayText);
    const DayFigures figures = ledger_.dayFigures();
    dayStartLabel->setText(figures.dayStart.text());
    dayInLabel->setText(figures.in.text());
    dayOutLabel->setText(figures.out.text());
    dayBalanceLabel->setText(figures.balance().text());
    dayEndLabel->setText(figures.dayEnd().text());
}

void TkasaRF::showSummary()
{
    const bool visible = ledger_.currencySummary().isOpen();
    summaryGrid->setVisible(visible);
    if (visible) {
        // Every currency in use shows whole: the heading, one row each, the frame.
        const int rows = std::max(1, ledger_.currencySummary().recordCount());
        const int height = summaryGrid->horizontalHeader()->sizeHint().height() +
                           rows * summaryGrid->verticalHeader()->defaultSectionSize() +
                           2 * summaryGrid->frameWidth();
        summaryGrid->setFixedHeight(height);
    }
}

void TkasaRF::refresh()
{
    guarded([this] {
        ledger_.setCurrencySelection(currencyBox->currentIndex() < 0 ? QString()
                                                                     : currencyBox->currentText());
        ledger_.yenile();
    });
    stringtebul();
}

void TkasaRF::selectDateListRow(int row)
{
    // The grid moves the date list itself as the click or key lands; when that move was
    // refused (a pending movement that cannot be stored), the list stays where it was and the
    // refusal was already said, so the day is not tried again.
    if (ledger_.dateList().isOpen() && ledger_.dateList().currentIndex() != row) {
        return;
    }
    guarded([this, row] {
        ledger_.selectDay(row);
        stringtebul();
    });
}

void TkasaRF::goToPickedDate()
{
    guarded([this] { ledger_.goToPickerDate(); });
    stringtebul();
}

void TkasaRF::newMovement()
{
    guarded([this] {
        const bool hasDay = ledger_.hasSelectedDay();
        const QString currency =
            currencyBox->currentIndex() >= 0 && currencyBox->currentText() != kAllCurrencies
                ? currencyBox->currentText()
                : QString();
        emit newMovementRequested(hasDay ? ledger_.selectedDay() : ledger_.pickerDate(), currency);
    });
}

void TkasaRF::editMovement()
{
    guarded([this] {
        if (ledger_.currentMovementId() <= 0) {
            return;
        }
        emit editMovementRequested();
    });
}

void TkasaRF::deleteMovement()
{
    if (ledger_.currentMovementId() <= 0) {
        return;
    }
    const auto field = [this](const char* name) {
        return ledger_.currentMovementValue(QString::fromLatin1(name));
    };
    const QString question = deleteMovementQuestion(
        field("islem_tarihi").toDate(), field("borc_tutar"), field("alacak_tutar"),
        field("doviz_cinsi").toString(), field("aciklama").toString());
    if (askBeforeReplacing(kApplicationTitle, question) != Dialogs::Answer::Yes) {
        return;
    }
    guarded([this] { ledger_.deleteCurrentMovement(); });
}

void TkasaRF::showDocuments()
{
    guarded([this] {
        if (ledger_.currentMovementId() < 1) {
            return;
        }
        emit documentsRequested();
    });
}

void TkasaRF::takeCarryOver()
{
    guarded([this] {
        YilSonuDevri(ledger_, [this](const QString& year) { emit workingYearChanged(year); });
    });
    guarded([this] { ledger_.refreshAfterCarryOver(); });
    stringtebul();
}

void TkasaRF::retakeCarryOver()
{
    if (askBeforeReplacing(kProgramTitle, carryOverQuestion(ledger_.carryOverState())) !=
        Dialogs::Answer::Yes) {
        return;
    }
    guarded([this] { ledger_.retakeCarryOver(); });
}

void TkasaRF::showCarryOverState(const CarryOverState& state)
{
    carryOverWarningLabel->setText(state.agrees() ? QString() : carryOverWarning(state));
    carryOverWarningLabel->setVisible(!state.agrees());
    retakeCarryOverButton->setVisible(!state.agrees());
}

void TkasaRF::askToRetakeCarryOver(const CarryOverState& state)
{
    // Asked after the command that found it has ended, and only while it still holds.
    if (state == ledger_.carryOverState() && isVisible()) {
        retakeCarryOver();
    }
}

void TkasaRF::goToCalendarDay(int row)
{
    const QDate day = calendar_.dayOfRow(row);
    if (!day.isValid()) {
        return;
    }
    datePicker->setDate(day);
    ledger_.setPickerDate(day);
    goToPickedDate();
}

void TkasaRF::showOnlyCalendar()
{
    dateListGrid->hide();
    calendarGrid->show();
    listSplitter->handle(1)->hide();
}

void TkasaRF::showOnlyDateList()
{
    dateListGrid->show();
    calendarGrid->hide();
    listSplitter->handle(1)->hide();
}

void TkasaRF::showBothLists()
{
    dateListGrid->show();
    calendarGrid->show();
    listSplitter->handle(1)->show();
    listSplitter->setSizes({qMax(100, listSplitter->height() - kCalendarHeight), kCalendarHeight});
}

void TkasaRF::tarihyukle()
{
    calendar_.fill(DayCalendar::calendarYear(session_.CalismaYili, ledger_.pickerDate()));
    for (int row = 1; row < DayCalendar::kRows; ++row) {
        auto* item = new QTableWidgetItem(calendar_.rowText(row));
        if (calendar_.isWeekendRow(row)) {
            item->setBackground(kWeekend);
        }
        calendarGrid->setItem(row - 1, 0, item);
    }
    stringtebul();
}

void TkasaRF::stringtebul()
{
    if (!ledger_.dateList().isOpen() || ledger_.dateList().isEmpty()) {
        return;
    }
    // The last row first, then the match: the matched day comes to the top of the list.
    const int last = DayCalendar::kRows - 2;
    calendarGrid->setCurrentCell(last, 0);
    calendarGrid->scrollToBottom();
    const int row = calendar_.rowOf(ledger_.selectedDay()) - 1;
    calendarGrid->setCurrentCell(row, 0);
    calendarGrid->scrollToItem(calendarGrid->item(row, 0), QAbstractItemView::PositionAtTop);
}

bool TkasaRF::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == datePicker && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            datePicker->interpretText();
            ledger_.setPickerDate(datePicker->date());
            goToPickedDate();
            return true;
        }
    }
    // A key released in the date list selects the day it moved to.
    if (watched == dateListGrid && event->type() == QEvent::KeyRelease &&
        dateListGrid->currentIndex().isValid()) {
        selectDateListRow(dateListGrid->currentIndex().row());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TkasaRF::closeEvent(QCloseEvent* event)
{
    // Every close request of the ledger goes to the entry screen's exit question; the ledger
    // closes whatever the answer.
    emit closeRequested();
    event->accept();
}

void TkasaRF::takePrintChoice()
{
    LedgerPrintChoice choice;
    choice.report.reset();
    for (int i = 0; i < reportChoices.size(); ++i) {
        if (reportChoices[i]->isChecked()) {
            choice.report = LedgerReportChoice(i);
        }
    }
    choice.shortDescription = shortDescriptionCheck->isChecked();
    emit printChoiceChanged(choice);
}

}  // namespace tamevo
