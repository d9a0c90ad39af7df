// An inquiry that plays a script instead of asking a radio, for the Bluetooth finder's tests.
// Each step is what one Receive answers; after the last step the search has no more devices.
// A step may advance the test's clock, as if the wait for it had taken that long. It records
// what the finder asked. Owned by the finder under test; the test keeps a plain pointer.
#pragma once

#include "platform/BluetoothInquiry.h"

#include <vector>

class ScriptedInquiry : public BluetoothInquiry {
public:
    struct Step {
        Status status = Status::Found; // Found, NoMore or Failed
        BluetoothInquiryDevice device;
        int errorCode = 0;
        uint32_t advanceMs = 0; // added to *clock when the step is played
    };

    // The script.
    bool connected = true;
    BluetoothReadiness readiness = BluetoothReadiness::Ready;
    bool switchOnWorks = true; // a switched-on adapter makes the inquiry Ready
    bool beginSucceeds = true;
    std::vector<Step> steps;
    uint32_t* clock = nullptr; // the test's tick count, when steps advance it

    // What was asked.
    int switchOnCount = 0;
    int beginCount = 0;
    int endCount = 0;
    int receiveCount = 0;
    std::vector<int> timesLeft; // the time left of every Receive

    bool Connected() const override { return connected; }
    BluetoothReadiness Readiness() override { return readiness; }
    bool SwitchOn() override;

protected:
    bool Start() override;
    void Stop() override;
    Status Receive(int timeLeftMs, BluetoothInquiryDevice& device, int& errorCode,
                   InquiryWaitCallback waiting, void* user) override;

private:
    size_t played = 0;
};
