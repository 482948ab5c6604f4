#include "reports/KasaIkiTarihWindow.h"

#include "data/ProgramVersion.h"
#include "data/Dialogs.h"
#include "reports/TwoDateBrowser.h"
#include "widgets/WindowKit.h"

#include <QAction>
#include <QBrush>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace tamevo {

namespace {

// The browser's row colours, by side: a movement without money in pale blue with dark blue
// text, one with money in orange text on the grid's own background.
class SideColours : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::BackgroundRole && role != Qt::ForegroundRole) {
            return QIdentityProxyModel::data(index, role);
        }
        const bool moneyOut =
            QIdentityProxyModel::data(index, PeriodMovementsModel::MoneyOutRole).toBool();
        if (role == Qt::BackgroundRole) {
            return moneyOut ? QVariant(QBrush(kMoneyOutBackground)) : QVariant();
        }
        return QBrush(moneyOut ? kMoneyOutText : kMoneyInText);
    }
};

QLabel* makeLabel(const QString& objectName, const QString& text = {}, bool bold = false)
{
    auto* label = new QLabel(text);
    label->setObjectName(objectName);
    if (bold) {
        setHeadingFont(label);
    }
    return label;
}

}  // namespace

TkasaikitarihF::TkasaikitarihF(TwoDateBrowser& browser) : browser_(browser)
{
    setObjectName(QStringLiteral("kasaikitarihF"));
    setWindowTitle(QStringLiteral("Norvane Tamevo Programı İki Tarih Arası Rapor"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);

    // Top panel: the title, the opening balance, the print and export buttons.
    auto* top = new QGridLayout;
    titleLabel = makeLabel(QStringLiteral("Label2"));
    setHeadingFont(titleLabel, 2);
    openingCaptionLabel = makeLabel(QStringLiteral("Label3"), {}, true);
    openingLabel = makeFigureLabel(QStringLiteral("DBText2"));
    printButton = makeButton(QStringLiteral("BitBtn4"), QStringLiteral("YAZDIR"));
    excelButton = makeButton(QStringLiteral("excelButton"), QStringLiteral("Excel"));
    top->addWidget(titleLabel, 0, 0, 1, 3);
    top->addWidget(openingCaptionLabel, 1, 0);
    top->addWidget(openingLabel, 1, 1);
    top->setColumnStretch(2, 1);
    top->addWidget(printButton, 0, 3, 2, 1);
    top->addWidget(excelButton, 0, 4, 2, 1);
    layout->addLayout(top);

    // The movements, read-only, a page at a time as the grid scrolls.
    movementGrid = makeListGrid(QStringLiteral("DBGrid1"), QStringLiteral("Kasa Hareketleri"), 22);
    auto* colours = new SideColours(this);
    colours->setSourceModel(&browser_.movements());
    movementGrid->setModel(colours);
    movementGrid->setColumnWidth(PeriodMovementsModel::Tarih, 80);
    movementGrid->setColumnWidth(PeriodMovementsModel::Aciklama, 300);
    movementGrid->setColumnWidth(PeriodMovementsModel::IslemTuru, 300);
    titleLabel->setBuddy(movementGrid);
    layout->addWidget(movementGrid, 1);

    // Bottom panel: the range's figures and "KAPAT".
    auto* bottom = new QGridLayout;
    inLabel = makeFigureLabel(QStringLiteral("Label9"));
    outLabel = makeFigureLabel(QStringLiteral("Label11"));
    netLabel = makeFigureLabel(QStringLiteral("Label4"));
    closingLabel = makeFigureLabel(QStringLiteral("Label10"));
    closingDayLabel = makeLabel(QStringLiteral("Label12"));
    const struct {
        const char* name;
        const char* caption;
        QLabel* value;
        int row;
        int column;
    } figures[] = {{"Label6", "DÖNEM GİREN PARA", inLabel, 0, 0},
                   {"Label7", "DÖNEM ÇIKAN PARA", outLabel, 1, 0},
                   {"Label8", "DÖNEM BAKİYE", netLabel, 2, 0},
                   {"Label5", "DÖNEM SONU KASA MEVCUDU", closingLabel, 0, 2}};
    for (const auto& f : figures) {
        bottom->addWidget(makeLabel(QString::fromLatin1(f.name), QString::fromUtf8(f.caption)),
                          f.row, f.column);
        bottom->addWidget(f.value, f.row, f.column + 1);
    }
    bottom->addWidget(closingDayLabel, 1, 3);
    closeButton = makeButton(QStringLiteral("JvXPButton7"), QStringLiteral("KAPAT"));
    bottom->addWidget(closeButton, 2, 5);
    bottom->setColumnStretch(4, 1);
    layout->addLayout(bottom);
    setCentralWidget(central);

    addStatusPanels(this, 3)[2]->setText(versionPanelText());

    // The grid's one menu item does what a double click does.
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("İşlemi Düzeltt"), this, [this] { openCurrentMovement(); });
    attachGridMenu(movementGrid, menu);

    connect(movementGrid, &QTableView::doubleClicked, this, [this] { openCurrentMovement(); });
    connect(printButton, &QPushButton::clicked, this, &TkasaikitarihF::printRequested);
    connect(excelButton, &QPushButton::clicked, &browser_, &TwoDateBrowser::exportToSpreadsheet);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    // The labels of the browser as last built (possibly before this window was), then of
    // every build.
    connect(&browser_, &TwoDateBrowser::built, this, [this] { showLabels(); });
    showLabels();
}

void TkasaikitarihF::showLabels()
{
    const TwoDateBrowser::Labels labels = browser_.labels();
    titleLabel->setText(labels.title);
    openingCaptionLabel->setText(labels.openingCaption);
    openingLabel->setText(labels.opening);
    inLabel->setText(labels.in);
    outLabel->setText(labels.out);
    netLabel->setText(labels.net);
    closingLabel->setText(labels.closing);
    closingDayLabel->setText(labels.closingDay);
}

void TkasaikitarihF::showBrowser()
{
    showMaximized();
    raise();
}

void TkasaikitarihF::openCurrentMovement()
{
    const int row = movementGrid->currentIndex().row();
    bool open = false;
    guarded([&] { open = browser_.openMovement(row); });
    if (open) {
        emit editMovementRequested();
    }
}

void TkasaikitarihF::hideEvent(QHideEvent* event)
{
    // Whenever the browser is hidden the movement window stops returning to it.
    emit hidden();
    QMainWindow::hideEvent(event);
}

}  // namespace tamevo
