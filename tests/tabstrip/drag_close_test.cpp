// Dragging tabs, closing through the close button and presses the strip
// ignores, driven through the window layer's pointer entry point.
#include "strip_fixture.h"

using namespace user32;

namespace {
// A wide first tab, active, and three narrow ones; style 0, nothing scrolled.
class DragTest : public StripTest {
protected:
    void SetUp() override {
        StripTest::SetUp();
        strip->Style(0);
        for (const char* t : {"一二三四五六七八九十", "B", "C", "D"}) pages.push_back(NewPage(t));
        // A is active (and bold) from the start, so a press on it changes no width.
        SendMessageA(client, WM_MDIACTIVATE, pages[0], 0);
        strip->DrawTabs(client);
        ASSERT_EQ(strip->m_lScrollX, 0);
    }
    std::string Order() {
        std::string s;
        for (size_t i = 1; i <= strip->m_colTabs.Count(); ++i) {
            const HWND h = strip->m_colTabs.Item(i);
            s += h == pages[0] ? "A" : GetWindowTextA(h);
        }
        return s;
    }
    int PositionOf(HWND h) {
        for (size_t i = 1; i <= strip->m_colTabs.Count(); ++i)
            if (strip->m_colTabs.Item(i) == h) return static_cast<int>(i);
        return 0;
    }
    // Band column of a tab-row column as HitTest reads it (scroll 0), and as
    // the drag reads it (no extra 2 there).
    static int HitColumn(int tabRowX) { return tabRowX + 1; }
    static int DragColumn(int tabRowX) { return tabRowX + 3; }
    void Move(int bx) { DispatchMouseInput(BandPoint(bx, 12), WM_MOUSEMOVE); }
    std::vector<HWND> pages;
};
}  // namespace

TEST_F(DragTest, ASmallMoveOntoANeighbourDoesNotReorder) {
    const RECT a = strip->m_aTabRect[1];
    DispatchMouseInput(BandPoint(HitColumn(a.right - 1), 12), WM_LBUTTONDOWN);
    ASSERT_EQ(strip->m_lDragTab, 1);
    Move(HitColumn(a.right + 2));    // 3 pixels, now over B
    EXPECT_EQ(Order(), "ABCD");
    DispatchMouseInput(BandPoint(HitColumn(a.right + 2), 12), WM_LBUTTONUP);
    EXPECT_EQ(Order(), "ABCD");
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0].hwnd, pages[1]);  // the tab under the pointer at the release
    EXPECT_EQ(Active(), pages[0]);
    EXPECT_EQ(strip->m_lDragTab, 0);
    EXPECT_EQ(GetCapture(), 0u);
}

TEST_F(DragTest, DraggingAcrossNarrowerNeighboursMovesOnePositionAtATime) {
    const RECT a = strip->m_aTabRect[1];
    const int start = HitColumn((a.left + a.right) / 2);
    DispatchMouseInput(BandPoint(start, 12), WM_LBUTTONDOWN);
    std::vector<int> positions{PositionOf(pages[0])};
    for (int bx = start + 1; bx <= start + 400; ++bx) {
        Move(bx);
        const int p = PositionOf(pages[0]);
        if (p != positions.back()) positions.push_back(p);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Order(), "BCDA");
    DispatchMouseInput(BandPoint(start + 400, 12), WM_LBUTTONUP);
    EXPECT_EQ(strip->m_lDragTab, 0);
    // The palette numbers went with their windows.
    EXPECT_EQ(strip->m_colTabColor.Item(4), 1);
    EXPECT_EQ(strip->m_colTabColor.Item(1), 2);
}

TEST_F(DragTest, TheEndsOfTheRowTakeTheTabToTheFirstOrLastPosition) {
    const struct {
        bool fromLast;  // measured from the last tab's right, else from the first tab's left
        int offset;
        const char* order;
    } cases[] = {
        {false, -2, "BACD"},  // within 3 pixels left of the first tab
        {false, -3, "ABCD"},  // just outside
        {true, 1, "ACDB"},    // within 3 pixels right of the last tab
        {true, 3, "ABCD"},
    };
    for (const auto& c : cases) {
        const RECT b = strip->m_aTabRect[2];
        const int press = HitColumn((b.left + b.right) / 2);
        DispatchMouseInput(BandPoint(press, 12), WM_LBUTTONDOWN);
        ASSERT_EQ(strip->m_lDragTab, 2);
        // The press made B active and bold: read the row as it is now.
        const int x = c.fromLast ? strip->m_aTabRect[4].right + c.offset : strip->m_aTabRect[1].left + c.offset;
        Move(DragColumn(x));
        EXPECT_EQ(Order(), c.order) << c.fromLast << " " << c.offset;
        DispatchMouseInput(BandPoint(DragColumn(x), 12), WM_LBUTTONUP);
        // Put B back in second place and A active for the next case.
        if (PositionOf(pages[1]) != 2) strip->MoveTab(PositionOf(pages[1]), 2);
        SendMessageA(client, WM_MDIACTIVATE, pages[0], 0);
        ASSERT_EQ(Order(), "ABCD");
    }
}

