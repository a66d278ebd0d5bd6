// Single pixels of the band that the look of each style names: buttons and
// arrows, separators, the style-1 differences, the slanted shapes and their
// clipping, the strip's shading and the colours without an active page.
#include "gfx/CMemoryDC.h"
#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

namespace {
// A colour value as the window surface stores it.
uint32_t Rgb(int32_t colour) {
    const auto c = static_cast<COLORREF>(colour);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}
uint32_t Sys(int index) { return Rgb(static_cast<int32_t>(GetSysColor(index))); }
// Band column of tab-row column x with nothing scrolled.
int Band(int x) { return x + 2; }
}  // namespace

TEST_F(StripTest, ButtonFramesGlyphShiftAndHollowArrows) {
    strip->Style(0);
    NewPage("A");
    strip->DrawTabs(client);
    const RECT sl = strip->m_rcScrollLeft, sr = strip->m_rcScrollRight, cl = strip->m_rcClose;
    const uint32_t glyph = Sys(COLOR_3DDKSHADOW), back = Rgb(strip->m_lColorBack);
    const uint32_t light = Sys(COLOR_3DLIGHT), dark = Sys(COLOR_WINDOWTEXT);
    // Nothing scrolled: the left arrow keeps only its border.
    const int ax = sl.right - 6;
    EXPECT_EQ(Pixel(ax, 10), glyph);      // tip column
    EXPECT_EQ(Pixel(ax - 1, 8), glyph);   // border
    EXPECT_EQ(Pixel(ax - 1, 10), back);   // hollowed
    // The right arrow asks CanScrollRight before this pass stores the button
    // rectangles: with the previous pass's all-zero rectangle it shows enabled.
    strip->m_rcScrollLeft = RECT{};
    strip->DrawTabs(client);
    EXPECT_EQ(Pixel(sr.left + 5, 10), glyph);
    strip->DrawTabs(client);
    EXPECT_EQ(Pixel(sr.left + 5, 10), back);
    EXPECT_EQ(Pixel(sr.left + 5, 8), glyph);

    const struct {
        int hot, pressed;
        uint32_t leftEdge, rightEdge;
    } looks[] = {
        {0, 0, back, back},   // plain
        {3, 0, light, dark},  // raised
        {3, 3, dark, light},  // sunken
        {0, 3, back, back},   // pressed but not hot: no frame
    };
    for (const auto& l : looks) {
        strip->m_lHotButton = l.hot;
        strip->m_lPressedButton = l.pressed;
        strip->DrawTabs(client);
        EXPECT_EQ(Pixel(cl.left, cl.top + 7), l.leftEdge) << l.hot << l.pressed;
        EXPECT_EQ(Pixel(cl.right - 1, cl.top + 7), l.rightEdge) << l.hot << l.pressed;
    }
    // A pressed arrow moves one pixel right and down.
    for (int pressed : {0, 2}) {
        strip->m_lHotButton = 0;
        strip->m_lPressedButton = pressed;
        strip->DrawTabs(client);
        EXPECT_EQ(Pixel(sr.left + 5, 16), pressed ? glyph : back) << pressed;
        EXPECT_EQ(Pixel(sr.left + 4, 7), pressed ? back : glyph) << pressed;
    }
    strip->m_lPressedButton = 0;
}

