#include "ledger/CarryOver.h"

#include "data/Money.h"

#include "data/Dialogs.h"
#include "data/Errors.h"
#include "data/Session.h"
#include "data/SqlFailure.h"
#include "data/Transaction.h"
#include "ledger/Ledger.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tamevo {

QString carryOverFirstQuestion(int year)
{
    return QStringLiteral(
               "Bu işlem %1 yılı dönem sonu kasa bakiyelerini %2\n\r yılı dönembaşına "
               "aktaracaktır.Devam edilsinmi?")
        .arg(year)
        .arg(year + 1);
}

QList<CurrencyTotal> yearTotals(Connection& connection)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT doviz_cinsi, borc_kurus, alacak_kurus FROM nakit_yillik "
                                   "ORDER BY doviz_cinsi NULLS FIRST"))) {
        throwStatementError(query);
    }
    QList<CurrencyTotal> totals;
    while (query.next()) {
        totals.append({query.value(0), query.value(1).toLongLong(), query.value(2).toLongLong()});
    }
    return totals;
}

namespace {

void run(QSqlQuery& query)
{
    if (!query.exec()) {
        throwStatementError(query);
    }
}

}  // namespace

QList<CurrencyTotal> carryOverRows(Connection& connection)
{
    QSqlDatabase db = connection.database();
    // The currencies are read whole before the rows are looked up: the server's connection
    // streams one statement's rows at a time.
    QVariantList currencies;
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(QStringLiteral(
            "SELECT doviz_cinsi FROM nakit_yillik ORDER BY doviz_cinsi NULLS FIRST"));
        run(query);
        while (query.next()) {
            currencies << query.value(0);
        }
    }
    QList<CurrencyTotal> rows;
    QSqlQuery row(db);
    row.setForwardOnly(true);
    row.prepare(QStringLiteral(
        "SELECT borc_tutar, alacak_tutar FROM nakit WHERE doviz_cinsi IS NOT DISTINCT FROM ? "
        "AND neden = ? ORDER BY islem_tarihi, nid LIMIT 1"));
    for (const QVariant& currency : currencies) {
        row.addBindValue(currency);
        row.addBindValue(kCarryOverType);
        run(row);
        if (row.next()) {
            rows.append({currency, kurus(row.value(0)), kurus(row.value(1))});
        }
        row.finish();
    }
    return rows;
}

namespace {

void writeRow(QSqlDatabase& db, int closedYear, const CurrencyTotal& total)
{
    // The balance is decided in kuruş: 0,10 + 0,20 in and 0,30 out is zero, not a binary rest.
    const std::int64_t balance = total.balanceKurus();
    const QVariant in = balance > 0 ? QVariant(fromKurus(balance)) : QVariant();
    const QVariant out = balance > 0 ? QVariant() : QVariant(fromKurus(-balance));
    const QString day = QDate(closedYear + 1, 1, 1).toString(Qt::ISODate);
    const QString due = QDate(closedYear, 12, 31).toString(Qt::ISODate);
    const QString description = QStringLiteral("31/12/%1 TARİHLİ DEVİR TUTARI").arg(closedYear);

    // The first carry-over row of the currency in the movement table's order.
    QSqlQuery find(db);
    find.prepare(QStringLiteral(
        "SELECT nid FROM nakit WHERE neden = ? AND doviz_cinsi IS NOT DISTINCT FROM ? "
        "ORDER BY islem_tarihi, nid LIMIT 1"));
    find.addBindValue(kCarryOverType);
    find.addBindValue(total.currency);
    run(find);
    QSqlQuery write(db);
    if (find.next()) {
        write.prepare(
            QStringLiteral("UPDATE nakit SET neden = ?, islem_tarihi = ?, islem_vadesi = ?, "
                           "aciklama = ?, doviz_cinsi = ?, borc_tutar = ?, "
                           "alacak_tutar = ? WHERE nid = ?"));
    } else {
        write.prepare(
            QStringLiteral("INSERT INTO nakit (neden, islem_tarihi, islem_vadesi, aciklama, "
                           "doviz_cinsi, borc_tutar, alacak_tutar) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?)"));
    }
    for (const QVariant& value : {QVariant(kCarryOverType), QVariant(day), QVariant(due),
                                  QVariant(description), total.currency, in, out}) {
        write.addBindValue(value);
    }
    if (find.isValid()) {
        write.addBindValue(find.value(0));
    }
    run(write);
}

}  // namespace

void writeCarryOverRows(Connection& connection, int closedYear, const QList<CurrencyTotal>& totals)
{
    QSqlDatabase db = connection.database();
    Transaction transaction(db);
    for (const CurrencyTotal& total : totals) {
        writeRow(db, closedYear, total);
    }
    transaction.commit();
}

void YilSonuDevri(Ledger& ledger, const std::function<void(const QString&)>& setYearText)
{
    Session& session = ledger.session();
    // The year closed is the year of the database the ledger has open.
    const int year = session.CalismaYili;
    if (dialogs().question(kProgramTitle, carryOverFirstQuestion(year), Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    const QList<CurrencyTotal> totals = yearTotals(session.kasaConnection);

    setYearText(QString::number(year + 1));
    const QDate previousPicker = ledger.pickerDate();
    ledger.setPickerDate(QDate(year + 1, 1, 1));
    try {
        ledger.switchToPickerYear();
    } catch (const Error&) {
        setYearText(QString::number(year));
        ledger.setPickerDate(previousPicker);
        throw;
    }

    if (dialogs().question(kProgramTitle, kCarryOverSecondQuestion, Dialogs::Buttons::YesNo) !=
        Dialogs::Answer::Yes) {
        return;
    }
    writeCarryOverRows(session.kasaConnection, year, totals);
    showMessage(kCarryOverDone);
}

}  // namespace tamevo
