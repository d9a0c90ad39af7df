// What stands between this computer and a Bluetooth search or push, in the order it is checked:
// the system bus, the Bluetooth service (BlueZ) on it, an adapter, the adapter switched on.
// Shared by the Bluetooth inquiry and the file push; delivery/ turns it into the sentence a
// person reads.
#pragma once

enum class BluetoothReadiness {
    Ready,
    NoSystemBus,
    NoBluetoothService,
    NoAdapter,
    AdapterOff,
};
