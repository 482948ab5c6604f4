#pragma once

#include "data/ServerSchema.h"
#include "data/ServerSettings.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>

#include <gtest/gtest.h>

namespace tamevo::test {

// The PostgreSQL server the tests use: the one the client library's environment names
// (PGHOST, PGPORT, PGUSER, PGPASSWORD, PGDATABASE), as scripts/test sets it from a throwaway
// cluster. Without one the server tests are skipped, unless TAMEVO_SERVER_TESTS=required
// (set by scripts/test, and so in CI), where they fail.
inline bool serverRequired()
{
    return qEnvironmentVariable("TAMEVO_SERVER_TESTS") == QLatin1String("required");
}

inline bool serverNamed()
{
    return !qEnvironmentVariable("PGHOST").isEmpty() ||
           !qEnvironmentVariable("PGSERVICE").isEmpty();
}

// Ends a test's set-up when no server is named: with a failure where the server is required
// (TAMEVO_SERVER_TESTS=required), else with a skip.
#define TAMEVO_REQUIRE_TEST_SERVER()                                                         \
    do {                                                                                     \
        if (!::tamevo::test::serverNamed()) {                                                \
            if (::tamevo::test::serverRequired()) {                                          \
                FAIL() << "TAMEVO_SERVER_TESTS=required, but no PostgreSQL server is named " \
                          "(PGHOST or PGSERVICE)";                                           \
            }                                                                                \
            GTEST_SKIP() << "no PostgreSQL server named (PGHOST or PGSERVICE)";              \
        }                                                                                    \
    } while (false)

// A connection to the test server under a name of its own, open. Fails the test when it
// cannot connect.
inline QSqlDatabase openTestServerConnection(const QString& qtName)
{
    QSqlDatabase db = addServerDatabase(ServerSettings{}, qtName);
    if (!db.open()) {
        ADD_FAILURE() << "PostgreSQL: " << db.lastError().text().toStdString();
    }
    return db;
}

// Whether the tests of the books run against the server (TAMEVO_TEST_ENGINE=server, as the
// second run of those tests sets it) rather than against local files.
inline bool testsOnServer()
{
    return qEnvironmentVariable("TAMEVO_TEST_ENGINE") == QLatin1String("server");
}

// A database of its own on the test server for one test, dropped after it, with the settings
// that name it as FirmaAyar.ini's [Sunucu] would (the rest comes from the environment).
class TestServerDatabase {
public:
    TestServerDatabase()
    {
        static QAtomicInt serial;
        name_ = QStringLiteral("tamevo_test_%1_%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(serial.fetchAndAddRelaxed(1));
        run(QStringLiteral("CREATE DATABASE %1").arg(name_));
    }
    ~TestServerDatabase()
    {
        run(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name_));
    }
    TestServerDatabase(const TestServerDatabase&) = delete;
    TestServerDatabase& operator=(const TestServerDatabase&) = delete;

    ServerSettings settings() const
    {
        ServerSettings settings;
        settings.database = name_;
        return settings;
    }

    // Makes the program's general schema with its first values, as a first start does.
    void createGeneralSchema()
    {
        withConnection(
            [](QSqlDatabase& db) { createServerGeneralSchema(db, generalSchemaName()); });
    }
    // Makes an empty cash-book schema, as a book's year is made without its firma record.
    void createCashBookSchema(const QString& schema)
    {
        withConnection([&schema](QSqlDatabase& db) { createServerCashBookSchema(db, schema); });
    }

    // The server going away for the program, as far as it can see: with `refused` no new
    // connection to the database is accepted, as when the server is down.
    void refuseConnections(bool refused)
    {
        run(QStringLiteral("ALTER DATABASE %1 WITH ALLOW_CONNECTIONS %2")
                .arg(name_, refused ? QStringLiteral("false") : QStringLiteral("true")));
    }
    // Ends every connection to the database, as a server restart or a cut cable does.
    void cutConnections()
    {
        run(QStringLiteral("SELECT pg_terminate_backend(pid, 5000) FROM pg_stat_activity "
                           "WHERE datname = '%1' AND pid <> pg_backend_pid()")
                .arg(name_));
    }

private:
    // Runs `body` on a connection of its own to the test's database.
    template <typename Body>
    void withConnection(Body body)
    {
        const QString qtName = QStringLiteral("server_setup_") + name_;
        {
            QSqlDatabase db = addServerDatabase(settings(), qtName);
            if (!db.open()) {
                ADD_FAILURE() << "PostgreSQL: " << db.lastError().text().toStdString();
            } else {
                body(db);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(qtName);
    }

    void run(const QString& statement)
    {
        const QString qtName = QStringLiteral("server_admin_") + name_;
        {
            QSqlDatabase db = addServerDatabase(ServerSettings{}, qtName);
            if (!db.open()) {
                ADD_FAILURE() << "PostgreSQL: " << db.lastError().text().toStdString();
            } else {
                QSqlQuery query(db);
                if (!query.exec(statement)) {
                    ADD_FAILURE() << statement.toStdString() << ": "
                                  << query.lastError().text().toStdString();
                }
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(qtName);
    }

    QString name_;
};

// A test on the server with a schema of its own, made empty for it and dropped after it, so
// tests running side by side never meet.
class ServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TAMEVO_REQUIRE_TEST_SERVER();
        static QAtomicInt serial;
        const QString tag = QStringLiteral("%1_%2")
                                .arg(QCoreApplication::applicationPid())
                                .arg(serial.fetchAndAddRelaxed(1));
        qtName_ = QStringLiteral("server_test_") + tag;
        schema_ = QStringLiteral("test_") + tag;
        db_ = openTestServerConnection(qtName_);
        ASSERT_TRUE(db_.isOpen());
    }

    void TearDown() override
    {
        if (db_.isOpen()) {
            QSqlQuery(db_).exec(QStringLiteral("SET client_min_messages = warning"));
            for (const QString& schema : made_) {
                QSqlQuery(db_).exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE")
                                        .arg(quotedIdentifier(schema)));
            }
            db_.close();
        }
        db_ = QSqlDatabase();
        if (!qtName_.isEmpty()) {
            QSqlDatabase::removeDatabase(qtName_);
        }
    }

    // A schema name of this test (dropped after it), from a part of the name.
    QString schemaNamed(const QString& part)
    {
        const QString name = schema_ + QLatin1Char('_') + part;
        made_ << name;
        return name;
    }

    QSqlDatabase db_;
    QString schema_;
    QString qtName_;
    QStringList made_;
};

}  // namespace tamevo::test
