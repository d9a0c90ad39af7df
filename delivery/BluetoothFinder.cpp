#include "delivery/BluetoothFinder.h"

#include "delivery/DeviceAddressText.h"

#include <chrono>
#include <new>

namespace {

// The room the first result gets; a named result never fits, so the first one always asks
// for a bigger buffer.
constexpr size_t firstBufferLength = 60;

std::unique_ptr<uint8_t[]> ZeroedBuffer(size_t length) {
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[length]());
}

} // namespace

BluetoothFinder::BluetoothFinder() : BluetoothFinder(CreateSystemBluetoothInquiry()) {}

BluetoothFinder::BluetoothFinder(std::unique_ptr<BluetoothInquiry> searchInquiry)
    : inquiry(std::move(searchInquiry)) {
    if (inquiry && inquiry->Connected()) {
        devices = std::make_unique<BluetoothDeviceTable>();
    }
}

uint32_t BluetoothFinder::SteadyTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

BluetoothDeviceTable* BluetoothFinder::Lookup(ProgressCallback progress, void* user,
                                              InquiryWaitCallback waiting) {
    deviceCount = 0;
    bool found = false;
    failure = devices ? BluetoothReadinessError(inquiry->Readiness()) : DeliveryError::NoSystemBus;
    if (failure == DeliveryError::None && !inquiry->Begin()) {
        failure = DeliveryError::SearchFailed;
    }
    if (failure == DeliveryError::None) {
        const uint32_t start = tickCount();
        size_t length = firstBufferLength;
        std::unique_ptr<uint8_t[]> buffer = ZeroedBuffer(length);
        for (;;) {
            const uint32_t elapsed = tickCount() - start;
            // The table's room ends the search: the window lists no more than it holds.
            if (elapsed > searchMilliseconds || deviceCount == BluetoothDeviceTable::capacity) {
                break;
            }
            BluetoothInquiryResult result;
            int errorCode = 0;
            const BluetoothInquiry::Status status =
                inquiry->Next(static_cast<int>(searchMilliseconds - elapsed), buffer.get(), length,
                              result, errorCode, waiting, user);
            if (status == BluetoothInquiry::Status::NoMore) {
                break;
            }
            if (status == BluetoothInquiry::Status::BufferTooSmall) {
                buffer = ZeroedBuffer(length);
                if (!buffer) {
                    std::fprintf(output, "!ERROR! | Unable to allocate memory for WSAQERYSET\n");
                    break;
                }
                continue;
            }
            if (status == BluetoothInquiry::Status::Failed) {
                std::fprintf(output,
                             "=CRITICAL= | WSALookupServiceNext() failed with error code %d\n",
                             errorCode);
                break;
            }
            if (result.name != nullptr) {
                Store(result, progress, user);
                found = true;
            }
        }
        inquiry->End();
    }
    std::fflush(output);
    if (!found) {
        return nullptr;
    }
    devices->count = deviceCount;
    return devices.get();
}

void BluetoothFinder::Store(const BluetoothInquiryResult& result, ProgressCallback progress,
                            void* user) {
    if (progress != nullptr) {
        progress(deviceCount + 1, user);
    }
    std::fprintf(output, "Device is found: %s \n", result.name);
    const uint32_t cod = result.classOfDevice;
    std::fprintf(output, "COD [0x%02X] [0x%02X] [0x%02X] [0x%02X] \n", (cod >> 24) & 0xFFu,
                 (cod >> 16) & 0xFFu, (cod >> 8) & 0xFFu, cod & 0xFFu);
    const uint32_t major = (cod >> 8) & 0x1Fu;
    const uint32_t minor = (cod >> 2) & 0x3Fu;
    std::fprintf(output, "MAJOR_COD [0x%02X], MINOR_COD [0x%02X] \n", major, minor);
    if (major == 2 && minor == 1) {
        std::fprintf(output, "This is a mobile phone. \n");
    } else {
        std::fprintf(output, "Can't determine device type. \n");
    }
    BluetoothDevice& entry = devices->entries[static_cast<size_t>(deviceCount)];
    entry.address = result.address;
    entry.name = result.name;
    ++deviceCount;
}

DeviceSearchResult BluetoothFinder::Search(ProgressCallback progress, void* user,
                                           InquiryWaitCallback waiting) {
    DeviceSearchResult result;
    const BluetoothDeviceTable* table = Lookup(progress, user, waiting);
    result.failure = failure;
    for (int32_t i = 0; table != nullptr && i < table->count; ++i) {
        const BluetoothDevice& device = table->entries[static_cast<size_t>(i)];
        result.devices.push_back({device.name, FormatBluetoothAddress(device.address)});
    }
    return result;
}

bool BluetoothFinder::SwitchOn() {
    return inquiry && inquiry->SwitchOn();
}
