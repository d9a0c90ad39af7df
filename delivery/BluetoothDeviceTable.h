// The devices a Bluetooth search found: made once per finder and reused by every search, so
// entries beyond `count` hold stale devices of earlier searches and are never read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct BluetoothDevice {
    std::string name;     // UTF-8, as the device reported it; empty until the entry is used
    uint64_t address = 0; // AA:BB:CC:DD:EE:FF is 0x0000AABBCCDDEEFF
};

struct BluetoothDeviceTable {
    static constexpr int capacity = 256;

    std::array<BluetoothDevice, capacity> entries; // in the order the search found them
    int32_t count = 0; // valid entries; written at the end of a search that found any
};
