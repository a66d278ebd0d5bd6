// The process-wide side of CTimer: the registry that maps platform timer
// identifiers to running timers, and the callback handed to the platform with
// every timer.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/wintypes.h"

class CTimer;

namespace modSystem {

// Registers the timer under the decimal key of its identifier; a key that is
// already present leaves the registry as it is.
void AddTimer(const std::shared_ptr<CTimer>& oTimer, int32_t lTimerID);
// Forgets the key of the identifier; a missing key is no error.
void RemoveTimer(int32_t lTimerID);
// Serves only window-less timers (hWnd 0) that are registered.
void TimerProc(HWND hWnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);

// The registry's keys, for diagnostics and tests.
std::vector<std::string> TimerKeys();

// The platform calls behind CTimer, replaceable so that failing platforms can
// be exercised; Reset puts the window layer's own calls back.
struct TimerPlatform {
    using SetTimerFn = UINT_PTR (*)(HWND, UINT_PTR, UINT, void (*)(HWND, UINT, UINT_PTR, DWORD));
    using KillTimerFn = BOOL (*)(HWND, UINT_PTR);
    SetTimerFn SetTimer;
    KillTimerFn KillTimer;
};
TimerPlatform& Platform();
void ResetTimerPlatform();

}  // namespace modSystem
