#pragma once

// The benchmarks' cash book: a program folder laid out in `folder`, made the program folder
// and the current directory, cash book K01 "Merkez" opened for 2021 on the session, and
// its sample movements.

#include "data/CashBookFiles.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"
#include "data/Session.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
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

// Runs a statement of a benchmark's setup; a failure ends the benchmark with its text.
inline void exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
        std::exit(1);
    }
}

// Fills the open cash book with `count` movements spread over every day of 2021 in four
// currencies, half money in and half money out at random, and writes a baseline file with
// the same movements in a plain table: no totals table, covering indexes for the
// hand-written statements over the movements.
inline void addYearOfMovements(Session& session, int count, const QString& baselinePath)
{
    const QStringList currencies{QStringLiteral("TL"), QStringLiteral("USD"),
                                 QStringLiteral("EURO"), QStringLiteral("GBP")};
    QSqlDatabase db = session.kasaConnection.database();
    QSqlQuery q(db);
    exec(q, QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    q.prepare(
        QStringLiteral("INSERT INTO nakit (islem_tarihi, doviz_cinsi, borc_tutar, alacak_tutar, "
                       "doviz_kuru, aciklama, neden, bankaadi) VALUES (?, ?, ?, ?, 1, ?, ?, ?)"));
    QRandomGenerator random(2021);
    const QDate first(2021, 1, 1);
    for (int i = 0; i < count; ++i) {
        const bool in = random.bounded(2) == 0;
        const double amount = random.bounded(1000000) / 100.0;
        q.addBindValue(first.addDays(i % 365).toString(Qt::ISODate));
        q.addBindValue(currencies[random.bounded(currencies.size())]);
        q.addBindValue(in ? QVariant(amount) : QVariant());
        q.addBindValue(in ? QVariant() : QVariant(amount));
        q.addBindValue(QStringLiteral("Hareket %1").arg(i));
        q.addBindValue(QStringLiteral("SATIŞ"));
        q.addBindValue(QStringLiteral("Nakit"));
        if (!q.exec()) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            std::exit(1);
        }
    }
    db.commit();
    exec(q, QStringLiteral("ATTACH DATABASE '%1' AS b").arg(baselinePath));
    exec(q, QStringLiteral("CREATE TABLE b.nakit AS SELECT * FROM nakit"));
    exec(q, QStringLiteral("CREATE INDEX b.cover ON nakit (doviz_cinsi, islem_tarihi, borc_tutar, "
                           "alacak_tutar)"));
    exec(q, QStringLiteral("CREATE INDEX b.day ON nakit (islem_tarihi, borc_tutar, alacak_tutar, "
                           "doviz_cinsi)"));
    exec(q, QStringLiteral("DETACH DATABASE b"));
    exec(q, QStringLiteral("PRAGMA synchronous=FULL"));
}

}  // namespace tamevo::bench
