#include "data/Connection.h"

#include "data/ConnectionString.h"
#include "data/Errors.h"
#include "data/JournalUpkeep.h"
#include "data/ServerSchema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

namespace tamevo {

Connection::Connection(const QString& name, QObject* parent) : QObject(parent), name_(name)
{
    // Qt's connection names are process-wide; several sessions (in tests) may each have a
    // kasaConnection, so the Qt name carries a serial number.
    static int serial = 0;
    qtName_ = QStringLiteral("%1#%2").arg(name_).arg(++serial);
    serverQtName_ = qtName_ + QStringLiteral("#sunucu");
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), qtName_);
}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(qtName_);
    if (QSqlDatabase::contains(serverQtName_)) {
        QSqlDatabase::removeDatabase(serverQtName_);
    }
}

void Connection::setConnectionString(const QString& connectionString)
{
    connectionString_ = connectionString;
    onServer_ = false;
    schema_.clear();
}

void Connection::setServerSchema(const ServerSettings& server, const QString& schema)
{
    connectionString_.clear();
    server_ = server;
    schema_ = schema;
    onServer_ = true;
}

QString Connection::databasePath() const
{
    if (onServer_) {
        return {};
    }
    QString path = dataSourceOf(connectionString_);
    // Paths written with a backslash separator ("AnaData\Genel.mdb") name the same files.
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.isEmpty()) {
        return {};
    }
    return QDir::cleanPath(QDir::current().absoluteFilePath(path));
}

void Connection::open()
{
    if (isOpen()) {
        return;
    }
    if (onServer_) {
        openServer();
    } else {
        openFile();
    }
}

void Connection::openServer()
{
    // The Qt connection is made anew for each opening, so changed settings take effect.
    if (QSqlDatabase::contains(serverQtName_)) {
        QSqlDatabase::removeDatabase(serverQtName_);
    }
    QSqlDatabase db = openServerDatabase(server_, serverQtName_);
    // The notices reach the driver of this opening, which a reconnection keeps.
    connect(db.driver(), &QSqlDriver::notification, this, &Connection::takeNotice);
    try {
        if (!serverSchemaExists(db, schema_)) {
            throw Error(QStringLiteral("Sunucuda %1 bulunamadı.").arg(schema_));
        }
        prepareServerSession(db);
    } catch (const Error&) {
        db.close();
        throw;
    }
    serverOpen_ = true;
}

namespace {

// The channel of the notices of a book's changed movements (announceChange).
const QString kMovementsChannel = QStringLiteral("tamevo_nakit");

}  // namespace

void Connection::prepareServerSession(QSqlDatabase& db) const
{
    useServerSchema(db, schema_);
    identifyJournalWriter(db);
    // The listening belongs to the server's session, so it is taken up again at every
    // reconnection.
    db.driver()->subscribeToNotification(kMovementsChannel);
}

bool sendMovementsNotice(QSqlDatabase& db)
{
    // One statement, so its own transaction: synchronous_commit is set for that transaction
    // alone.
    QSqlQuery notice(db);
    notice.prepare(
        QStringLiteral("SELECT set_config('synchronous_commit', 'off', true), "
                       "pg_notify(?, current_schema())"));
    notice.addBindValue(kMovementsChannel);
    return notice.exec();
}

void Connection::announceChange()
{
    if (!onServer_ || !serverOpen_) {
        return;
    }
    try {
        QSqlDatabase db = database();
        sendMovementsNotice(db);
    } catch (const Error&) {
        // The server is away: the next command says so.
    }
}

void Connection::takeNotice(const QString& channel, QSqlDriver::NotificationSource source,
                            const QVariant& payload)
{
    if (channel == kMovementsChannel && source == QSqlDriver::OtherSource &&
        payload.toString() == schema_) {
        emit changedElsewhere();
    }
}

void Connection::reconnectToServer() const
{
    // The same Qt connection is opened again, so the handles the datasets and transactions
    // took before stay valid.
    QSqlDatabase db = QSqlDatabase::database(serverQtName_, false);
    if (!db.open()) {
        db.close();
        throw ConnectionLost(kServerUnreachable);
    }
    try {
        prepareServerSession(db);
    } catch (const Error&) {
        db.close();
        throw ConnectionLost(kServerUnreachable);
    }
}

void Connection::openFile()
{
    const QString path = databasePath();
    // SQLite would create a missing file; a connection must never do that.
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        throw Error(QStringLiteral("Veritabanı dosyası bulunamadı: %1")
                        .arg(QDir::toNativeSeparators(path)));
    }
    QSqlDatabase db = QSqlDatabase::database(qtName_, false);
    db.setDatabaseName(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) +
                       QStringLiteral("?mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString text = db.lastError().text();
        db.close();
        throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), text));
    }
    // The pragmas read the file's header, so a file that is not a database fails here.
    QSqlQuery pragma(db);
    for (const char* statement :
         {"PRAGMA journal_mode=DELETE", "PRAGMA synchronous=FULL", "PRAGMA foreign_keys=ON"}) {
        if (!pragma.exec(QString::fromLatin1(statement))) {
            const QString text = pragma.lastError().text();
            pragma.finish();
            db.close();
            throw Error(QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), text));
        }
    }
}

void Connection::close()
{
    if (!isOpen()) {
        return;
    }
    emit aboutToClose();
    serverOpen_ = false;
    QSqlDatabase::database(activeQtName(), false).close();
}

bool Connection::isOpen() const
{
    if (onServer_) {
        return serverOpen_;
    }
    return QSqlDatabase::database(qtName_, false).isOpen();
}

QSqlDatabase Connection::database() const
{
    if (onServer_ && serverOpen_ && !QSqlDatabase::database(serverQtName_, false).isOpen()) {
        reconnectToServer();
    }
    return QSqlDatabase::database(activeQtName(), false);
}

}  // namespace tamevo
