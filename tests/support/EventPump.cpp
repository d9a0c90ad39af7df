#include "EventPump.h"

#include <wx/app.h>
#include <wx/utils.h>

#include <chrono>
#include <thread>

namespace twtest {

namespace {
void PumpOnce() {
    wxTheApp->ProcessPendingEvents();
    wxYield();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
}
} // namespace

void PumpEvents(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        PumpOnce();
    }
}

bool PumpUntil(const std::function<bool()>& condition, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        PumpOnce();
    }
    return true;
}

} // namespace twtest
