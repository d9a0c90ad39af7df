// Waiting on the GLib main context that the window's toolkit runs and that the command-line
// tool iterates itself: the bus's replies, the offer server's requests, the dialogs' clicks and
// timers all arrive through it, so a long job waits for the next event instead of sleeping.
// User-interface thread only.
#pragma once

#include <cstdint>

// Handles what is pending on the default main context; with mayBlock, first waits until
// something is. True when something was handled.
bool RunMainLoopOnce(bool mayBlock);

// A one-shot timer on the default main context: wakes a blocked RunMainLoopOnce after the
// given time and says from then on that it fired. Removed when destroyed.
class MainLoopTimer {
public:
    explicit MainLoopTimer(uint32_t milliseconds);
    ~MainLoopTimer();
    MainLoopTimer(const MainLoopTimer&) = delete;
    MainLoopTimer& operator=(const MainLoopTimer&) = delete;

    bool Fired() const { return fired; }

private:
    static int OnFire(void* timer);
    unsigned int source = 0;
    bool fired = false;
};
