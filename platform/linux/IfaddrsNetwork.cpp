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

struct Interface {
    std::string name;
    std::string address;
    bool loopback;
};

std::vector<Interface> Interfaces() {
    std::vector<Interface> found;
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
        found.push_back({entry->ifa_name, text.data(), (entry->ifa_flags & IFF_LOOPBACK) != 0});
    }
    freeifaddrs(list);
    return found;
}

class IfaddrsNetwork : public NetworkAddresses {
public:
    std::vector<NetworkAddress> List() override {
        const std::vector<std::string> routed = DefaultRouteInterfaces();
        std::vector<NetworkAddress> addresses;
        for (const Interface& i : Interfaces()) {
            if (i.loopback || i.address.starts_with("169.254.") || IsVirtualBridge(i.name)) {
                continue;
            }
            const bool isDefault = std::find(routed.begin(), routed.end(), i.name) != routed.end();
            addresses.push_back({i.name, i.address, isDefault});
        }
        std::stable_partition(addresses.begin(), addresses.end(),
                              [](const NetworkAddress& a) { return a.defaultRoute; });
        return addresses;
    }

    bool IsOwn(const std::string& address) override {
        const std::vector<Interface> all = Interfaces();
        return std::any_of(all.begin(), all.end(),
                           [&](const Interface& i) { return i.address == address; });
    }

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

bool IsVirtualBridge(const std::string& interface) {
    for (const char* prefix : {"docker", "br-", "virbr", "veth", "lxcbr", "lxdbr", "cni", "podman",
                               "vboxnet", "vmnet", "flannel", "cali"}) {
        if (interface.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<NetworkAddresses> CreateNetworkAddresses() {
    return std::make_unique<IfaddrsNetwork>();
}
