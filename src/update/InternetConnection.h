#pragma once

namespace tamevo {

// Whether the computer is connected to a network the Internet can be reached through.
class InternetConnection {
public:
    virtual ~InternetConnection() = default;
    virtual bool connected() = 0;
};

// The system's answer: connected when a network interface other than the loopback is up
// and running with an address. Whether a server answers is left to the download.
class SystemInternetConnection : public InternetConnection {
public:
    bool connected() override;
};

}  // namespace tamevo
