// The default window procedure: what every window does with a message its own
// procedure passes on. Text messages carry UTF-16 text in this layer.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/window_internal.h"

namespace user32 {

using namespace detail;

namespace {

// The non-client edges a window has without any procedure reserving more.
RECT EdgeInsets(const Window& w) {
    int e = 0;
    if (w.exStyle & WS_EX_CLIENTEDGE) e += 2;
    if (w.style & WS_BORDER) e += 1;
    return RECT{e, e, e, e};
}

void Inset(RECT& r, const RECT& by) {
    r.left += by.left;
    r.top += by.top;
    r.right -= by.right;
    r.bottom -= by.bottom;
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
}

bool IsMdiChild(const Window& w) {
    if (w.exStyle & WS_EX_MDICHILD) return true;
    auto p = Find(w.parent);
    return p && p->cls->name == "MDIClient";
}

void FillClientBackground(HWND h, const Window& w) {
    if (w.cls->backgroundSysColor < 0) return;
    const COLORREF c = GetSysColor(w.cls->backgroundSysColor);
    const uint32_t px = (static_cast<uint32_t>(GetRValue(c)) << 16) |
                        (static_cast<uint32_t>(GetGValue(c)) << 8) | GetBValue(c);
    Surface& s = *w.surface;
    s.Touch();
    const RECT cr = w.client;
    const int x0 = std::clamp<int>(cr.left, 0, s.width), x1 = std::clamp<int>(cr.right, 0, s.width);
    const int y0 = std::clamp<int>(cr.top, 0, s.height), y1 = std::clamp<int>(cr.bottom, 0, s.height);
    for (int y = y0; y < y1; ++y) std::fill(s.Row(y) + x0, s.Row(y) + x1, px);
    if (x1 > x0 && y1 > y0) NotifySurfaceChanged(h, RECT{x0, y0, x1, y1});
}

}  // namespace

LRESULT DefWindowProcW(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto w = Find(h);
    if (!w) return 0;
    switch (msg) {
        case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
        case WM_GETTEXT: {
            auto* buf = reinterpret_cast<char16_t*>(lParam);
            if (!buf || wParam == 0) return 0;
            const size_t n = std::min<size_t>(w->text.size(), wParam - 1);
            std::copy_n(w->text.data(), n, buf);
            buf[n] = u'\0';
            return static_cast<LRESULT>(n);
        }
        case WM_SETTEXT: {
            const auto* s = reinterpret_cast<const char16_t*>(lParam);
            w->text = s ? std::u16string(s) : std::u16string();
            Backend().TextChanged(h);
            return TRUE;
        }
        case WM_NCCALCSIZE: {
            const RECT in = EdgeInsets(*w);
            if (wParam) {
                auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
                if (p) Inset(p->rgrc[0], in);
            } else {
                auto* r = reinterpret_cast<RECT*>(lParam);
                if (r) Inset(*r, in);
            }
            return 0;
        }
        case WM_NCHITTEST: {
            POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            RECT wr;
            GetWindowRect(h, &wr);
            if (!PtInRect(&wr, pt)) return HTNOWHERE;
            RECT cr = w->client;
            OffsetRect(&cr, wr.left, wr.top);
            if (PtInRect(&cr, pt)) return HTCLIENT;
            if ((w->style & WS_CAPTION) == WS_CAPTION) return HTCAPTION;
            if ((w->style & WS_BORDER) || (w->style & WS_THICKFRAME)) return HTBORDER;
            return HTNOWHERE;
        }
        case WM_SETCURSOR:
            // A child offers the choice of cursor to its parent first.
            if ((w->style & WS_CHILD) && w->parent &&
                SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam))
                return TRUE;
            return FALSE;
        case WM_CLOSE:
            if (IsMdiChild(*w))
                SendMessageA(w->parent, WM_MDIDESTROY, static_cast<WPARAM>(h), 0);
            else
                DestroyWindow(h);
            return 0;
        case WM_GETICON:
            return static_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
        case WM_SETICON: {
            HICON& slot = wParam == ICON_BIG ? w->iconBig : w->iconSmall;
            const HICON old = slot;
            slot = static_cast<HICON>(lParam);
            return static_cast<LRESULT>(old);
        }
        case WM_SETREDRAW:
            w->redraw = wParam != 0;
            return 0;
        case WM_NCPAINT:
            w->needNcPaint = false;
            return 0;
        case WM_ERASEBKGND:
            w->needErase = false;
            FillClientBackground(h, *w);
            return TRUE;
        case WM_PAINT:
            w->needPaint = false;
            return 0;
        case WM_WINDOWPOSCHANGED: {
            const auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
            if (!wp) return 0;
            if (!(wp->flags & SWP_NOMOVE))
                SendMessageA(h, WM_MOVE, 0, MAKELPARAM(w->rect.left + w->client.left,
                                                       w->rect.top + w->client.top));
            if (!(wp->flags & SWP_NOSIZE) || (wp->flags & SWP_FRAMECHANGED)) {
                auto again = Find(h);
                if (!again) return 0;
                const WPARAM kind = (again->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
                SendMessageA(h, WM_SIZE, kind,
                             MAKELPARAM(again->client.Width(), again->client.Height()));
            }
            return 0;
        }
        case WM_MOUSEACTIVATE: return 1;  // activate
        default: return 0;
    }
}

LRESULT DefWindowProcA(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(h, msg, wParam, lParam);
}

}  // namespace user32
