// Window geometry: SetWindowPos with its message sequence, rectangles and
// coordinate conversion, showing and hit-finding windows.
#include <algorithm>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace user32 {

using namespace detail;

namespace detail {

void RecalcClientNoParams(HWND h) {
    auto w = Find(h);
    if (!w) return;
    RECT r = w->rect;
    SendMessageA(h, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&r));
    w = Find(h);
    if (!w) return;
    OffsetRect(&r, -w->rect.left, -w->rect.top);
    w->client = r;
}

}  // namespace detail

namespace {

void Restack(Window& w, HWND insertAfter) {
    std::vector<HWND>* sib = &SiblingList(w.parent);
    sib->erase(std::remove(sib->begin(), sib->end(), w.handle), sib->end());
    if (insertAfter == HWND_TOP) {
        sib->insert(sib->begin(), w.handle);
        Backend().WindowRaised(w.handle);
        return;
    }
    if (insertAfter == HWND_BOTTOM) {
        sib->push_back(w.handle);
        return;
    }
    auto it = std::find(sib->begin(), sib->end(), insertAfter);
    sib->insert(it == sib->end() ? sib->end() : it + 1, w.handle);
}

}  // namespace

BOOL SetWindowPos(HWND h, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    auto w = Find(h);
    if (!w) return FALSE;
    WINDOWPOS wp{h, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = w->rect.Width();
        wp.cy = w->rect.Height();
    }
    SendMessageA(h, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    w = Find(h);
    if (!w) return FALSE;

    const RECT oldRect = w->rect;
    RECT newRect = oldRect;
    if (!(wp.flags & SWP_NOMOVE)) OffsetRect(&newRect, wp.x - oldRect.left, wp.y - oldRect.top);
    if (!(wp.flags & SWP_NOSIZE)) {
        newRect.right = newRect.left + std::max(wp.cx, 0);
        newRect.bottom = newRect.top + std::max(wp.cy, 0);
    }
    const bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    const bool sized = newRect.Width() != oldRect.Width() || newRect.Height() != oldRect.Height();
    if (moved || sized || (wp.flags & SWP_FRAMECHANGED)) {
        // The window's proposed geometry goes into the WINDOWPOS the
        // calculation sees, so a procedure can read x, y, cx, cy from it.
        wp.x = newRect.left;
        wp.y = newRect.top;
        wp.cx = newRect.Width();
        wp.cy = newRect.Height();
        NCCALCSIZE_PARAMS p{};
        p.rgrc[0] = newRect;
        p.rgrc[1] = oldRect;
        RECT oldClient = w->client;
        OffsetRect(&oldClient, oldRect.left, oldRect.top);
        p.rgrc[2] = oldClient;
        p.lppos = &wp;
        SendMessageA(h, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&p));
        // WVR_VALIDRECTS and the other results only concern which old pixels may
        // be kept; every surface here is redrawn, so the client rectangle
        // (the first rectangle) is all that is taken.
        w = Find(h);
        if (!w) return FALSE;
        RECT client = p.rgrc[0];
        OffsetRect(&client, -newRect.left, -newRect.top);
        client.left = std::clamp<LONG>(client.left, 0, newRect.Width());
        client.top = std::clamp<LONG>(client.top, 0, newRect.Height());
        client.right = std::clamp<LONG>(client.right, client.left, newRect.Width());
        client.bottom = std::clamp<LONG>(client.bottom, client.top, newRect.Height());
        w->rect = newRect;
        w->client = client;
        ResizeSurface(*w);
        Backend().WindowMoved(h);
    }
    if (!(wp.flags & SWP_NOZORDER)) Restack(*w, wp.hwndInsertAfter);
    if ((wp.flags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        Backend().WindowShown(h, true);
    } else if ((wp.flags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) {
        w->style &= ~WS_VISIBLE;
        Backend().WindowShown(h, false);
    }
    SendMessageA(h, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    if ((sized || (wp.flags & SWP_FRAMECHANGED)) && !(wp.flags & SWP_NOREDRAW) && Find(h))
        RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    return TRUE;
}

BOOL MoveWindow(HWND h, int x, int y, int cx, int cy, BOOL repaint) {
    return SetWindowPos(h, 0, x, y, cx, cy, SWP_NOZORDER | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND h, RECT* rect) {
    auto w = Find(h);
    if (!w || !rect) return FALSE;
    const POINT o = WindowOriginOnScreen(*w);
    *rect = RECT{o.x, o.y, o.x + w->rect.Width(), o.y + w->rect.Height()};
    return TRUE;
}

BOOL GetClientRect(HWND h, RECT* rect) {
    auto w = Find(h);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, w->client.Width(), w->client.Height()};
    return TRUE;
}

RECT GetClientRectInWindow(HWND h) {
    auto w = Find(h);
    return w ? w->client : RECT{};
}

BOOL ScreenToClient(HWND h, POINT* pt) {
    auto w = Find(h);
    if (!w || !pt) return FALSE;
    const POINT o = WindowOriginOnScreen(*w);
    pt->x -= o.x + w->client.left;
    pt->y -= o.y + w->client.top;
    return TRUE;
}

BOOL ClientToScreen(HWND h, POINT* pt) {
    auto w = Find(h);
    if (!w || !pt) return FALSE;
    const POINT o = WindowOriginOnScreen(*w);
    pt->x += o.x + w->client.left;
    pt->y += o.y + w->client.top;
    return TRUE;
}

namespace {
HWND ChildFromPoint(HWND parent, POINT pt) {
    auto pw = Find(parent);
    if (!pw) return parent;
    RECT cr = pw->client;
    const POINT o = WindowOriginOnScreen(*pw);
    OffsetRect(&cr, o.x, o.y);
    if (!PtInRect(&cr, pt)) return parent;  // children live inside the client area
    for (HWND c : pw->children) {
        auto cw = Find(c);
        if (!cw || !(cw->style & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(c, &r);
        if (PtInRect(&r, pt)) return ChildFromPoint(c, pt);
    }
    return parent;
}
}  // namespace

HWND WindowFromPoint(POINT pt) {
    for (HWND t : GetTopLevelWindows()) {
        auto w = Find(t);
        if (!w || !(w->style & WS_VISIBLE)) continue;
        RECT r;
        GetWindowRect(t, &r);
        if (PtInRect(&r, pt)) return ChildFromPoint(t, pt);
    }
    return 0;
}

BOOL ShowWindow(HWND h, int cmd) {
    auto w = Find(h);
    if (!w) return FALSE;
    const bool wasVisible = (w->style & WS_VISIBLE) != 0;
    auto parent = Find(w->parent);
    const bool mdiChild = parent && parent->cls->name == "MDIClient";
    switch (cmd) {
        case SW_HIDE:
            if (wasVisible) {
                w->style &= ~WS_VISIBLE;
                Backend().WindowShown(h, false);
            }
            break;
        case SW_MAXIMIZE:
            if (mdiChild) {
                SendMessageA(w->parent, WM_MDIMAXIMIZE, static_cast<WPARAM>(h), 0);
            } else {
                w->style |= WS_MAXIMIZE;
            }
            [[fallthrough]];
        case SW_SHOW:
        case SW_SHOWNORMAL:
            w = Find(h);
            if (w && !(w->style & WS_VISIBLE)) {
                w->style |= WS_VISIBLE;
                Backend().WindowShown(h, true);
                RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
            }
            break;
        case SW_RESTORE:
            if (mdiChild) SendMessageA(w->parent, WM_MDIRESTORE, static_cast<WPARAM>(h), 0);
            else w->style &= ~WS_MAXIMIZE;
            break;
        default: break;
    }
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND h) {
    for (auto w = Find(h); w; w = Find(w->parent)) {
        if (!(w->style & WS_VISIBLE)) return FALSE;
        if (w->parent == 0) return TRUE;
    }
    return FALSE;
}

BOOL IsZoomed(HWND h) {
    auto w = Find(h);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

}  // namespace user32
