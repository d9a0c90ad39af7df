#include "platform/fake/ScriptedInfrared.h"

#include <algorithm>
#include <cstring>

int ScriptedInfrared::OpenSocket() {
    ++openCount;
    reads = 0;
    return openSucceeds ? 3 : invalidSocket;
}

bool ScriptedInfrared::ReadDeviceList(int, uint8_t* buffer, int& length) {
    lengthsIn.push_back(length);
    const int read = reads++;
    if (read == failingRead) {
        return false;
    }
    static const std::vector<Device> none;
    const std::vector<Device>& list =
        lists.empty() ? none : lists[std::min<size_t>(static_cast<size_t>(read), lists.size() - 1)];
    // Like the kernel, an empty answer is just the count, and entries that don't fit the
    // room handed in are left out.
    uint32_t count = 0;
    for (const Device& device : list) {
        const int at = 4 + static_cast<int>(count) * 29;
        if (at + 29 > length) {
            break;
        }
        std::memset(buffer + at, 0, 29);
        std::memcpy(buffer + at, &device.identifier, 4);
        std::memcpy(buffer + at + 4, device.name.data(), std::min<size_t>(device.name.size(), 22));
        ++count;
    }
    std::memcpy(buffer, &count, 4);
    length = 4 + static_cast<int>(count) * 29;
    return true;
}

void ScriptedInfrared::CloseSocket(int) {
    ++closeCount;
}
