#pragma once

#include "data/Money.h"

#include <QList>
#include <QString>

#include <optional>

namespace tamevo {

class Connection;
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

// Compares the closing balances of every currency of the closed year's database with the
// first carry-over row of that currency in the next year's database, in kuruş; a currency
// without a carry-over row counts as carried with zero. A carry-over row of a currency the
// closed year has no movement in is not compared: the carry-over keeps such rows as they are.
// Nothing (no value) when the next year
// has no carry-over row at all. Reads the per-day totals and one index seek per currency, so
// its cost follows the number of days and currencies, not of movements. Throws Error.
std::optional<QList<CarryOverMismatch>> compareCarryOver(Connection& closedYear,
                                                         Connection& nextYear);

// Checks the carry-overs that touch the open year of the open cash book: into it from the year
// before, and from it into the year after, each when both files exist and the later one has
// carry-over rows. Returns the first that does not agree, else an agreeing state (closedYear
// 0 when neither was carried over). Throws Error.
CarryOverState checkCarryOvers(Session& session);

// Takes the carry-over from `closedYear` into the next year again: the next year's "DEVİR"
// rows are replaced by the closed year's closing balances in one transaction, whichever of the
// two years is open. Throws Error.
void retakeCarryOver(Session& session, int closedYear);

// The texts of a carry-over that does not agree: the ledger's warning line, and the question
// that offers to take it again.
QString carryOverWarning(const CarryOverState& state);
QString carryOverQuestion(const CarryOverState& state);

}  // namespace tamevo
