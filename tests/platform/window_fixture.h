// Windows with recording procedures for the window layer's tests.
#pragma once

#include <gtest/gtest.h>
#include <glib.h>

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/user32.h"

namespace testwin {

struct Msg {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// Registers a class whose procedure logs every message into `log` and then
// runs the default procedure of the class it stands for.
class Recorder {
public:
    std::vector<Msg> log;

    explicit Recorder(const std::string& className, UINT classStyle = 0, int background = -1)
        : name_(className) {
        proc_ = user32::MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) {
            log.push_back({h, m, w, l});
            return user32::DefWindowProcA(h, m, w, l);
        });
        user32::WNDCLASSA wc;
        wc.style = classStyle;
        wc.lpfnWndProc = proc_;
        wc.lpszClassName = name_.c_str();
        wc.backgroundSysColor = background;
        user32::RegisterClassA(wc);
    }
    ~Recorder() {
        user32::UnregisterClassA(name_.c_str());
        user32::FreeWndProc(proc_);
    }
    const char* cls() const { return name_.c_str(); }
    std::vector<UINT> Messages(HWND h) const {
        std::vector<UINT> out;
        for (const auto& m : log)
            if (m.hwnd == h) out.push_back(m.msg);
        return out;
    }
    std::vector<Msg> Of(UINT msg) const {
        std::vector<Msg> out;
        for (const auto& m : log)
            if (m.msg == msg) out.push_back(m);
        return out;
    }

private:
    std::string name_;
    WNDPROC proc_ = 0;
};

// Runs GLib's default main context until `done` or the deadline.
template <class Pred>
bool RunLoopUntil(Pred done, int timeoutMs = 2000) {
    const gint64 end = g_get_monotonic_time() + static_cast<gint64>(timeoutMs) * 1000;
    while (!done()) {
        if (g_get_monotonic_time() > end) return false;
        g_main_context_iteration(nullptr, FALSE);
        g_usleep(500);
    }
    return true;
}

}  // namespace testwin
