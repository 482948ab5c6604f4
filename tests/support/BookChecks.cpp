#include "support/BookChecks.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

#include <functional>

namespace tamevo::test {

namespace {

// Runs `read` on a query over the file; the texts of the failures when the file cannot be
// opened or read.
QStringList withQuery(const QString& file, const std::function<void(QSqlQuery&)>& read)
{
    QStringList failures;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        if (!db.open()) {
            failures << db.lastError().text();
        } else {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            read(query);
            if (query.lastError().isValid()) {
                failures << query.lastError().text();
            }
            query.finish();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return failures;
}

}  // namespace

QStringList integrityProblems(const QString& file)
{
    QStringList problems;
    problems << withQuery(file, [&](QSqlQuery& query) {
        if (query.exec(QStringLiteral("PRAGMA integrity_check"))) {
            while (query.next()) {
                if (query.value(0).toString() != QLatin1String("ok")) {
                    problems << query.value(0).toString();
                }
            }
        }
    });
    return problems;
}

int daysDifferingFromMovements(const QString& file)
{
    int differing = 0;
    const QStringList failures = withQuery(file, [&](QSqlQuery& query) {
        const bool ran = query.exec(QStringLiteral(
            "WITH s AS (SELECT islem_tarihi AS d, doviz_cinsi AS c, "
            "SUM(CAST(ROUND(IFNULL(borc_tutar, 0) * 100) AS INTEGER)) AS b, "
            "SUM(CAST(ROUND(IFNULL(alacak_tutar, 0) * 100) AS INTEGER)) AS a, "
            "COUNT(borc_tutar) AS bn, COUNT(alacak_tutar) AS an, COUNT(*) AS n "
            "FROM nakit GROUP BY islem_tarihi, doviz_cinsi), "
            "g AS (SELECT islem_tarihi AS d, doviz_cinsi AS c, "
            "borc_kurus AS b, alacak_kurus AS a, "
            "borc_adet AS bn, alacak_adet AS an, adet AS n FROM nakit_gunluk) "
            "SELECT count(*) FROM (SELECT * FROM (SELECT * FROM s EXCEPT SELECT * FROM g) "
            "UNION ALL SELECT * FROM (SELECT * FROM g EXCEPT SELECT * FROM s))"));
        if (ran && query.next()) {
            differing = query.value(0).toInt();
        }
    });
    return failures.isEmpty() ? differing : -1;
}

}  // namespace tamevo::test
