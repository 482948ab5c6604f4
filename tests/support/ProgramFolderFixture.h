#pragma once

#include "support/QtPrinters.h"
#include "support/ServerFixture.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tamevo::test {

// Skips a test that is about the local files themselves (their bytes on the disk, their
// template, an older form of them) when the books run on the server.
#define SKIP_ON_SERVER(why)                          \
    do {                                             \
        if (::tamevo::test::testsOnServer()) {       \
            GTEST_SKIP() << "sunucuda yok: " << why; \
        }                                            \
    } while (false)

// A fresh program folder for each test, laid out as the build lays it out (template,
// general database with its delivered lists, Data/, Yedek/), made the program folder and the
// current directory, with scripted dialogs installed.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The program folder with a trailing separator.
    QString folder() const;
    QString path(const QString& relative) const { return folder() + relative; }

    // Runs statements on a database file of the folder, outside the program's connections.
    void execute(const QString& relativePath, const QStringList& statements);
    // Runs one statement with its values bound, in order.
    void execute(const QString& relativePath, const QString& sql, const QVariantList& values);
    // Reads one value from a database file of the folder.
    QVariant queryValue(const QString& relativePath, const QString& sql);
    // Reads every row of a query, the values of a row joined by `valueSeparator` and the rows
    // by `rowSeparator`: a null is "-", an amount is written as SQLite writes a REAL ("100.0",
    // "12.25"), so one expectation holds for a file and for the server.
    QString joinedRows(const QString& relativePath, const QString& sql,
                       const QString& rowSeparator = QStringLiteral(";"),
                       const QString& valueSeparator = QStringLiteral("|"));
    // Whether a database file of the folder exists (its schema, when the books are on the
    // server).
    bool databaseExists(const QString& relativePath);

    ScriptedDialogs& dialogs() { return *dialogs_; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    QString previousCurrent_;
};

}  // namespace tamevo::test
