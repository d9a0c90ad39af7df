// A private D-Bus for one test: its own dbus-daemon (configured by private-bus.conf beside this
// file, which starts no service installed on the machine), exported as the system or the
// session bus of this process, and optionally a python3-dbusmock service on it (a built-in template
// such as "bluez5", or the path of a template file of our own). Code under test that connects to
// "the system bus" or "the session bus" through GIO then reaches the mock and nothing else.
//
// Owned by the test (a member or a local); the destructor stops the mock and the daemon and
// puts the bus address variable back as it was. Not thread-safe: start, call and stop from the
// test's own thread (code under test may run on another thread meanwhile).
#pragma once

#include <string>
#include <sys/types.h>

typedef struct _GDBusConnection GDBusConnection;

namespace twtest {

class DBusMock {
public:
    enum class Bus { System, Session };

    DBusMock() = default;
    ~DBusMock();
    DBusMock(const DBusMock&) = delete;
    DBusMock& operator=(const DBusMock&) = delete;

    // Starts a dbus-daemon and exports its address as DBUS_SYSTEM_BUS_ADDRESS or
    // DBUS_SESSION_BUS_ADDRESS. `configFile` replaces private-bus.conf, e.g. with one that
    // includes it and adds a service folder. False when it doesn't start (see Error()).
    bool StartBus(Bus bus, const std::string& configFile = "");

    // StartBus, then `/usr/bin/python3 -m dbusmock --system|--session --template NAME` (with
    // `-p PARAMETERS`, a JSON object, when given); waits until the mock owns `busName`.
    // False, with everything torn down again, when a step fails within 20 seconds.
    bool Start(Bus bus, const std::string& templateName, const std::string& busName,
               const std::string& parameters = "");

    // Calls a method of the mock's service. `arguments` is a tuple in GVariant text form,
    // e.g. "('hci0', 'Desk')"; `reply`, when given, receives the answer in the same form.
    // False when the call fails (the D-Bus error is in Error()).
    bool Call(const std::string& path, const std::string& interface, const std::string& method,
              const std::string& arguments = "()", std::string* reply = nullptr);

    // Ends the mock's process but keeps the bus: its service vanishes from the bus.
    void StopMock();

    // Exports the address of a bus that does not exist (a socket path nobody listens on), as a
    // machine without that bus looks to GIO. Undone by Stop.
    void ExportMissingBus(Bus bus);

    // Stops mock and daemon and restores the bus address variable. Safe to call twice.
    void Stop();

    const std::string& Address() const { return address; }
    const std::string& Error() const { return error; }
    // The test's own connection to the private bus (null before Start), e.g. to watch
    // signals or read properties.
    GDBusConnection* Connection() const { return connection; }

private:
    void Export(Bus bus, const std::string& value);

    pid_t daemonPid = -1;
    pid_t mockPid = -1;
    std::string address;
    std::string serviceName;
    std::string error;
    GDBusConnection* connection = nullptr;
    // The exported variable and what it held before (restored by Stop).
    std::string variable;
    std::string previousValue;
    bool hadPreviousValue = false;
};

} // namespace twtest
