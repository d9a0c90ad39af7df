#include "platform/MainLoop.h"

#include <glib.h>

bool RunMainLoopOnce(bool mayBlock) {
    return g_main_context_iteration(nullptr, mayBlock ? TRUE : FALSE) != FALSE;
}

MainLoopTimer::MainLoopTimer(uint32_t milliseconds)
    : source(g_timeout_add(milliseconds, reinterpret_cast<GSourceFunc>(&MainLoopTimer::OnFire),
                           this)) {}

MainLoopTimer::~MainLoopTimer() {
    if (!fired) {
        g_source_remove(source);
    }
}

int MainLoopTimer::OnFire(void* timer) {
    static_cast<MainLoopTimer*>(timer)->fired = true;
    return G_SOURCE_REMOVE;
}
