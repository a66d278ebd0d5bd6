// The window layer's own record of a window. Only the layer's .cpp files see it.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/surface.h"
#include "platform/user32.h"

namespace user32::detail {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = 0;
    int backgroundSysColor = -1;
};

struct Window {
    HWND handle = 0;
    std::shared_ptr<const WindowClass> cls;
    std::u16string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = 0;
    std::vector<HWND> children;  // top of the z-order first
    RECT rect;                   // in the parent's client coordinates (screen for top-level)
    RECT client;                 // client area in window coordinates
    WNDPROC proc = 0;
    LONG_PTR userData = 0;
    LONG_PTR id = 0;
    HICON iconSmall = 0;
    HICON iconBig = 0;
    bool redraw = true;
    bool destroying = false;
    bool alive = true;
    // MDI client state.
    HWND mdiActive = 0;
    bool mdiMaximized = false;
    // Pending paint work.
    bool needNcPaint = false;
    bool needErase = false;
    bool needPaint = false;
    std::shared_ptr<Surface> surface = std::make_shared<Surface>();
};

using WindowPtr = std::shared_ptr<Window>;

// nullptr for 0, unknown or dead handles.
WindowPtr Find(HWND h);
std::shared_ptr<const WindowClass> FindClass(const std::string& name);
// The z-ordered list a window with this parent lives in (0: the top-level list).
std::vector<HWND>& SiblingList(HWND parent);
void EnsureBuiltinClasses();

// Window rectangle's top-left in screen coordinates.
POINT WindowOriginOnScreen(const Window& w);
// Recomputes the client rectangle through WM_NCCALCSIZE (wParam FALSE).
void RecalcClientNoParams(HWND h);
void ResizeSurface(Window& w);
void SchedulePaint();
void ForgetWindowInput(HWND h);

std::u16string Utf8ToUtf16(const std::string& s);
std::string Utf16ToUtf8(const std::u16string& s);

}  // namespace user32::detail
