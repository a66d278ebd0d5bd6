// What the strip does with the messages of the MDI client and the frame:
// reserving the band, repainting, and the whole mouse behaviour of the band.
#include <cmath>

#include "platform/user32.h"
#include "tabstrip/xsMDITabs.h"

using namespace user32;

void xsMDITabs::Before(bool& bHandled, LRESULT& lReturn, HWND&, UINT& uMsg, WPARAM& wParam,
                       LPARAM& lParam) {
    switch (uMsg) {
        case WM_NCCALCSIZE: {
            if (wParam == 0) return;
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
            NCCALCSIZE_PARAMS nc = *p;
            const WINDOWPOS wp = *nc.lppos;
            nc.rgrc[0] = RECT{wp.x + 3, wp.y + m_lStripHeight, wp.x + wp.cx - 3, wp.y + wp.cy - 3};
            nc.rgrc[1] = nc.rgrc[0];
            *p = nc;
            bHandled = true;
            lReturn = WVR_VALIDRECTS;
            return;
        }
        case WM_WINDOWPOSCHANGING:
        case WM_WINDOWPOSCHANGED: DrawTabs(m_hWndClient); return;
        case WM_ACTIVATE:
            m_bFrameActive = LOWORD(wParam) != 0;
            DrawTabs(m_hWndClient);
            return;
        default: return;
    }
}

void xsMDITabs::RaiseTabColor(int32_t t) {
    int32_t color = 0;  // styles 1 and 4 have no colour of their own here: black
    switch (m_lStyle) {
        case 0:
        case 2: color = static_cast<int32_t>(0x8000000F); break;
        case 3: color = m_aTabColors.at(static_cast<size_t>(m_colTabColor.Item(static_cast<size_t>(t)) - 1)); break;
        default: break;
    }
    RaiseColorChanged(color);
}

void xsMDITabs::ActivateTab(HWND hWnd) {
    const HWND active = static_cast<HWND>(SendMessageA(m_hWndClient, WM_MDIGETACTIVE, 0, 0));
    if (active != hWnd) SendMessageA(m_hWndClient, WM_MDIACTIVATE, static_cast<WPARAM>(hWnd), 0);
}

