// An interval timer without a window of its own. While enabled it raises its
// Timer event every Interval milliseconds from the program's event loop.
//
// A CTimer lives in a shared_ptr: while it runs, the process-wide registry
// (modSystem) holds a reference too, so a running timer outlives its owner's
// reference and goes on ticking until it is disabled.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

class CTimer : public std::enable_shared_from_this<CTimer> {
public:
    // Interval 1000, disabled.
    static std::shared_ptr<CTimer> Create();
    ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    int32_t Interval() const { return m_lInterval; }
    // The same value does nothing; below 1 stops the timer and keeps the old
    // interval; any other value (re)starts it, first tick one new interval on.
    void Interval(int32_t lValue);

    bool Enabled() const { return m_bEnabled; }
    // Enabling a running timer does not restart it.
    void Enabled(bool bValue);

    // Raises Timer once; whatever a handler throws is swallowed.
    void RaiseTimerEvent();

    // The Timer event: the owner's handler, may be empty.
    std::function<void()> Timer;

private:
    CTimer();

    int32_t m_lTimerID = 0;  // kept after disabling
    int32_t m_lInterval = 0;
    bool m_bEnabled = false;
};
