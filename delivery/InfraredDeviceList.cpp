#include "delivery/InfraredDeviceList.h"

#include <cstring>

namespace {

uint32_t Read32(const uint8_t* at) {
    uint32_t value = 0;
    std::memcpy(&value, at, 4);
    return value;
}

const uint8_t* Entry(const uint8_t* list, uint32_t i) {
    return list + 4 + i * infraredEntryBytes;
}

} // namespace

uint32_t InfraredDeviceCount(const uint8_t* list) {
    const uint32_t count = Read32(list);
    return count < infraredMaxDevices ? count : infraredMaxDevices;
}

uint32_t InfraredDeviceIdentifier(const uint8_t* list, uint32_t i) {
    return Read32(Entry(list, i));
}

std::string InfraredDeviceName(const uint8_t* list, uint32_t i) {
    const char* name = reinterpret_cast<const char*>(Entry(list, i) + 4);
    return std::string(name, strnlen(name, infraredNameBytes));
}
