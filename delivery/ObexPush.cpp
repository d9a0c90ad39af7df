#include "delivery/ObexPush.h"

#include <gio/gio.h>

#include <cctype>
#include <cstring>

namespace {

constexpr const char* obexService = "org.bluez.obex";
constexpr const char* clientPath = "/org/bluez/obex";
constexpr const char* clientInterface = "org.bluez.obex.Client1";
constexpr const char* pushInterface = "org.bluez.obex.ObjectPush1";
constexpr const char* transferInterface = "org.bluez.obex.Transfer1";
constexpr const char* propertiesInterface = "org.freedesktop.DBus.Properties";
constexpr const char* managerInterface = "org.freedesktop.DBus.ObjectManager";

// obexd is missing or can't start, rather than the phone being out of reach.
bool ServiceMissing(const GError* error) {
    if (error->domain != G_DBUS_ERROR) {
        return false;
    }
    return error->code == G_DBUS_ERROR_SERVICE_UNKNOWN ||
           error->code == G_DBUS_ERROR_NAME_HAS_NO_OWNER ||
           error->code == G_DBUS_ERROR_SPAWN_EXEC_FAILED ||
           error->code == G_DBUS_ERROR_SPAWN_CHILD_EXITED ||
           error->code == G_DBUS_ERROR_SPAWN_FAILED ||
           error->code == G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND;
}

} // namespace

// Shared with the pending calls' callbacks, which may run after the push is gone.
struct ObexPush::State {
    Progress progress;
    GDBusConnection* connection = nullptr;
    GCancellable* cancellable = g_cancellable_new();
    guint propertiesSignal = 0;
    guint removedSignal = 0;
    std::string sessionPath;
    std::string transferPath;
    std::string file;
    bool cancelRequested = false;

    ~State() {
        g_cancellable_cancel(cancellable);
        Unsubscribe();
        if (connection != nullptr) {
            g_dbus_connection_close(connection, nullptr, nullptr, nullptr);
            g_object_unref(connection);
        }
        g_object_unref(cancellable);
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

    void Finish(DeliveryError error) {
        if (progress.stage == Stage::Finished) {
            return;
        }
        Unsubscribe();
        progress.stage = Stage::Finished;
        progress.error =
            cancelRequested && error != DeliveryError::None ? DeliveryError::Cancelled : error;
        if (!sessionPath.empty()) {
            // Answered or not, the session is over; closing the connection ends it anyway.
            g_dbus_connection_call(connection, obexService, clientPath, clientInterface,
                                   "RemoveSession", g_variant_new("(o)", sessionPath.c_str()),
                                   nullptr, G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr,
                                   nullptr);
        }
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
                Finish(DeliveryError::None);
            } else if (std::strcmp(status, "error") == 0) {
                Finish(DeliveryError::Refused);
            }
        }
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
            state->Finish(DeliveryError::Refused);
        }
    }

    static void OnSendFile(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<std::shared_ptr<State>> held(static_cast<std::shared_ptr<State>*>(data));
        State& state = **held;
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            const bool cancelled = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED);
            g_error_free(error);
            state.Finish(cancelled ? DeliveryError::Cancelled : DeliveryError::Refused);
            return;
        }
        const char* transfer = nullptr;
        GVariant* properties = nullptr;
        g_variant_get(reply, "(&o@a{sv})", &transfer, &properties);
        state.transferPath = transfer;
        if (state.progress.stage != Stage::Finished) {
            state.TakeProperties(properties);
            if (state.cancelRequested) {
                state.CancelTransfer();
            }
        }
        g_variant_unref(properties);
        g_variant_unref(reply);
    }

    static void OnCreateSession(GObject* source, GAsyncResult* result, gpointer data) {
        std::unique_ptr<std::shared_ptr<State>> held(static_cast<std::shared_ptr<State>*>(data));
        State& state = **held;
        GError* error = nullptr;
        GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
        if (reply == nullptr) {
            const DeliveryError reason = g_error_matches(error, G_IO_ERROR, G_IO_ERROR_CANCELLED)
                                             ? DeliveryError::Cancelled
                                         : ServiceMissing(error) ? DeliveryError::NoObexService
                                                                 : DeliveryError::Unreachable;
            g_error_free(error);
            state.Finish(reason);
            return;
        }
        const char* session = nullptr;
        g_variant_get(reply, "(&o)", &session);
        state.sessionPath = session;
        g_variant_unref(reply);
        if (state.cancelRequested) {
            state.Finish(DeliveryError::Cancelled);
            return;
        }
        state.progress.stage = Stage::Sending;
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

    void CancelTransfer() {
        g_dbus_connection_call(connection, obexService, transferPath.c_str(), transferInterface,
                               "Cancel", nullptr, nullptr, G_DBUS_CALL_FLAGS_NONE, callTimeoutMs,
                               nullptr, nullptr, nullptr);
    }
};

ObexPush::ObexPush() : state(std::make_shared<State>()) {}

ObexPush::~ObexPush() = default;

bool ObexPush::IsBluetoothAddress(const std::string& address) {
    if (address.size() != 17) {
        return false;
    }
    for (size_t i = 0; i < address.size(); ++i) {
        const bool colon = i % 3 == 2;
        if (colon ? address[i] != ':' : !std::isxdigit(static_cast<unsigned char>(address[i]))) {
            return false;
        }
    }
    return true;
}

bool ObexPush::Start(const std::string& address, const std::string& path) {
    State& s = *state;
    if (s.progress.stage != Stage::Idle) {
        return false;
    }
    s.file = path;
    GError* error = nullptr;
    gchar* busAddress = g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, &error);
    if (busAddress != nullptr) {
        s.connection = g_dbus_connection_new_for_address_sync(
            busAddress,
            static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                              G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
            nullptr, nullptr, &error);
        g_free(busAddress);
    }
    if (s.connection == nullptr) {
        g_clear_error(&error);
        s.progress.stage = Stage::Finished;
        s.progress.error = DeliveryError::NoObexService;
        return false;
    }
    g_dbus_connection_set_exit_on_close(s.connection, FALSE);
    s.progress.stage = Stage::Connecting;
    GVariantBuilder options;
    g_variant_builder_init(&options, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&options, "{sv}", "Target", g_variant_new_string("opp"));
    g_dbus_connection_call(s.connection, obexService, clientPath, clientInterface, "CreateSession",
                           g_variant_new("(sa{sv})", address.c_str(), &options),
                           G_VARIANT_TYPE("(o)"), G_DBUS_CALL_FLAGS_NONE, callTimeoutMs,
                           s.cancellable, State::OnCreateSession, State::Hold(state));
    return true;
}

void ObexPush::Cancel() {
    State& s = *state;
    if (s.progress.stage == Stage::Finished || s.progress.stage == Stage::Idle) {
        return;
    }
    s.cancelRequested = true;
    if (!s.transferPath.empty()) {
        s.CancelTransfer();
    } else if (s.sessionPath.empty()) {
        g_cancellable_cancel(s.cancellable);
    }
}

const ObexPush::Progress& ObexPush::Current() const {
    return state->progress;
}

void ObexPush::Iterate(bool mayBlock) {
    g_main_context_iteration(nullptr, mayBlock ? TRUE : FALSE);
}
