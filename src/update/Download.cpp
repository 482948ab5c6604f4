#include "update/Download.h"

#include "data/AtomicFile.h"
#include "data/Errors.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <optional>

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
    // Every chunk is checked as it is written and the file replaces the target only when it
    // arrived whole, so a full disk never leaves a cut program behind.
    std::optional<AtomicFile> file;
    try {
        file.emplace(target);
    } catch (const Error&) {
        return false;
    }
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(kStallTimeoutMs);
    QNetworkReply* reply = manager.get(request);
    QByteArray head;
    bool written = true;
    const auto append = [&](const QByteArray& chunk) {
        if (head.size() < 4) {
            head += chunk.left(4 - head.size());
        }
        if (!written) {
            return;
        }
        try {
            file->write(chunk);
        } catch (const Error&) {
            written = false;
        }
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] { append(reply->readAll()); });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    append(reply->readAll());
    const bool arrived = reply->error() == QNetworkReply::NoError;
    if (!arrived || !written || !looksLikeProgram(head)) {
        return false;
    }
    try {
        file->commit();
    } catch (const Error&) {
        return false;
    }
#ifndef Q_OS_WIN
    QFile::setPermissions(
        target, QFile::permissions(target) | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
#endif
    return true;
}

}  // namespace tamevo
