#include "platform/linux/ObexdClient.h"

#include "platform/FailureLog.h"
#include "platform/linux/BlueZState.h"

#include <gio/gio.h>

#include <cstring>

namespace {

constexpr const char* obexService = "org.bluez.obex";
constexpr const char* clientPath = "/org/bluez/obex";
constexpr const char* clientInterface = "org.bluez.obex.Client1";
constexpr const char* pushInterface = "org.bluez.obex.ObjectPush1";
constexpr const char* transferInterface = "org.bluez.obex.Transfer1";
constexpr const char* propertiesInterface = "org.freedesktop.DBus.Properties";
constexpr const char* managerInterface = "org.freedesktop.DBus.ObjectManager";
// Starting obexd takes well under a second; the bus's own activation limit is longer.
constexpr int pingTimeoutMs = 30000;

// Whose fault a failed call to obexd is. `triedThePhone`: the call was CreateSession, which
// fails for an unreachable phone; any other failure of the service's own is its death.
ObexOutcome FailureOf(const GError* error, bool triedThePhone) {
    if (g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)) {
        return ObexOutcome::Cancelled;
    }
    if (error->domain == G_DBUS_ERROR) {
        switch (error->code) {
        case G_DBUS_ERROR_SERVICE_UNKNOWN:
        case G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND:
        case G_DBUS_ERROR_SPAWN_SERVICE_INVALID:
        case G_DBUS_ERROR_SPAWN_FILE_INVALID:
            return ObexOutcome::NoService;
        case G_DBUS_ERROR_NO_REPLY:
        case G_DBUS_ERROR_NAME_HAS_NO_OWNER:
        case G_DBUS_ERROR_DISCONNECTED:
        case G_DBUS_ERROR_SPAWN_EXEC_FAILED:
        case G_DBUS_ERROR_SPAWN_FORK_FAILED:
        case G_DBUS_ERROR_SPAWN_CHILD_EXITED:
        case G_DBUS_ERROR_SPAWN_CHILD_SIGNALED:
        case G_DBUS_ERROR_SPAWN_FAILED:
        case G_DBUS_ERROR_SPAWN_SETUP_FAILED:
        case G_DBUS_ERROR_SPAWN_PERMISSIONS_INVALID:
        case G_DBUS_ERROR_SPAWN_NO_MEMORY:
            return ObexOutcome::ServiceFailed;
        default:
            break;
        }
    }
    return triedThePhone ? ObexOutcome::Unreachable : ObexOutcome::ServiceFailed;
}

// The error's own words, without the name of a remote D-Bus error in front, lower-case first
// as they follow a colon in a sentence.
std::string MessageOf(GError* error) {
    g_dbus_error_strip_remote_error(error);
    return LowerFirst(error->message != nullptr ? error->message : "");
}

} // namespace

std::unique_ptr<ObexClient> CreateSystemObexClient() {
    return std::make_unique<ObexdClient>();
}

// Shared with the pending calls' callbacks, which may run after the client is gone.
struct ObexdClient::State {
    ObexProgress progress;
    GDBusConnection* connection = nullptr;
    GCancellable* cancellable = g_cancellable_new();
    guint propertiesSignal = 0;
    guint removedSignal = 0;
    std::string address;
    std::string sessionPath;
    std::string transferPath;
    std::string file;
    bool cancelRequested = false;
    // CreateSession is on its way: its reply may still bring a session to remove.
    bool creatingSession = false;
    bool sessionRemoved = false;

    ~State() {
        g_cancellable_cancel(cancellable);
        Unsubscribe();
        if (connection != nullptr) {
            // A push given up unfinished (obexd left a cancel unanswered) still ends its
            // session; the call must be on its way before the connection closes.
            RemoveSession();
            g_dbus_connection_flush_sync(connection, nullptr, nullptr);
            g_dbus_connection_close(connection, nullptr, nullptr, nullptr);
            g_object_unref(connection);
        }
        g_object_unref(cancellable);
    }

    // Answered or not, the session is over for us; obexd would end it only with the connection.
    void RemoveSession() {
        if (sessionPath.empty() || sessionRemoved) {
            return;
        }
        sessionRemoved = true;
        g_dbus_connection_call(connection, obexService, clientPath, clientInterface,
                               "RemoveSession", g_variant_new("(o)", sessionPath.c_str()), nullptr,
                               G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr, nullptr);
    }

