// NetworkAddresses over getifaddrs, with the default route read from /proc/net/route and the
// firewalls found by their own traces (firewalld's pid file, ufw's ENABLED setting).
#include "platform/NetworkAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

// The interfaces that carry a route to 0.0.0.0/0.
std::vector<std::string> DefaultRouteInterfaces() {
    std::vector<std::string> names;
    std::ifstream routes("/proc/net/route");
    std::string line;
    std::getline(routes, line);
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string name, destination, gateway, flags, refcnt, use, metric, mask;
        fields >> name >> destination >> gateway >> flags >> refcnt >> use >> metric >> mask;
        if (destination == "00000000" && mask == "00000000") {
            names.push_back(name);
        }
    }
    return names;
}

std::vector<NetworkAddress> Addresses() {
    const std::vector<std::string> routed = DefaultRouteInterfaces();
    std::vector<NetworkAddress> found;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return found;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET ||
            (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        sockaddr_in inet{};
        std::memcpy(&inet, entry->ifa_addr, sizeof inet);
        std::array<char, INET_ADDRSTRLEN> text{};
        inet_ntop(AF_INET, &inet.sin_addr, text.data(), text.size());
        const std::string name = entry->ifa_name;
        found.push_back({name, text.data(), (entry->ifa_flags & IFF_LOOPBACK) != 0,
                         std::find(routed.begin(), routed.end(), name) != routed.end()});
    }
    freeifaddrs(list);
    return found;
}

class IfaddrsNetwork : public NetworkAddresses {
public:
    std::vector<NetworkAddress> List() override { return Addresses(); }

    std::string ActiveFirewall() override {
        std::error_code ignored;
        if (std::filesystem::exists("/run/firewalld/firewalld.pid", ignored) ||
            std::filesystem::exists("/var/run/firewalld.pid", ignored)) {
            return "firewalld";
        }
        std::ifstream ufw("/etc/ufw/ufw.conf");
        std::string line;
        while (std::getline(ufw, line)) {
            if (line == "ENABLED=yes") {
                return "ufw";
            }
        }
        return std::string();
    }
};

} // namespace

std::unique_ptr<NetworkAddresses> CreateNetworkAddresses() {
    return std::make_unique<IfaddrsNetwork>();
}
