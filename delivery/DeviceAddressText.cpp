#include "delivery/DeviceAddressText.h"

#include <algorithm>

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

std::vector<std::string> DeviceListLabels(const std::vector<FoundDevice>& devices) {
    constexpr size_t endLength = 5; // "71:13"
    const auto labelled = [&](size_t length) {
        std::vector<std::string> labels;
        for (const FoundDevice& device : devices) {
            const bool shared =
                std::count_if(devices.begin(), devices.end(), [&](const FoundDevice& other) {
                    return other.name == device.name;
                }) > 1;
            const std::string& address = device.address;
            labels.push_back(!shared ? device.name
                             : length < address.size()
                                 ? device.name + " (\u2026" +
                                       address.substr(address.size() - length) + ")"
                                 : device.name + " (" + address + ")");
        }
        return labels;
    };
    std::vector<std::string> labels = labelled(endLength);
    std::vector<std::string> sorted = labels;
    std::sort(sorted.begin(), sorted.end());
    if (std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end()) {
        labels = labelled(std::string::npos);
    }
    return labels;
}
