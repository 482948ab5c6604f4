#include "support/ProgramFolderFixture.h"

#include "data/ProgramFolder.h"
#include "data/ProgramLayout.h"

#include <QDirIterator>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tamevo::test {

namespace {

// The build's layout is made once per test program and copied for each test.
QString prototypeFolder()
{
    static QTemporaryDir prototype;
    static bool laidOut = false;
    if (!laidOut) {
        layOutProgramFolder(prototype.path());
        laidOut = true;
    }
    return prototype.path();
}

void copyTree(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            QDir().mkpath(target);
        } else {
            QFile::copy(source, target);
        }
    }
}

template <typename Body>
void withDatabase(const QString& file, Body body)
{
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        body(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

}  // namespace

void ProgramFolderTest::SetUp()
{
    previousCurrent_ = QDir::currentPath();
    dir_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir_->isValid());
    copyTree(prototypeFolder(), dir_->path());
    setProgramFolder(dir_->path());
    enterProgramFolder();
    dialogs_ = std::make_unique<ScriptedDialogs>();
}

void ProgramFolderTest::TearDown()
{
    dialogs_.reset();
    QDir::setCurrent(previousCurrent_);
    dir_.reset();
}

QString ProgramFolderTest::folder() const
{
    return GetPathPath();
}

void ProgramFolderTest::execute(const QString& relativePath, const QStringList& statements)
{
    ASSERT_TRUE(QFile::exists(path(relativePath))) << relativePath.toStdString();
    withDatabase(path(relativePath), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        for (const QString& s : statements) {
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        }
    });
}

void ProgramFolderTest::execute(const QString& relativePath, const QString& sql,
                                const QVariantList& values)
{
    ASSERT_TRUE(QFile::exists(path(relativePath))) << relativePath.toStdString();
    withDatabase(path(relativePath), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.prepare(sql)) << sql.toStdString();
        for (const QVariant& value : values) {
            q.addBindValue(value);
        }
        ASSERT_TRUE(q.exec()) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    });
}

QVariant ProgramFolderTest::queryValue(const QString& relativePath, const QString& sql)
{
    QVariant value;
    EXPECT_TRUE(QFile::exists(path(relativePath))) << relativePath.toStdString();
    withDatabase(path(relativePath), [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
        if (q.next()) {
            value = q.value(0);
        }
    });
    return value;
}

}  // namespace tamevo::test
