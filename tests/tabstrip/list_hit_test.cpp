// Scrolling, hit testing, an unknown style, a frame without MDI client and
// the colour slots each loaded style assigns.
#include "platform/gdi/gdi32.h"
#include "strip_fixture.h"

using namespace user32;

namespace {
constexpr int32_t Sys(int n) { return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(n)); }
}  // namespace

TEST_F(StripTest, ScrollingAndClampScroll) {
    // No painter runs (style 7), so the rectangles set here are what the
    // operations read. The client is 800 wide: the limit is 751.
    strip->Style(7);
    for (int i = 0; i < 3; ++i) NewPage(std::string("p").append(std::to_string(i)));
    strip->RefreshTabList();
    ASSERT_EQ(strip->m_colTabs.Count(), 3u);
    const struct {
        const char* op;
        int32_t last, scrollBefore, scrollAfter;
    } cases[] = {
        {"clamp", 700, 50, 0},      // everything fits
        {"clamp", 751, 17, 17},     // ends exactly at the limit
        {"clamp", 900, 200, 149},   // end of the row brought back to the limit
        {"clamp", 900, 100, 100},   // still reaches past the limit
        {"right", 700, 0, 0},       // all tabs fit
        {"right", 900, 0, 33},
        {"right", 900, 140, 149},   // a step past the end stops at the end
        {"left", 900, 20, 0},
        {"left", 900, 100, 67},
    };
    for (const auto& c : cases) {
        strip->m_aTabRect.assign(4, RECT{0, 3, 0, 23});
        strip->m_aTabRect[3].right = c.last;
        strip->m_lScrollX = c.scrollBefore;
        const std::string op = c.op;
        if (op == "clamp") strip->ClampScroll();
        else if (op == "right") strip->ScrollRight();
        else strip->ScrollLeft();
        EXPECT_EQ(strip->m_lScrollX, c.scrollAfter) << op << " last " << c.last << " from " << c.scrollBefore;
    }
    // Without tabs ClampScroll leaves the offset alone, and nothing scrolls right.
    for (HWND h : GetChildren(client)) DestroyWindow(h);
    strip->RefreshTabList();
    strip->m_lScrollX = 40;
    strip->ClampScroll();
    EXPECT_EQ(strip->m_lScrollX, 40);
    EXPECT_FALSE(strip->CanScrollRight());
    EXPECT_TRUE(strip->CanScrollLeft());
}

TEST_F(StripTest, HitTestBoundsAreInclusiveAndTheLeftTabWins) {
    strip->Style(0);
    for (const char* t : {"Alpha", "Beta", "Gamma"}) NewPage(t);
    strip->DrawTabs(client);
    ASSERT_EQ(strip->m_lScrollX, 0);
    const RECT r1 = strip->m_aTabRect[1], r2 = strip->m_aTabRect[2];
    ASSERT_EQ(r2.left, r1.right);  // styles 0 and 1 share the edge column
    const RECT cl = strip->m_rcClose, sr = strip->m_rcScrollRight, sl = strip->m_rcScrollLeft;
    ASSERT_FALSE(strip->CanScrollRight());
    // HitTest reads band column bx as px = bx - 1 (+ scroll), band row as is.
    const struct {
        int bx, by, zone, tab;
        const char* what;
    } cases[] = {
        {r1.left + 1, 12, 0, 1, "left edge of tab 1"},
        {r1.left, 12, 0, 0, "one column left of tab 1"},
        {r1.right + 1, 12, 0, 1, "shared column: the left tab wins"},
        {r1.right + 2, 12, 0, 2, "first column of tab 2 alone"},
        {r1.left + 5, r1.bottom, 0, 1, "bottom edge row"},
        {r1.left + 5, r1.bottom + 1, 0, 0, "below the tab"},
        {r1.left + 5, r1.top, 0, 1, "top edge row"},
        {r1.left + 5, r1.top - 1, 0, 0, "above the tab"},
        {cl.left + 1, cl.top, 3, -1, "close, top-left"},
        {cl.right + 1, cl.bottom, 3, -1, "close, bottom-right (inclusive)"},
        {cl.right + 2, cl.bottom, 0, 0, "right of close"},
        {sr.right + 1, 10, 3, -1, "shared column of scroll-right and close: close wins"},
        {sr.left + 1, 10, 0, -1, "scroll right, disabled: no zone, no tab"},
        {sl.left + 1, 10, 0, -1, "scroll left, disabled"},
    };
    for (const auto& c : cases) {
        const POINT p = BandPoint(c.bx, c.by);
        SetCursorPos(p.x, p.y);
        const auto [zone, tab] = strip->HitTest();
        EXPECT_EQ(zone, c.zone) << c.what;
        EXPECT_EQ(tab, c.tab) << c.what;
    }
    // Scrolled: tab columns move with the offset, button columns do not.
    strip->m_lScrollX = 10;
    SetCursorPos(BandPoint(r2.left + 1 - 10 + 1, 12).x, BandPoint(0, 12).y);
    EXPECT_EQ(strip->HitTest(), (std::pair<int32_t, int32_t>{0, 2}));
    SetCursorPos(BandPoint(sl.left + 1, 10).x, BandPoint(0, 10).y);
    EXPECT_EQ(strip->HitTest(), (std::pair<int32_t, int32_t>{1, -1}));
}

