#include "shell/Program.h"

#include "cashbooks/FirmaWindow.h"
#include "cashbooks/RestoreJournal.h"
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
#include "reports/IkiTarihWindow.h"
#include "reports/KasaIkiTarihWindow.h"
#include "reports/DetayWindow.h"
#include "reports/IncomeExpenseAnalysis.h"
#include "reports/LedgerPrinting.h"
#include "reports/LedgerReports.h"
#include "reports/RaporKasaWindow.h"
#include "reports/SpreadsheetExport.h"
#include "reports/TwoDateBrowser.h"
#include "update/InternetConnection.h"
#include "update/UpdateCommand.h"
#include "widgets/KeyFilters.h"
#include "widgets/WindowKit.h"

#include <QGuiApplication>

namespace tamevo {

namespace {

// Shows a tool window in front, with the keyboard's focus.
void present(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace

Program::Program()
{
    // A restore that a stop left half done is finished or taken back before any database
    // is opened; what was done is said once the windows exist.
    QString restoreOutcome;
    guarded([&restoreOutcome] { restoreOutcome = finishInterruptedRestore(); });
    session_.openStartupConnections();
    ledger_ = std::make_unique<Ledger>(session_);
    ledgerReports_ = std::make_unique<LedgerReports>(session_, *ledger_);
    twoDateBrowser_ = std::make_unique<TwoDateBrowser>(session_, *ledger_, *ledgerReports_);
    analysis_ = std::make_unique<IncomeExpenseAnalysis>(session_);
    ledgerPrinting_ = std::make_unique<LedgerPrinting>(*ledgerReports_, *analysis_);
    currencyChoices_ = std::make_unique<CurrencyChoices>(session_);
    sourceTypes_ = std::make_unique<SourceTypeList>();
    internet_ = std::make_unique<SystemInternetConnection>();
    update_ = std::make_unique<UpdateCommand>(*internet_);
    // The source types are read once, for the whole run.
    guarded([this] { sourceTypes_->load(); });

    createWindows();
    connectWindows();
    girisF->start();
    if (!restoreOutcome.isEmpty()) {
        showMessage(restoreOutcome);
    }
}

void Program::createWindows()
{
    // The windows in their fixed order; the entry screen first, so it is the main window.
    const auto own = [this](auto window) {
        auto* raw = window.get();
        owned_.push_back(std::move(window));
        return raw;
    };
    girisF = own(std::make_unique<TgirisF>(session_, *sourceTypes_));
    kasaRF = own(std::make_unique<TkasaRF>(session_, *ledger_, *currencyChoices_));
    yardimF = own(std::make_unique<TyardimF>());
    kasaF = own(std::make_unique<TkasaF>(session_, *ledger_));
    resimkasaF = own(std::make_unique<TresimkasaF>(session_, *ledger_));
    ikitarihF = own(std::make_unique<TikitarihF>(*ledgerPrinting_, *twoDateBrowser_));
    nakitnedenF = own(std::make_unique<TnakitnedenF>(session_));
    firmaF = own(std::make_unique<TfirmaF>(session_));
    parabirimiF = own(std::make_unique<TparabirimiF>(session_, *currencyChoices_));
    gelirdetayF = own(std::make_unique<TgelirdetayF>(*analysis_));
    raporKasaF = own(std::make_unique<TraporKasaF>(*analysis_));
    giderdetayF = own(std::make_unique<TgiderdetayF>(*analysis_));
    sifreF = own(std::make_unique<TsifreF>(session_));
    kasaikitarihF = own(std::make_unique<TkasaikitarihF>(*twoDateBrowser_));
    kaynakF = own(std::make_unique<TkaynakF>(*sourceTypes_));

    for (const auto& window : owned_) {
        keepLettersWhole(window.get());
        // Esc closes every tool window; the entry screen and the ledger close with their
        // questions only.
        if (window.get() != girisF && window.get() != kasaRF) {
            makeEscapeClose(window.get());
        }
    }
}

void Program::connectWindows()
{
    // The entry screen: into the ledger, the registry and the lists; the exit question.
    connect(girisF, &TgirisF::bookOpened, kasaRF, &TkasaRF::openBook);
    // The two-date window offers days of the year the ledger has open.
    const auto offerDaysOfTheYear = [this] { ikitarihF->startInYear(session_.CalismaYili); };
    connect(ledger_.get(), &Ledger::bookOpened, ikitarihF, offerDaysOfTheYear);
    connect(ledger_.get(), &Ledger::bookSwitched, ikitarihF, offerDaysOfTheYear);
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
    connect(kasaRF, &TkasaRF::editMovementRequested, kasaF, [this] { kasaF->startEdit(); });
    connect(kasaRF, &TkasaRF::documentsRequested, resimkasaF, &TresimkasaF::showDocuments);
    connect(kasaRF, &TkasaRF::printChoiceChanged, ledgerPrinting_.get(),
            &LedgerPrinting::setPrintChoice);
    connect(kasaRF, &TkasaRF::printRequested, ledgerPrinting_.get(),
            &LedgerPrinting::printSelectedReport);
    connect(kasaRF, &TkasaRF::twoDateRequested, ledgerPrinting_.get(),
            &LedgerPrinting::openPeriodBrowser);
    connect(kasaRF, &TkasaRF::typeReportRequested, ledgerPrinting_.get(),
            &LedgerPrinting::openAnalysis);
    connect(kasaRF, &TkasaRF::excelRequested, this, [this] { exportDayToSpreadsheet(*ledger_); });
    connect(kasaRF, &TkasaRF::helpRequested, yardimF, &TyardimF::showLedgerTopic);
    connect(kasaRF, &TkasaRF::mainMenuRequested, this, &Program::kasakapat);
    connect(kasaRF, &TkasaRF::closeRequested, girisF, &QWidget::close);
    connect(kasaRF, &TkasaRF::workingYearChanged, girisF, &TgirisF::setWorkingYearText);
    connect(ledgerPrinting_.get(), &LedgerPrinting::twoDateWindowRequested, ikitarihF,
            &TikitarihF::showFor);
    connect(ledgerPrinting_.get(), &LedgerPrinting::analysisWindowRequested, raporKasaF,
            &TraporKasaF::showAnalysis);
    connectAnalysisWindows();

    // The two-date window builds a period report or the movement browser; the browser opens
    // its movements in the movement window through the ledger, prints through the two-date
    // window, and is built again after a movement it opened is saved, unless it was hidden
    // before.
    connect(ikitarihF, &TikitarihF::browserRequested, kasaikitarihF, &TkasaikitarihF::showBrowser);
    connect(kasaikitarihF, &TkasaikitarihF::editMovementRequested, kasaF,
            [this] { kasaF->startEdit(AfterSave::ReturnToBrowser); });
    connect(kasaikitarihF, &TkasaikitarihF::hidden, kasaF, &TkasaF::stopReturningToBrowser);
    connect(kasaikitarihF, &TkasaikitarihF::printRequested, ikitarihF,
            &TikitarihF::printMovementsReport);
    connect(kasaF, &TkasaF::savedForBrowser, ikitarihF, &TikitarihF::rebuildBrowser);

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
                ikitarihF->setCurrencyEntries(boxes.twoDate);
                raporKasaF->setCurrencyEntries(boxes.analysis);
            });
    connect(sourceTypes_.get(), &SourceTypeList::namesChanged, kasaF, &TkasaF::setSourceNames);

    // "PROGRAMI GÜNCELLE": the online update. A started replacement waives the exit question;
    // its close request is posted to the entry screen, so it is handled once the run has been
    // reported, and ends the program through the exit sequence.
    connect(girisF, &TgirisF::updateRequested, update_.get(), &UpdateCommand::updateProgram);
    connect(update_.get(), &UpdateCommand::exitQuestionWaived, girisF, &TgirisF::waiveExitQuestion);
    connect(&update_->updater, &TZubUpdater::closeRequested, girisF, &QWidget::close,
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
                    command();
                }
            });
        };
    };
    for (TdetayF* detail :
         {static_cast<TdetayF*>(gelirdetayF), static_cast<TdetayF*>(giderdetayF)}) {
        connect(detail, &TdetayF::editRequested, kasaF, onMovement([this] { kasaF->startEdit(); }));
        connect(detail, &TdetayF::deleteRequested, this,
                onMovement([this] { ledger_->deleteCurrentMovement(); }));
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
    twoDateBrowser_.reset();
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
                       static_cast<QWidget*>(yardimF), static_cast<QWidget*>(firmaF),
                       static_cast<QWidget*>(ikitarihF), static_cast<QWidget*>(kasaikitarihF),
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
