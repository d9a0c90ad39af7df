#include "platform/linux/BlueZInquiry.h"

#include "platform/linux/BlueZState.h"

#include <gio/gio.h>

#include <algorithm>
#include <chrono>

namespace {

constexpr const char* service = "org.bluez";
constexpr const char* adapterInterface = "org.bluez.Adapter1";
constexpr const char* deviceInterface = "org.bluez.Device1";
// Method calls answer at once unless BlueZ hangs; a hung BlueZ must not freeze the window.
constexpr int callTimeoutMs = 3000;
constexpr int sliceMs = 100;

// "AA:BB:CC:DD:EE:FF" (or the "AA_BB_..." of an object path) as 0x0000AABBCCDDEEFF; zero when
// the text is not an address.
uint64_t ParseAddress(const std::string& text) {
    uint64_t address = 0;
    int digits = 0;
    for (char c : text) {
        int value = -1;
        if (c >= '0' && c <= '9') {
            value = c - '0';
        } else if (c >= 'A' && c <= 'F') {
            value = c - 'A' + 10;
        } else if (c >= 'a' && c <= 'f') {
            value = c - 'a' + 10;
        } else if (c == ':' || c == '_') {
            continue;
        } else {
            return 0;
        }
        address = (address << 4) | static_cast<uint64_t>(value);
        ++digits;
    }
    return digits == 12 ? address : 0;
}

bool LookupValue(GVariant* properties, const char* key, const GVariantType* type,
                 GVariant** value) {
    *value = g_variant_lookup_value(properties, key, type);
    return *value != nullptr;
}

BlueZInquiry* Self(gpointer data) {
    return static_cast<BlueZInquiry*>(data);
}

void InterfacesAdded(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                     GVariant* parameters, gpointer data) {
    const gchar* path = nullptr;
    GVariant* interfaces = nullptr;
    g_variant_get(parameters, "(&o@a{sa{sv}})", &path, &interfaces);
    GVariant* properties =
        g_variant_lookup_value(interfaces, deviceInterface, G_VARIANT_TYPE("a{sv}"));
    if (properties != nullptr) {
        Self(data)->OnDeviceProperties(path, properties, true);
        g_variant_unref(properties);
    }
    g_variant_unref(interfaces);
}

void InterfacesRemoved(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                       GVariant* parameters, gpointer data) {
    const gchar* path = nullptr;
    g_variant_get(parameters, "(&oas)", &path, nullptr);
    Self(data)->OnInterfacesRemoved(path);
}

void PropertiesChanged(GDBusConnection*, const gchar*, const gchar* path, const gchar*,
                       const gchar*, GVariant* parameters, gpointer data) {
    const gchar* interface = nullptr;
    GVariant* changed = nullptr;
    g_variant_get(parameters, "(&s@a{sv}as)", &interface, &changed, nullptr);
    if (g_strcmp0(interface, deviceInterface) == 0) {
        Self(data)->OnDeviceProperties(path, changed, false);
    } else if (g_strcmp0(interface, adapterInterface) == 0) {
        Self(data)->OnAdapterProperties(path, changed);
    }
    g_variant_unref(changed);
}

void NameOwnerChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                      GVariant* parameters, gpointer data) {
    const gchar* newOwner = nullptr;
    g_variant_get(parameters, "(&s&s&s)", nullptr, nullptr, &newOwner);
    if (newOwner == nullptr || newOwner[0] == '\0') {
        Self(data)->OnServiceGone();
    }
}

gboolean SliceOver(gpointer) {
    return G_SOURCE_REMOVE;
}

} // namespace

std::unique_ptr<BluetoothInquiry> CreateSystemBluetoothInquiry() {
    return std::make_unique<BlueZInquiry>();
}

BlueZInquiry::BlueZInquiry() : connection(ConnectToBus(true)) {}

BlueZInquiry::~BlueZInquiry() {
    if (context != nullptr) {
        Stop();
    }
    if (connection != nullptr) {
        g_dbus_connection_close_sync(connection, nullptr, nullptr);
        g_object_unref(connection);
    }
}

BluetoothReadiness BlueZInquiry::Readiness() {
    std::string adapter;
    return CheckBlueZ(connection, adapter);
}

bool BlueZInquiry::SwitchOn() {
    return SwitchOnBlueZ(connection);
}

