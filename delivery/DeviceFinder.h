// The one face of the device finders (Bluetooth, infrared) to their callers, the window's send
// panel and `tonewick-cli devices`: a search that answers with the devices found, or with the
// reason it could not run. The finders' own Lookup, with its table or list, stays beside it.
#pragma once

#include "delivery/DeliveryError.h"
#include "platform/BluetoothInquiry.h"
#include "platform/ProgressCallback.h"

#include <string>
#include <vector>

struct FoundDevice {
    std::string name;    // UTF-8 as the device reported it
    std::string address; // "AA:BB:CC:DD:EE:FF" (Bluetooth) or "0x0000ABCD" (infrared)
};

struct DeviceSearchResult {
    // Why the search could not run; None when it ran, whether it found anything or not.
    DeliveryError failure = DeliveryError::None;
    std::vector<FoundDevice> devices; // in the order they were found
};

class DeviceFinder {
public:
    virtual ~DeviceFinder() = default;

    // Runs one search as the finder's Lookup does (same progress, lines and waiting).
    virtual DeviceSearchResult Search(ProgressCallback progress, void* user,
                                      InquiryWaitCallback waiting) = 0;

    // Switches a radio that is off on, where the computer lets the user do it; true when it
    // took. A finder with nothing to switch answers false.
    virtual bool SwitchOn() = 0;
};
