// The strip in the running program, driven by real X pointer input.
#include "platform/user32.h"
#include "shell_fixture.h"

using namespace e2e;

namespace {
// Screen point of a band point given in window coordinates of the MDI client.
POINT Band(HWND client, int x, int y) {
    RECT r;
    user32::GetWindowRect(client, &r);
    return POINT{r.left + x, r.top + y};
}
}  // namespace

TEST_F(ShellTest, TheFramesStripIsAttachedWithItsDefaults) {
    auto& strip = *frame->xsMDITabs1;
    EXPECT_EQ(strip.Style(), 4);
    EXPECT_TRUE(strip.DrawIcons());
    EXPECT_EQ(strip.m_hWndClient, frame->MdiClient());
    EXPECT_EQ(user32::GetWindowLongA(frame->MdiClient(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT inner = user32::GetClientRectInWindow(frame->MdiClient());
    EXPECT_EQ(inner.top, 25);
    EXPECT_EQ(inner.left, 3);
    ASSERT_TRUE(RunUntil([&] { return strip.m_colTabs.Count() == 1; }));
}

TEST_F(ShellTest, PointerPressesTabsAndClosesPagesInEveryDrawnStyle) {
    for (int style : {0, 1, 3, 4}) {
        frame->xsMDITabs1->Style(style);
        frame->mFiles_Click(1);
        frmWebBrowser* second = Active();
        ASSERT_TRUE(RunUntil([&] { return frame->xsMDITabs1->m_colTabs.Count() == 2 &&
                                          frame->xsMDITabs1->m_aTabRect.size() == 3; }));
        auto& strip = *frame->xsMDITabs1;
        const RECT r1 = strip.m_aTabRect[1];
        POINT p = Band(frame->MdiClient(), (r1.left + r1.right) / 2 + 2 - strip.m_lScrollX, 12);
        XClick(p.x, p.y);
        ASSERT_TRUE(RunUntil([&] { return frame->ActiveHwnd != second->hWnd(); })) << style;
        EXPECT_EQ(frame->ActiveHwnd, strip.m_colTabs.Item(1));
        // The address box follows the page the tab activated.
        EXPECT_EQ(frame->Text1(), Active()->m_URL);
        // The close button closes the active page (the first one) and the
        // other page becomes active.
        const RECT c = strip.m_rcClose;
        POINT q = Band(frame->MdiClient(), (c.left + c.right) / 2 + 1, 12);
        XMove(q.x, q.y);
        ASSERT_TRUE(RunUntil([&] { return strip.m_lHotButton == 3; })) << style;
        XClick(q.x, q.y);
        ASSERT_TRUE(RunUntil([&] { return PageCount() == 1; })) << style;
        EXPECT_EQ(frame->ActiveHwnd, second->hWnd());
        XMove(600, 500);
    }
}

TEST_F(ShellTest, DraggingATabAcrossItsNeighbourReordersIt) {
    frame->xsMDITabs1->Style(0);
    frame->mFiles_Click(1);
    auto& strip = *frame->xsMDITabs1;
    ASSERT_TRUE(RunUntil([&] { return strip.m_aTabRect.size() == 3; }));
    const HWND first = strip.m_colTabs.Item(1);
    const RECT r1 = strip.m_aTabRect[1], r2 = strip.m_aTabRect[2];
    POINT from = Band(frame->MdiClient(), (r1.left + r1.right) / 2 + 2, 12);
    POINT to = Band(frame->MdiClient(), r2.right - 2 + 2, 12);
    XMove(from.x, from.y);
    Pump(200);
    XDown();
    ASSERT_TRUE(RunUntil([&] { return strip.m_lDragTab == 1; }, 5000)) << "press not seen";
    for (int x = from.x; x <= to.x; x += 6) {
        XMove(x, from.y);
        Pump(20);
    }
    XMove(to.x, to.y);
    XUp();
    ASSERT_TRUE(RunUntil([&] { return strip.m_colTabs.Item(2) == first && strip.m_lDragTab == 0; }, 5000))
        << "drag tab " << strip.m_lDragTab << " capture " << user32::GetCapture() << " from " << from.x
        << "," << from.y << " to " << to.x << " r1 " << r1.left << "-" << r1.right << " r2 " << r2.left
        << "-" << r2.right << " active " << frame->ActiveHwnd << " first " << first;
    EXPECT_EQ(strip.m_lDragTab, 0);
    EXPECT_EQ(frame->ActiveHwnd, first);
}
