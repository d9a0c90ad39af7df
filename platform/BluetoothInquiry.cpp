#include "platform/BluetoothInquiry.h"

#include <cstring>

bool BluetoothInquiry::Begin() {
    held.reset();
    return Start();
}

void BluetoothInquiry::End() {
    held.reset();
    Stop();
}

BluetoothInquiry::Status BluetoothInquiry::Next(int timeLeftMs, uint8_t* buffer,
                                                size_t& bufferLength,
                                                BluetoothInquiryResult& result, int& errorCode,
                                                InquiryWaitCallback waiting, void* user) {
    if (!held) {
        BluetoothInquiryDevice device;
        const Status status = Receive(timeLeftMs, device, errorCode, waiting, user);
        if (status != Status::Found) {
            return status;
        }
        held = std::move(device);
    }
    const size_t needed = recordSize + (held->name ? held->name->size() + 1 : 0);
    if (buffer == nullptr || needed > bufferLength) {
        bufferLength = needed;
        return Status::BufferTooSmall;
    }
    result = BluetoothInquiryResult{};
    if (held->name) {
        char* name = reinterpret_cast<char*>(buffer + recordSize);
        std::memcpy(name, held->name->c_str(), held->name->size() + 1);
        result.name = name;
    }
    result.address = held->address;
    result.classOfDevice = held->classOfDevice;
    held.reset();
    return Status::Found;
}
