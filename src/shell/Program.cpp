#include "shell/Program.h"

#include "cashbooks/FirmaWindow.h"
#include "cashbooks/RestoreJournal.h"
#include "cashbooks/SunucuWindow.h"
#include "data/Dialogs.h"
#include "documents/ResimKasaWindow.h"
#include "entry/GirisWindow.h"
#include "help/YardimWindow.h"
#include "ledger/GecmisWindow.h"
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

#include <type_traits>

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

template <class W, class... Args>
W* Program::build(W*& window, Args&&... args)
{
    auto made = std::make_unique<W>(std::forward<Args>(args)...);
    window = made.get();
    owned_.push_back(std::move(made));
    keepLettersWhole(window);
    // Esc closes every tool window; the entry screen and the ledger close with their
    // questions only.
    if constexpr (!std::is_same_v<W, TgirisF> && !std::is_same_v<W, TkasaRF>) {
        makeEscapeClose(window);
    }
    return window;
}

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

    // The entry screen first, so it is the main window; the others wait until they are asked
    // for.
    build(girisF_, session_, *sourceTypes_);
    connectWindows();
    girisF_->start();
    if (!restoreOutcome.isEmpty()) {
        showMessage(restoreOutcome);
    }
}

void Program::connectWindows()
{
    // The entry screen: into the ledger, the registry and the lists; the exit question.
    connect(girisF_, &TgirisF::bookOpened, this,
            [this](const OpenBookTexts& texts) { kasaRF()->openBook(texts); });
    connect(girisF_, &TgirisF::registryRecordStarted, this, [this] { present(firmaF()); });
    connect(girisF_, &TgirisF::cashBookListRequested, this, [this] { firmaF()->showList(); });
    connect(girisF_, &TgirisF::newCashBookRequested, this, [this] { firmaF()->showNewCashBook(); });
    connect(girisF_, &TgirisF::currenciesRequested, this, [this] { parabirimiF()->openAndShow(); });
    connect(girisF_, &TgirisF::sourceTypesRequested, this, [this] { present(kaynakF()); });
    connect(girisF_, &TgirisF::passwordsRequested, this, [this] { present(sifreF()); });
    connect(girisF_, &TgirisF::helpRequested, this, [this] { yardimF()->showEntryTopic(); });
    connect(girisF_, &TgirisF::exitConfirmed, this, &Program::runExitSequence);
    connect(girisF_, &TgirisF::bookCloseRequested, this, &Program::kasakapat);

    // The two-date window offers days of the year the ledger has open.
    const auto offerDaysOfTheYear = [this] {
        ledgerYear_ = session_.CalismaYili;
        if (ikitarihF_ != nullptr) {
            ikitarihF_->startInYear(ledgerYear_);
        }
    };
    connect(ledger_.get(), &Ledger::bookOpened, this, offerDaysOfTheYear);
    connect(ledger_.get(), &Ledger::bookSwitched, this, offerDaysOfTheYear);

    // The ledger's print commands open the two-date window and the analysis window.
    connect(ledgerPrinting_.get(), &LedgerPrinting::twoDateWindowRequested, this,
            [this](TwoDateOutput output) { ikitarihF()->showFor(output); });
    connect(ledgerPrinting_.get(), &LedgerPrinting::analysisWindowRequested, this,
            [this] { raporKasaF()->showAnalysis(); });

    // The lists several windows show follow their announcements; a window built later
    // starts from the last one.
    connect(currencyChoices_.get(), &CurrencyChoices::boxesChanged, this,
            [this](const CurrencyBoxes& boxes) {
                currencyBoxes_ = boxes;
                if (kasaRF_ != nullptr) {
                    kasaRF_->setCurrencyEntries(boxes.ledger);
                }
                if (kasaF_ != nullptr) {
                    kasaF_->setCurrencyEntries(boxes.movement);
                }
                if (ikitarihF_ != nullptr) {
                    ikitarihF_->setCurrencyEntries(boxes.twoDate);
                }
                if (raporKasaF_ != nullptr) {
                    raporKasaF_->setCurrencyEntries(boxes.analysis);
                }
            });
    connect(sourceTypes_.get(), &SourceTypeList::namesChanged, this,
            [this](const QStringList& names) {
                sourceNames_ = names;
                if (kasaF_ != nullptr) {
                    kasaF_->setSourceNames(names);
                }
            });

    // "PROGRAMI GÜNCELLE": the online update. A started replacement waives the exit question;
    // its close request is posted to the entry screen, so it is handled once the run has been
    // reported, and ends the program through the exit sequence.
    connect(girisF_, &TgirisF::updateRequested, update_.get(), &UpdateCommand::updateProgram);
    connect(update_.get(), &UpdateCommand::exitQuestionWaived, girisF_,
            &TgirisF::waiveExitQuestion);
    connect(&update_->updater, &TZubUpdater::closeRequested, girisF_, &QWidget::close,
            Qt::QueuedConnection);

    // At exit, after the connections closed: the automatic backup when it is due, as the
    // registry window's panel shows its settings (read from their file when it is built).
    automaticBackup = [this] { firmaF()->runAutomaticBackupWhenDue(); };
}

