#pragma once

#include "data/Money.h"
#include "ledger/CarryOver.h"

#include <QList>
#include <QString>

#include <optional>

namespace tamevo {

class Session;

// One currency whose closing balance of a year is not what the next year's carry-over row
// ("DEVİR") holds.
struct CarryOverMismatch {
    QString currency;
    Money closing;  // the closed year's closing balance (money in less money out)
    Money carried;  // the next year's carry-over row (money in less money out)
    Money difference() const { return closing - carried; }
    friend bool operator==(const CarryOverMismatch&, const CarryOverMismatch&) = default;
};

// The carry-over from `closedYear` to the next year as the check found it. Without a
// carry-over (no next year's file, or no "DEVİR" row in it) there is nothing to compare.
struct CarryOverState {
    int closedYear = 0;
    QList<CarryOverMismatch> mismatches;
    bool agrees() const { return mismatches.isEmpty(); }
    friend bool operator==(const CarryOverState&, const CarryOverState&) = default;
};

// Compares the closing totals of a closed year (yearTotals) with the next year's carry-over
// rows (carryOverRows), in kuruş. A currency of the closed year without a carry-over row
// counts as carried with zero; a carry-over row of a currency the closed year has no movement
// in is not compared, since the carry-over keeps such rows as they are.
QList<CarryOverMismatch> compareCarryOver(const QList<CurrencyTotal>& closing,
                                          const QList<CurrencyTotal>& carried);

// What the check needs of the open year's neighbours, read from their files: the closing
// totals of the year before, when its file exists, and the carry-over rows of the year after,
// when its file exists and has any. Read when a book is opened or a carry-over is written,
// so the check after a change reads the open file alone.
struct NeighbourYears {
    std::optional<QList<CurrencyTotal>> previousTotals;
    std::optional<QList<CurrencyTotal>> nextCarried;
};
// Throws Error.
NeighbourYears readNeighbourYears(Session& session);

// Checks the carry-overs that touch the open year: into it from the year before, and from it
// into the year after. Returns the first that does not agree, else an agreeing state
// (closedYear 0 when neither was carried over). Reads the open year's yearly totals or its
// carry-over rows, a few rows each. Throws Error.
CarryOverState checkCarryOvers(Session& session, const NeighbourYears& neighbours);

// Takes the carry-over from `closedYear` into the next year again: the next year's "DEVİR"
// rows are replaced by the closed year's closing balances in one transaction, whichever of the
// two years is open. Throws Error.
void retakeCarryOver(Session& session, int closedYear);

// The texts of a carry-over that does not agree: the ledger's warning line, and the question
// that offers to take it again.
QString carryOverWarning(const CarryOverState& state);
QString carryOverQuestion(const CarryOverState& state);

}  // namespace tamevo
