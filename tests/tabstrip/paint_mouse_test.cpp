#include <glib.h>

#include "gfx/CMemoryDC.h"
#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

namespace {
int32_t CaptionWidth(const std::shared_ptr<StdFont>& font, bool bold, const std::u16string& text) {
    CMemoryDC dc;
    dc.Width(10);
    dc.Height(10);
    auto f = std::make_shared<StdFont>(*font);
    f->Bold(bold);
    dc.Font(f);
    return dc.TextWidth(text);
}
}  // namespace

TEST_F(StripTest, LayoutMakesTabsWiderThanTheirCaptions) {
    strip->Style(0);
    HWND a = NewPage("首页 Home");
    HWND b = NewPage("这是一个超过十个字符的标题");
    strip->DrawTabs(client);
    ASSERT_EQ(strip->m_aTabRect.size(), 3u);
    const RECT& ra = strip->m_aTabRect[1];
    const RECT& rb = strip->m_aTabRect[2];
    EXPECT_EQ(ra.left, 4);
    EXPECT_EQ(ra.top, 3);
    EXPECT_EQ(ra.bottom, 23);
    EXPECT_EQ(ra.right - ra.left, CaptionWidth(strip->Font(), false, u"首页 Home") + 32);
    EXPECT_EQ(rb.left, ra.right);
    EXPECT_EQ(rb.right - rb.left, CaptionWidth(strip->Font(), true, u"这是一个超过十个字符") + 32);
    EXPECT_EQ(Active(), b);
    strip->DrawIcons(false);
    EXPECT_EQ(strip->m_aTabRect[1].right - strip->m_aTabRect[1].left,
              CaptionWidth(strip->Font(), false, u"首页 Home") + 12);
    (void)a;
}

TEST_F(StripTest, ColorChangedOncePerActivationChange) {
    strip->Style(0);
    HWND a = NewPage("A");
    NewPage("B");
    colors.clear();
    strip->DrawTabs(client);
    strip->DrawTabs(client);
    EXPECT_EQ(colors.size(), 0u);  // the activation was already painted
    SendMessageA(client, WM_MDIACTIVATE, a, 0);
    EXPECT_EQ(colors.size(), 1u);
    EXPECT_EQ(colors[0], strip->m_lColorBack);
    strip->DrawTabs(client);
    EXPECT_EQ(colors.size(), 1u);
}

TEST_F(StripTest, StyleZeroPixels) {
    strip->Style(0);
    NewPage("A");
    strip->DrawTabs(client);
    const uint32_t shadow = Px(GetSysColor(COLOR_BTNSHADOW));
    const uint32_t face = Px(GetSysColor(COLOR_BTNFACE));
    const uint32_t light = Px(GetSysColor(COLOR_BTNHIGHLIGHT));
    const RECT& r = strip->m_aTabRect[1];
    EXPECT_EQ(Pixel(0, 10), shadow);             // outer strip edge
    EXPECT_EQ(Pixel(1, 10), face);               // middle frame line
    EXPECT_EQ(Pixel(0, 100), shadow);            // client frame, outer line
    EXPECT_EQ(Pixel(2, 100), shadow);            // client frame, inner line
    EXPECT_EQ(Pixel(r.right + 40, 22), light);   // base line of the tab row, band row H-3
    EXPECT_EQ(Pixel(r.left + 2 + 1, r.top), light);  // active tab top edge: tab row column l shows at band column l + 2
    EXPECT_EQ(Pixel(10, 24), face);              // row H-1
}

TEST_F(StripTest, EmptyStripIsApplicationWorkspace) {
    strip->Style(0);
    strip->DrawTabs(client);
    EXPECT_EQ(Pixel(100, 10), Px(GetSysColor(COLOR_APPWORKSPACE)));
    EXPECT_EQ(strip->m_hWndLastActive, 0u);
}

TEST_F(StripTest, AutoScrollBringsTheActiveTabIntoView) {
    strip->Style(0);
    std::vector<HWND> p;
    for (int i = 0; i < 30; ++i) {
        p.push_back(NewPage("第" + std::to_string(i) + "页 Page"));
        strip->DrawTabs(client);
    }
    RECT wr;
    GetWindowRect(client, &wr);
    const int W = wr.right - wr.left;
    // The last one is active: its right edge ends at W - 49.
    EXPECT_EQ(strip->m_aTabRect[30].right - strip->m_lScrollX, W - 49);
    // The first tab is hidden on the left: left minus 30, or 0.
    SendMessageA(client, WM_MDIACTIVATE, p[0], 0);
    EXPECT_EQ(strip->m_lScrollX, 0);
    // A middle tab hidden on the right leaves 30 pixels.
    SendMessageA(client, WM_MDIACTIVATE, p[20], 0);
    EXPECT_EQ(strip->m_aTabRect[21].right - strip->m_lScrollX, W - 79);
    const int32_t before = strip->m_lScrollX;
    strip->ScrollLeft();
    EXPECT_EQ(strip->m_lScrollX, std::max(0, before - 33));
    strip->m_lScrollX = 20;
    strip->ScrollLeft();
    EXPECT_EQ(strip->m_lScrollX, 0);
}