void xsMDITabs::After(LRESULT&, HWND, UINT uMsg, WPARAM, LPARAM lParam) {
    // The sink may run the frame's handlers, which may close the strip's window.
    auto keep = shared_from_this();
    switch (uMsg) {
        case WM_MDIACTIVATE:
        case WM_NCPAINT:
        case 0xAE:
        case WM_GETICON: DrawTabs(m_hWndClient); return;
        case WM_SYSCOLORCHANGE: SetStyleColors(); return;
        case WM_SETCURSOR: {
            if (LOWORD(static_cast<uintptr_t>(lParam)) != 0) return;
            const UINT mouse = HIWORD(static_cast<uintptr_t>(lParam)) & 0x7FFF;
            if (mouse == WM_MOUSEMOVE) {
                const int32_t z = HitTest().first;
                if (z == m_lHotButton) return;
                if (m_lHotButton == 0) SetCapture(m_hWndClient);
                m_lHotButton = z;
                DrawTabs(m_hWndClient);
            } else if (mouse == WM_LBUTTONDOWN) {
                const auto [z, t] = HitTest();
                if (z > 0) {
                    if (m_lHotButton == 0) SetCapture(m_hWndClient);
                    m_lPressedButton = z;
                    m_lHotButton = z;
                    DrawTabs(m_hWndClient);
                } else if (t > 0) {
                    m_bDragWait = true;
                    m_lDragTab = t;
                    GetCursorPos(&m_ptDragStart);
                    SetCapture(m_hWndClient);
                    SendMessageA(m_hWndClient, WM_SETREDRAW, FALSE, 0);
                    ActivateTab(m_colTabs.Item(static_cast<size_t>(t)));
                    SendMessageA(m_hWndClient, WM_SETREDRAW, TRUE, 0);
                    RedrawWindow(m_hWndClient, nullptr, 0, RDW_INVALIDATE | RDW_ALLCHILDREN);
                    SetFocus(m_hWndClient);
                    DrawTabs(m_hWndClient);
                }
            } else if (mouse == WM_LBUTTONUP || mouse == WM_RBUTTONUP) {
                if (m_lDragTab != 0) return;
                int16_t button = mouse == WM_LBUTTONUP ? 1 : 2;
                POINT c = CursorInClient();
                int32_t x = c.x, y = c.y;
                if (button == 2) {
                    const int32_t t = HitTest().second;
                    if (t > 0) {
                        HWND tab = m_colTabs.Item(static_cast<size_t>(t));
                        ActivateTab(tab);
                        RaiseTabClick(tab, button, x, y);
                        RaiseTabColor(t);
                        return;
                    }
                }
                RaiseTabBarClick(button, x, y);
            }
            return;
        }
        case WM_MOUSEMOVE: {
            // A page closed while its tab is held leaves the drag without a tab.
            if (m_lDragTab > 0 && static_cast<size_t>(m_lDragTab) < m_aTabRect.size() &&
                static_cast<size_t>(m_lDragTab) <= m_colTabs.Count()) {
                const int32_t t = HitTest().second;
                POINT p{};
                GetCursorPos(&p);
                if (m_bDragWait) {
                    if (t == m_lDragTab) {
                        m_bDragWait = false;
                    } else {
                        const RECT& r = m_aTabRect.at(static_cast<size_t>(m_lDragTab));
                        const double w = r.right - r.left;
                        if (std::abs(static_cast<double>(p.x - m_ptDragStart.x)) <= w / 2) return;
                        m_bDragWait = false;
                    }
                }
                POINT c = p;
                ScreenToClient(m_hWndClient, &c);
                const int32_t px = c.x + m_lScrollX, py = c.y + m_lStripHeight;
                const size_t n = m_colTabs.Count();
                int32_t target = 0;
                if (n > 0 && m_aTabRect.size() > n && m_aTabRect[1].top < py && py < m_aTabRect[1].bottom) {
                    if (m_aTabRect[1].left - 3 < px && px < m_aTabRect[1].left) target = 1;
                    else if (m_aTabRect[n].right < px && px < m_aTabRect[n].right + 3) target = static_cast<int32_t>(n);
                    else
                        for (size_t i = 1; i <= n; ++i)
                            if (m_aTabRect[i].left <= px && px <= m_aTabRect[i].right) {
                                target = static_cast<int32_t>(i);
                                break;
                            }
                }
                if (target != 0 && target != m_lDragTab) MoveTab(m_lDragTab, target);
            }
            if (m_lHotButton >= 1) {
                const int32_t z = HitTest().first;
                if (z == m_lHotButton) return;
                if (z == 0 && m_lPressedButton == 0) ReleaseCapture();
                m_lHotButton = z;
                DrawTabs(m_hWndClient);
            }
            return;
        }
        case WM_LBUTTONDOWN: {
            const int32_t z = HitTest().first;
            if (z < 1) return;
            SetCapture(m_hWndClient);
            m_lPressedButton = z;
            m_lHotButton = z;
            if (z == 1 && CanScrollLeft()) {
                ScrollLeft();
                m_oTimer->Enabled(true);
            } else if (z == 2 && CanScrollRight()) {
                ScrollRight();
                m_oTimer->Enabled(true);
            }
            DrawTabs(m_hWndClient);
            return;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP: {
            m_oTimer->Enabled(false);
            if (m_lDragTab > 0) {
                const int32_t t = HitTest().second;
                // The pressed tab's page may have closed meanwhile.
                if (static_cast<size_t>(m_lDragTab) <= m_colTabs.Count())
                    ActivateTab(m_colTabs.Item(static_cast<size_t>(m_lDragTab)));
                ReleaseCapture();
                const int16_t button = uMsg == WM_LBUTTONUP ? 1 : 2;
                if (t > 0) {
                    const POINT c = CursorInClient();
                    RaiseTabClick(m_colTabs.Item(static_cast<size_t>(t)), button, c.x, c.y);
                    RaiseTabColor(t);
                }
                m_lDragTab = 0;
            }
            if (m_lPressedButton >= 1) {
                ReleaseCapture();
                m_lPressedButton = 0;
                m_lHotButton = 0;
                const int32_t z = HitTest().first;
                const HWND active = static_cast<HWND>(SendMessageA(m_hWndClient, WM_MDIGETACTIVE, 0, 0));
                if (z == 3 && active) {
                    const bool many = m_aTabRect.size() > 2;  // more than one entry at the last layout
                    if (many) SendMessageA(m_hWndClient, WM_SETREDRAW, FALSE, 0);
                    SendMessageA(active, WM_CLOSE, 0, 0);
                    if (many) SendMessageA(m_hWndClient, WM_SETREDRAW, TRUE, 0);
                }
                ReleaseCapture();
                DrawTabs(m_hWndClient);
            }
            return;
        }
        default: return;
    }
}

void xsMDITabs::m_oTimer_Timer() {
    if (CanScrollLeft() && m_lHotButton == 1) {
        ScrollLeft();
        DrawTabs(m_hWndClient);
    } else if (CanScrollRight() && m_lHotButton == 2) {
        ScrollRight();
        DrawTabs(m_hWndClient);
    }
}
