#include "window_fixture.h"

using namespace user32;
using testwin::Recorder;

TEST(Geometry, NcCalcSizeInsetsByTheEdgesTheWindowHas) {
    Recorder rec("EdgeCls");
    const struct {
        DWORD style, exStyle;
        RECT client;
    } cases[] = {
        {0, 0, {0, 0, 200, 100}},
        {0, WS_EX_CLIENTEDGE, {2, 2, 198, 98}},
        {WS_BORDER, 0, {1, 1, 199, 99}},
        {WS_BORDER, WS_EX_CLIENTEDGE, {3, 3, 197, 97}},
    };
    for (const auto& c : cases) {
        HWND h = CreateWindowExA(c.exStyle, rec.cls(), "", c.style, 10, 20, 200, 100, 0);
        EXPECT_EQ(GetClientRectInWindow(h), c.client);
        RECT cr;
        GetClientRect(h, &cr);
        EXPECT_EQ(cr, (RECT{0, 0, c.client.Width(), c.client.Height()}));
        DestroyWindow(h);
    }
}

TEST(Geometry, SetWindowPosSendsTheFullSequence) {
    Recorder rec("PosCls");
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, rec.cls(), "", 0, 0, 0, 100, 50, 0);
    rec.log.clear();
    SetWindowPos(h, 0, 5, 6, 300, 200, SWP_NOZORDER);
    EXPECT_EQ(rec.Messages(h), (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE,
                                                   WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}));
    ASSERT_EQ(rec.Of(WM_NCCALCSIZE).size(), 1u);
    EXPECT_EQ(rec.Of(WM_NCCALCSIZE)[0].wParam, 1u);
    EXPECT_EQ(rec.Of(WM_SIZE)[0].lParam, MAKELPARAM(296, 196));
    RECT wr;
    GetWindowRect(h, &wr);
    EXPECT_EQ(wr, (RECT{5, 6, 305, 206}));

    // Clearing the edge changes nothing until the frame is recomputed.
    SetWindowLongA(h, GWL_EXSTYLE, GetWindowLongA(h, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    EXPECT_EQ(GetClientRectInWindow(h), (RECT{2, 2, 298, 198}));
    rec.log.clear();
    SetWindowPos(h, 0, 0, 0, 0, 0, 0x227);
    EXPECT_EQ(GetClientRectInWindow(h), (RECT{0, 0, 300, 200}));
    EXPECT_EQ(rec.Messages(h), (std::vector<UINT>{WM_WINDOWPOSCHANGING, WM_NCCALCSIZE,
                                                   WM_WINDOWPOSCHANGED, WM_SIZE}));
    DestroyWindow(h);
}

TEST(Geometry, ReplacedProcedureReservingABandShrinksTheClientArea) {
    Recorder rec("BandCls");
    HWND parent = CreateWindowExA(0, rec.cls(), "", WS_VISIBLE, 100, 100, 800, 600, 0);
    HWND h = CreateWindowExA(0, rec.cls(), "", WS_CHILD | WS_VISIBLE, 10, 40, 400, 300, parent);
    WNDPROC prev = GetWindowLongA(h, GWL_WNDPROC);
    WINDOWPOS seenPos{};
    WNDPROC band = MakeWndProc([&](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_NCCALCSIZE && w) {
            auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
            seenPos = *p->lppos;
            const WINDOWPOS& wp = *p->lppos;
            p->rgrc[0] = RECT{wp.x + 3, wp.y + 25, wp.x + wp.cx - 3, wp.y + wp.cy - 3};
            p->rgrc[1] = p->rgrc[0];
            return WVR_VALIDRECTS;
        }
        return CallWindowProcA(prev, hw, m, w, l);
    });
    SetWindowLongA(h, GWL_WNDPROC, band);
    SetWindowPos(h, 0, 10, 40, 500, 300, SWP_NOZORDER);
    EXPECT_EQ(seenPos.x, 10);
    EXPECT_EQ(seenPos.cx, 500);
    EXPECT_EQ(GetClientRectInWindow(h), (RECT{3, 25, 497, 297}));
    // A point in the band is above the client area: negative client y.
    POINT p{100 + 10 + 50, 100 + 40 + 5};
    ScreenToClient(h, &p);
    EXPECT_EQ(p, (POINT{47, -20}));
    ClientToScreen(h, &p);
    EXPECT_EQ(p, (POINT{160, 145}));
    SetWindowLongA(h, GWL_WNDPROC, prev);
    FreeWndProc(band);
    DestroyWindow(parent);
}

TEST(Geometry, RectangleHelpers) {
    RECT r{1, 2, 11, 12};
    OffsetRect(&r, 5, -2);
    EXPECT_EQ(r, (RECT{6, 0, 16, 10}));
    RECT out;
    const struct {
        RECT a, b;
        BOOL any;
        RECT expected;
    } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 20, 20}, TRUE, {5, 5, 10, 10}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},  // touching edges share nothing
        {{0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.any);
        EXPECT_EQ(out, c.expected);
    }
}
