// Repainting: windows collect what needs painting (frame, background, client)
// and the event loop delivers WM_NCPAINT, WM_ERASEBKGND and WM_PAINT when idle.
#include <glib.h>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace user32 {

using namespace detail;

namespace {
guint g_idleSource = 0;

bool Pending(const Window& w) { return w.needNcPaint || w.needErase || w.needPaint; }

void Deliver(HWND h) {
    auto w = Find(h);
    if (!w || !w->redraw || !Pending(*w)) return;
    if (w->needNcPaint) {
        w->needNcPaint = false;
        SendMessageA(h, WM_NCPAINT, 1, 0);
    }
    w = Find(h);
    if (w && w->needErase) {
        w->needErase = false;
        SendMessageA(h, WM_ERASEBKGND, 0, 0);
    }
    w = Find(h);
    if (w && w->needPaint) {
        w->needPaint = false;
        SendMessageA(h, WM_PAINT, 0, 0);
    }
}

void DeliverTree(HWND h) {
    Deliver(h);
    for (HWND c : GetChildren(h)) DeliverTree(c);
}

void Mark(HWND h, UINT flags) {
    auto w = Find(h);
    if (!w) return;
    if (flags & RDW_VALIDATE) {
        w->needPaint = w->needErase = false;
        if (flags & RDW_FRAME) w->needNcPaint = false;
    }
    if (flags & RDW_INVALIDATE) {
        w->needPaint = true;
        if (flags & RDW_ERASE) w->needErase = true;
        if (flags & RDW_FRAME) w->needNcPaint = true;
    }
    if (flags & RDW_INTERNALPAINT) w->needPaint = true;
    if (flags & RDW_ALLCHILDREN)
        for (HWND c : GetChildren(h)) Mark(c, flags);
}
}  // namespace

namespace detail {
void SchedulePaint() {
    if (g_idleSource) return;
    g_idleSource = g_idle_add_full(
        G_PRIORITY_DEFAULT_IDLE,
        [](gpointer) -> gboolean {
            g_idleSource = 0;
            FlushPaints();
            return G_SOURCE_REMOVE;
        },
        nullptr, nullptr);
}
}  // namespace detail

BOOL InvalidateRect(HWND h, const RECT*, BOOL erase) {
    auto w = Find(h);
    if (!w) return FALSE;
    w->needPaint = true;
    if (erase) w->needErase = true;
    SchedulePaint();
    return TRUE;
}

BOOL RedrawWindow(HWND h, const RECT*, HRGN, UINT flags) {
    if (!Find(h)) return FALSE;
    Mark(h, flags);
    if (flags & RDW_UPDATENOW) {
        if (flags & RDW_ALLCHILDREN) DeliverTree(h);
        else Deliver(h);
    } else {
        SchedulePaint();
    }
    return TRUE;
}

BOOL UpdateWindow(HWND h) {
    if (!Find(h)) return FALSE;
    Deliver(h);
    return TRUE;
}

void FlushPaints() {
    // A paint handler may invalidate again; a few rounds settle it.
    for (int round = 0; round < 4; ++round) {
        bool any = false;
        for (HWND t : GetTopLevelWindows()) {
            std::vector<HWND> stack{t};
            while (!stack.empty()) {
                const HWND h = stack.back();
                stack.pop_back();
                auto w = Find(h);
                if (!w) continue;
                if (w->redraw && Pending(*w)) {
                    any = true;
                    Deliver(h);
                }
                for (HWND c : GetChildren(h)) stack.push_back(c);
            }
        }
        if (!any) return;
    }
}

bool IsRedrawEnabled(HWND h) {
    auto w = Find(h);
    return w && w->redraw;
}

std::shared_ptr<Surface> GetWindowSurface(HWND h) {
    auto w = Find(h);
    return w ? w->surface : nullptr;
}

void NotifySurfaceChanged(HWND h, const RECT& rect) {
    if (Find(h)) Backend().SurfaceChanged(h, rect);
}

}  // namespace user32
