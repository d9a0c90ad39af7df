// OBEX Object Push of one file to a phone through the computer's OBEX service. Used only by
// delivery/ObexPush, which turns the outcome into the reason a person reads; the Linux
// implementation (linux/ObexdClient) talks to BlueZ's obexd on the session bus, the fake
// (fake/ScriptedObexClient) plays a script for the tests.
//
// A push is asynchronous: it makes progress while the caller runs the default GLib main context
// (RunMainLoopOnce, or a window's toolkit). One push per client object; destroying
// it abandons what is under way. User-interface thread only.
#pragma once

#include "platform/BluetoothReadiness.h"

#include <cstdint>
#include <memory>
#include <string>

enum class ObexStage { Idle, Connecting, Sending, Finished };

// How a finished push ended.
enum class ObexOutcome {
    Sent,
    Cancelled,
    NoService,     // no OBEX service on the session bus (or no session bus)
    ServiceFailed, // the service was started but died or never answered
    Unreachable,   // the service tried the phone and could not connect
    Refused,       // the phone said no, or the transfer broke off
};

struct ObexProgress {
    ObexStage stage = ObexStage::Idle;
    ObexOutcome outcome = ObexOutcome::Sent; // read only once Finished
    uint64_t transferred = 0;                // bytes the phone has taken so far
    uint64_t size = 0;
    // Once Finished with a failure: the service's own message, when it gave one, lower-case
    // first.
    std::string detail;
};

class ObexClient {
public:
    virtual ~ObexClient() = default;

    // Starts pushing the file at the absolute `path` to the Bluetooth `address`. False, with
    // the progress Finished, when the push cannot even begin.
    virtual bool Start(const std::string& address, const std::string& path) = 0;
    // Asks the service to stop; the push then finishes, Cancelled unless something else first.
    virtual void Cancel() = 0;
    // Where the push stands now.
    virtual ObexProgress Current() = 0;
    // The Bluetooth side of the computer, read when a push failed to say whose fault it was.
    virtual BluetoothReadiness Readiness() = 0;
};

// The system's client: obexd on the session bus.
std::unique_ptr<ObexClient> CreateSystemObexClient();
