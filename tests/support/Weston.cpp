#include "Weston.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace twtest {

namespace {
const char* const kSocket = "tw-weston";
}

Weston::Weston() {
    // Wayland refuses a runtime folder others can read.
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all);
    const std::string log = runtime.File("weston.log");
    pid = fork();
    if (pid == 0) {
        setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execlp("weston", "weston", "--backend=headless-backend.so", "--socket=tw-weston",
               "--width=1024", "--height=768", "--use-pixman", "--idle-time=0", nullptr);
        _exit(127);
    }
    const auto socket = runtime.Path() / kSocket;
    for (int i = 0; i < 200 && !running; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        running = std::filesystem::exists(socket);
    }
}

Weston::~Weston() {
    if (pid > 0) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
}

std::string Weston::Environment() const {
    return "XDG_RUNTIME_DIR=" + runtime.Path().string() + " WAYLAND_DISPLAY=" + kSocket +
           " GDK_BACKEND=wayland";
}

} // namespace twtest
