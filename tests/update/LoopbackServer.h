#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace tamevo::test {

// A small HTTP server on the loopback interface: answers GET requests for the paths it was
// given with their bodies and every other path with 404. It runs on the test's thread and
// serves while the code under test waits in an event loop.
class LoopbackServer {
public:
    LoopbackServer()
    {
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket,
                                 [this, socket] { answer(socket); });
                QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
    }

    bool listen() { return server_.listen(QHostAddress::LocalHost); }
    // The server's address: scheme, host and port.
    QUrl address() const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()));
    }

    void serve(const QString& path, const QByteArray& body) { bodies_[path] = body; }
    void forget(const QString& path) { bodies_.remove(path); }
    // The paths requested so far, in order.
    const QStringList& requests() const { return requests_; }

private:
    void answer(QTcpSocket* socket)
    {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QList<QByteArray> words = request.left(request.indexOf("\r\n")).split(' ');
        const QString path = words.size() > 1 ? QString::fromLatin1(words[1]) : QString();
        pending_.remove(socket);
        requests_ << path;
        const auto found = bodies_.constFind(path);
        const QByteArray status = found != bodies_.cend() ? "200 OK" : "404 Not Found";
        const QByteArray body = found != bodies_.cend() ? *found : QByteArray("not here");
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream" +
                      "\r\nContent-Length: " + QByteArray::number(body.size()) +
                      "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QMap<QString, QByteArray> bodies_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QStringList requests_;
};

}  // namespace tamevo::test
