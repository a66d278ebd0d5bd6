// Runs GLib's default main context, the event loop timers tick from.
#pragma once

#include <glib.h>

namespace winsvc_test {

// Iterates until `done` holds or `timeoutMs` passes; true if `done` held.
template <class Pred>
bool RunLoopUntil(Pred done, int timeoutMs = 3000) {
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() >= end) return false;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(200);
    }
    return true;
}

inline void RunLoopFor(int ms) {
    RunLoopUntil([] { return false; }, ms);
}

inline gint64 NowMs() { return g_get_monotonic_time() / 1000; }

}  // namespace winsvc_test
