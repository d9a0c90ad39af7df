#include "platform/linux/BlueZState.h"

#include <gio/gio.h>

namespace {

constexpr int callTimeoutMs = 3000;

} // namespace

GDBusConnection* ConnectToBus(bool systemBus) {
    gchar* address = g_dbus_address_get_for_bus_sync(
        systemBus ? G_BUS_TYPE_SYSTEM : G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (address == nullptr) {
        return nullptr;
    }
    GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
        address,
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, nullptr);
    g_free(address);
    if (connection != nullptr) {
        g_dbus_connection_set_exit_on_close(connection, FALSE);
    }
    return connection;
}

BluetoothReadiness CheckBlueZ(GDBusConnection* connection, std::string& adapterPath) {
    adapterPath.clear();
    if (connection == nullptr) {
        return BluetoothReadiness::NoSystemBus;
    }
    // No auto-start: a BlueZ that is not running answers at once instead of after the
    // activation's own timeout.
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.bluez", "/", "org.freedesktop.DBus.ObjectManager", "GetManagedObjects",
        nullptr, G_VARIANT_TYPE("(a{oa{sa{sv}}})"), G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs,
        nullptr, nullptr);
    if (reply == nullptr) {
        return BluetoothReadiness::NoBluetoothService;
    }
    BluetoothReadiness readiness = BluetoothReadiness::NoAdapter;
    GVariantIter* objects = nullptr;
    g_variant_get(reply, "(a{oa{sa{sv}}})", &objects);
    const gchar* path = nullptr;
    GVariant* interfaces = nullptr;
    while (readiness != BluetoothReadiness::Ready &&
           g_variant_iter_next(objects, "{&o@a{sa{sv}}}", &path, &interfaces)) {
        GVariant* adapter =
            g_variant_lookup_value(interfaces, "org.bluez.Adapter1", G_VARIANT_TYPE("a{sv}"));
        if (adapter != nullptr) {
            gboolean powered = FALSE;
            g_variant_lookup(adapter, "Powered", "b", &powered);
            if (powered || readiness == BluetoothReadiness::NoAdapter) {
                adapterPath = path;
                readiness = powered ? BluetoothReadiness::Ready : BluetoothReadiness::AdapterOff;
            }
            g_variant_unref(adapter);
        }
        g_variant_unref(interfaces);
    }
    g_variant_iter_free(objects);
    g_variant_unref(reply);
    return readiness;
}

bool SwitchOnBlueZ(GDBusConnection* connection) {
    std::string adapterPath;
    if (CheckBlueZ(connection, adapterPath) != BluetoothReadiness::AdapterOff) {
        return false;
    }
    GVariant* reply = g_dbus_connection_call_sync(
        connection, "org.bluez", adapterPath.c_str(), "org.freedesktop.DBus.Properties", "Set",
        g_variant_new("(ssv)", "org.bluez.Adapter1", "Powered", g_variant_new_boolean(TRUE)),
        nullptr, G_DBUS_CALL_FLAGS_NO_AUTO_START, callTimeoutMs, nullptr, nullptr);
    if (reply == nullptr) {
        return false;
    }
    g_variant_unref(reply);
    return true;
}
