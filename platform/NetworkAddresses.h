// This computer's IPv4 addresses, for the Wi-Fi road: the phone opens a URL on one of them
// (delivery/WifiAddressFinder.h says which a phone can reach). IPv4 only: a phone's camera app
// opens a plain dotted address everywhere. Also the firewall that may stand between.
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
    bool loopback = false;
    // Whether the interface carries the default route.
    bool defaultRoute = false;
};

class NetworkAddresses {
public:
    virtual ~NetworkAddresses() = default;

    // Every address of the interfaces that are up, in the system's order.
    virtual std::vector<NetworkAddress> List() = 0;
    // The firewall that is active ("firewalld", "ufw"), or empty for none found.
    virtual std::string ActiveFirewall() = 0;
};

std::unique_ptr<NetworkAddresses> CreateNetworkAddresses();
