#include "winsvc/CTimer.h"

#include <new>
#include <string>

#include "platform/component_error.h"
#include "winsvc/TimerRegistry.h"

namespace {
constexpr int32_t kTimerFailure = static_cast<int32_t>(0x800406CC);

// Wraps whatever stopped a property operation into the timer's component
// error, naming the last numbered statement it reached.
[[noreturn]] void Fail(const char* source, int line) {
    int32_t number = -2147467259;  // unspecified failure
    std::string text = "Unknown error";
    try {
        throw;
    } catch (const ComponentError& e) {
        number = e.number();
        text = e.description();
    } catch (const std::bad_alloc&) {
        number = 7;
        text = "Out of memory";
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
    }
    throw ComponentError(kTimerFailure, source,
                         ComponentError::Wrap("CTimer component failure!", number, text, line));
}
}  // namespace

std::shared_ptr<CTimer> CTimer::Create() { return std::shared_ptr<CTimer>(new CTimer); }

CTimer::CTimer() : m_lInterval(1000) {}

CTimer::~CTimer() {
    try {
        Enabled(false);
    } catch (...) {
    }
}

void CTimer::Interval(int32_t lValue) {
    int line = 0;
    try {
        line = 100;
        if (lValue == m_lInterval) return;
        line = 102;
        if (lValue < 1) {
            line = 110;
            Enabled(false);
        } else {
            line = 104;
            Enabled(false);
            line = 106;
            m_lInterval = lValue;
            line = 108;
            Enabled(true);
        }
    } catch (...) {
        Fail("CTimer.Interval", line);
    }
}

void CTimer::Enabled(bool bValue) {
    int line = 0;
    try {
        line = 100;
        if (bValue == m_bEnabled) return;
        line = 102;
        m_bEnabled = bValue;
        line = 104;
        if (bValue) {
            line = 106;
            // A failing SetTimer (0) leaves the timer marked running under the
            // key "0"; it never ticks.
            m_lTimerID = static_cast<int32_t>(modSystem::Platform().SetTimer(
                0, 0, static_cast<UINT>(m_lInterval), &modSystem::TimerProc));
            line = 108;
            modSystem::AddTimer(shared_from_this(), m_lTimerID);
        } else {
            line = 110;
            modSystem::Platform().KillTimer(0, static_cast<UINT_PTR>(static_cast<uint32_t>(m_lTimerID)));
            line = 112;
            modSystem::RemoveTimer(m_lTimerID);
        }
    } catch (...) {
        Fail("CTimer.Enabled", line);
    }
}

void CTimer::RaiseTimerEvent() {
    // A copy, so that a handler may replace or clear the event while it runs.
    std::function<void()> handler = Timer;
    if (!handler) return;
    try {
        handler();
    } catch (...) {
    }
}
