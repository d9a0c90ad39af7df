// The Wi-Fi method's devices: this computer's addresses a phone may reach, the default route's
// first ("192.168.1.20 (wlan0)", address "192.168.1.20"). Loopback, link-local (169.254.x.x)
// and the bridges of containers and virtual machines are left out: no phone reaches them. No
// such address is a search that could not run: this computer is on no network the phone can
// reach. Owned by the window's controller while Wi-Fi is the send method.
#pragma once

#include "delivery/DeviceFinder.h"
#include "platform/NetworkAddresses.h"

#include <memory>
#include <vector>

class WifiAddressFinder : public DeviceFinder {
public:
    explicit WifiAddressFinder(std::unique_ptr<NetworkAddresses> network);

    DeviceSearchResult Search(ProgressCallback progress, void* user,
                              InquiryWaitCallback waiting) override;
    bool SwitchOn() override { return false; }

private:
    std::unique_ptr<NetworkAddresses> network;
};

// The addresses a phone may reach, the default route's first.
std::vector<NetworkAddress> PhoneReachableAddresses(NetworkAddresses& network);
