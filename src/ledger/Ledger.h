#pragma once

#include "data/CashBookFiles.h"
#include "data/Dataset.h"
#include "ledger/LedgerTexts.h"

#include <QDate>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace tamevo {

class Session;

// The date and currency the movement window gives a movement when it is stored, and the
// message for an amount or rate field whose text cannot be read (empty when all can): such a
// movement is refused whole and nothing is stored.
struct EntryValues {
    QDate day;
    QString currency;
    QString refusal{};
};

// The open cash book's ledger: the date list, the movements of the selected day, the day
// figures and the per-currency summary, and the one path through which movements are
// added, changed and deleted. The ledger window shows it; the movement window edits its
// current movement.
class Ledger : public QObject {
    Q_OBJECT
public:
    explicit Ledger(Session& session);
    ~Ledger() override;

    Session& session() { return session_; }

    // The date list: islem_tarihi of every day with a movement, newest first.
    Dataset kasaRQuery;
    // The movements of the selected day (a detail of the date list), with the lookup field
    // islemturu over the transaction types.
    Dataset kasaTable;
    // Day start and day totals: BorcToplam, AlacakToplam and the calculated bakiye.
    Dataset gunbasikasaQuery;
    Dataset guniciQuery;
    // The per-currency summary: doviz_cinsi, GunBasi, BorcToplam, AlacakToplam, bakiye.
    Dataset guntoplamtumuQuery;

    // --- Selection ----------------------------------------------------------------------
    // The text of the currency box: a code, "Hepsi", or empty when nothing is selected.
    void setCurrencySelection(const QString& text) { currency_ = text; }
    const QString& currencySelection() const { return currency_; }
    // The code compared with doviz_cinsi, or empty without a currency condition.
    QString currencyCondition() const;
    // The day of the date list's current row; the zero date when the list is empty.
    QDate selectedDay() const;
    // The ledger's date picker (vadesiDate): the year switches take their year from it.
    QDate pickerDate() const { return pickerDate_; }
    void setPickerDate(const QDate& date);

    // --- Day figures --------------------------------------------------------------------
    // Day start and day totals for the selected day; the plain forms do nothing when the
    // day is the one they last ran for.
    void KasaBakiye();
    void KasaBakiye2();
    void GunlukBakiye();
    void GunlukBakiye2();
    // Day start plus the day's balance (the day-end label).
    double dayEndBalance() const;
    // The per-currency summary: built and true under "Hepsi", closed and false otherwise.
    bool ParaBirimiDurum();
    // Re-runs the day totals with their current statement (after a save or delete).
    void rerunDayTotals();

    // --- Commands -----------------------------------------------------------------------
    // Opening a cash book: the date list, the day figures, the movements, the summary.
    void openBook();
    // Closes the cash book's datasets; a pending movement is dropped, never stored.
    void closeBook();
    // Refresh ("BİLGİLERİ GÜNCELLE", choosing a currency): date list rebuilt and newest day
    // selected, movements reloaded, the figures recomputed.
    void yenile();
    // Rebuilds the date list for the currency selection; the newest day becomes current.
    void rebuildDateList();
    // Selecting a day of the date list.
    void selectDay(int row);
    // "GİT": goes to the picker's date. Throws ValidationError(kDateNotFound) when the date
    // list does not have it; switches the cash book's year first when needed.
    void goToPickerDate();
    // Positions the ledger on a movement another window lists (the two-date browser, the
    // detail windows): the date list moves to `day`, so the ledger shows that day, then the
    // day's movements to `nid`. False when the date list does not hold the day, or the day's
    // movements in the ledger's currency do not hold the movement (the ledger may then have
    // moved to the day). The currency summary follows the day, and dayLocated tells the
    // ledger's window to show it.
    bool locateMovement(const QDate& day, qint64 nid);
    // The new movement row ("YENİ", "YENİ HAREKET").
    void appendMovement();
    // "DEĞİŞTİR": false when the current row is not a stored movement.
    bool editCurrentMovement();
    // After the year-end carry-over, whatever its outcome: the ledger shows the year now open.
    void refreshAfterCarryOver();
    // "SİL" after its question: deletes the current movement (a new row is only dropped).
    void deleteCurrentMovement();

    enum class SaveResult { NothingPending, Declined, Saved };
    // "SAKLA": stores the pending movement with the movement window's date and currency,
    // switching the cash book's year first when the date lies in another year (after its
    // question). Throws ValidationError with the check's message when the movement is
    // refused; the row then stays pending.
    SaveResult saveMovement(const EntryValues& entry);

    // The movement window's current values, used when a changed pending movement is stored
    // by leaving it (moving to another row or day, starting another row).
    std::function<EntryValues()> entryValues;

    // Year switch of the open cash book to the picker's year (kasadegistir with the caller's
    // closing and reopening of the ledger's datasets). Throws ValidationError when the new
    // year's database cannot be made; the old year stays open then.
    void switchToPickerYear();

signals:
    // The open book changed its year: captions and the calendar follow.
    void bookSwitched(const tamevo::OpenBookTexts& texts);
    // The day figures changed (labels follow).
    void figuresChanged();
    // The picker date changed.
    void pickerDateChanged(const QDate& date);
    // Another window moved the date list to a day (the calendar and the summary follow).
    void dayLocated();

private:
    void completeMovement(const EntryValues& entry);
    void runDayStart();
    void runDayTotals();
    void closeForSwitch();
    void reopenAfterSwitch();

    Session& session_;
    QString currency_;
    QDate pickerDate_;
    // The days the day start and day totals last ran for; invalid until they first run.
    QDate dayStartRanFor_;
    QDate dayTotalsRanFor_;
    // The date and currency of the "SAKLA" being stored.
    std::optional<EntryValues> saving_;
};

// Reads an amount field: an empty value counts as zero.
double amountOf(const QVariant& value);

}  // namespace tamevo
