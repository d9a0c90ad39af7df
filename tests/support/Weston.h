// A headless weston compositor of the test's own, with its own runtime folder and socket, for
// windows drawn under Wayland; stopped with the object. Needs the weston package.
#pragma once

#include "TempDir.h"

#include <string>
#include <sys/types.h>

namespace twtest {

class Weston {
public:
    Weston();
    ~Weston();
    Weston(const Weston&) = delete;
    Weston& operator=(const Weston&) = delete;

    // Whether the compositor took its socket.
    bool Running() const { return running; }
    // The environment, as NAME=VALUE words for a shell, that makes GTK draw on it.
    std::string Environment() const;

private:
    TempDir runtime;
    pid_t pid = -1;
    bool running = false;
};

} // namespace twtest
