#include "update/InternetConnection.h"

#include <QNetworkInterface>

#include <gtest/gtest.h>

using namespace tamevo;

// The connection check runs in the network module, loaded on its first use, and answers as
// the system's interfaces say.
TEST(NetworkModuleTest, TheConnectionCheckIsLoadedOnFirstUseAndReadsTheInterfaces)
{
    bool expected = false;
    for (const QNetworkInterface& i : QNetworkInterface::allInterfaces()) {
        const auto flags = i.flags();
        expected = expected || (flags.testFlag(QNetworkInterface::IsUp) &&
                                flags.testFlag(QNetworkInterface::IsRunning) &&
                                !flags.testFlag(QNetworkInterface::IsLoopBack) &&
                                !i.addressEntries().isEmpty());
    }
    SystemInternetConnection connection;
    EXPECT_EQ(connection.connected(), expected);
}
