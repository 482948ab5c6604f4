#include "shell/Program.h"

#include "cashbooks/FirmaWindow.h"
#include "data/Dialogs.h"
#include "documents/ResimKasaWindow.h"
#include "entry/GirisWindow.h"
#include "help/YardimWindow.h"
#include "ledger/KasaRWindow.h"
#include "ledger/KasaWindow.h"
#include "ledger/Ledger.h"
#include "lists/KaynakWindow.h"
#include "lists/ListWindows.h"
#include "lists/ReferenceLists.h"
#include "lists/SifreWindow.h"
#include "lists/SourceTypes.h"
#include "reports/DetayWindow.h"
#include "reports/IncomeExpenseAnalysis.h"
#include "reports/LedgerPrinting.h"
#include "reports/LedgerReports.h"
#include "reports/RaporKasaWindow.h"
#include "reports/SpreadsheetExport.h"
#include "update/InternetConnection.h"
#include "update/UpdateCommand.h"

#include <QGuiApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace tamevo {

namespace {

// A tool window whose content comes with its own subsystem; until then it carries its name
// and caption, so the windows exist in their order from the start.
std::unique_ptr<QWidget> makeToolWindow(const QString& objectName, const QString& caption)
{
    auto window = std::make_unique<QWidget>();
    window->setObjectName(objectName);
    window->setWindowTitle(caption);
    auto* layout = new QVBoxLayout(window.get());
    layout->addWidget(new QLabel(caption));
    return window;
}

// Shows a tool window in front.
void present(QWidget* window)
{
    window->show();
    window->raise();
}

}  // namespace

Program::Program()
{
    session_.openStartupConnections();
    ledger_ = std::make_unique<Ledger>(session_);
    ledgerReports_ = std::make_unique<LedgerReports>(session_, *ledger_);
    analysis_ = std::make_unique<IncomeExpenseAnalysis>(session_);
    ledgerPrinting_ = std::make_unique<LedgerPrinting>(*ledgerReports_, *analysis_);
    currencyChoices_ = std::make_unique<CurrencyChoices>(session_);
    sourceTypes_ = std::make_unique<SourceTypeList>();
    internet_ = std::make_unique<SystemInternetConnection>();
    update_ = std::make_unique<UpdateCommand>(session_, *internet_);
    // The source types are read once, for the whole run.
    guarded([this] { sourceTypes_->load(); });

    createWindows();
    connectWindows();
    girisF->FormCreate();
}

void Program::createWindows()
{
    // The windows in their fixed order; the entry screen first, so it is the main window.
    const auto own = [this](auto window) {
        auto* raw = window.get();
        owned_.push_back(std::move(window));
        return raw;
    };
    const auto tool = [&](const char* name, const char* caption) {
        return own(makeToolWindow(QString::fromLatin1(name), QString::fromUtf8(caption)));
    };
    girisF = own(std::make_unique<TgirisF>(session_, *sourceTypes_));
    kasaRF = own(std::make_unique<TkasaRF>(session_, *ledger_, *ledgerReports_, *currencyChoices_));
    yardimF = own(std::make_unique<TyardimF>());
    kasaF = own(std::make_unique<TkasaF>(session_, *ledger_));
    resimkasaF = own(std::make_unique<TresimkasaF>(session_, *ledger_));
    ikitarihF = tool("ikitarihF", "Norvane Tamevo");
    nakitnedenF = own(std::make_unique<TnakitnedenF>(session_));
    firmaF = own(std::make_unique<TfirmaF>(session_));
    parabirimiF = own(std::make_unique<TparabirimiF>(session_, *currencyChoices_));
    gelirdetayF = own(std::make_unique<TgelirdetayF>(*analysis_));
    raporKasaF = own(std::make_unique<TraporKasaF>(*analysis_));
    giderdetayF = own(std::make_unique<TgiderdetayF>(*analysis_));
    sifreF = own(std::make_unique<TsifreF>(session_));
    kasaikitarihF = tool("kasaikitarihF", "Norvane Tamevo Programı İki Tarih Arası Rapor");
    kaynakF = own(std::make_unique<TkaynakF>(*sourceTypes_));
}

