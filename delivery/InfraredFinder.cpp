#include "delivery/InfraredFinder.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr uint32_t sliceMilliseconds = 100;

} // namespace

InfraredFinder::InfraredFinder() : InfraredFinder(CreateSystemInfraredStack()) {}

InfraredFinder::InfraredFinder(std::unique_ptr<InfraredStack> infraredStack)
    : stack(std::move(infraredStack)) {}

void InfraredFinder::SleepMilliseconds(uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void InfraredFinder::Pause(InquiryWaitCallback waiting, void* user) {
    for (uint32_t slept = 0; slept < pauseMilliseconds; slept += sliceMilliseconds) {
        sleep(sliceMilliseconds);
        if (waiting != nullptr) {
            waiting(user);
        }
    }
}

const uint8_t* InfraredFinder::Lookup(ProgressCallback progress, void* user,
                                      InquiryWaitCallback waiting) {
    irdaSocket = stack->OpenSocket();
    if (irdaSocket == InfraredStack::invalidSocket) {
        return nullptr;
    }
    deviceListBuffer.fill(0);
    bool found = false;
    for (int attempt = 0; attempt < attempts && !found; ++attempt) {
        if (progress != nullptr) {
            progress(attempt, user);
        }
        // The stack shortens the length to what it wrote: handed back in unchanged, an empty
        // answer would leave no room for the device that shows up at the next attempt.
        int length = infraredListBytes;
        if (!stack->ReadDeviceList(irdaSocket, deviceListBuffer.data(), length)) {
            stack->CloseSocket(irdaSocket);
            irdaSocket = InfraredStack::invalidSocket;
            return nullptr;
        }
        deviceList = deviceListBuffer.data();
        found = InfraredDeviceCount(deviceList) != 0;
        if (!found) {
            Pause(waiting, user);
        }
    }
    stack->CloseSocket(irdaSocket);
    irdaSocket = InfraredStack::invalidSocket;
    return found ? deviceList : nullptr;
}

DeviceSearchResult InfraredFinder::Search(ProgressCallback progress, void* user,
                                          InquiryWaitCallback waiting) {
    DeviceSearchResult result;
    // Still null after the lookup when no attempt could read a list: no socket, no port.
    deviceList = nullptr;
    const uint8_t* list = Lookup(progress, user, waiting);
    if (deviceList == nullptr) {
        result.failure = DeliveryError::NoInfraredPort;
    }
    for (uint32_t i = 0; list != nullptr && i < InfraredDeviceCount(list); ++i) {
        char identifier[16];
        std::snprintf(identifier, sizeof identifier, "0x%08X", InfraredDeviceIdentifier(list, i));
        result.devices.push_back({InfraredDeviceName(list, i), identifier});
    }
    return result;
}
