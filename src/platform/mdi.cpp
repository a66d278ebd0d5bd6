// The "MDIClient" window class: it creates, activates, maximizes and destroys
// the child windows of a multiple-document frame.
#include <algorithm>

#include "platform/window_internal.h"

namespace user32 {

using namespace detail;

namespace {

void FillClientArea(HWND client, HWND child) {
    RECT cr;
    GetClientRect(client, &cr);
    SetWindowPos(child, 0, 0, 0, cr.right, cr.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Maximize(HWND client, HWND child) {
    auto cw = Find(child);
    if (!cw) return;
    cw->style |= WS_MAXIMIZE;
    FillClientArea(client, child);
}

LRESULT Activate(HWND client, HWND child) {
    auto c = Find(client);
    if (!c) return 0;
    if (child != 0) {
        auto cw = Find(child);
        if (!cw || cw->parent != client || cw->destroying) return 0;
    }
    const HWND old = c->mdiActive;
    if (old == child) return 0;
    if (Find(old)) SendMessageA(old, WM_MDIACTIVATE, static_cast<WPARAM>(old), static_cast<LPARAM>(child));
    c = Find(client);
    if (!c) return 0;
    c->mdiActive = child;
    if (child == 0) return 0;
    if (c->mdiMaximized && !IsZoomed(child)) Maximize(client, child);
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (Find(child))
        SendMessageA(child, WM_MDIACTIVATE, static_cast<WPARAM>(old), static_cast<LPARAM>(child));
    return 0;
}

// The child that takes over when the active one goes: the next one down the
// z-order that is not itself being destroyed.
HWND NextAfter(const Window& client, HWND leaving) {
    for (HWND h : client.children) {
        if (h == leaving) continue;
        auto w = Find(h);
        if (w && !w->destroying) return h;
    }
    return 0;
}

}  // namespace

LRESULT DefMDIClientProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto c = Find(h);
    if (!c) return 0;
    switch (msg) {
        case WM_MDICREATE: {
            const auto* cs = reinterpret_cast<const MDICREATESTRUCTA*>(lParam);
            if (!cs || !cs->szClass) return 0;
            const bool maximize = (cs->style & WS_MAXIMIZE) || (c->mdiMaximized && c->mdiActive);
            int x = cs->x, y = cs->y, cx = cs->cx, cy = cs->cy;
            if (maximize) {
                RECT cr;
                GetClientRect(h, &cr);
                x = 0;
                y = 0;
                cx = cr.right;
                cy = cr.bottom;
            }
            const DWORD style = (cs->style | WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE) &
                                ~(maximize ? 0u : WS_MAXIMIZE);
            const HWND child = CreateWindowExA(WS_EX_MDICHILD, cs->szClass, cs->szTitle,
                                               style | (maximize ? WS_MAXIMIZE : 0), x, y, cx,
                                               cy, h, cs->lParam);
            if (!child) return 0;
            if (auto again = Find(h); again && maximize) again->mdiMaximized = true;
            SendMessageA(h, WM_MDIACTIVATE, static_cast<WPARAM>(child), 0);
            return static_cast<LRESULT>(child);
        }
        case WM_MDIACTIVATE: return Activate(h, static_cast<HWND>(wParam));
        case WM_MDIGETACTIVE:
            if (lParam)
                *reinterpret_cast<BOOL*>(lParam) =
                    (c->mdiActive && IsZoomed(c->mdiActive)) ? TRUE : FALSE;
            return static_cast<LRESULT>(c->mdiActive);
        case WM_MDIDESTROY: DestroyWindow(static_cast<HWND>(wParam)); return 0;
        case WM_MDIMAXIMIZE: {
            const HWND child = static_cast<HWND>(wParam);
            auto cw = Find(child);
            if (!cw || cw->parent != h) return 0;
            c->mdiMaximized = true;
            Maximize(h, child);
            SendMessageA(h, WM_MDIACTIVATE, wParam, 0);
            return 0;
        }
        case WM_MDIRESTORE: {
            const HWND child = static_cast<HWND>(wParam);
            auto cw = Find(child);
            if (!cw || cw->parent != h) return 0;
            c->mdiMaximized = false;
            for (HWND k : c->children)
                if (auto kw = Find(k)) kw->style &= ~WS_MAXIMIZE;
            return 0;
        }
        case WM_SIZE: {
            DefWindowProcA(h, msg, wParam, lParam);
            if (!c->mdiMaximized) return 0;
            const std::vector<HWND> kids = c->children;
            for (HWND k : kids)
                if (IsZoomed(k)) FillClientArea(h, k);
            return 0;
        }
        case WM_PARENTNOTIFY:
            if (LOWORD(wParam) == WM_DESTROY && static_cast<HWND>(lParam) == c->mdiActive) {
                const HWND leaving = c->mdiActive;
                const HWND next = NextAfter(*c, leaving);
                SendMessageA(h, WM_MDIACTIVATE, static_cast<WPARAM>(next), 0);
                // With no other child, the leaving one is still told it lost activation.
                if (auto again = Find(h); again && again->mdiActive == leaving) {
                    again->mdiActive = 0;
                    if (Find(leaving))
                        SendMessageA(leaving, WM_MDIACTIVATE, static_cast<WPARAM>(leaving), 0);
                }
            }
            return 0;
        default: return DefWindowProcA(h, msg, wParam, lParam);
    }
}

}  // namespace user32
