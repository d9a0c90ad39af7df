// Pushes one file to a phone over Bluetooth with OBEX Object Push, through the platform's OBEX
// client (obexd on the session bus; a scripted client in tests), and says why it failed in the
// program's own terms. The file must already carry the name the phone should see.
//
// The push is asynchronous: it makes progress while the window processes events (a progress
// dialog's Update does) or while a caller without a window runs Iterate. When the OBEX service
// could not start or the phone could not be reached, the computer's Bluetooth side is checked
// (system bus, BlueZ, adapter, switched on) and a failing step there is the reason given:
// "could not be reached" stays for a phone that obexd tried on a working adapter.
//
// A push that fails (not one cancelled) is recorded in the failure log with its reason.
// Destroying the push cancels what is under way. User-interface thread only.
#pragma once

#include "delivery/DeliveryError.h"
#include "platform/ObexClient.h"

#include <cstdint>
#include <memory>
#include <string>

class ObexPush {
public:
    using Stage = ObexStage;

    // Where the push stands; `error` is None after a completed transfer.
    struct Progress {
        Stage stage = Stage::Idle;
        DeliveryError error = DeliveryError::None;
        // Bytes the phone has taken so far (obexd reports about once a second) and the size.
        uint64_t transferred = 0;
        uint64_t size = 0;
        // After a failure of the phone or of obexd: the service's own message, when it gave
        // one ("host is down").
        std::string detail;
    };

    // Over the system's OBEX client.
    ObexPush();
    // Over the given client (a fake in the tests).
    explicit ObexPush(std::unique_ptr<ObexClient> client);

    // "AA:BB:CC:DD:EE:FF" (either case); false for anything else.
    static bool IsBluetoothAddress(const std::string& address);

    // Starts the push of an absolute path to address. False, with the progress Finished and its
    // error set, when it can't even begin.
    bool Start(const std::string& address, const std::string& path);
    // Asks the service to stop: a transfer is cancelled, a connection attempt abandoned. The
    // push then finishes with Cancelled, unless it completed first.
    void Cancel();

    // Reads the client's state; a finished push keeps its answer.
    const Progress& Current() const;
    bool Finished() const { return Current().stage == Stage::Finished; }

    // Runs the pending bus work once; with mayBlock, waits for something to happen.
    static void Iterate(bool mayBlock);

private:
    DeliveryError Reason(ObexOutcome outcome) const;

    std::unique_ptr<ObexClient> client;
    std::string address;
    std::string path;
    bool cancelRequested = false;
    mutable Progress progress;
};