TkasaRF* Program::kasaRF()
{
    if (kasaRF_ != nullptr) {
        return kasaRF_;
    }
    build(kasaRF_, session_, *ledger_, *currencyChoices_);
    if (currencyBoxes_) {
        kasaRF_->setCurrencyEntries(currencyBoxes_->ledger);
    }
    connect(
        kasaRF_, &TkasaRF::newMovementRequested, this,
        [this](const QDate& day, const QString& currency) { kasaF()->startNew(day, currency); });
    connect(kasaRF_, &TkasaRF::editMovementRequested, this, [this] { kasaF()->startEdit(); });
    connect(kasaRF_, &TkasaRF::documentsRequested, this, [this] { resimkasaF()->showDocuments(); });
    connect(kasaRF_, &TkasaRF::journalRequested, this, [this] { gecmisF()->showJournal(); });
    connect(kasaRF_, &TkasaRF::printChoiceChanged, ledgerPrinting_.get(),
            &LedgerPrinting::setPrintChoice);
    connect(kasaRF_, &TkasaRF::printRequested, ledgerPrinting_.get(),
            &LedgerPrinting::printSelectedReport);
    connect(kasaRF_, &TkasaRF::twoDateRequested, ledgerPrinting_.get(),
            &LedgerPrinting::openPeriodBrowser);
    connect(kasaRF_, &TkasaRF::typeReportRequested, ledgerPrinting_.get(),
            &LedgerPrinting::openAnalysis);
    connect(kasaRF_, &TkasaRF::excelRequested, this, [this] { exportDayToSpreadsheet(*ledger_); });
    connect(kasaRF_, &TkasaRF::helpRequested, this, [this] { yardimF()->showLedgerTopic(); });
    connect(kasaRF_, &TkasaRF::mainMenuRequested, this, &Program::kasakapat);
    connect(kasaRF_, &TkasaRF::closeRequested, girisF_, &QWidget::close);
    connect(kasaRF_, &TkasaRF::workingYearChanged, girisF_, &TgirisF::setWorkingYearText);
    return kasaRF_;
}

TyardimF* Program::yardimF()
{
    return yardimF_ != nullptr ? yardimF_ : build(yardimF_);
}

TkasaF* Program::kasaF()
{
    if (kasaF_ != nullptr) {
        return kasaF_;
    }
    build(kasaF_, session_, *ledger_);
    if (currencyBoxes_) {
        kasaF_->setCurrencyEntries(currencyBoxes_->movement);
    }
    if (sourceNames_) {
        kasaF_->setSourceNames(*sourceNames_);
    }
    // The list buttons: the transaction types (opening their table first) and the source
    // types; the help button shows the ledger's topic. A movement saved from the browser
    // builds the browser again.
    connect(kasaF_, &TkasaF::typesRequested, this, [this] { nakitnedenF()->openAndShow(); });
    connect(kasaF_, &TkasaF::sourcesRequested, this, [this] { present(kaynakF()); });
    connect(kasaF_, &TkasaF::helpRequested, this, [this] { yardimF()->showLedgerTopic(); });
    connect(kasaF_, &TkasaF::savedForBrowser, this, [this] { ikitarihF()->rebuildBrowser(); });
    return kasaF_;
}

TresimkasaF* Program::resimkasaF()
{
    return resimkasaF_ != nullptr ? resimkasaF_ : build(resimkasaF_, session_, *ledger_);
}

