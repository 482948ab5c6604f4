#include "update/NetworkModule.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkInterface>
#include <QNetworkReply>
#include <QNetworkRequest>

extern "C" Q_DECL_EXPORT bool tamevo_network_connected()
{
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        if (flags.testFlag(QNetworkInterface::IsUp) &&
            flags.testFlag(QNetworkInterface::IsRunning) &&
            !flags.testFlag(QNetworkInterface::IsLoopBack) && !i.addressEntries().isEmpty()) {
            return true;
        }
    }
    return false;
}

extern "C" Q_DECL_EXPORT bool tamevo_network_get(
    const QUrl& url, int stallTimeoutMs, const std::function<void(const QByteArray&)>& receive)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(stallTimeoutMs);
    QNetworkReply* reply = manager.get(request);
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] { receive(reply->readAll()); });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    receive(reply->readAll());
    return reply->error() == QNetworkReply::NoError;
}