TEST_F(StripTest, StylesZeroAndOneTabEdgesAndSeparators) {
    NewPage("A");
    NewPage("B");
    const HWND c = NewPage("C");
    for (int style : {0, 1}) {
        strip->Style(style);
        strip->DrawTabs(client);
        ASSERT_EQ(Active(), c);
        const RECT r1 = strip->m_aTabRect[1], r3 = strip->m_aTabRect[3];
        // The inactive first tab's separator, in the first column of the next tab.
        EXPECT_EQ(Pixel(Band(r1.right), 10), Sys(COLOR_BTNSHADOW)) << style;
        EXPECT_EQ(Pixel(Band(r1.right), r1.top + 1), Rgb(strip->m_lColorBack)) << style;
        // The active tab's left edge and its fill over the base line.
        EXPECT_EQ(Pixel(Band(r3.left), 12), style == 0 ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNSHADOW));
        EXPECT_EQ(Pixel(Band(r3.right - 1), 12), style == 0 ? Sys(COLOR_APPWORKSPACE) : Sys(COLOR_BTNSHADOW));
        EXPECT_EQ(Pixel(Band(r3.left + 3), 22), Sys(COLOR_BTNFACE)) << style;
        EXPECT_EQ(Pixel(Band(r1.left + 3), 22), Sys(COLOR_BTNHIGHLIGHT)) << style;  // base line
        // Row H-2: the middle frame line, or style 1's underline from x = 0.
        EXPECT_EQ(Pixel(10, 23), style == 0 ? Sys(COLOR_BTNFACE) : Sys(COLOR_BTNSHADOW)) << style;
        EXPECT_EQ(Pixel(1, 23), style == 0 ? Sys(COLOR_BTNFACE) : Sys(COLOR_BTNSHADOW)) << style;
    }
}

TEST_F(StripTest, StyleThreeShapesLinesAndClipping) {
    strip->Style(3);
    NewPage("Alpha");
    const HWND beta = NewPage("Beta");
    NewPage("Gamma");
    SendMessageA(client, WM_MDIACTIVATE, beta, 0);
    const RECT r1 = strip->m_aTabRect[1], r2 = strip->m_aTabRect[2], r3 = strip->m_aTabRect[3];
    ASSERT_EQ(r1.left, 18);
    ASSERT_EQ(r2.left, r1.right - 1);  // neighbours share a column
    const uint32_t shadow = Sys(COLOR_BTNSHADOW);
    const int32_t own = strip->m_aTabColors[static_cast<size_t>(strip->m_colTabColor.Item(2) - 1)];
    const int bottom = r2.bottom - 1;  // row H-3
    // Shape A for the first tab: its slanted side starts at column 3 of the row.
    EXPECT_EQ(Pixel(Band(r1.left - 15), r1.bottom - 2), shadow);
    EXPECT_EQ(Pixel(Band(r1.left - 15), bottom), shadow);  // line 11 of a first tab that is not active
    // Line 11 of the active tab recolours row H-3 under it, from l-15 to r-1.
    EXPECT_EQ(Pixel(Band(r2.left - 15), bottom), Rgb(own));
    EXPECT_EQ(Pixel(Band(r2.right - 1), bottom), Rgb(own));
    EXPECT_EQ(Pixel(Band(r2.left - 16), bottom), shadow);
    EXPECT_EQ(Pixel(Band(r2.right), bottom), shadow);
    // The tab after the active one is shape B: no slanted side of its own.
    EXPECT_EQ(Pixel(Band(r3.left + 1), r3.top + 3), shadow);
    EXPECT_NE(Pixel(Band(r3.left - 15), r3.bottom - 2), shadow);
    // The active tab's fill shows exactly inside its polygon.
    const int l = r2.left, t = r2.top, r = r2.right, b = r2.bottom;
    const POINT poly[5] = {{l - 12, b - 2}, {l + 3, t + 3}, {l + 8, t + 1}, {r - 2, t + 2}, {r - 3, b - 1}};
    HRGN rgn = gdi32::CreatePolygonRgn(poly, 5, gdi32::ALTERNATE);
    int inside = 0;
    // The slanted side, left of the icon; the gradient is the same along a row.
    for (int y = t + 4; y <= b - 3; ++y) {
        ASSERT_TRUE(gdi32::PtInRegion(rgn, l + 4, y));
        const uint32_t fill = Pixel(Band(l + 4), y);
        for (int x = l - 16; x <= l + 4; ++x) {
            const bool in = gdi32::PtInRegion(rgn, x, y) != 0;
            inside += in;
            EXPECT_EQ(Pixel(Band(x), y) == fill, in) << x << "," << y;
        }
    }
    gdi32::DeleteObject(rgn);
    EXPECT_GT(inside, 80);
    // The strip shades from button face in the top row to Gs in row H-4.
    CMemoryDC dc;
    const int32_t gs = dc.LightenColor(dc.TranslateColor(static_cast<int32_t>(0x8000000F)),
                                       dc.TranslateColor(static_cast<int32_t>(0x80000005)), 205);
    EXPECT_EQ(Pixel(0, 0), Sys(COLOR_BTNFACE));
    EXPECT_EQ(Pixel(0, 21), Rgb(gs));
}

