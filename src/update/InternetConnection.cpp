#include "update/InternetConnection.h"

#include <QNetworkInterface>

namespace tamevo {

bool SystemInternetConnection::connected()
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

}  // namespace tamevo
