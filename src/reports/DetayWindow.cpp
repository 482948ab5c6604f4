#include "reports/DetayWindow.h"

#include "data/Dialogs.h"
#include "data/DisplayFormat.h"
#include "ledger/LedgerTexts.h"
#include "reportengine/ReportPreviewPort.h"
#include "widgets/DatasetModel.h"
#include "widgets/WindowKit.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace tamevo {

namespace {

const QString kNid = QStringLiteral("nid");
const QString kDay = QStringLiteral("islem_tarihi");

}  // namespace

TdetayF::TdetayF(IncomeExpenseAnalysis& analysis, AnalysisSide side)
    : analysis_(analysis), side_(side), movements_(analysis.detailQuery(side))
{
    const bool collections = side == AnalysisSide::Collections;
    setObjectName(collections ? QStringLiteral("gelirdetayF") : QStringLiteral("giderdetayF"));
    setWindowTitle(collections ? QStringLiteral("Norvane Tamevo Programı - Tahsilat Detay")
                               : QStringLiteral("Norvane Tamevo Programı - Ödeme Detay"));

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(buildTopPanel());

    movementGrid = makeListGrid(
        QStringLiteral("hizligir"),
        collections ? QStringLiteral("Tahsilat Detay") : QStringLiteral("Ödeme Detay"), 20);
    auto* model = new DatasetModel(movements_, this);
    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    model->addColumn(kDay, QStringLiteral("Tarih"));
    model->addColumn(QStringLiteral("aciklama"), QStringLiteral("Açıklama"));
    model->addColumn(
        amountField(side),
        collections ? QStringLiteral("Tahsilat Tutarı") : QStringLiteral("Ödeme Tutarı"),
        [](const QVariant& v) { return formatField(v, QStringLiteral("#,##0.00")); }, right);
    model->addColumn(QStringLiteral("doviz_cinsi"), QStringLiteral("PB"));
    model->addColumn(
        QStringLiteral("doviz_kuru"), QStringLiteral("D.Kuru"),
        [](const QVariant& v) { return formatField(v, QStringLiteral("#,##0.00000")); }, right);
    tintAlternateRows(*model);
    bindTableView(*movementGrid, *model);
    movementGrid->setColumnWidth(0, collections ? 85 : 75);
    movementGrid->setColumnWidth(1, 300);
    layout->addWidget(movementGrid, 1);
    setCentralWidget(central);
    buildMenu();
    resize(760, 480);

    connect(movementGrid, &QTableView::doubleClicked, this, [this] { editMovement(); });
    connect(&analysis_, &IncomeExpenseAnalysis::detailChanged, this, [this](AnalysisSide changed) {
        if (changed == side_) {
            showTexts();
        }
    });
    movements_.onAnyChange(this, [this] { showHeading(); });
    showTexts();
}

QWidget* TdetayF::buildTopPanel()
{
    auto* panel = new QWidget;
    auto* layout = new QGridLayout(panel);
    headingLabel = new QLabel;
    headingLabel->setObjectName(QStringLiteral("DBText1"));
    headingLabel->setAlignment(Qt::AlignCenter);
    setHeadingFont(headingLabel, 2);
    layout->addWidget(headingLabel, 0, 0, 1, 5);

    auto* totalCaption = new QLabel(QStringLiteral("Toplam Tutar:"));
    totalCaption->setObjectName(QStringLiteral("Label1"));
    totalLabel = new QLabel;
    totalLabel->setObjectName(QStringLiteral("Label2"));
    reportDateLabel = new QLabel;
    reportDateLabel->setObjectName(QStringLiteral("Label3"));
    printButton = makeButton(QStringLiteral("JvXPButton3"), QStringLiteral("Yazdır"));
    closeButton = makeButton(QStringLiteral("JvXPButton5"), QStringLiteral("Kapat"));
    layout->addWidget(totalCaption, 1, 0);
    layout->addWidget(totalLabel, 1, 1);
    layout->addWidget(reportDateLabel, 1, 2);
    layout->setColumnStretch(2, 1);
    layout->addWidget(printButton, 1, 3);
    layout->addWidget(closeButton, 1, 4);

    connect(printButton, &QPushButton::clicked, this, [this] { printDetail(); });
    connect(closeButton, &QPushButton::clicked, this, [this] { closeDetail(); });
    return panel;
}

void TdetayF::buildMenu()
{
    auto* menu = new QMenu(this);
    const struct {
        const char* caption;
        QKeySequence key;
        void (TdetayF::*command)();
    } entries[] = {
        {"Kaydı Düzelt", QKeySequence(Qt::SHIFT | Qt::Key_Insert), &TdetayF::editMovement},
        {"Kaydı Sil", QKeySequence(Qt::Key_Delete), &TdetayF::deleteMovement},
        {"Evraklarına Bak/Ekle", QKeySequence(), &TdetayF::showDocuments},
    };
    for (const auto& e : entries) {
        const auto command = e.command;
        addGridCommand(menu, {movementGrid}, QString::fromUtf8(e.caption), e.key,
                       [this, command] { (this->*command)(); });
    }
    attachGridMenu(movementGrid, menu);
}

void TdetayF::showDetail()
{
    centreOnDesktop(this);
    show();
    raise();
}

void TdetayF::showTexts()
{
    const IncomeExpenseAnalysis::Detail& detail = analysis_.detail(side_);
    totalLabel->setText(detail.totalText);
    reportDateLabel->setText(detail.reportDateText);
    showHeading();
}

// The heading shows the type or the source (whichever the last build listed by) of the
// current movement.
void TdetayF::showHeading()
{
    headingLabel->setText(movements_.value(analysis_.detail(side_).headingField).toString());
}

QDate TdetayF::currentDay() const
{
    return movements_.value(kDay).toDate();
}

qint64 TdetayF::currentNid() const
{
    return movements_.value(kNid).toLongLong();
}

void TdetayF::editMovement()
{
    if (currentNid() > 0) {
        emit editRequested(currentDay(), currentNid());
    }
}

void TdetayF::deleteMovement()
{
    // The list is not read again: the deleted movement stays in it, and in the total, until
    // the detail is built again.
    if (currentNid() <= 0) {
        return;
    }
    const auto field = [this](const char* name) {
        return movements_.value(QString::fromLatin1(name));
    };
    const QString question =
        deleteMovementQuestion(currentDay(), field("borc_tutar"), field("alacak_tutar"),
                               field("doviz_cinsi").toString(), field("aciklama").toString());
    if (askBeforeReplacing(kApplicationTitle, question) == Dialogs::Answer::Yes) {
        emit deleteRequested(currentDay(), currentNid());
    }
}

void TdetayF::showDocuments()
{
    emit documentsRequested(currentDay(), currentNid());
}

// "Yazdır" lists the movements of the current type of the analysis window's grid on this
// side again (a list of a source's movements gives way to it) and prints them.
void TdetayF::printDetail()
{
    guarded([this] {
        analysis_.typeDetail(side_);
        report::previewPrepared([&](const report::PrepareOptions& options) {
            return analysis_.prepare(IncomeExpenseAnalysis::detailReport(side_), measurer_,
                                     options);
        });
    });
}

void TdetayF::closeDetail()
{
    guarded([this] { analysis_.closeDetail(side_); });
    hide();
}

TgelirdetayF::TgelirdetayF(IncomeExpenseAnalysis& analysis)
    : TdetayF(analysis, AnalysisSide::Collections)
{
}

TgiderdetayF::TgiderdetayF(IncomeExpenseAnalysis& analysis)
    : TdetayF(analysis, AnalysisSide::Payments)
{
}

}  // namespace tamevo
