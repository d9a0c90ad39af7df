// An infrared stack that plays a script instead of asking the kernel, for the infrared finder's
// tests. The n-th read (from 0) of every socket answers lists[n] (the last one again when
// the script runs out), written in the stack's layout; it records what the finder asked.
// Owned by the finder under test; the test keeps a plain pointer.
#pragma once

#include "platform/InfraredStack.h"

#include <string>
#include <vector>

class ScriptedInfrared : public InfraredStack {
public:
    struct Device {
        uint32_t identifier = 0;
        std::string name; // up to 22 bytes, written without a NUL when it fills all 22
    };

    // The script.
    bool openSucceeds = true;
    int failingRead = -1; // the read (from 0) that fails, or -1
    std::vector<std::vector<Device>> lists;

    // What was asked.
    int openCount = 0;
    int closeCount = 0;
    std::vector<int> lengthsIn; // the option length handed in at every read

    int OpenSocket() override;
    bool ReadDeviceList(int socket, uint8_t* buffer, int& length) override;
    void CloseSocket(int socket) override;

private:
    int reads = 0;
};