TEST_F(StripTest, AnUnknownStyleDrawsNothingUntilAKnownOneReturns) {
    strip->Style(0);
    NewPage("A");
    strip->DrawTabs(client);
    auto surface = GetWindowSurface(client);
    const uint32_t marker = 0x123456;
    strip->Style(7);
    EXPECT_EQ(strip->Style(), 7);
    surface->Row(12)[300] = marker;
    HWND b = NewPage("B");
    strip->DrawTabs(client);
    EXPECT_EQ(surface->Row(12)[300], marker);
    EXPECT_EQ(strip->m_colTabs.Count(), 1u);  // not even the list is refreshed
    strip->Style(0);
    EXPECT_NE(surface->Row(12)[300], marker);
    ASSERT_EQ(strip->m_colTabs.Count(), 2u);
    EXPECT_EQ(strip->m_colTabs.Item(2), b);
}

TEST_F(StripTest, AFrameWithoutMdiClientStaysDetached) {
    const HWND bare = CreateWindowExA(0, "TestFrame", "bare", WS_VISIBLE, 0, 0, 300, 200, 0);
    host::ControlHost h;
    h.parent = bare;
    std::vector<std::string> reported;
    h.propertyChanged = [&](const std::string& p) { reported.push_back(p); };
    auto lone = xsMDITabs::Create(h);
    int events = 0;
    lone->ColorChanged = [&](int32_t&) { ++events; };
    lone->ReadProperties(host::PropertyBag{});
    EXPECT_EQ(lone->m_hWndClient, 0u);
    EXPECT_NE(lone->m_oStripDC, nullptr);  // the objects exist all the same
    const size_t gdi = gdi32::LiveObjectCount();
    lone->Style(0);
    lone->DrawIcons(false);
    lone->DrawTabs(client);  // not attached: nothing, whatever window it is given
    EXPECT_EQ(events, 0);
    EXPECT_EQ(gdi32::LiveObjectCount(), gdi);
    EXPECT_EQ(reported, (std::vector<std::string>{"Style", "DrawIcons"}));
    lone->Terminate();
    lone.reset();
    // The other strip's client kept its state.
    EXPECT_EQ(GetWindowLongA(client, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    DestroyWindow(bare);
}

namespace {
struct Slots {
    int32_t v[12];
    explicit Slots(const xsMDITabs& s)
        : v{s.m_lColorBack,        s.m_lColorActiveTab,   s.m_lColorActiveText, s.m_lColorInactiveText,
            s.m_lColorLight,       s.m_lColorFrameOuter,  s.m_lColorFrameInner, s.m_lColorFrameMiddle,
            s.m_lColorGlyph,       s.m_lColorButtonLight, s.m_lColorButtonDark, s.m_lColorSeparator} {}
};
std::shared_ptr<xsMDITabs> Loaded(HWND parent, bool runMode, int32_t style) {
    host::ControlHost h;
    h.parent = parent;
    h.userMode = runMode;
    auto s = xsMDITabs::Create(h);
    host::PropertyBag bag;
    bag.WriteProperty("Style", style, int32_t{4});
    s->ReadProperties(bag);
    return s;
}
}  // namespace

TEST_F(StripTest, EachLoadedStyleAssignsItsOwnSlots) {
    const HWND bare = CreateWindowExA(0, "TestFrame", "bare", 0, 0, 0, 300, 200, 0);
    // Slot order: back, active tab, active text, inactive text, light, frame outer,
    // frame inner, frame middle, glyph, button light, button dark, separator.
    const struct {
        int32_t style;
        bool assigned[12];
    } cases[] = {
        {2, {true, true, false, false, false, false, false, false, true, true, true, true}},
        {3, {false, false, false, false, false, false, false, false, false, false, false, true}},
        {4, {}},
        {9, {}},
    };
    for (const auto& c : cases) {
        auto s = Loaded(bare, true, c.style);
        const Slots got(*s);
        for (int i = 0; i < 12; ++i) EXPECT_EQ(got.v[i] != 0, c.assigned[i]) << "style " << c.style << " slot " << i;
    }
    auto two = Loaded(bare, true, 2);
    EXPECT_EQ(two->m_lColorGlyph, Sys(8));
    EXPECT_EQ(two->m_lColorButtonLight, Sys(20));
    EXPECT_EQ(two->m_lColorButtonDark, Sys(16));

    // Style 4, then 0, then back to 4: every slot keeps its style-0 value.
    auto four = Loaded(bare, true, 4);
    four->Style(0);
    const Slots zero(*four);
    four->Style(4);
    const Slots back(*four);
    for (int i = 0; i < 12; ++i) {
        EXPECT_NE(back.v[i], 0) << i;
        EXPECT_EQ(back.v[i], zero.v[i]) << i;
    }
    EXPECT_EQ(four->m_lColorInactiveText, four->m_oStripDC->AlphaBlend(Sys(8), Sys(16), 100));

    // In design mode nothing is ever assigned.
    auto design = Loaded(bare, false, 0);
    design->Style(2);
    design->Style(1);
    const Slots none(*design);
    for (int i = 0; i < 12; ++i) EXPECT_EQ(none.v[i], 0) << i;
    DestroyWindow(bare);
}

TEST_F(StripTest, SystemColourChangeRecomputesTheTwoComputedSlots) {
    strip->Style(0);
    const Slots before(*strip);
    const int which[] = {COLOR_BTNFACE, COLOR_WINDOWTEXT};
    const COLORREF values[] = {RGB(200, 180, 160), RGB(40, 60, 80)};
    SetSysColors(2, which, values);  // tells every window, the MDI client among them
    const Slots after(*strip);
    EXPECT_EQ(strip->m_lColorBack, static_cast<int32_t>(RGB(218, 198, 178)));
    EXPECT_NE(after.v[3], before.v[3]);
    EXPECT_EQ(strip->m_lColorInactiveText, strip->m_oStripDC->AlphaBlend(Sys(8), Sys(16), 100));
    for (int i : {1, 2, 4, 5, 6, 7, 8, 9, 10, 11}) EXPECT_EQ(after.v[i], before.v[i]) << i;
}
