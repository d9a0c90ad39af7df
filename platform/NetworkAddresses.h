// This computer's addresses on the networks a phone may share with it, for the Wi-Fi road: the
// phone opens a URL on one of them. Loopback, link-local (169.254.x.x) and the bridges of
// containers and virtual machines are left out, since no phone can reach them; the address of
// the interface that carries the default route comes first. IPv4 only: a phone's camera app
// opens a plain dotted address everywhere.
//
// Made per use by the caller (the Wi-Fi method's finder and delivery). The Linux
// implementation reads getifaddrs and /proc/net/route; the fake plays a list for the tests.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct NetworkAddress {
    std::string interface; // "wlan0"
    std::string address;   // "192.168.1.20"
    bool defaultRoute = false;
};

class NetworkAddresses {
public:
    virtual ~NetworkAddresses() = default;

    // The addresses a phone may reach, the default route's first; empty on no such network.
    virtual std::vector<NetworkAddress> List() = 0;
    // Whether the address is one of this computer's, loopback included (a test's server).
    virtual bool IsOwn(const std::string& address) = 0;
    // The firewall that is active ("firewalld", "ufw"), or empty for none found.
    virtual std::string ActiveFirewall() = 0;
};

std::unique_ptr<NetworkAddresses> CreateNetworkAddresses();

// Whether an interface of this name is a bridge of containers or virtual machines.
bool IsVirtualBridge(const std::string& interface);
