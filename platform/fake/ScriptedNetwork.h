// NetworkAddresses that plays what the test sets: the addresses listed, the firewall found.
// Owned by its user (a finder under test).
#pragma once

#include "platform/NetworkAddresses.h"

class ScriptedNetwork : public NetworkAddresses {
public:
    std::vector<NetworkAddress> addresses;
    std::string firewall;

    std::vector<NetworkAddress> List() override { return addresses; }
    std::string ActiveFirewall() override { return firewall; }
};
