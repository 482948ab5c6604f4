#pragma once

#include "support/QtPrinters.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace tamevo::test {

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

    ScriptedDialogs& dialogs() { return *dialogs_; }

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    QString previousCurrent_;
};

}  // namespace tamevo::test