TikitarihF* Program::ikitarihF()
{
    if (ikitarihF_ != nullptr) {
        return ikitarihF_;
    }
    build(ikitarihF_, *ledgerPrinting_, *twoDateBrowser_);
    if (currencyBoxes_) {
        ikitarihF_->setCurrencyEntries(currencyBoxes_->twoDate);
    }
    if (ledgerYear_ != 0) {
        ikitarihF_->startInYear(ledgerYear_);
    }
    // The two-date window builds a period report or the movement browser.
    connect(ikitarihF_, &TikitarihF::browserRequested, this,
            [this] { kasaikitarihF()->showBrowser(); });
    return ikitarihF_;
}

TnakitnedenF* Program::nakitnedenF()
{
    return nakitnedenF_ != nullptr ? nakitnedenF_ : build(nakitnedenF_, session_);
}

TfirmaF* Program::firmaF()
{
    if (firmaF_ != nullptr) {
        return firmaF_;
    }
    build(firmaF_, session_);
    // The chosen cash book goes to the entry screen, whose year box gives a new cash book's
    // database its year.
    connect(firmaF_, &TfirmaF::cashBookChosen, girisF_, &TgirisF::setChosenCashBook);
    connect(firmaF_, &TfirmaF::serverSettingsRequested, this, [this] { present(sunucuF()); });
    firmaF_->workingYearText = [this] { return girisF_->workingYearText(); };
    return firmaF_;
}

TsunucuF* Program::sunucuF()
{
    return sunucuF_ != nullptr ? sunucuF_ : build(sunucuF_);
}

TparabirimiF* Program::parabirimiF()
{
    return parabirimiF_ != nullptr ? parabirimiF_
                                   : build(parabirimiF_, session_, *currencyChoices_);
}

TgelirdetayF* Program::gelirdetayF()
{
    if (gelirdetayF_ == nullptr) {
        connectDetailWindow(build(gelirdetayF_, *analysis_));
    }
    return gelirdetayF_;
}

TraporKasaF* Program::raporKasaF()
{
    if (raporKasaF_ != nullptr) {
        return raporKasaF_;
    }
    build(raporKasaF_, *analysis_);
    if (currencyBoxes_) {
        raporKasaF_->setCurrencyEntries(currencyBoxes_->analysis);
    }
    // The analysis window asks for the detail windows it built.
    connect(raporKasaF_, &TraporKasaF::collectionsDetailRequested, this,
            [this] { gelirdetayF()->showDetail(); });
    connect(raporKasaF_, &TraporKasaF::paymentsDetailRequested, this,
            [this] { giderdetayF()->showDetail(); });
    return raporKasaF_;
}

TgiderdetayF* Program::giderdetayF()
{
    if (giderdetayF_ == nullptr) {
        connectDetailWindow(build(giderdetayF_, *analysis_));
    }
    return giderdetayF_;
}

TsifreF* Program::sifreF()
{
    return sifreF_ != nullptr ? sifreF_ : build(sifreF_, session_);
}

TkasaikitarihF* Program::kasaikitarihF()
{
    if (kasaikitarihF_ != nullptr) {
        return kasaikitarihF_;
    }
    build(kasaikitarihF_, *twoDateBrowser_);
    // The browser opens its movements in the movement window through the ledger and prints
    // through the two-date window; it is built again after a movement it opened is saved,
    // unless it was hidden before.
    connect(kasaikitarihF_, &TkasaikitarihF::editMovementRequested, this,
            [this] { kasaF()->startEdit(AfterSave::ReturnToBrowser); });
    connect(kasaikitarihF_, &TkasaikitarihF::hidden, this, [this] {
        if (kasaF_ != nullptr) {
            kasaF_->stopReturningToBrowser();
        }
    });
    connect(kasaikitarihF_, &TkasaikitarihF::printRequested, this,
            [this] { ikitarihF()->printMovementsReport(); });
    return kasaikitarihF_;
}

TkaynakF* Program::kaynakF()
{
    return kaynakF_ != nullptr ? kaynakF_ : build(kaynakF_, *sourceTypes_);
}

TgecmisF* Program::gecmisF()
{
    return gecmisF_ != nullptr ? gecmisF_ : build(gecmisF_, session_, *ledger_);
}

