#include "window_fixture.h"

using namespace user32;
using testwin::Recorder;

namespace {
struct MdiFixture : ::testing::Test {
    Recorder frameCls{"MdiFrameCls"};
    Recorder childCls{"MdiChildForm"};
    HWND frame = 0, client = 0;

    void SetUp() override {
        frame = CreateWindowExA(0, frameCls.cls(), "frame", WS_VISIBLE, 0, 0, 640, 480, 0);
        client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", "", WS_CHILD | WS_VISIBLE, 0, 60,
                                 640, 400, frame);
    }
    void TearDown() override { DestroyWindow(frame); }
    HWND NewChild(const char* title, DWORD style = 0) {
        MDICREATESTRUCTA cs;
        cs.szClass = childCls.cls();
        cs.szTitle = title;
        cs.cx = 200;
        cs.cy = 100;
        cs.style = style;
        return static_cast<HWND>(SendMessageA(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&cs)));
    }
    HWND Active(BOOL* maximized = nullptr) {
        return static_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(maximized)));
    }
};
}  // namespace

TEST_F(MdiFixture, ActivationNotifiesBothChildrenAndRaises) {
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    EXPECT_EQ(Active(), b);
    childCls.log.clear();
    SendMessageA(client, WM_MDIACTIVATE, a, 0);
    EXPECT_EQ(Active(), a);
    auto acts = childCls.Of(WM_MDIACTIVATE);
    ASSERT_EQ(acts.size(), 2u);
    EXPECT_EQ(acts[0].hwnd, b);  // the deactivated child hears first
    EXPECT_EQ(acts[1].hwnd, a);
    for (const auto& m : acts) {
        EXPECT_EQ(static_cast<HWND>(m.wParam), b);
        EXPECT_EQ(static_cast<HWND>(m.lParam), a);
    }
    EXPECT_EQ(GetChildren(client).front(), a);
    childCls.log.clear();
    SendMessageA(client, WM_MDIACTIVATE, a, 0);  // already active: nothing
    EXPECT_TRUE(childCls.Of(WM_MDIACTIVATE).empty());
}

TEST_F(MdiFixture, DestroyingTheActiveChildActivatesTheNextOne) {
    HWND a = NewChild("A");
    HWND b = NewChild("B");
    HWND c = NewChild("C");
    SendMessageA(client, WM_MDIACTIVATE, a, 0);  // z-order now a, c, b
    SendMessageA(a, WM_CLOSE, 0, 0);             // an MDI child closes through its client
    EXPECT_FALSE(IsWindow(a));
    EXPECT_EQ(Active(), c);
    SendMessageA(client, WM_MDIDESTROY, c, 0);
    EXPECT_EQ(Active(), b);
    SendMessageA(client, WM_MDIDESTROY, b, 0);
    EXPECT_EQ(Active(), 0u);
}

TEST_F(MdiFixture, MaximizedChildrenFillTheClientAreaAndFollowIt) {
    HWND a = NewChild("A");
    ShowWindow(a, SW_MAXIMIZE);
    BOOL max = FALSE;
    EXPECT_EQ(Active(&max), a);
    EXPECT_TRUE(max);
    RECT cr, ar;
    GetClientRect(client, &cr);
    EXPECT_EQ(cr, (RECT{0, 0, 636, 396}));  // the client edge is still there
    GetClientRect(a, &ar);
    EXPECT_EQ(ar, cr);
    HWND b = NewChild("B");  // a new child of a maximized set comes maximized
    EXPECT_TRUE(IsZoomed(b));
    SetWindowPos(client, 0, 0, 60, 800, 500, SWP_NOZORDER);
    GetClientRect(b, &ar);
    EXPECT_EQ(ar, (RECT{0, 0, 796, 496}));
    GetClientRect(a, &ar);
    EXPECT_EQ(ar, (RECT{0, 0, 796, 496}));
}
