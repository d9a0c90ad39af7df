// Starts a program, measures how long it takes until a top-level window with the given title
// is mapped on the X display and its resident memory one second later, then asks the window
// to close as a window manager would and waits for the program to end.
// Usage: tw_window_probe TITLE PROGRAM [ARGS...]
// Prints "<milliseconds> <kilobytes> <exit status>"; exits 0 when the program mapped its window
// and ended by itself with status 0.
#include "AssignedDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

bool HasTitle(Display* display, Window window, const char* title) {
    char* name = nullptr;
    const bool match =
        XFetchName(display, window, &name) != 0 && name != nullptr && std::strcmp(name, title) == 0;
    if (name != nullptr) {
        XFree(name);
    }
    return match;
}

long ResidentKilobytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

void AskToClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

// The program's exit status, or -1 when it had to be killed.
int WaitForEnd(pid_t child) {
    for (int i = 0; i < 100; ++i) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s TITLE PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    // The program started below inherits it.
    twtest::UseAssignedDisplay();
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    alarm(30); // a program that never maps its window must not hang the caller
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    Window window = 0;
    while (window == 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && HasTitle(display, event.xmap.window, argv[1])) {
            window = event.xmap.window;
        }
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const long kilobytes = ResidentKilobytes(child);
    AskToClose(display, window);
    const int status = WaitForEnd(child);
    std::printf("%.1f %ld %d\n", std::chrono::duration<double, std::milli>(elapsed).count(),
                kilobytes, status);
    XCloseDisplay(display);
    return status == 0 ? 0 : 1;
}