void Program::connectDetailWindow(TdetayF* detail)
{
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
    connect(detail, &TdetayF::editRequested, this, onMovement([this] { kasaF()->startEdit(); }));
    connect(detail, &TdetayF::deleteRequested, this,
            onMovement([this] { ledger_->deleteCurrentMovement(); }));
    connect(detail, &TdetayF::documentsRequested, this,
            onMovement([this] { resimkasaF()->showDocuments(); }));
}

Program::~Program()
{
    // Windows go in the reverse order of their building, before the data they show.
    while (!owned_.empty()) {
        owned_.pop_back();
    }
    twoDateBrowser_.reset();
    ledgerPrinting_.reset();
    analysis_.reset();
    ledgerReports_.reset();
    ledger_.reset();
}

std::vector<std::pair<QString, std::function<QWidget*()>>> Program::windowOrder()
{
    const auto entry = [](const char* name, std::function<QWidget*()> build) {
        return std::pair<QString, std::function<QWidget*()>>(QString::fromLatin1(name),
                                                             std::move(build));
    };
    return {
        entry("girisF", [this] { return girisF_; }),
        entry("kasaRF", [this] { return kasaRF(); }),
        entry("yardimF", [this] { return yardimF(); }),
        entry("kasaF", [this] { return kasaF(); }),
        entry("resimkasaF", [this] { return resimkasaF(); }),
        entry("ikitarihF", [this] { return ikitarihF(); }),
        entry("nakitnedenF", [this] { return nakitnedenF(); }),
        entry("firmaF", [this] { return firmaF(); }),
        entry("parabirimiF", [this] { return parabirimiF(); }),
        entry("gelirdetayF", [this] { return gelirdetayF(); }),
        entry("raporKasaF", [this] { return raporKasaF(); }),
        entry("giderdetayF", [this] { return giderdetayF(); }),
        entry("sifreF", [this] { return sifreF(); }),
        entry("kasaikitarihF", [this] { return kasaikitarihF(); }),
        entry("kaynakF", [this] { return kaynakF(); }),
        entry("gecmisF", [this] { return gecmisF(); }),
        entry("sunucuF", [this] { return sunucuF(); }),
    };
}

QList<QWidget*> Program::windows()
{
    QList<QWidget*> list;
    for (const auto& [name, make] : windowOrder()) {
        list << make();
    }
    return list;
}

QWidget* Program::window(const QString& objectName)
{
    for (const auto& [name, make] : windowOrder()) {
        if (name == objectName) {
            return make();
        }
    }
    return nullptr;
}

QList<QWidget*> Program::builtWindows() const
{
    QList<QWidget*> list;
    for (const auto& w : owned_) {
        list << w.get();
    }
    return list;
}

void Program::kasakapat()
{
    // The ledger and its tool windows are hidden; the entry screen's lists stay as they are.
    for (QWidget* w : {static_cast<QWidget*>(nakitnedenF_), static_cast<QWidget*>(resimkasaF_),
                       static_cast<QWidget*>(yardimF_), static_cast<QWidget*>(firmaF_),
                       static_cast<QWidget*>(ikitarihF_), static_cast<QWidget*>(kasaikitarihF_),
                       static_cast<QWidget*>(kasaF_), static_cast<QWidget*>(kasaRF_),
                       static_cast<QWidget*>(raporKasaF_), static_cast<QWidget*>(gelirdetayF_),
                       static_cast<QWidget*>(giderdetayF_)}) {
        if (w != nullptr) {
            w->hide();
        }
    }
    // No cash book was opened before the ledger was built.
    if (kasaRF_ != nullptr) {
        kasaRF_->closeBook();
    }
    session_.closeCashBook();
    girisF_->show();
}

void Program::runExitSequence()
{
    if (ended_) {
        return;
    }
    ended_ = true;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    // Unsaved changes are dropped, never saved: closing a dataset cancels its pending row.
    if (kasaRF_ != nullptr) {
        kasaRF_->closeBook();
    }
    session_.FirmaTakip.close();
    session_.sifreTable.close();
    session_.masterTable.close();
    session_.kasaConnection.close();
    session_.ADOConnection1.close();
    if (automaticBackup) {
        automaticBackup();
    }
    QGuiApplication::restoreOverrideCursor();
    for (QWidget* w : builtWindows()) {
        w->hide();
    }
    emit programEnded();
    QCoreApplication::exit(0);
}

}  // namespace tamevo
