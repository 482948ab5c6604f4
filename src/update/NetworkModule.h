#pragma once

#include <QByteArray>
#include <QUrl>

#include <functional>

// The program's network module (tamevo_network): the only code that uses Qt's network
// library, loaded on the first check of the connection or download, so that library and the
// security libraries it brings are not loaded at the program's start. Its two functions are
// found by these names.

// Whether a network interface other than the loopback is up and running with an address.
extern "C" bool tamevo_network_connected();
using NetworkConnectedFunction = bool (*)();

// Fetches `url`, giving each received chunk to `receive`; gives up after `stallTimeoutMs`
// without data. True when the whole answer arrived without an error.
extern "C" bool tamevo_network_get(const QUrl& url, int stallTimeoutMs,
                                   const std::function<void(const QByteArray&)>& receive);
using NetworkGetFunction = bool (*)(const QUrl&, int,
                                    const std::function<void(const QByteArray&)>&);
