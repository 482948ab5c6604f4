#pragma once

#include "data/Session.h"
#include "lists/ReferenceLists.h"

#include <QObject>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace tamevo {

class IncomeExpenseAnalysis;
class Ledger;
class LedgerPrinting;
class LedgerReports;
class SourceTypeList;
class TdetayF;
class TgecmisF;
class TfirmaF;
class TsunucuF;
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

// The running program: its shared data, its core objects and its windows. Only the entry
// screen is built at start; every other window is built the first time it is shown or another
// window needs it, connected then, and afterwards kept for the whole run, only shown and
// hidden, so it keeps its values between showings. It alone knows every window: the windows
// ask through their signals and offer intent-level methods, and the wiring between them is
// made here, in one place.
class Program : public QObject {
    Q_OBJECT
public:
    // Finishes a restore that a stop left half done (and says so), opens the start-up
    // connections and builds the entry screen. Throws Error when a database of the program
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

    // Every window in the program's fixed order, and one by its objectName ("kasaRF"); a
    // window not built yet is built on the way.
    QList<QWidget*> windows();
    QWidget* window(const QString& objectName);
    // The windows built so far, in the order they were built.
    QList<QWidget*> builtWindows() const;

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
    // The entry screen's connections and those of the core objects that ask for windows.
    void connectWindows();

    // The windows after the entry screen, each built on its first call, when it is also
    // given what was announced before it and connected: its signals, and the core objects'
    // announcements it follows.
    TkasaRF* kasaRF();
    TyardimF* yardimF();
    TkasaF* kasaF();
    TresimkasaF* resimkasaF();
    TikitarihF* ikitarihF();
    TnakitnedenF* nakitnedenF();
    TfirmaF* firmaF();
    TparabirimiF* parabirimiF();
    TgelirdetayF* gelirdetayF();
    TraporKasaF* raporKasaF();
    TgiderdetayF* giderdetayF();
    TsifreF* sifreF();
    TkasaikitarihF* kasaikitarihF();
    TkaynakF* kaynakF();
    TgecmisF* gecmisF();
    TsunucuF* sunucuF();

    // The windows by objectName, in the program's fixed order, each with the call that gives
    // it (building it when it was not built yet).
    std::vector<std::pair<QString, std::function<QWidget*()>>> windowOrder();
    // Builds a window into `window` and takes it into the program's keeping: its letters kept
    // whole and, for a tool window, Esc closes it.
    template <class W, class... Args>
    W* build(W*& window, Args&&... args);
    // A detail window's row commands, which position the ledger on the movement first.
    void connectDetailWindow(TdetayF* detail);

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

    // The last announcements of the lists and of the ledger's year, for windows built after
    // them: the currency boxes (ParaBirimiAyarla), the source names (KaynakSekliAyarla) and
    // the year of the cash book the ledger last opened or switched to.
    std::optional<CurrencyBoxes> currencyBoxes_;
    std::optional<QStringList> sourceNames_;
    int ledgerYear_ = 0;

    TgirisF* girisF_ = nullptr;
    TkasaRF* kasaRF_ = nullptr;
    TyardimF* yardimF_ = nullptr;
    TkasaF* kasaF_ = nullptr;
    TresimkasaF* resimkasaF_ = nullptr;
    TikitarihF* ikitarihF_ = nullptr;
    TnakitnedenF* nakitnedenF_ = nullptr;
    TfirmaF* firmaF_ = nullptr;
    TparabirimiF* parabirimiF_ = nullptr;
    TgelirdetayF* gelirdetayF_ = nullptr;
    TraporKasaF* raporKasaF_ = nullptr;
    TgiderdetayF* giderdetayF_ = nullptr;
    TsifreF* sifreF_ = nullptr;
    TkasaikitarihF* kasaikitarihF_ = nullptr;
    TkaynakF* kaynakF_ = nullptr;
    TgecmisF* gecmisF_ = nullptr;
    TsunucuF* sunucuF_ = nullptr;
};

}  // namespace tamevo
