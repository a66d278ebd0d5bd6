#include "window_fixture.h"

using namespace user32;
using testwin::Recorder;

namespace {
std::vector<UINT_PTR> g_ticks;
void OnTick(HWND h, UINT msg, UINT_PTR id, DWORD) {
    if (h == 0 && msg == WM_TIMER) g_ticks.push_back(id);
}
}  // namespace

TEST(Timers, FireFromTheLoopUntilKilled) {
    g_ticks.clear();
    const size_t before = LiveTimerCount();
    UINT_PTR a = SetTimer(0, 0, 5, &OnTick);
    UINT_PTR b = SetTimer(0, 0, 5, &OnTick);
    EXPECT_NE(a, 0u);
    EXPECT_NE(a, b);
    ASSERT_TRUE(testwin::RunLoopUntil([&] {
        return std::count(g_ticks.begin(), g_ticks.end(), a) >= 3 &&
               std::count(g_ticks.begin(), g_ticks.end(), b) >= 1;
    }));
    EXPECT_TRUE(KillTimer(0, a));
    EXPECT_FALSE(KillTimer(0, a));
    g_ticks.clear();
    testwin::RunLoopUntil([] { return false; }, 60);
    EXPECT_EQ(std::count(g_ticks.begin(), g_ticks.end(), a), 0);
    EXPECT_GT(std::count(g_ticks.begin(), g_ticks.end(), b), 0);
    KillTimer(0, b);
    EXPECT_EQ(LiveTimerCount(), before);
}

TEST(Painting, InvalidationsArriveFromTheLoopInOrder) {
    Recorder rec("PaintCls", 0, COLOR_APPWORKSPACE);
    HWND h = CreateWindowExA(WS_EX_CLIENTEDGE, rec.cls(), "", WS_VISIBLE, 0, 0, 20, 10, 0);
    FlushPaints();
    rec.log.clear();
    RedrawWindow(h, nullptr, 0, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    EXPECT_TRUE(rec.log.empty());  // nothing until the loop runs
    ASSERT_TRUE(testwin::RunLoopUntil([&] { return !rec.Of(WM_PAINT).empty(); }));
    EXPECT_EQ(rec.Messages(h), (std::vector<UINT>{WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}));
    // The background fills the client area only, in the class's system color.
    auto s = GetWindowSurface(h);
    const COLORREF c = GetSysColor(COLOR_APPWORKSPACE);
    const uint32_t px = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    EXPECT_EQ(s->Row(5)[5], px);
    EXPECT_EQ(s->Row(0)[0], 0u);

    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    rec.log.clear();
    InvalidateRect(h, nullptr, TRUE);
    FlushPaints();
    EXPECT_TRUE(rec.log.empty());
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(h, nullptr, 0, RDW_INVALIDATE | RDW_ALLCHILDREN);
    FlushPaints();
    EXPECT_FALSE(rec.Of(WM_PAINT).empty());
    DestroyWindow(h);
}

TEST(SysColors, ChangesReachEveryWindow) {
    Recorder rec("SysColCls");
    HWND top = CreateWindowExA(0, rec.cls(), "", 0, 0, 0, 10, 10, 0);
    HWND kid = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 5, 5, top);
    const int idx = COLOR_BTNFACE;
    const COLORREF val = RGB(1, 2, 3);
    SetSysColors(1, &idx, &val);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), val);
    EXPECT_EQ(rec.Of(WM_SYSCOLORCHANGE).size(), 2u);
    ResetSysColors();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(240, 240, 240));
    (void)kid;
    DestroyWindow(top);
}