    void Unsubscribe() {
        if (propertiesSignal != 0) {
            g_dbus_connection_signal_unsubscribe(connection, propertiesSignal);
            propertiesSignal = 0;
        }
        if (removedSignal != 0) {
            g_dbus_connection_signal_unsubscribe(connection, removedSignal);
            removedSignal = 0;
        }
    }

    // A transfer of our session: the session's only one.
    bool Ours(const char* path) const {
        const size_t length = sessionPath.size();
        return !sessionPath.empty() && std::strncmp(path, sessionPath.c_str(), length) == 0 &&
               path[length] == '/';
    }

    void Finish(ObexOutcome outcome, const std::string& detail = std::string()) {
        if (progress.stage == ObexStage::Finished) {
            return;
        }
        Unsubscribe();
        progress.stage = ObexStage::Finished;
        progress.outcome = outcome;
        progress.detail = detail;
        RemoveSession();
    }

    // Status and Transferred from a Transfer1 property dictionary.
    void TakeProperties(GVariant* properties) {
        guint64 transferred = 0;
        if (g_variant_lookup(properties, "Transferred", "t", &transferred)) {
            progress.transferred = transferred;
        }
        guint64 size = 0;
        if (g_variant_lookup(properties, "Size", "t", &size)) {
            progress.size = size;
        }
        const char* status = nullptr;
        if (g_variant_lookup(properties, "Status", "&s", &status)) {
            if (std::strcmp(status, "complete") == 0) {
                progress.transferred = progress.size;
                Finish(ObexOutcome::Sent);
            } else if (std::strcmp(status, "error") == 0) {
                Finish(ObexOutcome::Refused);
            }
        }
    }

    void CancelTransfer() {
        g_dbus_connection_call(connection, obexService, transferPath.c_str(), transferInterface,
                               "Cancel", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, callTimeoutMs,
                               nullptr, nullptr, nullptr);
    }

    static std::shared_ptr<State>* Hold(const std::shared_ptr<State>& state) {
        return new std::shared_ptr<State>(state);
    }

    static void OnPropertiesChanged(GDBusConnection*, const char*, const char* path, const char*,
                                    const char*, GVariant* parameters, gpointer self) {
        auto* state = static_cast<State*>(self);
        const char* interface = nullptr;
        GVariant* changed = nullptr;
        g_variant_get(parameters, "(&s@a{sv}@as)", &interface, &changed, nullptr);
        if (std::strcmp(interface, transferInterface) == 0 && state->Ours(path)) {
            state->TakeProperties(changed);
        }
        g_variant_unref(changed);
    }

    static void OnInterfacesRemoved(GDBusConnection*, const char*, const char*, const char*,
                                    const char*, GVariant* parameters, gpointer self) {
        auto* state = static_cast<State*>(self);
        const char* path = nullptr;
        g_variant_get(parameters, "(&oas)", &path, nullptr);
        // Gone without having said "complete": the transfer failed.
        if (state->Ours(path)) {
            state->Finish(ObexOutcome::Refused);
        }
    }

