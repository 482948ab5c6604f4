#include "update/InternetConnection.h"

#include "data/SystemLibrary.h"
#include "update/NetworkModule.h"

namespace tamevo {

bool SystemInternetConnection::connected()
{
    return networkModule().function<NetworkConnectedFunction>("tamevo_network_connected")();
}

}  // namespace tamevo
