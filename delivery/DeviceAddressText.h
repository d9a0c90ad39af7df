// The text a person reads for a found device's address: the command-line tool prints it and
// the tests compare it. The address itself is the 64-bit value the finders store.
#pragma once

#include <cstdint>
#include <string>

// The six low bytes of a Bluetooth address, highest first, as upper-case hex pairs joined by
// colons: 0x0000AABBCCDDEEFF becomes "AA:BB:CC:DD:EE:FF". The two high bytes are not part of
// an address and are ignored.
std::string FormatBluetoothAddress(uint64_t address);
