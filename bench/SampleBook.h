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
#include <QTemporaryDir>

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

// Runs `run` in a fresh program folder with the sample book open on `session`; it is given
// the path where a baseline database may be written beside it.
inline void inSampleBook(
    const std::function<void(Session& session, const QString& baselinePath)>& run)
{
    QTemporaryDir dir;
    prepareProgramFolder(dir.path());
    Session session;
    openSampleBook(session);
    run(session, dir.filePath(QStringLiteral("baseline.db")));
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

// Runs a statement of a benchmark's setup; a failure ends the benchmark with the engine's
// text.
inline void exec(QSqlQuery& q, const QString& sql)
{
    if (!q.exec(sql)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(sql), qPrintable(q.lastError().text()));
        std::exit(1);
    }
}

// A movement of a year's sample, as a benchmark draws it.
struct SampleMovement {
    QString currency;
    QVariant in;
    QVariant out;
    QString type;
    QVariant source;
};

// Adds `count` movements over every day of 2021, the i-th on day i mod 365 and described
// "Hareket i", each drawn by `draw` from one generator seeded with 2021, in one transaction.
inline void addYearMovements(Session& session, int count,
                             const std::function<SampleMovement(QRandomGenerator&)>& draw)
{
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
        const SampleMovement m = draw(random);
        q.addBindValue(first.addDays(i % 365).toString(Qt::ISODate));
        q.addBindValue(m.currency);
        q.addBindValue(m.in);
        q.addBindValue(m.out);
        q.addBindValue(QStringLiteral("Hareket %1").arg(i));
        q.addBindValue(m.type);
        q.addBindValue(m.source);
        if (!q.exec()) {
            std::fprintf(stderr, "%s\n", qPrintable(q.lastError().text()));
            std::exit(1);
        }
    }
    db.commit();
    exec(q, QStringLiteral("PRAGMA synchronous=FULL"));
}

// Copies the open cash book's movements into a new database at `path` for a baseline: the
// table alone, without totals or triggers, then `indexes` (statements on the schema "b").
inline void copyMovements(Session& session, const QString& path, const QStringList& indexes)
{
    QSqlQuery q(session.kasaConnection.database());
    exec(q, QStringLiteral("ATTACH DATABASE '%1' AS b").arg(path));
    exec(q, QStringLiteral("CREATE TABLE b.nakit AS SELECT * FROM nakit"));
    for (const QString& index : indexes) {
        exec(q, index);
    }
    exec(q, QStringLiteral("DETACH DATABASE b"));
}

// Fills the open cash book with `count` movements spread over every day of 2021 in four
// currencies, half money in and half money out at random, and writes a baseline file with
// the same movements in a plain table: no totals table, covering indexes for the
// hand-written statements over the movements.
inline void addYearOfMovements(Session& session, int count, const QString& baselinePath)
{
    static const QStringList currencies{QStringLiteral("TL"), QStringLiteral("USD"),
                                        QStringLiteral("EURO"), QStringLiteral("GBP")};
    addYearMovements(session, count, [](QRandomGenerator& random) {
        const bool in = random.bounded(2) == 0;
        const double amount = random.bounded(1000000) / 100.0;
        return SampleMovement{
            currencies[random.bounded(currencies.size())], in ? QVariant(amount) : QVariant(),
            in ? QVariant() : QVariant(amount), QStringLiteral("SATIŞ"), QStringLiteral("Nakit")};
    });
    copyMovements(session, baselinePath,
                  {QStringLiteral("CREATE INDEX b.cover ON nakit (doviz_cinsi, islem_tarihi, "
                                  "borc_tutar, alacak_tutar)"),
                   QStringLiteral("CREATE INDEX b.day ON nakit (islem_tarihi, borc_tutar, "
                                  "alacak_tutar, doviz_cinsi)")});
}

// A connection of its own to a baseline database, closed and removed when it goes.
class BaselineConnection {
public:
    explicit BaselineConnection(const QString& path)
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kName);
        db_.setDatabaseName(path);
        db_.open();
    }
    ~BaselineConnection()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(kName);
    }
    BaselineConnection(const BaselineConnection&) = delete;
    BaselineConnection& operator=(const BaselineConnection&) = delete;

    const QSqlDatabase& db() const { return db_; }

private:
    inline static const QString kName = QStringLiteral("baseline");
    QSqlDatabase db_;
};

}  // namespace tamevo::bench
