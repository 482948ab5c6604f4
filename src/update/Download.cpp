#include "update/Download.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

namespace tamevo {

namespace {

// A download that receives nothing for this long is given up.
constexpr int kStallTimeoutMs = 60 * 1000;

}  // namespace

QString programFileName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Tamevo.exe");
#else
    return QStringLiteral("Tamevo");
#endif
}

bool looksLikeProgram(const QByteArray& head)
{
#if defined(Q_OS_WIN)
    return head.startsWith("MZ");
#elif defined(Q_OS_MACOS)
    for (const char* magic : {"\xFE\xED\xFA\xCE", "\xFE\xED\xFA\xCF", "\xCE\xFA\xED\xFE",
                              "\xCF\xFA\xED\xFE", "\xCA\xFE\xBA\xBE"}) {
        if (head.startsWith(magic)) {
            return true;
        }
    }
    return false;
#else
    return head.startsWith(
        "\x7F"
        "ELF");
#endif
}

bool DownloadFile(const QUrl& url, const QString& target)
{
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(kStallTimeoutMs);
    QNetworkReply* reply = manager.get(request);
    QByteArray head;
    bool written = true;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        const QByteArray chunk = reply->readAll();
        if (head.size() < 4) {
            head += chunk.left(4 - head.size());
        }
        written = written && file.write(chunk) == chunk.size();
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QByteArray rest = reply->readAll();
    if (head.size() < 4) {
        head += rest.left(4 - head.size());
    }
    written = written && file.write(rest) == rest.size();
    const bool arrived = reply->error() == QNetworkReply::NoError;
    if (!arrived || !written || !looksLikeProgram(head) || !file.commit()) {
        file.cancelWriting();
        return false;
    }
#ifndef Q_OS_WIN
    QFile::setPermissions(
        target, QFile::permissions(target) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
#endif
    return true;
}

}  // namespace tamevo
