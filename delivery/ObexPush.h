// Pushes one file to a phone over Bluetooth with OBEX Object Push, through BlueZ's obexd on the
// session bus (org.bluez.obex): Client1.CreateSession with the phone's address and the target
// "opp", ObjectPush1.SendFile with the file's absolute path, then the Transfer1 object followed
// until it says "complete" or "error", and RemoveSession. obexd sends only the file's base name
// and length, so the file must already carry the name the phone should see.
//
// Everything is asynchronous on the default GLib main context, which wxGTK runs: the calls and
// signals make progress while the window processes events (a progress dialog's Update does),
// or while a caller without a window runs Iterate. The phone has a minute to accept, so the
// calls wait long; the transfer's signals are subscribed to before SendFile, since a small file
// can go from "queued" to "complete" with nothing between and its object vanishes at once.
//
// Each push has its own connection to the bus; destroying the push cancels what is under way
// and closes it, which also ends obexd's session. User-interface thread only.
#pragma once

#include "delivery/DeliveryError.h"

#include <cstdint>
#include <memory>
#include <string>

class ObexPush {
public:
    enum class Stage { Idle, Connecting, Sending, Finished };

    // Where the push stands; `error` is None after a completed transfer.
    struct Progress {
        Stage stage = Stage::Idle;
        DeliveryError error = DeliveryError::None;
        // Bytes the phone has taken so far (obexd reports about once a second) and the size.
        uint64_t transferred = 0;
        uint64_t size = 0;
    };

    ObexPush();
    ~ObexPush();
    ObexPush(const ObexPush&) = delete;
    ObexPush& operator=(const ObexPush&) = delete;

    // "AA:BB:CC:DD:EE:FF" (either case); false for anything else.
    static bool IsBluetoothAddress(const std::string& address);

    // Starts the push of an absolute path to address. False, with the progress Finished and its
    // error set (NoObexService when there is no session bus), when it can't even begin.
    bool Start(const std::string& address, const std::string& path);
    // Asks obexd to stop: a transfer is cancelled, a connection attempt abandoned. The push
    // then finishes with Cancelled, unless it completed first.
    void Cancel();

    const Progress& Current() const;
    bool Finished() const { return Current().stage == Stage::Finished; }

    // Runs the default main context once; with mayBlock, waits for something to happen.
    static void Iterate(bool mayBlock);

    // How long the calls may take: CreateSession answers only once the phone is connected.
    static constexpr int callTimeoutMs = 120000;

private:
    struct State;
    std::shared_ptr<State> state;
};
