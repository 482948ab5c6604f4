#pragma once

#include "data/Session.h"

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace tamevo {

class CurrencyChoices;
class IncomeExpenseAnalysis;
class Ledger;
class LedgerPrinting;
class LedgerReports;
class SourceTypeList;
class TfirmaF;
class TgelirdetayF;
class TgiderdetayF;
class TgirisF;
class TikitarihF;
class TkasaF;
class TkasaRF;
class TkasaikitarihF;
class TkaynakF;
class TnakitnedenF;
class TparabirimiF;
class TraporKasaF;
class TresimkasaF;
class TsifreF;
class TwoDateBrowser;
class TyardimF;
class InternetConnection;
class UpdateCommand;

// The running program: its shared data, its core objects and its windows, created once in
// their fixed order and afterwards only shown and hidden. It alone knows every window: the
// windows ask through their signals and offer intent-level methods, and the wiring between
// them is made here, in one place.
class Program : public QObject {
    Q_OBJECT
public:
    // Finishes a restore that a stop left half done (and says so), opens the start-up
    // connections and creates the windows. Throws Error when a database of the program
    // folder is missing or is not a database.
    Program();
    ~Program() override;

    Session& session() { return session_; }
    Ledger& ledger() { return *ledger_; }
    // The ledger window's reports.
    LedgerReports& ledgerReports() { return *ledgerReports_; }
    // The lists several windows show.
    CurrencyChoices& currencyChoices() { return *currencyChoices_; }
    SourceTypeList& sourceTypes() { return *sourceTypes_; }

    // Every window in creation order, and one by its objectName ("kasaRF").
    QList<QWidget*> windows() const;
    QWidget* window(const QString& objectName) const;

    // Closes the open cash book and shows the entry screen: the tool windows and the ledger
    // are hidden, pending changes of the cash book are dropped (never saved), the cash book's
    // datasets close and kasaConnection is disconnected.
    void kasakapat();

    // The automatic backup check of the exit sequence, run after the connections closed.
    std::function<void()> automaticBackup;

    // True once the exit sequence has run.
    bool ended() const { return ended_; }

    // The exit sequence: pending edits dropped, datasets and connections closed, the
    // automatic backup when due, then the program ends.
    void runExitSequence();

signals:
    void programEnded();

private:
    void createWindows();
    void connectWindows();
    void connectAnalysisWindows();

    Session session_;
    std::unique_ptr<Ledger> ledger_;
    std::unique_ptr<LedgerReports> ledgerReports_;
    std::unique_ptr<IncomeExpenseAnalysis> analysis_;
    std::unique_ptr<LedgerPrinting> ledgerPrinting_;
    std::unique_ptr<TwoDateBrowser> twoDateBrowser_;
    std::unique_ptr<CurrencyChoices> currencyChoices_;
    std::unique_ptr<SourceTypeList> sourceTypes_;
    std::unique_ptr<InternetConnection> internet_;
    std::unique_ptr<UpdateCommand> update_;
    std::vector<std::unique_ptr<QWidget>> owned_;
    bool ended_ = false;

    TgirisF* girisF = nullptr;
    TkasaRF* kasaRF = nullptr;
    TyardimF* yardimF = nullptr;
    TkasaF* kasaF = nullptr;
    TresimkasaF* resimkasaF = nullptr;
    TikitarihF* ikitarihF = nullptr;
    TnakitnedenF* nakitnedenF = nullptr;
    TfirmaF* firmaF = nullptr;
    TparabirimiF* parabirimiF = nullptr;
    TgelirdetayF* gelirdetayF = nullptr;
    TraporKasaF* raporKasaF = nullptr;
    TgiderdetayF* giderdetayF = nullptr;
    TsifreF* sifreF = nullptr;
    TkasaikitarihF* kasaikitarihF = nullptr;
    TkaynakF* kaynakF = nullptr;
};

}  // namespace tamevo
