// The computer's side of Bluetooth as BlueZ shows it on the system bus, for the inquiry and the
// file push alike: connecting to a bus, checking that a search or push can run, and switching
// an adapter on. Free functions over a caller's connection; blocking, bounded by short
// timeouts so that a hung BlueZ cannot freeze a window.
#pragma once

#include "platform/BluetoothReadiness.h"

#include <string>

typedef struct _GDBusConnection GDBusConnection;

// A private connection to the system or session bus; null when the bus cannot be reached.
GDBusConnection* ConnectToBus(bool systemBus);

// Checks, in order, the connection (null: NoSystemBus), BlueZ on the bus, an adapter, a powered
// adapter. `adapterPath` receives the powered adapter when Ready, the first adapter when
// AdapterOff, and is cleared otherwise. BlueZ is never started by the check itself.
BluetoothReadiness CheckBlueZ(GDBusConnection* connection, std::string& adapterPath);

// Sets Powered on the adapter that CheckBlueZ found off; true when BlueZ took it.
bool SwitchOnBlueZ(GDBusConnection* connection);
