#include "winsvc/TimerRegistry.h"

#include <unordered_map>

#include "platform/user32.h"
#include "winsvc/CTimer.h"

namespace modSystem {

namespace {
using Registry = std::unordered_map<std::string, std::shared_ptr<CTimer>>;

// Made on first use and never destroyed: timers still running at exit must not
// be torn down after the window layer's own tables are gone.
Registry& m_colTimers() {
    static Registry* reg = new Registry;
    return *reg;
}

std::string KeyOf(int32_t lTimerID) { return std::to_string(lTimerID); }

TimerPlatform& PlatformSlot() {
    static TimerPlatform p{&user32::SetTimer, &user32::KillTimer};
    return p;
}
}  // namespace

void AddTimer(const std::shared_ptr<CTimer>& oTimer, int32_t lTimerID) {
    try {
        m_colTimers().emplace(KeyOf(lTimerID), oTimer);
    } catch (...) {
    }
}

void RemoveTimer(int32_t lTimerID) {
    try {
        auto& reg = m_colTimers();
        auto it = reg.find(KeyOf(lTimerID));
        if (it == reg.end()) return;
        // Let the reference go only after the entry is gone: it may be the
        // last one, and the timer's destruction comes back here.
        std::shared_ptr<CTimer> last = std::move(it->second);
        reg.erase(it);
    } catch (...) {
    }
}

void TimerProc(HWND hWnd, UINT /*uMsg*/, UINT_PTR idEvent, DWORD /*dwTime*/) {
    if (hWnd != 0) return;
    try {
        auto& reg = m_colTimers();
        auto it = reg.find(KeyOf(static_cast<int32_t>(idEvent)));
        if (it == reg.end()) return;
        // Our own reference: the handler may disable or re-time this timer,
        // which drops the registry's.
        std::shared_ptr<CTimer> timer = it->second;
        timer->RaiseTimerEvent();
    } catch (...) {
    }
}

std::vector<std::string> TimerKeys() {
    std::vector<std::string> keys;
    for (const auto& [key, timer] : m_colTimers()) keys.push_back(key);
    return keys;
}

TimerPlatform& Platform() { return PlatformSlot(); }

void ResetTimerPlatform() { PlatformSlot() = TimerPlatform{&user32::SetTimer, &user32::KillTimer}; }

}  // namespace modSystem
