// The pointer, capture, cursor position and keyboard focus. The backend calls
// DispatchMouseInput for every pointer event; the layer routes it as the
// platform does: hit test, WM_SETCURSOR, then the client or non-client message,
// or everything to the capturing window.
#include "platform/backend.h"
#include "platform/window_internal.h"

namespace user32 {

using namespace detail;

namespace {
struct InputState {
    HWND capture = 0;
    HWND focus = 0;
    POINT cursor{};
    std::function<bool(POINT*)> query;
};
InputState& State() {
    static InputState s;
    return s;
}

bool IsDoubleClick(UINT m) {
    return m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK;
}

// Only classes that ask for double-clicks get them; the others see a press.
UINT ForClass(HWND h, UINT m) {
    if (!IsDoubleClick(m)) return m;
    auto w = Find(h);
    if (w && (w->cls->style & CS_DBLCLKS)) return m;
    return m - 2;  // the matching button-down message
}
}  // namespace

namespace detail {
void ForgetWindowInput(HWND h) {
    auto& s = State();
    if (s.capture == h) {
        s.capture = 0;
        Backend().CaptureChanged(0);
    }
    if (s.focus == h) {
        s.focus = 0;
        Backend().FocusChanged(0);
    }
}
}  // namespace detail

void DispatchMouseInput(POINT pt, UINT msg, WPARAM keys) {
    auto& s = State();
    s.cursor = pt;
    if (msg < WM_MOUSEFIRST || msg > WM_MOUSELAST) return;
    if (s.capture && Find(s.capture)) {
        const HWND target = s.capture;
        POINT c = pt;
        ScreenToClient(target, &c);
        SendMessageA(target, ForClass(target, msg), keys, MAKELPARAM(c.x, c.y));
        return;
    }
    const HWND target = WindowFromPoint(pt);
    if (!target) return;
    const LRESULT hit = SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    if (hit == HTTRANSPARENT) return;
    const UINT m = ForClass(target, msg);
    SendMessageA(target, WM_SETCURSOR, static_cast<WPARAM>(target),
                 MAKELPARAM(static_cast<int>(hit), static_cast<int>(m)));
    // The cursor handling may have taken the capture; the message itself is
    // still delivered as it was hit-tested.
    if (!Find(target)) return;
    if (hit == HTCLIENT) {
        POINT c = pt;
        ScreenToClient(target, &c);
        SendMessageA(target, m, keys, MAKELPARAM(c.x, c.y));
    } else {
        SendMessageA(target, m - WM_MOUSEMOVE + WM_NCMOUSEMOVE, static_cast<WPARAM>(hit),
                     MAKELPARAM(pt.x, pt.y));
    }
}

HWND SetCapture(HWND h) {
    auto& s = State();
    const HWND old = s.capture;
    if (h && !Find(h)) return old;
    if (old == h) return old;
    s.capture = h;
    if (Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(h));
    Backend().CaptureChanged(h);
    return old;
}

BOOL ReleaseCapture() {
    auto& s = State();
    const HWND old = s.capture;
    if (!old) return TRUE;
    s.capture = 0;
    if (Find(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    Backend().CaptureChanged(0);
    return TRUE;
}

HWND GetCapture() {
    auto& s = State();
    return Find(s.capture) ? s.capture : 0;
}

BOOL GetCursorPos(POINT* pt) {
    if (!pt) return FALSE;
    auto& s = State();
    if (s.query && s.query(pt)) return TRUE;
    *pt = s.cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    State().cursor = POINT{x, y};
    return TRUE;
}

void SetCursorQuery(std::function<bool(POINT*)> query) { State().query = std::move(query); }

HWND SetFocus(HWND h) {
    auto& s = State();
    if (h && !Find(h)) return 0;
    const HWND old = s.focus;
    if (old == h) return old;
    s.focus = h;
    if (Find(old)) SendMessageA(old, WM_KILLFOCUS, static_cast<WPARAM>(h), 0);
    if (h && Find(h)) SendMessageA(h, WM_SETFOCUS, static_cast<WPARAM>(old), 0);
    Backend().FocusChanged(h);
    return old;
}

HWND GetFocus() {
    auto& s = State();
    return Find(s.focus) ? s.focus : 0;
}

}  // namespace user32