void Program::connectWindows()
{
    // The entry screen: into the ledger, the registry and the lists; the exit question.
    connect(girisF, &TgirisF::bookOpened, kasaRF, &TkasaRF::openBook);
    connect(girisF, &TgirisF::registryRecordStarted, firmaF, [this] { present(firmaF); });
    connect(girisF, &TgirisF::cashBookListRequested, firmaF, &TfirmaF::showList);
    connect(girisF, &TgirisF::newCashBookRequested, firmaF, &TfirmaF::showNewCashBook);
    connect(girisF, &TgirisF::currenciesRequested, parabirimiF, &TparabirimiF::openAndShow);
    connect(girisF, &TgirisF::sourceTypesRequested, kaynakF, [this] { present(kaynakF); });
    connect(girisF, &TgirisF::passwordsRequested, sifreF, [this] { present(sifreF); });
    connect(girisF, &TgirisF::helpRequested, yardimF, &TyardimF::showEntryTopic);
    connect(girisF, &TgirisF::exitConfirmed, this, &Program::runExitSequence);
    connect(girisF, &TgirisF::bookCloseRequested, this, &Program::kasakapat);

    // The registry window: the chosen cash book, and the year a new one's database is for.
    connect(firmaF, &TfirmaF::cashBookChosen, girisF, &TgirisF::setChosenCashBook);
    firmaF->workingYearText = [this] { return girisF->workingYearText(); };

    // The ledger window.
    connect(kasaRF, &TkasaRF::newMovementRequested, kasaF, &TkasaF::startNew);
    connect(kasaRF, &TkasaRF::editMovementRequested, kasaF, &TkasaF::startEdit);
    connect(kasaRF, &TkasaRF::documentsRequested, resimkasaF, &TresimkasaF::showDocuments);
    connect(kasaRF, &TkasaRF::printRequested, ledgerPrinting_.get(),
            &LedgerPrinting::STRG1YazClick);
    connect(kasaRF, &TkasaRF::twoDateRequested, ledgerPrinting_.get(),
            &LedgerPrinting::JvXPButton3Click);
    connect(kasaRF, &TkasaRF::typeReportRequested, ledgerPrinting_.get(),
            &LedgerPrinting::islemturuButClick);
    connect(kasaRF, &TkasaRF::excelRequested, this, [this] { ExcelButClick(*ledger_); });
    connect(kasaRF, &TkasaRF::helpRequested, yardimF, &TyardimF::showLedgerTopic);
    connect(kasaRF, &TkasaRF::mainMenuRequested, this, &Program::kasakapat);
    connect(kasaRF, &TkasaRF::closeRequested, girisF, &QWidget::close);
    connect(kasaRF, &TkasaRF::workingYearChanged, girisF, &TgirisF::setWorkingYearText);
    connect(ledgerPrinting_.get(), &LedgerPrinting::twoDateWindowRequested, ikitarihF,
            [this] { ikitarihF->show(); });
    connect(ledgerPrinting_.get(), &LedgerPrinting::analysisWindowRequested, raporKasaF,
            &TraporKasaF::showAnalysis);
    connectAnalysisWindows();

    // The movement window's list buttons: the transaction types (opening their table first)
    // and the source types; its help button shows the ledger's topic.
    connect(kasaF, &TkasaF::typesRequested, nakitnedenF, &TnakitnedenF::openAndShow);
    connect(kasaF, &TkasaF::sourcesRequested, kaynakF, [this] { present(kaynakF); });
    connect(kasaF, &TkasaF::helpRequested, yardimF, &TyardimF::showLedgerTopic);

    // The lists several windows show follow their announcements.
    connect(currencyChoices_.get(), &CurrencyChoices::boxesChanged, this,
            [this](const CurrencyBoxes& boxes) {
                kasaRF->setCurrencyEntries(boxes.ledger);
                kasaF->setCurrencyEntries(boxes.movement);
                raporKasaF->setCurrencyEntries(boxes.analysis);
            });
    connect(sourceTypes_.get(), &SourceTypeList::namesChanged, kasaF, &TkasaF::setSourceNames);

    // "PROGRAMI GÜNCELLE": the online update. Its close request is posted to the entry screen,
    // so it is handled once the run has been reported, and ends the program through the exit
    // sequence (CikisOnayi is then "tamam").
    connect(girisF, &TgirisF::updateRequested, this, [this] { update_->JvXPButton6Click(); });
    connect(&update_->ZubUpdater1, &TZubUpdater::closeRequested, girisF, &QWidget::close,
            Qt::QueuedConnection);

    // At exit, after the connections closed: the automatic backup when it is due.
    automaticBackup = [this] { firmaF->runAutomaticBackupWhenDue(); };
}

