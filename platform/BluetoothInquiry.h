// A Bluetooth inquiry: a fresh search for the devices in range, read one result at a time.
// The Bluetooth finder is its only user; the Linux implementation (linux/BlueZInquiry) asks
// BlueZ on the system bus, the fake (fake/ScriptedInquiry) plays a script for the finder's
// tests.
//
// A result is handed over in the caller's buffer: a fixed record of `recordSize` bytes
// followed by the device's name with its NUL. When a result does not fit, Next answers
// BufferTooSmall with the length it needs and keeps the result for the next call, so the
// caller can grow the buffer and retry without losing the device.
//
// One inquiry object serves many searches (Begin ... End). All calls come from one thread.
#pragma once

#include "platform/BluetoothReadiness.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A device as the radio reported it.
struct BluetoothInquiryDevice {
    std::optional<std::string> name; // UTF-8; absent when the device gave none
    uint64_t address = 0;            // AA:BB:CC:DD:EE:FF is 0x0000AABBCCDDEEFF
    uint32_t classOfDevice = 0;      // 0 when the device gave none
};

// A result as handed to the caller: `name` points into the caller's buffer, or is null.
struct BluetoothInquiryResult {
    const char* name = nullptr;
    uint64_t address = 0;
    uint32_t classOfDevice = 0;
};

// Called at least every 100 ms while an inquiry waits, so that a window can keep itself
// painted. `user` is the pointer handed over with it.
using InquiryWaitCallback = void (*)(void* user);

class BluetoothInquiry {
public:
    enum class Status { Found, NoMore, BufferTooSmall, Failed };
    static constexpr size_t recordSize = 64;

    virtual ~BluetoothInquiry() = default;

    // True when the service behind the inquiry could be reached when it was made (the bus).
    virtual bool Connected() const = 0;

    // Checks now what would keep a search from running, in BluetoothReadiness's order.
    virtual BluetoothReadiness Readiness() = 0;

    // Switches an adapter that is off on (desktops let the session's user do it); true when
    // the service took it.
    virtual bool SwitchOn() = 0;

    // Starts a fresh search: only devices that report themselves during it are results, not
    // those the radio merely remembers. False when no search can run (no service, no radio,
    // radio off); then Next and End must not be called.
    bool Begin();

    // Waits up to `timeLeftMs` for the next device. Found fills `result` (the name copied to
    // `buffer` after the fixed record); BufferTooSmall sets `bufferLength` to the length
    // needed; NoMore when the search has ended or the time ran out; Failed with `errorCode`
    // when the service broke off. `waiting` (may be null) is called while it waits.
    Status Next(int timeLeftMs, uint8_t* buffer, size_t& bufferLength,
                BluetoothInquiryResult& result, int& errorCode, InquiryWaitCallback waiting,
                void* user);

    // Ends the search that Begin started.
    void End();

protected:
    // The implementation's parts of Begin and End.
    virtual bool Start() = 0;
    virtual void Stop() = 0;
    // The implementation's part of Next: the next device, waiting as Next describes.
    virtual Status Receive(int timeLeftMs, BluetoothInquiryDevice& device, int& errorCode,
                           InquiryWaitCallback waiting, void* user) = 0;

private:
    // A device that did not fit the caller's buffer yet.
    std::optional<BluetoothInquiryDevice> held;
};

// The system's inquiry: BlueZ on the system bus, connected at creation.
std::unique_ptr<BluetoothInquiry> CreateSystemBluetoothInquiry();
