#include "DBusMock.h"

#include <gio/gio.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace twtest {

namespace {

constexpr auto startBound = std::chrono::seconds(20);

// Starts `args` (no shell) with standard output going to `outputFd`, or inherited when -1.
pid_t Spawn(const std::vector<std::string>& args, int outputFd) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
    }
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

void Terminate(pid_t& pid) {
    if (pid > 0) {
        kill(pid, SIGTERM);
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    pid = -1;
}

// Reads the first line the daemon prints (its address), waiting at most the start bound.
std::string ReadLine(int fd) {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + startBound;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            continue;
        }
        char c = 0;
        if (read(fd, &c, 1) != 1) {
            break;
        }
        if (c == '\n') {
            return line;
        }
        line.push_back(c);
    }
    return {};
}

} // namespace

DBusMock::~DBusMock() {
    Stop();
}

void DBusMock::Export(Bus bus, const std::string& value) {
    if (variable.empty()) {
        variable = bus == Bus::System ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
        const char* old = std::getenv(variable.c_str());
        hadPreviousValue = old != nullptr;
        previousValue = old != nullptr ? old : "";
    }
    setenv(variable.c_str(), value.c_str(), 1);
}

bool DBusMock::StartBus(Bus bus, const std::string& configFile) {
    const std::string config = configFile.empty() ? TW_PRIVATE_BUS_CONFIG : configFile;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = "no pipe for dbus-daemon";
        return false;
    }
    daemonPid = Spawn({"dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"},
                      pipeFds[1]);
    close(pipeFds[1]);
    address = daemonPid > 0 ? ReadLine(pipeFds[0]) : "";
    close(pipeFds[0]);
    if (address.empty()) {
        error = "dbus-daemon did not start";
        Stop();
        return false;
    }
    Export(bus, address);
    GError* failure = nullptr;
    connection = g_dbus_connection_new_for_address_sync(
        address.c_str(),
        static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                          G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, nullptr, &failure);
    if (connection == nullptr) {
        error = failure != nullptr ? failure->message : "no connection";
        g_clear_error(&failure);
        Stop();
        return false;
    }
    return true;
}

bool DBusMock::Start(Bus bus, const std::string& templateName, const std::string& busName,
                     const std::string& parameters) {
    if (!StartBus(bus)) {
        return false;
    }
    std::vector<std::string> args = {
        "/usr/bin/python3", "-m",        "dbusmock", bus == Bus::System ? "--system" : "--session",
        "--template",       templateName};
    if (!parameters.empty()) {
        args.push_back("-p");
        args.push_back(parameters);
    }
    const int quiet = open("/dev/null", O_WRONLY | O_CLOEXEC);
    mockPid = Spawn(args, quiet);
    if (quiet >= 0) {
        close(quiet);
    }
    serviceName = busName;
    const auto deadline = std::chrono::steady_clock::now() + startBound;
    while (mockPid > 0 && std::chrono::steady_clock::now() < deadline) {
        std::string owned;
        if (Call("/org/freedesktop/DBus", "org.freedesktop.DBus", "NameHasOwner",
                 "('" + busName + "',)", &owned) &&
            owned == "(true,)") {
            return true;
        }
        int status = 0;
        if (waitpid(mockPid, &status, WNOHANG) == mockPid) {
            mockPid = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    error = "the mock of " + busName + " did not start";
    Stop();
    return false;
}

bool DBusMock::Call(const std::string& path, const std::string& interface,
                    const std::string& method, const std::string& arguments, std::string* reply) {
    if (connection == nullptr) {
        error = "no bus";
        return false;
    }
    GError* failure = nullptr;
    GVariant* parameters = g_variant_parse(nullptr, arguments.c_str(), nullptr, nullptr, &failure);
    if (parameters == nullptr) {
        error = failure->message;
        g_clear_error(&failure);
        return false;
    }
    const bool toBus = interface == "org.freedesktop.DBus";
    GVariant* answer = g_dbus_connection_call_sync(
        connection, toBus ? "org.freedesktop.DBus" : serviceName.c_str(), path.c_str(),
        interface.c_str(), method.c_str(), parameters, nullptr, G_DBUS_CALL_FLAGS_NONE, 20000,
        nullptr, &failure);
    if (answer == nullptr) {
        error = failure->message;
        g_clear_error(&failure);
        return false;
    }
    if (reply != nullptr) {
        gchar* text = g_variant_print(answer, FALSE);
        *reply = text;
        g_free(text);
    }
    g_variant_unref(answer);
    return true;
}

void DBusMock::StopMock() {
    Terminate(mockPid);
}

void DBusMock::ExportMissingBus(Bus bus) {
    Export(bus, "unix:path=/nonexistent/tonewick-test/no-bus-socket");
}

void DBusMock::Stop() {
    Terminate(mockPid);
    if (connection != nullptr) {
        g_dbus_connection_close_sync(connection, nullptr, nullptr);
        g_object_unref(connection);
        connection = nullptr;
    }
    Terminate(daemonPid);
    address.clear();
    if (!variable.empty()) {
        if (hadPreviousValue) {
            setenv(variable.c_str(), previousValue.c_str(), 1);
        } else {
            unsetenv(variable.c_str());
        }
        variable.clear();
    }
}

} // namespace twtest