void Program::connectAnalysisWindows()
{
    // The analysis window asks for the detail windows it built.
    connect(raporKasaF, &TraporKasaF::collectionsDetailRequested, gelirdetayF,
            &TdetayF::showDetail);
    connect(raporKasaF, &TraporKasaF::paymentsDetailRequested, giderdetayF, &TdetayF::showDetail);

    // A detail row's commands position the ledger on the movement first (its day, then its
    // row); a movement the ledger's lists do not hold gets nothing more.
    const auto onMovement = [this](const std::function<void()>& command) {
        return [this, command](const QDate& day, qint64 nid) {
            guarded([&] {
                if (ledger_->locateMovement(day, nid)) {
                    ledger_->ParaBirimiDurum();
                    command();
                }
            });
        };
    };
    for (TdetayF* detail :
         {static_cast<TdetayF*>(gelirdetayF), static_cast<TdetayF*>(giderdetayF)}) {
        connect(detail, &TdetayF::editRequested, kasaF, onMovement([this] { kasaF->startEdit(); }));
        connect(detail, &TdetayF::deleteRequested, this, onMovement([this] {
                    ledger_->deleteCurrentMovement();
                    ledger_->ParaBirimiDurum();
                }));
        connect(detail, &TdetayF::documentsRequested, resimkasaF,
                onMovement([this] { resimkasaF->showDocuments(); }));
    }
}

Program::~Program()
{
    // Windows go in the reverse order of their creation, before the data they show.
    while (!owned_.empty()) {
        owned_.pop_back();
    }
    ledgerPrinting_.reset();
    analysis_.reset();
    ledgerReports_.reset();
    ledger_.reset();
}

QList<QWidget*> Program::windows() const
{
    QList<QWidget*> list;
    for (const auto& w : owned_) {
        list << w.get();
    }
    return list;
}

QWidget* Program::window(const QString& objectName) const
{
    for (const auto& w : owned_) {
        if (w->objectName() == objectName) {
            return w.get();
        }
    }
    return nullptr;
}

void Program::kasakapat()
{
    for (QWidget* w : {static_cast<QWidget*>(nakitnedenF), static_cast<QWidget*>(resimkasaF),
                       static_cast<QWidget*>(yardimF), static_cast<QWidget*>(firmaF), ikitarihF,
                       static_cast<QWidget*>(kasaF), static_cast<QWidget*>(kasaRF)}) {
        w->hide();
    }
    for (QWidget* w : {static_cast<QWidget*>(raporKasaF), static_cast<QWidget*>(gelirdetayF),
                       static_cast<QWidget*>(giderdetayF)}) {
        w->hide();
    }
    kasaRF->closeBook();
    session_.closeCashBook();
    girisF->show();
}

void Program::runExitSequence()
{
    if (ended_) {
        return;
    }
    ended_ = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Unsaved changes are dropped, never saved: closing a dataset cancels its pending row.
    kasaRF->closeBook();
    session_.FirmaTakip.close();
    session_.sifreTable.close();
    session_.masterTable.close();
    session_.kasaConnection.close();
    session_.ADOConnection1.close();
    if (automaticBackup) {
        automaticBackup();
    }
    QGuiApplication::restoreOverrideCursor();
    for (QWidget* w : windows()) {
        w->hide();
    }
    emit programEnded();
    QCoreApplication::exit(0);
}

}  // namespace tamevo
