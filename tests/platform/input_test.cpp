#include "window_fixture.h"

using namespace user32;
using testwin::Recorder;

namespace {
// A frame at (100, 50) holding a child whose procedure reserves a 25-pixel
// band above its client area, as the tab strip does.
struct InputFixture : ::testing::Test {
    Recorder frameCls{"InFrame"};
    Recorder childCls{"InChild", CS_DBLCLKS};
    Recorder plainCls{"InPlain"};
    HWND frame = 0, child = 0;
    WNDPROC prev = 0, band = 0;

    void SetUp() override {
        frame = CreateWindowExA(0, frameCls.cls(), "", WS_VISIBLE, 100, 50, 400, 300, 0);
        child = CreateWindowExA(0, childCls.cls(), "", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, frame);
        prev = GetWindowLongA(child, GWL_WNDPROC);
        band = MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_NCCALCSIZE && w) {
                auto* p = reinterpret_cast<NCCALCSIZE_PARAMS*>(l);
                p->rgrc[0].top += 25;
                return 0;
            }
            return CallWindowProcA(prev, h, m, w, l);
        });
        SetWindowLongA(child, GWL_WNDPROC, band);
        SetWindowPos(child, 0, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
        childCls.log.clear();
    }
    void TearDown() override {
        ReleaseCapture();
        DestroyWindow(frame);
        FreeWndProc(band);
    }
};
}  // namespace

TEST_F(InputFixture, OverTheBandTheWindowHearsSetCursorWithHitCodeZero) {
    DispatchMouseInput(POINT{150, 60}, WM_LBUTTONDOWN);
    const auto msgs = childCls.log;
    ASSERT_GE(msgs.size(), 3u);
    EXPECT_EQ(msgs[0].msg, WM_NCHITTEST);
    EXPECT_EQ(msgs[1].msg, WM_SETCURSOR);
    EXPECT_EQ(LOWORD(msgs[1].lParam), HTNOWHERE);
    EXPECT_EQ(HIWORD(msgs[1].lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(msgs[2].msg, WM_NCLBUTTONDOWN);
    EXPECT_TRUE(childCls.Of(WM_LBUTTONDOWN).empty());
    POINT cur;
    GetCursorPos(&cur);
    EXPECT_EQ(cur, (POINT{150, 60}));
}

TEST_F(InputFixture, InTheClientAreaTheClientMessageFollows) {
    DispatchMouseInput(POINT{110, 100}, WM_MOUSEMOVE);
    auto sc = childCls.Of(WM_SETCURSOR);
    ASSERT_EQ(sc.size(), 1u);
    EXPECT_EQ(LOWORD(sc[0].lParam), HTCLIENT);
    auto mv = childCls.Of(WM_MOUSEMOVE);
    ASSERT_EQ(mv.size(), 1u);
    EXPECT_EQ(mv[0].lParam, MAKELPARAM(10, 25));
}

TEST_F(InputFixture, CaptureGetsEverythingInClientCoordinates) {
    EXPECT_EQ(SetCapture(child), 0u);
    EXPECT_EQ(GetCapture(), child);
    const struct {
        POINT screen;
        UINT msg;
        int x, y;
    } cases[] = {
        {{150, 60}, WM_MOUSEMOVE, 50, -15},     // over the band: negative y
        {{600, 500}, WM_LBUTTONUP, 500, 425},   // outside the frame altogether
        {{90, 40}, WM_RBUTTONUP, -10, -35},
    };
    for (const auto& c : cases) {
        childCls.log.clear();
        DispatchMouseInput(c.screen, c.msg);
        ASSERT_EQ(childCls.log.size(), 1u);  // no hit test, no WM_SETCURSOR
        EXPECT_EQ(childCls.log[0].msg, c.msg);
        EXPECT_EQ(GET_X_LPARAM(childCls.log[0].lParam), c.x);
        EXPECT_EQ(GET_Y_LPARAM(childCls.log[0].lParam), c.y);
    }
    childCls.log.clear();
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), 0u);
    ASSERT_EQ(childCls.Of(WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(InputFixture, DoubleClicksOnlyForClassesThatAskForThem) {
    HWND plain = CreateWindowExA(0, plainCls.cls(), "", WS_CHILD | WS_VISIBLE, 0, 200, 50, 50, child);
    DispatchMouseInput(POINT{110, 100}, WM_LBUTTONDBLCLK);
    EXPECT_EQ(childCls.Of(WM_LBUTTONDBLCLK).size(), 1u);
    DispatchMouseInput(POINT{110, 50 + 25 + 210}, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(plainCls.Of(WM_LBUTTONDBLCLK).empty());
    EXPECT_EQ(plainCls.Of(WM_LBUTTONDOWN).size(), 1u);
    EXPECT_EQ(HIWORD(plainCls.Of(WM_SETCURSOR)[0].lParam), WM_LBUTTONDOWN);
    DestroyWindow(plain);
}

TEST_F(InputFixture, FocusMovesWithKillAndSetFocus) {
    HWND other = CreateWindowExA(0, plainCls.cls(), "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, child);
    SetFocus(child);
    SetFocus(other);
    EXPECT_EQ(GetFocus(), other);
    ASSERT_EQ(childCls.Of(WM_KILLFOCUS).size(), 1u);
    EXPECT_EQ(static_cast<HWND>(childCls.Of(WM_KILLFOCUS)[0].wParam), other);
    DestroyWindow(other);
    EXPECT_EQ(GetFocus(), 0u);
}
