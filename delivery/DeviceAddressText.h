// The text a person reads for a found device's address and for the device itself: the
// command-line tool prints the address, the window's device list shows the label. The address
// itself is the 64-bit value the finders store.
#pragma once

#include "delivery/DeviceFinder.h"

#include <cstdint>
#include <string>
#include <vector>

// The six low bytes of a Bluetooth address, highest first, as upper-case hex pairs joined by
// colons: 0x0000AABBCCDDEEFF becomes "AA:BB:CC:DD:EE:FF". The two high bytes are not part of
// an address and are ignored.
std::string FormatBluetoothAddress(uint64_t address);

// What the device list shows for each device, in order: its name, and when another device of
// the list has the same name, the end of its address too ("Pixel 8 (…71:13)"), so that the
// file goes to the phone the user means. Names alike down to the end of their addresses show
// the whole address.
std::vector<std::string> DeviceListLabels(const std::vector<FoundDevice>& devices);
