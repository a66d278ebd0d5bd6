#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

TEST_F(StripTest, StyleTwoWidensTheActiveTabForHitTesting) {
    strip->Style(2);
    HWND a = NewPage("A");
    strip->DrawTabs(client);
    HWND b = NewPage("B");
    NewPage("C");
    SendMessageA(client, WM_MDIACTIVATE, b, 0);
    const RECT ra = strip->m_aTabRect[1], rb = strip->m_aTabRect[2], rc = strip->m_aTabRect[3];
    EXPECT_EQ(ra.left, 2);
    EXPECT_EQ(rb.left, ra.right - 2);  // widened by two on each side
    EXPECT_EQ(rc.left, rb.right - 2);
    // Band column = tab-row column + 2 - scroll; hit testing shifts by one.
    const struct {
        int tabRowX;
        int tab;
    } cases[] = {{rb.left + 1, 1},   // the two columns left of the layout rectangle still hit A
                 {rb.left + 3, 2},
                 {rb.right - 1, 2},  // the two columns right of it hit the active tab
                 {rb.right + 1, 3}};
    for (const auto& c : cases) {
        const POINT p = BandPoint(c.tabRowX + 2 - 1, 12);
        SetCursorPos(p.x, p.y);
        EXPECT_EQ(strip->HitTest().second, c.tab) << c.tabRowX;
    }
    (void)a;
}

TEST_F(StripTest, StyleFourLook) {
    strip->Style(0);
    strip->Style(4);  // the top line takes the outer frame slot that style 0 set
    NewPage("A");
    HWND b = NewPage("B");
    strip->DrawTabs(client);
    ASSERT_EQ(Active(), b);
    const RECT r = strip->m_aTabRect[2];
    const uint32_t white = 0xFFFFFF;
    EXPECT_EQ(Pixel(r.left + 2 + 20, 12), white);  // inside the active tab's polygon
    EXPECT_EQ(Pixel(r.left + 2 + 10, 3), 0x7F9DB9u);  // its top edge in the blue-grey edge colour
    EXPECT_EQ(Pixel(300, 0), Px(GetSysColor(COLOR_BTNSHADOW)));  // top line: m_lColorFrameOuter (sys 16)
    EXPECT_EQ(Pixel(0, 10), Px(GetSysColor(COLOR_BTNSHADOW)));
    // Line 11 of the active tab: row H-3 in button highlight from l-15 to r-1.
    EXPECT_EQ(Pixel(r.left + 2 - 15, 22), Px(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(Pixel(r.right + 2 - 1, 22), Px(GetSysColor(COLOR_BTNHIGHLIGHT)));
    // Button area is button face, not black.
    EXPECT_EQ(Pixel(strip->m_rcScrollLeft.left - 3, 8), Px(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(StripTest, StyleThreeColoursTheFrameWithTheActiveTab) {
    strip->Style(3);
    NewPage("A");
    strip->DrawTabs(client);
    const int32_t color = strip->m_aTabColors[static_cast<size_t>(strip->m_colTabColor.Item(1) - 1)];
    RECT wr;
    GetWindowRect(client, &wr);
    EXPECT_EQ(Pixel(1, 100), Px(static_cast<COLORREF>(color)));  // the frame's second line
    EXPECT_EQ(Pixel(5, 23), Px(static_cast<COLORREF>(color)));    // strip row H-2
    // Switching to 4 keeps the palette numbers; ColorChanged still reports the palette colour.
    const int32_t number = strip->m_colTabColor.Item(1);
    strip->Style(4);
    colors.clear();
    HWND b = NewPage("B");
    strip->DrawTabs(client);
    EXPECT_EQ(strip->m_colTabColor.Item(1), number);
    ASSERT_EQ(colors.size(), 1u);
    EXPECT_EQ(colors[0], strip->m_aTabColors[static_cast<size_t>(strip->m_colTabColor.Item(2) - 1)]);
    (void)b;
}
