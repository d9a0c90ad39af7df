#include "platform/fake/ScriptedNetwork.h"

#include <algorithm>

bool ScriptedNetwork::IsOwn(const std::string& address) {
    return address == "127.0.0.1" ||
           std::any_of(addresses.begin(), addresses.end(),
                       [&](const NetworkAddress& a) { return a.address == address; });
}
