// Reading the device list that the infrared finder's buffer holds (the layout of
// platform/InfraredStack.h): a 32-bit count, then 29 bytes per device. The list always lies in
// the finder's 256-byte buffer, which holds at most 8 devices: a larger count is read as 8.
#pragma once

#include <cstdint>
#include <string>

constexpr int infraredListBytes = 256;
constexpr int infraredEntryBytes = 29;
constexpr int infraredNameBytes = 22;
constexpr uint32_t infraredMaxDevices = (infraredListBytes - 4) / infraredEntryBytes;

// The number of devices in the list, at most infraredMaxDevices.
uint32_t InfraredDeviceCount(const uint8_t* list);

// Device i's identifier.
uint32_t InfraredDeviceIdentifier(const uint8_t* list, uint32_t i);

// Device i's name: its bytes up to the first NUL, never beyond its 22 bytes.
std::string InfraredDeviceName(const uint8_t* list, uint32_t i);
