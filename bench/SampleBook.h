#pragma once

// The benchmarks' cash book: a program folder laid out in `folder`, made the program folder
// and the current directory, cash book K01 "Merkez" opened for 2021 on the session, and
// its sample movements.

#include "data/CashBookFiles.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"

#include <QDate>
#include <QSqlQuery>
#include <QStringList>

#include <functional>

namespace tamevo::bench {

inline void prepareProgramFolder(const QString& folder)
{
    layOutProgramFolder(folder);
    setProgramFolder(folder);
    enterProgramFolder();
}

inline void openSampleBook(Session& session)
{
    session.openStartupConnections();
    FirmaRecord record;
    record.values.fill(QVariant(), firmaFieldNames().size());
    record.values[1] = QStringLiteral("K01");
    record.values[4] = QStringLiteral("Merkez");
    session.kasaac(QStringLiteral("K01"), QStringLiteral("2021"), record);
}

// Adds `count` movements in TL, the i-th on dayOf(i): two of three money in, one money out,
// amounts from 10 to 1,009.99, descriptions of a few Turkish words, every tenth long enough
// to wrap in a report.
inline void addSampleMovements(Session& session, int count, const std::function<QDate(int)>& dayOf)
{
    QSqlDatabase db = session.kasaConnection.database();
    db.transaction();
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral(
        "INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, doviz_kuru, "
        "aciklama, neden) VALUES (?, 'TL', ?, ?, 1, ?, ?)"));
    const QStringList words{QStringLiteral("Satış"),   QStringLiteral("bedeli"),
                            QStringLiteral("kira"),    QStringLiteral("ödemesi"),
                            QStringLiteral("fatura"),  QStringLiteral("tahsilatı"),
                            QStringLiteral("müşteri"), QStringLiteral("peşin")};
    for (int i = 0; i < count; ++i) {
        const bool in = i % 3 != 0;
        const double amount = 10 + (i * 37 % 100000) / 100.0;
        // Mostly short descriptions, every tenth long enough to wrap.
        const int length = i % 10 == 0 ? 24 : 2 + i % 5;
        QStringList text;
        for (int w = 0; w < length; ++w) {
            text << words[(i + w) % words.size()];
        }
        insert.addBindValue(dayOf(i).toString(Qt::ISODate));
        insert.addBindValue(in ? QVariant(amount) : QVariant());
        insert.addBindValue(in ? QVariant() : QVariant(amount));
        insert.addBindValue(text.join(QLatin1Char(' ')).left(200));
        insert.addBindValue(QStringLiteral("SATIŞ"));
        insert.exec();
    }
    db.commit();
}

}  // namespace tamevo::bench
