// Window-less timers on GLib's main context, the program's event loop.
#include <glib.h>

#include <unordered_map>

#include "platform/window_internal.h"

namespace user32 {

namespace {
struct TimerRec {
    guint source = 0;
    HWND hwnd = 0;
    TIMERPROC proc = nullptr;
};
struct Timers {
    std::unordered_map<UINT_PTR, TimerRec> byId;
    UINT_PTR nextId = 1;
};
Timers& T() {
    static Timers t;
    return t;
}

gboolean Fire(gpointer data) {
    const auto id = static_cast<UINT_PTR>(reinterpret_cast<uintptr_t>(data));
    auto it = T().byId.find(id);
    if (it == T().byId.end()) return G_SOURCE_REMOVE;
    const TimerRec rec = it->second;
    if (rec.proc)
        rec.proc(rec.hwnd, WM_TIMER, id, GetTickCount());
    else
        SendMessageA(rec.hwnd, WM_TIMER, id, 0);
    // The procedure may have killed this timer (and perhaps set a new one).
    auto again = T().byId.find(id);
    return again != T().byId.end() && again->second.source == rec.source ? G_SOURCE_CONTINUE
                                                                         : G_SOURCE_REMOVE;
}
}  // namespace

UINT_PTR SetTimer(HWND hWnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    if (hWnd != 0 && !IsWindow(hWnd)) return 0;
    if (hWnd == 0 || id == 0) {
        id = T().nextId++;
    } else if (auto it = T().byId.find(id); it != T().byId.end()) {
        g_source_remove(it->second.source);
        T().byId.erase(it);
    }
    TimerRec rec;
    rec.hwnd = hWnd;
    rec.proc = proc;
    rec.source = g_timeout_add(elapse < 1 ? 1 : elapse, &Fire,
                               reinterpret_cast<gpointer>(static_cast<uintptr_t>(id)));
    T().byId[id] = rec;
    return id;
}

BOOL KillTimer(HWND hWnd, UINT_PTR id) {
    auto it = T().byId.find(id);
    if (it == T().byId.end() || it->second.hwnd != hWnd) return FALSE;
    g_source_remove(it->second.source);
    T().byId.erase(it);
    return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(g_get_monotonic_time() / 1000); }

size_t LiveTimerCount() { return T().byId.size(); }

}  // namespace user32
