#include "delivery/WifiAddressFinder.h"

#include <algorithm>

namespace {

bool IsVirtualBridge(const std::string& interface) {
    for (const char* prefix : {"docker", "br-", "virbr", "veth", "lxcbr", "lxdbr", "cni", "podman",
                               "vboxnet", "vmnet", "flannel", "cali"}) {
        if (interface.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<NetworkAddress> PhoneReachableAddresses(NetworkAddresses& network) {
    std::vector<NetworkAddress> reachable = network.List();
    std::erase_if(reachable, [](const NetworkAddress& a) {
        return a.loopback || a.address.starts_with("169.254.") || IsVirtualBridge(a.interface);
    });
    std::stable_partition(reachable.begin(), reachable.end(),
                          [](const NetworkAddress& a) { return a.defaultRoute; });
    return reachable;
}

WifiAddressFinder::WifiAddressFinder(std::unique_ptr<NetworkAddresses> addresses)
    : network(std::move(addresses)) {}

DeviceSearchResult WifiAddressFinder::Search(ProgressCallback, void*, InquiryWaitCallback) {
    DeviceSearchResult result;
    for (const NetworkAddress& a : PhoneReachableAddresses(*network)) {
        result.devices.push_back({a.address + " (" + a.interface + ")", a.address});
    }
    if (result.devices.empty()) {
        result.failure = DeliveryError::NoNetwork;
    }
    return result;
}
