// Lists the infrared devices in range: asks the infrared stack for its device list, retrying
// for about two seconds while the list is empty. Owned by the window's controller while
// "Infrared" is the send method (and by `tonewick-cli devices`).
//
// A lookup blocks its caller: the progress callback gets the attempt number (0 to 9), the wait
// callback is called at least every 100 ms of the pauses between attempts. Each lookup opens
// and closes its own socket. A stack without sockets (no infrared port) is a search that could
// not run. All calls from one thread.
#pragma once

#include "delivery/DeviceFinder.h"
#include "delivery/InfraredDeviceList.h"
#include "platform/InfraredStack.h"
#include "platform/ProgressCallback.h"

#include <array>
#include <cstdint>
#include <memory>

class InfraredFinder : public DeviceFinder {
public:
    static constexpr int attempts = 10;
    static constexpr uint32_t pauseMilliseconds = 200;

    // Over the system's stack.
    InfraredFinder();
    // Over the given stack (a fake in the tests).
    explicit InfraredFinder(std::unique_ptr<InfraredStack> stack);

    std::unique_ptr<InfraredStack> stack;
    const uint8_t* deviceList = nullptr; // points at deviceListBuffer once a lookup read a list
    std::array<uint8_t, infraredListBytes> deviceListBuffer{}; // the last list the stack gave
    int irdaSocket = InfraredStack::invalidSocket;             // open only during a lookup
    // Sleeps the given time (the tests count instead).
    void (*sleep)(uint32_t milliseconds) = SleepMilliseconds;

    // Returns the device list (read it with InfraredDeviceList.h) when the stack reported at
    // least one device within the attempts, null otherwise. `progress` and `waiting` may be
    // null.
    const uint8_t* Lookup(ProgressCallback progress, void* user,
                          InquiryWaitCallback waiting = nullptr);

    DeviceSearchResult Search(ProgressCallback progress, void* user,
                              InquiryWaitCallback waiting) override;
    bool SwitchOn() override { return false; }

    static void SleepMilliseconds(uint32_t milliseconds);

private:
    void Pause(InquiryWaitCallback waiting, void* user);
};
