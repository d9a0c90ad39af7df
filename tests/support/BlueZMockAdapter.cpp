#include "BlueZMockAdapter.h"

#include <chrono>
#include <thread>

namespace twtest {

bool AdapterDiscovers(DBusMock& mock) {
    std::string reply;
    return mock.Call(mockAdapterPath, "org.freedesktop.DBus.Properties", "Get",
                     "('org.bluez.Adapter1', 'Discovering')", &reply) &&
           reply == "(<true>,)";
}

bool WaitUntilDiscovering(DBusMock& mock) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!AdapterDiscovers(mock)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool EndDiscovery(DBusMock& mock) {
    return mock.Call(mockAdapterPath, "org.freedesktop.DBus.Mock", "UpdateProperties",
                     "('org.bluez.Adapter1', {'Discovering': <false>})");
}

} // namespace twtest
