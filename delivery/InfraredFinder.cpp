#include "delivery/InfraredFinder.h"

#include <chrono>
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
