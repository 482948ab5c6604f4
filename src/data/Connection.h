#pragma once

#include "data/ServerSettings.h"

#include <QObject>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>

namespace tamevo {

// One named database connection of the program (ADOConnection1, kasaConnection). It is configured
// by a connection string built by BaglantiMetni and opens the file named by its "Data Source="
// pair. Opening never creates a file: a missing file or a file that is not a database is an Error
// with the file's name and the engine's text. Every open file runs in journal mode DELETE with
// synchronous=FULL, so each .mdb file is complete on its own at every moment.
// Sends the notice of changed movements for the schema `db` is on (Connection::announceChange),
// in a transaction of its own that does not wait for the disk. Called outside any
// transaction; returns false when it could not be sent.
bool sendMovementsNotice(QSqlDatabase& db);

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(const QString& name, QObject* parent = nullptr);
    ~Connection() override;

    const QString& name() const { return name_; }

    // Points the connection at a database file (and away from the server).
    void setConnectionString(const QString& connectionString);
    const QString& connectionString() const { return connectionString_; }

    // Points the connection at a schema on the server (and away from any file). The
    // connection string is cleared.
    void setServerSchema(const ServerSettings& server, const QString& schema);
    bool onServer() const { return onServer_; }
    const QString& serverSchema() const { return schema_; }

    // Opens the database of the connection string. A relative data source is resolved
    // against the current directory. Throws Error; on failure the connection stays closed.
    void open();
    // Closes every dataset on the connection (aboutToClose) and the database.
    void close();
    // Whether the connection was opened and not closed since. A connection to the server
    // stays open while the server cannot be reached: its next use connects again.
    bool isOpen() const;

    // The absolute path of the file the connection has open, or would open; empty on the
    // server.
    QString databasePath() const;

    // Tells the other desks that keep this book open on the server that its movements changed
    // (changedElsewhere there), once the change is committed. Called outside any
    // transaction. The notice is a transaction of its own that does not wait for the disk: a
    // notice sent inside the change's own transaction would make every desk's commit wait
    // for the others', as the server sends notices one commit at a time. A notice that cannot
    // be sent is dropped: the change itself is done. Does nothing for a file.
    void announceChange();

    // The Qt database handle for queries; valid while open. A connection to the server that
    // was lost is made again first, with its schema and its desk's name for the journal, so
    // the command after a lost connection carries on; every handle taken before stays valid.
    // Throws ConnectionLost(kServerUnreachable) while the server cannot be reached.
    QSqlDatabase database() const;

signals:
    // Emitted before the database closes, so the datasets on it close first.
    void aboutToClose();
    // Another desk changed the movements of the book this connection has open on the server
    // (its commit is done). Delivered by the message loop.
    void changedElsewhere();

private:
    void openFile();
    void openServer();
    void prepareServerSession(QSqlDatabase& db) const;
    void takeNotice(const QString& channel, QSqlDriver::NotificationSource source,
                    const QVariant& payload);
    void reconnectToServer() const;
    const QString& activeQtName() const { return onServer_ ? serverQtName_ : qtName_; }

    QString name_;
    QString qtName_;
    QString serverQtName_;
    QString connectionString_;
    bool onServer_ = false;
    // Open as the program sees it; the server's connection under it may be lost meanwhile.
    bool serverOpen_ = false;
    ServerSettings server_;
    QString schema_;
};

}  // namespace tamevo