TEST_F(StripTest, WithoutAnActivePageTheSlantedStylesUseTheWorkspaceColour) {
    // A page window that was never activated.
    CreateWindowExA(0, "TestPageForm", "idle", WS_CHILD | WS_VISIBLE, 0, 0, 200, 100, client);
    ASSERT_EQ(Active(), 0u);
    for (int style : {3, 4}) {
        strip->Style(style);
        strip->DrawTabs(client);
        ASSERT_EQ(strip->m_colTabs.Count(), 1u);
        EXPECT_EQ(Pixel(1, 100), Sys(COLOR_APPWORKSPACE)) << style;  // the frame's second line
        EXPECT_EQ(Pixel(10, 23), Sys(COLOR_APPWORKSPACE)) << style;  // row H-2 of the strip
    }
    // Style 2 treats the first tab as the one after the active tab: no left edge.
    strip->Style(2);
    strip->DrawTabs(client);
    const RECT r = strip->m_aTabRect[1];
    EXPECT_EQ(Pixel(r.left + 0, 15), Sys(COLOR_BTNFACE));  // style 2 shows the row at column 0
    EXPECT_EQ(Pixel(r.right - 1, 15), Sys(COLOR_3DDKSHADOW));
}

TEST_F(StripTest, StyleFourEdgesAndTheWhiteActiveTab) {
    strip->Style(4);
    NewPage("Alpha");
    const HWND b = NewPage("Beta");
    NewPage("Gamma");
    SendMessageA(client, WM_MDIACTIVATE, b, 0);
    const RECT r1 = strip->m_aTabRect[1], r2 = strip->m_aTabRect[2];
    const uint32_t edge = 0x7F9DB9;  // 0xB99D7F as red, green, blue
    EXPECT_EQ(Pixel(Band(r2.left - 15), r2.bottom - 2), edge);  // active: outer edge blue-grey
    EXPECT_EQ(Pixel(Band(r1.left - 15), r1.bottom - 2), Sys(COLOR_BTNSHADOW));  // first, inactive
    EXPECT_EQ(Pixel(Band(r1.left - 15), r1.bottom - 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(Band(r2.left + 3), 12), 0xFFFFFFu);  // inside the polygon, left of the icon
    EXPECT_EQ(Pixel(0, 10), Sys(COLOR_BTNSHADOW));  // the left line at x = 0
    // Style 4 draws its palette in nothing, yet the frame's second line is
    // button highlight while a page is active.
    EXPECT_EQ(Pixel(1, 100), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(StripTest, StyleThreeKeepsEachPaletteColourInItsOwnChannels) {
    // Palette entry 2 is (255, 219, 117): its light end mixes 255 with white's 255.
    strip->Style(3);
    NewPage("One");
    const HWND two = NewPage("Two");
    NewPage("Three");
    SendMessageA(client, WM_MDIACTIVATE, two, 0);
    ASSERT_EQ(strip->m_colTabColor.Item(2), 2);
    const RECT r = strip->m_aTabRect[2];
    for (int y = r.top + 4; y <= r.bottom - 3; ++y) {
        const uint32_t p = Pixel(Band(r.left + 4), y);
        EXPECT_EQ(p >> 16, 255u) << y;                // red stays full from top to bottom
        EXPECT_GE((p >> 8) & 0xFF, 219u) << y;        // green between 219 and the light end
        EXPECT_GE(p & 0xFF, 117u) << y;
    }
}
