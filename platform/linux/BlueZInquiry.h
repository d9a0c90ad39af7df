// The Bluetooth inquiry over BlueZ on the system bus, through GIO's GDBus.
//
// Made by CreateSystemBluetoothInquiry, owned by the Bluetooth finder. It connects to the system
// bus at creation and keeps that private connection for its lifetime. A search runs a
// discovery session on the first powered adapter (classic Bluetooth only: phones receive files
// over it) and reports a device only when this discovery sees it, added during the search or
// with a fresh signal strength; devices BlueZ merely remembers are not results. A device seen
// before its name is resolved is held back until the name arrives; those still nameless when
// the search ends are handed out last, without a name.
//
// The bus signals are delivered on a main context of the inquiry's own, iterated only inside
// Receive. So it works the same under a window (whose toolkit runs the global default context)
// and in the command-line tool, which runs no main loop at all, and it never runs the window's
// events itself: the caller's wait callback does that. The context is the thread's default only
// while the subscriptions are made, never while the window runs its events, so the toolkit's
// own asynchronous work stays on the global context. All calls must come from the thread that
// called Begin.
#pragma once

#include "platform/BluetoothInquiry.h"

#include <deque>
#include <map>
#include <string>

typedef struct _GDBusConnection GDBusConnection;
typedef struct _GMainContext GMainContext;
typedef struct _GVariant GVariant;

class BlueZInquiry : public BluetoothInquiry {
public:
    // The code Receive fails with when BlueZ leaves the bus during a search (the socket
    // library's "network is down").
    static constexpr int serviceGoneError = 10050;

    BlueZInquiry();
    ~BlueZInquiry() override;
    BlueZInquiry(const BlueZInquiry&) = delete;
    BlueZInquiry& operator=(const BlueZInquiry&) = delete;

    bool Connected() const override { return connection != nullptr; }
    BluetoothReadiness Readiness() override;
    bool SwitchOn() override;

    // Called from the bus signals; public only for the plain-function trampolines.
    void OnDeviceProperties(const std::string& path, GVariant* properties, bool added);
    void OnAdapterProperties(const std::string& path, GVariant* properties);
    void OnInterfacesRemoved(const std::string& path);
    void OnServiceGone() { serviceGone = true; }

protected:
    bool Start() override;
    void Stop() override;
    Status Receive(int timeLeftMs, BluetoothInquiryDevice& device, int& errorCode,
                   InquiryWaitCallback waiting, void* user) override;

private:
    struct Device {
        BluetoothInquiryDevice reported;
        bool seen = false;   // reported by this discovery
        bool queued = false; // waiting in `ready` or already handed out
    };

    bool FindAdapter();
    void Subscribe();
    void Unsubscribe();
    bool CallAdapter(const char* method, GVariant* parameters);
    bool OwnDevice(const std::string& path) const;
    bool TakeNameless(BluetoothInquiryDevice& device);

    GDBusConnection* connection = nullptr;
    GMainContext* context = nullptr; // non-null while a search runs
    std::string adapterPath;
    std::map<std::string, Device> devices;
    std::deque<std::string> ready; // seen, named devices not yet handed out
    bool ended = false;            // discovery stopped or the adapter went away
    bool discoverySeen = false;    // the adapter said it discovers, during this search
    bool serviceGone = false;
    unsigned subscriptions[4] = {};
};
