// Object Push through BlueZ's obexd on the session bus (org.bluez.obex), over GIO's GDBus: a
// Ping that starts the service and proves it answers, Client1.CreateSession with the phone's
// address and the target "opp", ObjectPush1.SendFile with the file's absolute path, then the
// Transfer1 object followed until it says "complete" or "error", and RemoveSession. obexd
// sends only the file's base name and length, so the file must carry the name the phone shows.
//
// The Ping tells a service that dies on start (the bus answers NoReply, or the activation
// fails) from a phone that cannot be reached: only a failed CreateSession means obexd tried
// the phone. Everything runs asynchronously on the default GLib main context, which wxGTK runs.
// The phone has a minute to accept, so the calls wait long; the transfer's signals are
// subscribed to before SendFile, since a small file can go from "queued" to "complete" with
// nothing between and its object vanishes at once. Each push has its own connection. Its
// session is removed however the push ends: finished, cancelled (also while connecting, once
// CreateSession answers) or given up by the destructor, which then cancels what is under way
// and closes the connection.
#pragma once

#include "platform/ObexClient.h"

#include <memory>

class ObexdClient : public ObexClient {
public:
    // How long the calls may take: CreateSession answers only once the phone is connected.
    static constexpr int callTimeoutMs = 120000;

    ObexdClient();
    ~ObexdClient() override;
    ObexdClient(const ObexdClient&) = delete;
    ObexdClient& operator=(const ObexdClient&) = delete;

    bool Start(const std::string& address, const std::string& path) override;
    void Cancel() override;
    ObexProgress Current() override;
    BluetoothReadiness Readiness() override;

private:
    struct State;
    std::shared_ptr<State> state;
};
