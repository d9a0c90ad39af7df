// NetworkAddresses that plays what the test sets: the addresses listed, the firewall found.
// Owned by its user; the test keeps a plain pointer or builds one per case.
#pragma once

#include "platform/NetworkAddresses.h"

class ScriptedNetwork : public NetworkAddresses {
public:
    std::vector<NetworkAddress> addresses;
    std::string firewall;

    std::vector<NetworkAddress> List() override { return addresses; }
    bool IsOwn(const std::string& address) override;
    std::string ActiveFirewall() override { return firewall; }
};
