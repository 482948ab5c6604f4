#include "ledger/CarryOverCheck.h"

#include "data/Errors.h"
#include "data/Session.h"
#include "ledger/CarryOver.h"

#include <QFileInfo>
#include <QMap>

namespace tamevo {

namespace {

// A year of the open cash book, open on `connection` or on a connection of its own.
class YearDatabase {
public:
    YearDatabase(Session& session, int year) : session_(session), year_(year) {}
    bool exists() const
    {
        return year_ == session_.CalismaYili || QFileInfo::exists(session_.yearDatabasePath(year_));
    }
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

CarryOverState checkPair(Session& session, int closedYear)
{
    YearDatabase closed(session, closedYear);
    YearDatabase next(session, closedYear + 1);
    if (!closed.exists() || !next.exists()) {
        return {};
    }
    const auto mismatches = compareCarryOver(closed.connection(), next.connection());
    return mismatches ? CarryOverState{closedYear, *mismatches} : CarryOverState{};
}

}  // namespace

std::optional<QList<CarryOverMismatch>> compareCarryOver(Connection& closedYear,
                                                         Connection& nextYear)
{
    const QList<CurrencyTotal> rows = carryOverRows(nextYear);
    if (rows.isEmpty()) {
        return std::nullopt;
    }
    QMap<QString, Money> carried;
    for (const CurrencyTotal& row : rows) {
        carried.insert(row.currency.toString(), Money::fromKurus(row.balanceKurus()));
    }
    QMap<QString, Money> closing;
    for (const CurrencyTotal& total : yearTotals(closedYear)) {
        closing.insert(total.currency.toString(), Money::fromKurus(total.balanceKurus()));
    }
    QList<CarryOverMismatch> mismatches;
    for (const QString& currency : closing.keys()) {
        if (closing.value(currency) != carried.value(currency)) {
            mismatches.append({currency, closing.value(currency), carried.value(currency)});
        }
    }
    return mismatches;
}

CarryOverState checkCarryOvers(Session& session)
{
    const int year = session.CalismaYili;
    CarryOverState into = checkPair(session, year - 1);
    if (!into.agrees()) {
        return into;
    }
    CarryOverState from = checkPair(session, year);
    return from.agrees() && from.closedYear == 0 ? into : from;
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