TEST_F(StripTest, PressOnATabActivatesItAndReleaseReportsTheClick) {
    strip->Style(0);
    HWND a = NewPage("A");
    strip->DrawTabs(client);
    HWND b = NewPage("B");
    strip->DrawTabs(client);
    ASSERT_EQ(Active(), b);
    const RECT ra = strip->m_aTabRect[1];
    const POINT pa = BandPoint((ra.left + ra.right) / 2 + 2 - 1, 12);
    DispatchMouseInput(pa, WM_LBUTTONDOWN);
    EXPECT_EQ(Active(), a);  // on the press
    EXPECT_EQ(GetCapture(), client);
    DispatchMouseInput(pa, WM_LBUTTONUP);
    EXPECT_EQ(GetCapture(), 0u);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].hwnd, a);
    EXPECT_EQ(clicks[0].button, 1);
    EXPECT_LT(clicks[0].y, 0);
    // A right click on an inactive tab activates it too.
    const RECT rb = strip->m_aTabRect[2];
    const POINT pb = BandPoint((rb.left + rb.right) / 2, 12);
    DispatchMouseInput(pb, WM_RBUTTONUP);
    EXPECT_EQ(Active(), b);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].button, 2);
}

TEST_F(StripTest, ClickOnTheEmptyBandRaisesTabBarClick) {
    strip->Style(4);
    NewPage("A");
    strip->DrawTabs(client);
    for (int y : {0, 24}) {
        barClicks.clear();
        DispatchMouseInput(BandPoint(400, y), WM_LBUTTONUP);
        ASSERT_EQ(barClicks.size(), 1u);
        EXPECT_EQ(barClicks[0].y, y - 25);
        EXPECT_EQ(barClicks[0].x, 400 - 3);
    }
}

TEST_F(StripTest, CloseButtonClosesTheActivePage) {
    strip->Style(4);
    HWND a = NewPage("A");
    strip->DrawTabs(client);
    HWND b = NewPage("B");
    strip->DrawTabs(client);
    const RECT c = strip->m_rcClose;
    const POINT pc = BandPoint((c.left + c.right) / 2 + 1, 12);
    DispatchMouseInput(pc, WM_MOUSEMOVE);
    EXPECT_EQ(strip->m_lHotButton, 3);
    EXPECT_EQ(GetCapture(), client);
    DispatchMouseInput(pc, WM_LBUTTONDOWN);
    DispatchMouseInput(pc, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindow(b));
    EXPECT_TRUE(IsWindow(a));
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_TRUE(IsRedrawEnabled(client));
}

TEST_F(StripTest, ScrollButtonRepeatsWhileHeld) {
    strip->Style(0);
    for (int i = 0; i < 30; ++i) {
        NewPage("第" + std::to_string(i) + "页 Page");
        strip->DrawTabs(client);
    }
    SendMessageA(client, WM_MDIACTIVATE, GetChildren(client).back(), 0);  // the first page
    ASSERT_EQ(strip->m_lScrollX, 0);
    const RECT r = strip->m_rcScrollRight;
    const POINT p = BandPoint((r.left + r.right) / 2 + 1, 12);
    DispatchMouseInput(p, WM_MOUSEMOVE);
    DispatchMouseInput(p, WM_LBUTTONDOWN);
    EXPECT_EQ(strip->m_lScrollX, 33);
    EXPECT_TRUE(strip->m_oTimer->Enabled());
    const gint64 end = g_get_monotonic_time() + 400 * 1000;
    while (g_get_monotonic_time() < end) g_main_context_iteration(nullptr, FALSE);
    EXPECT_GT(strip->m_lScrollX, 33);
    DispatchMouseInput(BandPoint(10, 300), WM_LBUTTONUP);  // released anywhere
    EXPECT_FALSE(strip->m_oTimer->Enabled());
}

TEST_F(StripTest, PaintPassesLeakNothing) {
    NewPage("A");
    NewPage("第二页");
    for (int s : {0, 1, 2, 3, 4}) {
        strip->Style(s);
        strip->DrawTabs(client);
    }
    const size_t windows = LiveWindowCount(), procs = LiveWndProcCount(), timers = LiveTimerCount();
    const size_t gdi = gdi32::LiveObjectCount();
    for (int i = 0; i < 10000; ++i) {
        if (i % 100 == 0) strip->Style(i / 100 % 5);
        if (i % 2) strip->m_tabRowMemo.key.clear();  // every other pass draws the tab row again
        strip->DrawTabs(client);
    }
    EXPECT_EQ(gdi32::LiveObjectCount(), gdi);
    // Page windows opened and closed, each repainting the band on the way.
    strip->Style(4);
    for (int i = 0; i < 1000; ++i) {
        const HWND h = NewPage("页 " + std::to_string(i));
        strip->DrawTabs(client);
        SendMessageA(h, WM_CLOSE, 0, 0);
        strip->DrawTabs(client);
    }
    EXPECT_EQ(strip->m_colTabs.Count(), 2u);
    EXPECT_EQ(gdi32::LiveObjectCount(), gdi);
    EXPECT_EQ(LiveWindowCount(), windows);
    EXPECT_EQ(LiveWndProcCount(), procs);
    EXPECT_EQ(LiveTimerCount(), timers);
}

TEST_F(StripTest, TheFirstPassInTheDefaultStyleMeasuresCaptions) {
    // Loaded with style 4 and never painted with tabs: the tab-row surface
    // has no size yet when the first page window arrives.
    ASSERT_EQ(strip->Style(), 4);
    const HWND a = NewPage("青禾坊 Community");
    ASSERT_EQ(strip->m_colTabs.Count(), 1u);
    ASSERT_EQ(Active(), a);
    const RECT r = strip->m_aTabRect[1];
    // The caption is the title's first ten UTF-16 units.
    EXPECT_EQ(r.right - r.left, CaptionWidth(strip->Font(), true, u"青禾坊 Commun") + 32);
}
