// An OBEX client that plays a script instead of talking to a service, for the push logic's
// tests: each read of Current() moves the push one step on, and after `steps` reads it ends
// with `outcome`, cancelled or not, as a service may answer a cancel with a failed transfer.
// Owned by the push under test; the test keeps a plain pointer to read what was asked.
#pragma once

#include "platform/ObexClient.h"

class ScriptedObexClient : public ObexClient {
public:
    // The script.
    bool starts = true;
    int steps = 2;
    ObexOutcome outcome = ObexOutcome::Sent;
    // The service's message that comes with the outcome.
    std::string detail;
    BluetoothReadiness readiness = BluetoothReadiness::Ready;
    uint64_t size = 1000;

    // What was asked.
    std::string address;
    std::string path;
    int cancels = 0;

    bool Start(const std::string& toAddress, const std::string& filePath) override;
    void Cancel() override { ++cancels; }
    ObexProgress Current() override;
    BluetoothReadiness Readiness() override { return readiness; }

private:
    ObexProgress progress;
    int played = 0;
};