TEST_F(DragTest, ADoubleClickPressIsIgnored) {
    const RECT b = strip->m_aTabRect[2];
    const POINT p = BandPoint(HitColumn((b.left + b.right) / 2), 12);
    SetCursorPos(p.x, p.y);
    SendMessageA(client, WM_SETCURSOR, client, MAKELPARAM(0, WM_LBUTTONDBLCLK));
    EXPECT_EQ(Active(), pages[0]);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(strip->m_lDragTab, 0);
    // A right click on the empty band reports the right button.
    DispatchMouseInput(BandPoint(600, 12), WM_RBUTTONUP);
    ASSERT_EQ(barClicks.size(), 1u);
    EXPECT_EQ(barClicks[0].button, 2);
    EXPECT_EQ(barClicks[0].y, 12 - 25);
}

TEST_F(StripTest, TheCloseButtonSwitchesRedrawOffOnlyWithMoreThanOneTab) {
    strip->Style(0);
    std::vector<WPARAM> redraws;
    const WNDPROC prev = GetWindowLongA(client, GWL_WNDPROC);
    const WNDPROC spy = MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) {
        if (m == WM_SETREDRAW) redraws.push_back(w);
        return CallWindowProcA(prev, h, m, w, l);
    });
    SetWindowLongA(client, GWL_WNDPROC, spy);
    const struct {
        int pages;
        std::vector<WPARAM> redraws;
    } cases[] = {{2, {FALSE, TRUE}}, {1, {}}};
    for (const auto& c : cases) {
        for (HWND h : GetChildren(client)) DestroyWindow(h);
        for (int i = 0; i < c.pages; ++i) NewPage(std::string("p").append(std::to_string(i)));
        strip->DrawTabs(client);
        const HWND active = Active();
        redraws.clear();
        const RECT r = strip->m_rcClose;
        const POINT p = BandPoint(r.left + 5, 10);
        DispatchMouseInput(p, WM_MOUSEMOVE);
        DispatchMouseInput(p, WM_LBUTTONDOWN);
        DispatchMouseInput(p, WM_LBUTTONUP);
        EXPECT_FALSE(IsWindow(active)) << c.pages;
        EXPECT_EQ(redraws, c.redraws) << c.pages;
        EXPECT_TRUE(IsRedrawEnabled(client));
    }
    SetWindowLongA(client, GWL_WNDPROC, prev);
    FreeWndProc(spy);
}

TEST_F(StripTest, PressOnScrollLeftSlideToCloseAndReleaseClosesTheActivePage) {
    strip->Style(0);
    for (int i = 0; i < 30; ++i) NewPage("第" + std::to_string(i) + "页 Page");
    strip->DrawTabs(client);
    const HWND active = Active();
    ASSERT_GT(strip->m_lScrollX, 33);
    const RECT sl = strip->m_rcScrollLeft, cl = strip->m_rcClose;
    const POINT left = BandPoint(sl.left + 5, 10), close = BandPoint(cl.left + 5, 10);
    const int32_t scroll = strip->m_lScrollX;
    DispatchMouseInput(left, WM_MOUSEMOVE);
    DispatchMouseInput(left, WM_LBUTTONDOWN);
    EXPECT_EQ(strip->m_lScrollX, scroll - 33);
    EXPECT_TRUE(strip->m_oTimer->Enabled());
    DispatchMouseInput(close, WM_MOUSEMOVE);
    EXPECT_EQ(strip->m_lHotButton, 3);
    EXPECT_EQ(strip->m_lPressedButton, 1);
    DispatchMouseInput(close, WM_LBUTTONUP);
    EXPECT_FALSE(IsWindow(active));
    EXPECT_FALSE(strip->m_oTimer->Enabled());
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(strip->m_colTabs.Count(), 29u);
}

TEST_F(StripTest, ClosingThePressedTabsPageEndsTheDragQuietly) {
    strip->Style(0);
    NewPage("A");
    const HWND b = NewPage("B");
    strip->DrawTabs(client);
    const RECT rb = strip->m_aTabRect[2];
    const POINT p = BandPoint((rb.left + rb.right) / 2 + 1, 12);
    DispatchMouseInput(p, WM_LBUTTONDOWN);
    ASSERT_EQ(strip->m_lDragTab, 2);
    SendMessageA(b, WM_CLOSE, 0, 0);  // the page goes away while its tab is held
    strip->DrawTabs(client);           // and a repaint lays out the one tab left
    DispatchMouseInput(BandPoint(5, 12), WM_MOUSEMOVE);
    DispatchMouseInput(BandPoint(5, 12), WM_LBUTTONUP);
    EXPECT_EQ(strip->m_lDragTab, 0);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_EQ(strip->m_colTabs.Count(), 1u);
}
