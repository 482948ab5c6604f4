#pragma once

#include "data/CashBookFiles.h"
#include "data/Dataset.h"
#include "data/Money.h"
#include "ledger/CarryOverCheck.h"
#include "ledger/LedgerTexts.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <QTimer>

namespace tamevo {

class Session;
struct JournalEntry;

namespace report {
class ReportData;
}

// The values of the movement window that are not fields of the movement: the date and
// currency it gives the movement when it is stored, and the message for an amount or rate
// field whose text cannot be read (empty when all can): such a movement is refused whole and
// nothing is stored.
struct EntryValues {
    QDate day;
    QString currency;
    QString refusal{};
};

// The selected day's figures: the balance before the day (GÜN BAŞI KASA), the day's money in
// and out; all in the ledger's currency, or summed over every currency under "Hepsi".
struct DayFigures {
    Money dayStart;
    Money in;
    Money out;
    Money balance() const { return in - out; }             // GÜN BAKİYE
    Money dayEnd() const { return dayStart + balance(); }  // GÜN SONU KASA
};

// The open cash book's ledger: the date list, the movements of the selected day, the day
// figures and the per-currency summary, and the one path through which movements are
// added, changed and deleted. Its datasets are its own: other objects read what they show
// through the views and figures below and change them only through its commands.
class Ledger : public QObject {
    Q_OBJECT
public:
    explicit Ledger(Session& session);
    ~Ledger() override;

    Session& session() { return session_; }

    // --- What the windows show ----------------------------------------------------------
    // The date list (kasaRQuery): islem_tarihi of every day with a movement, newest first.
    const Dataset& dateList() const { return kasaRQuery; }
    // The movements of the selected day in the ledger's currency (kasaTable), with the
    // lookup field islemturu over the transaction types.
    const Dataset& movements() const { return kasaTable; }
    // The per-currency summary (guntoplamtumuQuery): doviz_cinsi, GunBasi, BorcToplam,
    // AlacakToplam, bakiye. Open under "Hepsi" only.
    const Dataset& currencySummary() const { return guntoplamtumuQuery; }
    // The selected day's figures, as last computed.
    DayFigures dayFigures() const;

    // The movement the movement window's bound controls edit: typing writes the pending
    // movement's fields (amounts, rate, description, type, source). It is stored only by
    // saveMovement or by leaving it, through the ledger's checks.
    Dataset& movementEntry() { return kasaTable; }

    // Whether the date list stands on a day, and that day (the zero date when it does not).
    bool hasSelectedDay() const;
    QDate selectedDay() const;
    // The nid of the current movement when it is a stored movement; 0 otherwise.
    qint64 currentMovementId() const;
    // A field of the current movement; null without one.
    QVariant currentMovementValue(const QString& field) const;
    // Whether a new or changed movement is pending.
    bool hasPendingMovement() const { return kasaTable.isEditing(); }

    // The balance before `firstDay` in `currency` (every currency when it is empty): the
    // opening balance of a period report and of the two-date browser. Reads the per-day
    // totals; the ledger's own figures do not change. Throws Error.
    Money openingBalance(const QString& currency, const QDate& firstDay) const;

    // Gives a daily report its data under the names its templates read (kasaTable,
    // kasaRQuery, gunbasikasaQuery, guniciQuery): the day's movements as listed and the
    // figures as last computed. A pending movement is first settled as leaving it would (a
    // changed one is stored, an unchanged new one dropped). Throws Error.
    void addDayToReport(report::ReportData& data);

    // Makes `documents` a detail of the current movement: it follows the movement's nid in
    // its field `movementField`.
    void linkToCurrentMovement(Dataset& documents, const QString& movementField);

    // --- Selection ----------------------------------------------------------------------
    // The text of the currency box: a code, "Hepsi", or empty when nothing is selected.
    void setCurrencySelection(const QString& text) { currency_ = text; }
    // The code compared with doviz_cinsi, or empty without a currency condition.
    QString currencyCondition() const;
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

    // --- Commands -----------------------------------------------------------------------
    // Opening a cash book: the date list, the day figures, the movements, the summary; the
    // date picker is brought into the book's year when it lies outside it.
    void openBook();
    // Closes the cash book's datasets; a pending movement is dropped, never stored.
    void closeBook();
    // Refresh ("BİLGİLERİ GÜNCELLE", choosing a currency): date list rebuilt and newest day
    // selected, movements reloaded, the figures and the summary recomputed.
    void yenile();
    // Rebuilds the date list for the currency selection; the newest day becomes current.
    void rebuildDateList();
    // Selecting a day of the date list: the figures and the summary follow. Throws (and the
    // list stays) when a pending movement cannot be stored.
    void selectDay(int row);
    // Choosing a row of the day's movements. Throws (and the row stays) when a pending
    // movement cannot be stored.
    void selectMovement(int row);
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
    // Drops a pending movement, new or changed ("VAZGEÇ", the movement window hidden).
    void cancelPendingMovement();
    // Stores a changed pending movement, drops an unchanged new one, as leaving it would;
    // the day totals follow a stored one. Throws ValidationError when it is refused.
    void settlePendingMovement();
    // After the year-end carry-over, whatever its outcome: the ledger shows the year now open.
    void refreshAfterCarryOver();
    // "SİL" after its question: deletes the current movement (a new row is only dropped);
    // the figures and the summary follow.
    void deleteCurrentMovement();
    // "Geri Al" on a journal entry (after its question, when it asks one): a pending movement
    // is settled first, then the entry's action is carried out through the checks "SAKLA"
    // makes, and the ledger moves to the movement's day and, when it is there, the movement.
    // Throws ValidationError with the check's message; nothing changes then.
    void bringBack(const JournalEntry& entry);