bool BlueZInquiry::FindAdapter() {
    GVariant* reply =
        g_dbus_connection_call_sync(connection, service, "/", "org.freedesktop.DBus.ObjectManager",
                                    "GetManagedObjects", nullptr, G_VARIANT_TYPE("(a{oa{sa{sv}}})"),
                                    G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr);
    if (reply == nullptr) {
        return false;
    }
    GVariant* objects = g_variant_get_child_value(reply, 0);
    GVariantIter iter;
    g_variant_iter_init(&iter, objects);
    const gchar* path = nullptr;
    GVariant* interfaces = nullptr;
    // Object paths come sorted by nothing in particular: pick the adapter first, then keep
    // what BlueZ remembers about that adapter's devices.
    while (adapterPath.empty() &&
           g_variant_iter_next(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
        GVariant* adapter =
            g_variant_lookup_value(interfaces, adapterInterface, G_VARIANT_TYPE("a{sv}"));
        gboolean powered = FALSE;
        if (adapter != nullptr && g_variant_lookup(adapter, "Powered", "b", &powered) && powered) {
            adapterPath = path;
        }
        if (adapter != nullptr) {
            g_variant_unref(adapter);
        }
        g_variant_unref(interfaces);
    }
    g_variant_iter_init(&iter, objects);
    while (!adapterPath.empty() &&
           g_variant_iter_next(&iter, "{&o@a{sa{sv}}}", &path, &interfaces)) {
        GVariant* device =
            g_variant_lookup_value(interfaces, deviceInterface, G_VARIANT_TYPE("a{sv}"));
        if (device != nullptr) {
            OnDeviceProperties(path, device, false);
            g_variant_unref(device);
        }
        g_variant_unref(interfaces);
    }
    g_variant_unref(objects);
    g_variant_unref(reply);
    return !adapterPath.empty();
}

void BlueZInquiry::Subscribe() {
    subscriptions[0] = g_dbus_connection_signal_subscribe(
        connection, service, "org.freedesktop.DBus.ObjectManager", "InterfacesAdded", nullptr,
        nullptr, G_DBUS_SIGNAL_FLAGS_NONE, InterfacesAdded, this, nullptr);
    subscriptions[1] = g_dbus_connection_signal_subscribe(
        connection, service, "org.freedesktop.DBus.ObjectManager", "InterfacesRemoved", nullptr,
        nullptr, G_DBUS_SIGNAL_FLAGS_NONE, InterfacesRemoved, this, nullptr);
    subscriptions[2] = g_dbus_connection_signal_subscribe(
        connection, service, "org.freedesktop.DBus.Properties", "PropertiesChanged", nullptr,
        nullptr, G_DBUS_SIGNAL_FLAGS_NONE, PropertiesChanged, this, nullptr);
    subscriptions[3] = g_dbus_connection_signal_subscribe(
        connection, "org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged",
        "/org/freedesktop/DBus", service, G_DBUS_SIGNAL_FLAGS_NONE, NameOwnerChanged, this,
        nullptr);
}

void BlueZInquiry::Unsubscribe() {
    for (unsigned& id : subscriptions) {
        if (id != 0) {
            g_dbus_connection_signal_unsubscribe(connection, id);
            id = 0;
        }
    }
}

bool BlueZInquiry::CallAdapter(const char* method, GVariant* parameters) {
    GVariant* reply = g_dbus_connection_call_sync(
        connection, service, adapterPath.c_str(), adapterInterface, method, parameters, nullptr,
        G_DBUS_CALL_FLAGS_NONE, callTimeoutMs, nullptr, nullptr);
    if (reply == nullptr) {
        return false;
    }
    g_variant_unref(reply);
    return true;
}

bool BlueZInquiry::Start() {
    adapterPath.clear();
    devices.clear();
    ready.clear();
    ended = false;
    discoverySeen = false;
    serviceGone = false;
    if (connection == nullptr || !FindAdapter()) {
        return false;
    }
    // Signals go to the context that is the thread's default when subscribing, so the
    // subscriptions are made inside it, and before the discovery starts, to miss nothing. It
    // stops being the default at once: the wait callback runs the window's events, and the
    // toolkit's asynchronous calls started there must land on the global context.
    context = g_main_context_new();
    g_main_context_push_thread_default(context);
    Subscribe();
    g_main_context_pop_thread_default(context);
    GVariantBuilder filter;
    g_variant_builder_init(&filter, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&filter, "{sv}", "Transport", g_variant_new_string("bredr"));
    // An adapter that refuses the filter still discovers, only with more kinds of device.
    CallAdapter("SetDiscoveryFilter", g_variant_new("(a{sv})", &filter));
    if (!CallAdapter("StartDiscovery", nullptr)) {
        adapterPath.clear();
        Stop();
        return false;
    }
    return true;
}

void BlueZInquiry::Stop() {
    if (context == nullptr) {
        return;
    }
    if (!adapterPath.empty() && !serviceGone) {
        CallAdapter("StopDiscovery", nullptr);
    }
    Unsubscribe();
    while (g_main_context_iteration(context, FALSE)) {
    }
    g_main_context_unref(context);
    context = nullptr;
}

bool BlueZInquiry::OwnDevice(const std::string& path) const {
    return !adapterPath.empty() && path.size() > adapterPath.size() &&
           path.compare(0, adapterPath.size(), adapterPath) == 0 && path[adapterPath.size()] == '/';
}

void BlueZInquiry::OnDeviceProperties(const std::string& path, GVariant* properties, bool added) {
    if (!OwnDevice(path)) {
        return;
    }
    Device& device = devices[path];
    GVariant* value = nullptr;
    if (LookupValue(properties, "Name", G_VARIANT_TYPE_STRING, &value)) {
        device.reported.name = g_variant_get_string(value, nullptr);
        g_variant_unref(value);
    }
    if (LookupValue(properties, "Address", G_VARIANT_TYPE_STRING, &value)) {
        device.reported.address = ParseAddress(g_variant_get_string(value, nullptr));
        g_variant_unref(value);
    } else if (device.reported.address == 0) {
        device.reported.address = ParseAddress(path.substr(path.rfind('/') + 5));
    }
    if (LookupValue(properties, "Class", G_VARIANT_TYPE_UINT32, &value)) {
        device.reported.classOfDevice = g_variant_get_uint32(value);
        g_variant_unref(value);
    }
    // A fresh signal strength means the radio heard the device now.
    bool heard = added;
    if (LookupValue(properties, "RSSI", G_VARIANT_TYPE_INT16, &value)) {
        heard = true;
        g_variant_unref(value);
    }
    // Outside a search this only records what BlueZ remembers.
    if (context != nullptr && heard) {
        device.seen = true;
    }
    if (device.seen && device.reported.name && !device.queued) {
        device.queued = true;
        ready.push_back(path);
    }
}

void BlueZInquiry::OnAdapterProperties(const std::string& path, GVariant* properties) {
    if (path != adapterPath) {
        return;
    }
    // The end of the previous search may still be on its way: only a stop after this
    // search's start counts.
    gboolean flag = FALSE;
    if (g_variant_lookup(properties, "Discovering", "b", &flag)) {
        ended = ended || (discoverySeen && !flag);
        discoverySeen = discoverySeen || flag;
    }
    if (g_variant_lookup(properties, "Powered", "b", &flag) && !flag) {
        ended = true;
    }
}

void BlueZInquiry::OnInterfacesRemoved(const std::string& path) {
    if (path == adapterPath) {
        ended = true;
    }
}

bool BlueZInquiry::TakeNameless(BluetoothInquiryDevice& device) {
    for (auto& [path, entry] : devices) {
        if (entry.seen && !entry.queued) {
            entry.queued = true;
            device = entry.reported;
            return true;
        }
    }
    return false;
}

BluetoothInquiry::Status BlueZInquiry::Receive(int timeLeftMs, BluetoothInquiryDevice& device,
                                               int& errorCode, InquiryWaitCallback waiting,
                                               void* user) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeLeftMs, 0));
    for (;;) {
        if (!ready.empty()) {
            device = devices[ready.front()].reported;
            ready.pop_front();
            return Status::Found;
        }
        if (serviceGone) {
            errorCode = serviceGoneError;
            return Status::Failed;
        }
        const auto now = Clock::now();
        if (ended || now >= deadline) {
            return TakeNameless(device) ? Status::Found : Status::NoMore;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now).count();
        // Wakes the context when nothing else does, so the wait callback runs in time.
        GSource* timer = g_timeout_source_new(static_cast<guint>(std::min<long>(left, sliceMs)));
        g_source_set_callback(timer, SliceOver, nullptr, nullptr);
        g_source_attach(timer, context);
        g_main_context_iteration(context, TRUE);
        g_source_destroy(timer);
        g_source_unref(timer);
        if (waiting != nullptr) {
            waiting(user);
        }
    }
}
