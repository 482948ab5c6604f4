#include "support/ProgramFolderFixture.h"

#include "data/ProgramFolder.h"
#include "data/JournalUpkeep.h"
#include "data/ProgramLayout.h"
#include "data/ServerSchema.h"
#include "data/ServerSettings.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
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

// The schema on the server that a database file of the folder stands for, when the folder's
// FirmaAyar.ini puts the books on a server: "Data/K012021.mdb" is K01_2021, the general
// database is genel. Empty for a folder that keeps its books in files.
QString serverSchemaOf(const QString& relativePath)
{
    if (!readServerSettings(programSettingsFile()).isSet()) {
        return {};
    }
    const QString name = QFileInfo(relativePath).completeBaseName();
    if (name.compare(QLatin1String("Genel"), Qt::CaseInsensitive) == 0) {
        return generalSchemaName();
    }
    return cashBookSchemaName(name.left(name.size() - 4), name.right(4).toInt());
}

// Runs `body` on the database a file of the folder names: the file, or its schema on the
// server. Fails the test when it does not exist.
template <typename Body>
void withDatabase(const QString& relativePath, Body body)
{
    const QString name = QUuid::createUuid().toString();
    const QString schema = serverSchemaOf(relativePath);
    {
        QSqlDatabase db;
        if (schema.isEmpty()) {
            const QString file = GetPathPath() + relativePath;
            ASSERT_TRUE(QFile::exists(file)) << relativePath.toStdString();
            db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        } else {
            db = addServerDatabase(readServerSettings(programSettingsFile()), name);
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            ASSERT_TRUE(serverSchemaExists(db, schema)) << schema.toStdString();
            useServerSchema(db, schema);
        }
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
    withDatabase(relativePath, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        for (const QString& s : statements) {
            ASSERT_TRUE(q.exec(s)) << s.toStdString() << ": " << q.lastError().text().toStdString();
        }
    });
}

void ProgramFolderTest::execute(const QString& relativePath, const QString& sql,
                                const QVariantList& values)
{
    withDatabase(relativePath, [&](QSqlDatabase& db) {
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
    withDatabase(relativePath, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
        if (q.next()) {
            value = q.value(0);
        }
    });
    return value;
}

QString ProgramFolderTest::joinedRows(const QString& relativePath, const QString& sql,
                                      const QString& rowSeparator, const QString& valueSeparator)
{
    QStringList rows;
    withDatabase(relativePath, [&](QSqlDatabase& db) {
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
        while (q.next()) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i) {
                const QVariant value = q.value(i);
                if (value.isNull()) {
                    values << QStringLiteral("-");
                } else if (value.typeId() == QMetaType::Double) {
                    QString text = QString::number(value.toDouble(), 'g', 15);
                    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e'))) {
                        text += QStringLiteral(".0");
                    }
                    values << text;
                } else {
                    values << value.toString();
                }
            }
            rows << values.join(valueSeparator);
        }
    });
    return rows.join(rowSeparator);
}

bool ProgramFolderTest::databaseExists(const QString& relativePath)
{
    const QString schema = serverSchemaOf(relativePath);
    if (schema.isEmpty()) {
        return QFile::exists(path(relativePath));
    }
    bool exists = false;
    const QString name = QUuid::createUuid().toString();
    {
        QSqlDatabase db = addServerDatabase(readServerSettings(programSettingsFile()), name);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        exists = db.isOpen() && serverSchemaExists(db, schema);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return exists;
}

}  // namespace tamevo::test