    // --- Carry-over check -----------------------------------------------------------------
    // The carry-overs touching the open year as last checked. The check runs when a book is
    // opened or switched (reading the neighbour years' files then), and after every change of
    // a movement through the ledger (reading the open file alone).
    const CarryOverState& carryOverState() const { return carryOverState_; }
    void checkCarryOver();
    // "DEVRİ YENİDEN AL": takes the carry-over the check found wrong again; the ledger shows
    // the new figures when the open year is the one that received it. Throws Error.
    void retakeCarryOver();

    // The movement window's values for the pending movement, sent whenever they change: a
    // changed movement left pending is stored with them when it is left (moving to another
    // row or day, starting another row).
    void setEntryValues(const EntryValues& entry) { entry_ = entry; }

    enum class SaveResult { NothingPending, Declined, Saved };
    // "SAKLA": stores the pending movement with the movement window's values, switching the
    // cash book's year first when the date lies in another year (after its question). Throws
    // ValidationError with the check's message when the movement is refused; the row then
    // stays pending.
    SaveResult saveMovement(const EntryValues& entry);

    // Year switch of the open cash book to the picker's year (kasadegistir with the caller's
    // closing and reopening of the ledger's datasets). Throws ValidationError when the new
    // year's database cannot be made; the old year stays open then.
    void switchToPickerYear();

signals:
    // A cash book was opened (openBook).
    void bookOpened();
    // The open book changed its year: captions and the calendar follow.
    void bookSwitched(const tamevo::OpenBookTexts& texts);
    // The day figures changed (labels follow).
    void figuresChanged();
    // The per-currency summary was built again, or closed.
    void summaryChanged();
    // The picker date changed.
    void pickerDateChanged(const QDate& date);
    // Another window moved the date list to a day (the calendar and the summary follow).
    void dayLocated();
    // A movement was stored, deleted or brought back through the ledger.
    void movementsChanged();
    // The figures of another desk's change are shown (followOtherDesks).
    void followedOtherDesks();
    // The carry-over check ran (the warning line follows its state).
    void carryOverChecked(const tamevo::CarryOverState& state);
    // The check found a carry-over that does not agree, and not the same one it last told of:
    // the user is asked once whether to take it again.
    void carryOverMismatchFound(const tamevo::CarryOverState& state);

private:
    // The per-currency summary for the selected day: built under "Hepsi", closed otherwise;
    // run after every command that moves the day or changes its movements.
    void ParaBirimiDurum();
    void completeMovement();
    void runDayStart();
    void runDayTotals();
    void rerunDayTotals();
    void closeForSwitch();
    void reopenAfterSwitch();
    // The date list read again and moved to `day`, the movements to `nid` when it is there,
    // the figures and the summary following.
    void showDayOf(const QDate& day, const QVariant& nid);
    // After a change of the movements: the carry-over check and movementsChanged.
    void afterMovementsChanged();
    // Another desk changed the open book's movements: the date list, the day's movements,
    // the figures and the summary are read again, on the day and the movement shown. Waits
    // while a movement is being typed here, which it never stores.
    void followOtherDesks();
    // The neighbour years read from their files again, then the check.
    void checkCarryOverWithNeighbours();

    Session& session_;
    // Gathers another desk's notices: one reading for a burst of them.
    QTimer followTimer_;
    // The date list, the selected day's movements, the day start and day totals (BorcToplam,
    // AlacakToplam and the calculated bakiye), the per-currency summary.
    Dataset kasaRQuery;
    Dataset kasaTable;
    Dataset gunbasikasaQuery;
    Dataset guniciQuery;
    Dataset guntoplamtumuQuery;

    QString currency_;
    QDate pickerDate_;
    // The days the day start and day totals last ran for; invalid until they first run.
    QDate dayStartRanFor_;
    QDate dayTotalsRanFor_;
    // The movement window's values for the pending movement.
    EntryValues entry_;
    CarryOverState carryOverState_;
    NeighbourYears neighbourYears_;
    // The disagreeing carry-over the user was last asked about.
    CarryOverState carryOverToldOf_;
};

// The day the ledger's date box starts a working year with: today when it lies in that year;
// otherwise the day the ledger shows (when it shows one of that year), else 1 January.
QDate startingDay(const QDate& today, int workingYear, const QDate& shownDay);

// The amount checks of every stored movement: money on one side, and on one side only.
// Throws ValidationError (kNeedAmount, kBothSides).
void checkMovementAmounts(const Money& in, const Money& out);

// Reads an amount field: an empty value counts as zero.
double amountOf(const QVariant& value);

}  // namespace tamevo
