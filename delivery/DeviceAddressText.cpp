#include "delivery/DeviceAddressText.h"

std::string FormatBluetoothAddress(uint64_t address) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    for (int shift = 40; shift >= 0; shift -= 8) {
        const unsigned byte = static_cast<unsigned>(address >> shift) & 0xFFu;
        if (!text.empty()) {
            text.push_back(':');
        }
        text.push_back(digits[byte >> 4]);
        text.push_back(digits[byte & 0xFu]);
    }
    return text;
}
