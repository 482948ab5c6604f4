#pragma once

#include "app/Session.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

namespace tamevo {

class Ledger;
class TfirmaF;
class LedgerPrinting;
class LedgerReports;
class TgirisF;
class TkasaF;
class TkasaRF;
class TyardimF;
class TkaynakF;
class TnakitnedenF;
class TparabirimiF;
class TresimkasaF;
class TsifreF;

// The running program: its shared data and its windows, created once in their fixed order
// and afterwards only shown and hidden. Windows reach each other through it.
class Program : public QObject {
    Q_OBJECT
public:
    // Opens the start-up connections and creates the windows. Throws Error when a database
    // of the program folder is missing or is not a database.
    Program();
    ~Program() override;

    Session& session() { return session_; }
    Ledger& ledger() { return *ledger_; }
    // The ledger window's reports and its printing commands.
    LedgerReports& ledgerReports() { return *ledgerReports_; }
    LedgerPrinting& ledgerPrinting() { return *ledgerPrinting_; }

    TgirisF* girisF = nullptr;
    TkasaRF* kasaRF = nullptr;
    TyardimF* yardimF = nullptr;
    TkasaF* kasaF = nullptr;
    TresimkasaF* resimkasaF = nullptr;
    QWidget* ikitarihF = nullptr;
    TnakitnedenF* nakitnedenF = nullptr;
    TfirmaF* firmaF = nullptr;
    TparabirimiF* parabirimiF = nullptr;
    QWidget* gelirdetayF = nullptr;
    QWidget* raporKasaF = nullptr;
    QWidget* giderdetayF = nullptr;
    TsifreF* sifreF = nullptr;
    QWidget* kasaikitarihF = nullptr;
    TkaynakF* kaynakF = nullptr;

    // Every window in creation order.
    QList<QWidget*> windows() const;

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
    Session session_;
    std::unique_ptr<Ledger> ledger_;
    std::unique_ptr<LedgerReports> ledgerReports_;
    std::unique_ptr<LedgerPrinting> ledgerPrinting_;
    std::vector<std::unique_ptr<QWidget>> owned_;
    bool ended_ = false;
};

}  // namespace tamevo
