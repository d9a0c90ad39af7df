#include "platform/linux/PtyConsole.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vterm.h>

namespace {

// Larger than the terminal's own buffer, so that one read empties it.
constexpr size_t readChunk = size_t{64} * 1024;
// What one drain takes at most: a child that writes without pause must not keep us reading.
constexpr size_t drainLimit = size_t{1024} * 1024;
// How long one wait for a killed child lasts before it is tried again.
constexpr int pollSliceMilliseconds = 100;

// Empty cells hold 0; the right half of a wide character holds all ones.
char32_t Shown(const VTermScreenCell& cell) {
    const uint32_t first = cell.chars[0];
    return first == 0 || first == UINT32_MAX ? U' ' : static_cast<char32_t>(first);
}

// Replies to terminal queries are dropped instead of piling up inside libvterm.
void DropReply(const char*, size_t, void*) {}

bool SetDescriptorFlag(int descriptor, int getCommand, int setCommand, int flag) {
    const int flags = fcntl(descriptor, getCommand);
    return flags != -1 && fcntl(descriptor, setCommand, flags | flag) != -1;
}

// libvterm's report of a row leaving the top of the screen; `rows` is the console's list of
// rows not taken yet.
int KeepScrolledRow(int cells, const VTermScreenCell* row, void* rows) {
    auto* scrolled = static_cast<std::deque<HiddenConsole::Row>*>(rows);
    HiddenConsole::Row kept;
    kept.fill(U' ');
    for (int column = 0; column < cells && column < HiddenConsole::columns; ++column) {
        kept[static_cast<size_t>(column)] = Shown(row[column]);
    }
    if (scrolled->size() == HiddenConsole::scrollbackRows) {
        scrolled->pop_front();
    }
    scrolled->push_back(kept);
    return 1;
}

} // namespace

void PtyConsole::TerminalDeleter::operator()(VTerm* vterm) const {
    vterm_free(vterm);
}

std::unique_ptr<HiddenConsole> CreatePtyConsole() {
    std::unique_ptr<PtyConsole> console(new PtyConsole);
    if (!console->Open()) {
        return nullptr;
    }
    return console;
}

bool PtyConsole::Open() {
    winsize size{};
    size.ws_row = rows;
    size.ws_col = columns;
    if (openpty(&master, &slave, nullptr, nullptr, &size) != 0) {
        return false;
    }
    char path[128];
    if (ptsname_r(master, path, sizeof path) != 0 || tcgetattr(slave, &initialModes) != 0 ||
        !SetDescriptorFlag(master, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !SetDescriptorFlag(slave, F_GETFD, F_SETFD, FD_CLOEXEC) ||
        !SetDescriptorFlag(master, F_GETFL, F_SETFL, O_NONBLOCK)) {
        return false;
    }
    slavePath = path;
    terminal.reset(vterm_new(rows, columns));
    if (!terminal) {
        return false;
    }
    vterm_set_utf8(terminal.get(), 1);
    vterm_output_set_callback(terminal.get(), DropReply, nullptr);
    screen = vterm_obtain_screen(terminal.get());
    // libvterm wants the callback set before the first reset.
    static const VTermScreenCallbacks screenCallbacks = {
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, KeepScrolledRow, nullptr,
    };
    vterm_screen_set_callbacks(screen, &screenCallbacks, &scrolledRows);
    vterm_screen_reset(screen, 1);
    return true;
}

PtyConsole::~PtyConsole() {
    if (child > 0) {
        kill(child, SIGKILL);
        Reap();
    }
    if (slave >= 0) {
        close(slave);
    }
    if (master >= 0) {
        close(master);
    }
}

bool PtyConsole::Clear() {
    // Whatever an earlier child left unread belongs to the screen that is being wiped.
    Drain();
    vterm_screen_reset(screen, 1);
    scrolledRows.clear();
    return true;
}

bool PtyConsole::Start(const std::string& program, const std::vector<std::string>& args) {
    if (child > 0 || args.empty()) {
        return false;
    }
    exitStatus = -1;
    tcsetattr(slave, TCSANOW, &initialModes);

    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    // posix_spawn rather than fork: the program has threads (toolkit, audio), and a failed
    // exec (no converter there) comes back as the result instead of as a dead child.
    // Opening the slave in the new session makes it the child's controlling terminal.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, slavePath.c_str(), O_RDWR, 0);
    posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDERR_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    pid_t started = -1;
    const int failure =
        posix_spawn(&started, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failure != 0) {
        return false;
    }
    child = started;
    // Called directly: Debian 12's <sys/pidfd.h> lacks the C linkage for C++.
    childEnd = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (childEnd < 0) {
        // Without a way to wait for its end and its output together, the child can't be run.
        kill(child, SIGKILL);
        Reap();
        return false;
    }
    return true;
}

bool PtyConsole::WaitForChild(int milliseconds) {
    if (child <= 0) {
        Drain();
        return true;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd watched[2] = {{childEnd, POLLIN, 0}, {master, POLLIN, 0}};
        if (poll(watched, 2, left > 0 ? static_cast<int>(left) : 0) > 0) {
            if ((watched[1].revents & POLLIN) != 0) {
                Drain();
            }
            if ((watched[0].revents & POLLIN) != 0) {
                Reap();
                // The child's last words are still in the terminal; reading now flushes them.
                Drain();
                return true;
            }
        }
        if (Clock::now() >= deadline) {
            return false;
        }
    }
}

int PtyConsole::ExitStatus() const {
    return exitStatus;
}

bool PtyConsole::ReadScreen(Screen& copy) {
    Drain();
    VTermScreenCell cell;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const bool read = vterm_screen_get_cell(screen, VTermPos{row, column}, &cell) != 0;
            copy[static_cast<size_t>(row) * columns + static_cast<size_t>(column)] =
                read ? Shown(cell) : U' ';
        }
    }
    return true;
}

void PtyConsole::Drain() {
    char buffer[readChunk];
    size_t taken = 0;
    while (taken < drainLimit) {
        const ssize_t count = read(master, buffer, sizeof buffer);
        if (count > 0) {
            vterm_input_write(terminal.get(), buffer, static_cast<size_t>(count));
            taken += static_cast<size_t>(count);
        } else if (count < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}

void PtyConsole::Reap() {
    int status = 0;
    pid_t reaped = -1;
    do {
        reaped = waitpid(child, &status, 0);
    } while (reaped < 0 && errno == EINTR);
    exitStatus = reaped == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (childEnd >= 0) {
        close(childEnd);
        childEnd = -1;
    }
    child = -1;
}

void PtyConsole::TakeScrolledRows(std::vector<Row>& scrolled) {
    scrolled.assign(scrolledRows.begin(), scrolledRows.end());
    scrolledRows.clear();
}

void PtyConsole::EndChild(int graceMilliseconds) {
    if (child <= 0) {
        return;
    }
    // The child leads a process group of its own: a script's own children end with it, and
    // none is left holding the terminal.
    const pid_t group = child;
    kill(-group, SIGTERM);
    if (!WaitForChild(graceMilliseconds)) {
        kill(-group, SIGKILL);
        while (!WaitForChild(pollSliceMilliseconds)) {
        }
    }
    exitStatus = -1;
}
