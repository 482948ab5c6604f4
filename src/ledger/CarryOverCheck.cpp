#include "ledger/CarryOverCheck.h"

#include "data/Errors.h"
#include "data/Session.h"
#include "ledger/CarryOver.h"

#include <QFileInfo>

#include <algorithm>

namespace tamevo {

namespace {

// A year of the open cash book, on the book's connection when it is the open year, else on a
// connection of its own opened on first use.
class YearDatabase {
public:
    YearDatabase(Session& session, int year) : session_(session), year_(year) {}
    bool exists() const { return year_ == session_.CalismaYili || session_.yearExists(year_); }
    Connection& connection()
    {
        if (year_ == session_.CalismaYili) {
            return session_.kasaConnection;
        }
        if (!own_.isOpen()) {
            session_.openOtherYear(own_, year_);
        }
        return own_;
    }

private:
    Session& session_;
    int year_;
    Connection own_{QStringLiteral("devirKontrol")};
};

Money balanceOf(const CurrencyTotal& total)
{
    return Money::fromKurus(total.balanceKurus());
}

}  // namespace

QList<CarryOverMismatch> compareCarryOver(const QList<CurrencyTotal>& closing,
                                          const QList<CurrencyTotal>& carried)
{
    QList<CarryOverMismatch> mismatches;
    for (const CurrencyTotal& total : closing) {
        const auto row = std::find_if(carried.begin(), carried.end(),
                                      [&](const auto& c) { return c.currency == total.currency; });
        const Money carriedBalance = row == carried.end() ? Money() : balanceOf(*row);
        if (balanceOf(total) != carriedBalance) {
            mismatches.append({total.currency.toString(), balanceOf(total), carriedBalance});
        }
    }
    return mismatches;
}

NeighbourYears readNeighbourYears(Session& session)
{
    NeighbourYears neighbours;
    YearDatabase previous(session, session.CalismaYili - 1);
    if (previous.exists()) {
        neighbours.previousTotals = yearTotals(previous.connection());
    }
    YearDatabase next(session, session.CalismaYili + 1);
    if (next.exists()) {
        QList<CurrencyTotal> rows = carryOverRows(next.connection());
        if (!rows.isEmpty()) {
            neighbours.nextCarried = std::move(rows);
        }
    }
    return neighbours;
}

CarryOverState checkCarryOvers(Session& session, const NeighbourYears& neighbours)
{
    const int year = session.CalismaYili;
    CarryOverState found;
    if (neighbours.previousTotals) {
        const QList<CurrencyTotal> carried = carryOverRows(session.kasaConnection);
        if (!carried.isEmpty()) {
            found = {year - 1, compareCarryOver(*neighbours.previousTotals, carried)};
            if (!found.agrees()) {
                return found;
            }
        }
    }
    if (neighbours.nextCarried) {
        return {year,
                compareCarryOver(yearTotals(session.kasaConnection), *neighbours.nextCarried)};
    }
    return found;
}

void retakeCarryOver(Session& session, int closedYear)
{
    YearDatabase closed(session, closedYear);
    YearDatabase next(session, closedYear + 1);
    if (!closed.exists() || !next.exists()) {
        throw Error(
            QStringLiteral("Devir alınacak yılın veritabanı bulunamadı: %1").arg(closedYear + 1));
    }
    writeCarryOverRows(next.connection(), closedYear, yearTotals(closed.connection()));
}

QString carryOverWarning(const CarryOverState& state)
{
    QStringList parts;
    for (const CarryOverMismatch& m : state.mismatches) {
        parts << QStringLiteral("%1 fark %2").arg(m.currency, m.difference().text());
    }
    return QStringLiteral("%1 yılından %2 yılına devir tutarları uyuşmuyor: %3")
        .arg(state.closedYear)
        .arg(state.closedYear + 1)
        .arg(parts.join(QStringLiteral(", ")));
}

QString carryOverQuestion(const CarryOverState& state)
{
    QString text = QStringLiteral(
                       "%1 yılının kapanış bakiyeleri %2 yılına devredilen "
                       "tutarlarla uyuşmuyor:")
                       .arg(state.closedYear)
                       .arg(state.closedYear + 1);
    for (const CarryOverMismatch& m : state.mismatches) {
        text += QStringLiteral("\n\r%1: kapanış %2, devir %3, fark %4")
                    .arg(m.currency, m.closing.text(), m.carried.text(), m.difference().text());
    }
    return text + QStringLiteral("\n\rYıl devri yeniden alınsın mı?");
}

}  // namespace tamevo