    static void OnSendFile(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<std::shared_ptr<State>> held(static_cast<std::shared_ptr<State>*>(data));
        State& state = **held;
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            state.Finish(cancelled ? ObexOutcome::Cancelled : ObexOutcome::Refused,
                         MessageOf(error));
            g_error_free(error);
            return;
        }
        const char* transfer = nullptr;
        GVariant* properties = nullptr;
        g_variant_get(reply, "(&o@a{sv})", &transfer, &properties);
        state.transferPath = transfer;
        if (state.progress.stage != ObexStage::Finished) {
            state.TakeProperties(properties);
            if (state.cancelRequested) {
                state.CancelTransfer();
            }
        }
        g_variant_unref(properties);
        g_variant_unref(reply);
    }

    // The call's reply, or null once the push has ended with the call's failure.
    static GVariant* ReplyOrFinish(GObject* source, GAsyncResult* result, State& state,
                                   bool triedThePhone) {
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            state.Finish(FailureOf(error, triedThePhone), MessageOf(error));
            g_error_free(error);
        }
        return reply;
    }

    static void OnCreateSession(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<std::shared_ptr<State>> held(static_cast<std::shared_ptr<State>*>(data));
        State& state = **held;
        state.creatingSession = false;
        GVariant* reply = ReplyOrFinish(source, result, state, true);
        if (reply == nullptr) {
            return;
        }
        const char* session = nullptr;
        g_variant_get(reply, "(&o)", &session);
        state.sessionPath = session;
        g_variant_unref(reply);
        // Cancelled while connecting: the push has ended already, and its session goes at once.
        if (state.cancelRequested) {
            state.RemoveSession();
            state.Finish(ObexOutcome::Cancelled);
            return;
        }
        state.progress.stage = ObexStage::Sending;
        state.propertiesSignal = g_dbus_connection_signal_subscribe(
            state.connection, nullptr, propertiesInterface, "PropertiesChanged", nullptr,
            transferInterface, G_DBUS_SIGNAL_FLAGS_NONE, OnPropertiesChanged, &state, nullptr);
        state.removedSignal = g_dbus_connection_signal_subscribe(
            state.connection, nullptr, managerInterface, "InterfacesRemoved", nullptr, nullptr,
            G_DBUS_SIGNAL_FLAGS_NONE, OnInterfacesRemoved, &state, nullptr);
        g_dbus_connection_call(state.connection, obexService, state.sessionPath.c_str(),
                               pushInterface, "SendFile", g_variant_new("(s)", state.file.c_str()),
                               G_VARIANT_TYPE("(oa{sv})"), G_DBUS_CALL_FLAGS_NONE, callTimeoutMs,
                               state.cancellable, OnSendFile, Hold(*held));
    }

    // The service answers: only now is the phone asked for.
    static void OnPing(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<std::shared_ptr<State>> held(static_cast<std::shared_ptr<State>*>(data));
        State& state = **held;
        GVariant* reply = ReplyOrFinish(source, result, state, false);
        if (reply == nullptr) {
            return;
        }
        g_variant_unref(reply);
        GVariantBuilder options;
        g_variant_builder_init(&options, G_VARIANT_TYPE("a{sv}"));
        g_variant_builder_add(&options, "{sv}", "Target", g_variant_new_string("opp"));
        state.creatingSession = true;
        g_dbus_connection_call(
            state.connection, obexService, clientPath, clientInterface, "CreateSession",
            g_variant_new("(sa{sv})", state.address.c_str(), &options), G_VARIANT_TYPE("(o)"),
            G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, state.cancellable, OnCreateSession, Hold(*held));
    }
};

ObexdClient::ObexdClient() : state(std::make_shared<State>()) {}

ObexdClient::~ObexdClient() = default;

bool ObexdClient::Start(const std::string& address, const std::string& path) {
    State& s = *state;
    if (s.progress.stage != ObexStage::Idle) {
        return false;
    }
    s.address = address;
    s.file = path;
    s.connection = ConnectToBus(false);
    if (s.connection == nullptr) {
        s.progress.stage = ObexStage::Finished;
        s.progress.outcome = ObexOutcome::NoService;
        return false;
    }
    s.progress.stage = ObexStage::Connecting;
    g_dbus_connection_call(s.connection, obexService, clientPath, "org.freedesktop.DBus.Peer",
                           "Ping", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, pingTimeoutMs,
                           s.cancellable, State::OnPing, State::Hold(state));
    return true;
}

void ObexdClient::Cancel() {
    State& s = *state;
    if (s.progress.stage == ObexStage::Finished || s.progress.stage == ObexStage::Idle) {
        return;
    }
    s.cancelRequested = true;
    if (!s.transferPath.empty()) {
        s.CancelTransfer();
    } else if (s.creatingSession) {
        // Dropping the reply would leave a session nobody removes: the push ends now, and the
        // session, if the phone answers after all, is removed when the reply comes.
        s.Finish(ObexOutcome::Cancelled);
    } else if (s.sessionPath.empty()) {
        g_cancellable_cancel(s.cancellable);
    }
}

ObexProgress ObexdClient::Current() {
    return state->progress;
}

BluetoothReadiness ObexdClient::Readiness() {
    GDBusConnection* system = ConnectToBus(true);
    std::string adapter;
    const BluetoothReadiness readiness = CheckBlueZ(system, adapter);
    if (system != nullptr) {
        g_dbus_connection_close_sync(system, nullptr, nullptr);
        g_object_unref(system);
    }
    return readiness;
}
