// The adapter of the bluez5 mock as the device-search tests drive it: wait until a search has
// started its discovery, then end the discovery as BlueZ does when it stops. Called from the
// thread that plays the radio (one caller of the DBusMock at a time).
#pragma once

#include "DBusMock.h"

#include <string>

namespace twtest {

constexpr const char* mockAdapterPath = "/org/bluez/hci0";

// True once the adapter says it discovers; false after a minute without (a hang).
bool WaitUntilDiscovering(DBusMock& mock);

// Whether the adapter discovers now.
bool AdapterDiscovers(DBusMock& mock);

// Sets Discovering to false and signals it.
bool EndDiscovery(DBusMock& mock);

} // namespace twtest
