// How the window layer tells the toolkit what happened to its windows. The GTK
// backend turns these into widget changes; the headless backend keeps a log.
#pragma once

#include <string>
#include <vector>

#include "platform/wintypes.h"

namespace user32 {

class WindowBackend {
public:
    virtual ~WindowBackend() = default;
    virtual void WindowCreated(HWND) {}
    // Called after WM_NCDESTROY, while the handle still answers queries.
    virtual void WindowDestroyed(HWND) {}
    // Window or client rectangle changed.
    virtual void WindowMoved(HWND) {}
    virtual void WindowShown(HWND, bool /*visible*/) {}
    // The window went to the top of its siblings.
    virtual void WindowRaised(HWND) {}
    // New pixels in the window's surface (rect in window coordinates).
    virtual void SurfaceChanged(HWND, const RECT& /*rect*/) {}
    virtual void TextChanged(HWND) {}
    // hwnd 0 means the capture was released.
    virtual void CaptureChanged(HWND) {}
    virtual void FocusChanged(HWND) {}
};

// Records every notification; the core tests run on it.
class HeadlessBackend : public WindowBackend {
public:
    struct Event {
        std::string what;
        HWND hwnd;
    };
    std::vector<Event> events;

    void WindowCreated(HWND h) override { events.push_back({"created", h}); }
    void WindowDestroyed(HWND h) override { events.push_back({"destroyed", h}); }
    void WindowMoved(HWND h) override { events.push_back({"moved", h}); }
    void WindowShown(HWND h, bool v) override { events.push_back({v ? "shown" : "hidden", h}); }
    void WindowRaised(HWND h) override { events.push_back({"raised", h}); }
    void SurfaceChanged(HWND h, const RECT&) override { events.push_back({"surface", h}); }
    void TextChanged(HWND h) override { events.push_back({"text", h}); }
    void CaptureChanged(HWND h) override { events.push_back({"capture", h}); }
    void FocusChanged(HWND h) override { events.push_back({"focus", h}); }
    size_t Count(const std::string& what) const;
};

// Installs the backend (not owned); nullptr returns to the built-in headless one.
void SetBackend(WindowBackend* backend);
WindowBackend& Backend();

}  // namespace user32
