#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

namespace tamevo {

// One named database connection of the program (ADOConnection1, kasaConnection). It is configured
// by a connection string built by BaglantiMetni and opens the file named by its "Data Source="
// pair. Opening never creates a file: a missing file or a file that is not a database is an Error
// with the file's name and the engine's text. Every open file runs in journal mode DELETE with
// synchronous=FULL, so each .mdb file is complete on its own at every moment.
class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(const QString& name, QObject* parent = nullptr);
    ~Connection() override;

    const QString& name() const { return name_; }

    void setConnectionString(const QString& connectionString);
    const QString& connectionString() const { return connectionString_; }

    // Opens the database of the connection string. A relative data source is resolved
    // against the current directory. Throws Error; on failure the connection stays closed.
    void open();
    // Closes every dataset on the connection (aboutToClose) and the database.
    void close();
    bool isOpen() const;

    // The absolute path of the file the connection has open, or would open.
    QString databasePath() const;

    // The Qt database handle for queries; valid while open.
    QSqlDatabase database() const;

signals:
    // Emitted before the database closes, so the datasets on it close first.
    void aboutToClose();

private:
    QString name_;
    QString qtName_;
    QString connectionString_;
};

}  // namespace tamevo
