// The mock-bus starter of every test that talks to BlueZ or obexd: BlueZ (python3-dbusmock's
// bluez5 template) on a private system bus with an adapter as asked, our obexd mock on a
// private session bus, or an obexd that dies on start; and the adapter as the device-search
// tests drive it. The helpers of a started mock are called from one thread at a time.
#pragma once

#include "DBusMock.h"

#include <string>

namespace twtest {

constexpr const char* mockAdapterPath = "/org/bluez/hci0";

enum class Adapter { None, Off, On };

// BlueZ on a private system bus; with the adapter "hci0" named "Desk" unless None, switched
// off for Off. False, with the reason in mock.Error(), when a step fails.
bool StartBlueZ(DBusMock& mock, Adapter adapter = Adapter::On);

// The obexd mock (tests/delivery/obex_push_mock.py) on a private session bus; `outcome` and
// `received` are its parameters.
bool StartObex(DBusMock& mock, const std::string& outcome, const std::string& received = "");

// A private session bus on which calling org.bluez.obex starts a service that takes the name
// and exits without answering, as obexd does when Bluetooth cannot work.
bool StartDyingObex(DBusMock& mock);

// True once the adapter says it discovers; false after a minute without (a hang).
bool WaitUntilDiscovering(DBusMock& mock);

// Whether the adapter discovers now.
bool AdapterDiscovers(DBusMock& mock);

// Sets Discovering to false and signals it.
bool EndDiscovery(DBusMock& mock);

} // namespace twtest
