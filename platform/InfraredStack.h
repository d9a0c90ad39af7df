// The infrared stack as the infrared finder uses it: a socket, and the list of devices in range
// read from it as a socket option into the finder's buffer. The Linux implementation
// (linux/IrdaStack) asks the kernel; the fake (fake/ScriptedInfrared) plays a script.
//
// The list is written in one fixed layout whatever the kernel's own: a 32-bit device count,
// then 29 bytes per device (4-byte identifier, 22-byte name, two hint bytes, character set).
// Owned by the infrared finder; all calls from one thread.
#pragma once

#include <cstdint>
#include <memory>

class InfraredStack {
public:
    static constexpr int invalidSocket = -1;

    virtual ~InfraredStack() = default;

    // A new socket for one lookup, or invalidSocket when the stack isn't there.
    virtual int OpenSocket() = 0;

    // Reads the device list into `buffer`. `length` goes in as the room in the buffer and
    // comes back as the bytes written. False when the call fails; the buffer then holds
    // nothing new.
    virtual bool ReadDeviceList(int socket, uint8_t* buffer, int& length) = 0;

    virtual void CloseSocket(int socket) = 0;
};

// The system's stack.
std::unique_ptr<InfraredStack> CreateSystemInfraredStack();
