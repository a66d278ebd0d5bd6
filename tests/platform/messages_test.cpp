#include <algorithm>

#include "window_fixture.h"

using namespace user32;
using testwin::Recorder;

TEST(Messages, SendsAreSynchronousAndReentrant) {
    std::vector<std::string> trace;
    HWND a = 0, b = 0;
    WNDPROC pa = MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) {
            trace.push_back("a:begin");
            const LRESULT r = SendMessageA(b, WM_USER, w + 1, 0);
            trace.push_back("a:end");
            return r + 100;
        }
        if (m == WM_USER + 1) {
            trace.push_back("a:nested");
            return 7;
        }
        return DefWindowProcA(h, m, w, l);
    });
    WNDPROC pb = MakeWndProc([&](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) {
            trace.push_back("b");
            return SendMessageA(a, WM_USER + 1, 0, 0) + static_cast<LRESULT>(w);
        }
        return DefWindowProcA(h, m, w, l);
    });
    RegisterClassA({0, pa, "ReentA"});
    RegisterClassA({0, pb, "ReentB"});
    a = CreateWindowExA(0, "ReentA", "", 0, 0, 0, 10, 10, 0);
    b = CreateWindowExA(0, "ReentB", "", 0, 0, 0, 10, 10, 0);
    EXPECT_EQ(SendMessageA(a, WM_USER, 1, 0), 7 + 2 + 100);
    EXPECT_EQ(trace, (std::vector<std::string>{"a:begin", "b", "a:nested", "a:end"}));
    DestroyWindow(a);
    DestroyWindow(b);
    UnregisterClassA("ReentA");
    UnregisterClassA("ReentB");
    FreeWndProc(pa);
    FreeWndProc(pb);
}

TEST(Messages, ReplacedProcedureChainsToThePreviousOne) {
    Recorder rec("ChainBase");
    HWND h = CreateWindowExA(0, rec.cls(), "", 0, 0, 0, 10, 10, 0);
    std::vector<UINT> seenBySub;
    WNDPROC prev = 0;
    WNDPROC sub = MakeWndProc([&](HWND hw, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        seenBySub.push_back(m);
        if (m == WM_USER) {
            const LRESULT r = CallWindowProcA(prev, hw, m, w * 10, l);  // change wParam
            return r + 5;                                               // and the result
        }
        return CallWindowProcA(prev, hw, m, w, l);
    });
    prev = SetWindowLongA(h, GWL_WNDPROC, sub);
    EXPECT_NE(prev, 0);
    EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC), sub);

    rec.log.clear();
    const struct {
        UINT msg;
        WPARAM w;
        WPARAM seenW;
        LRESULT result;
    } cases[] = {
        {WM_USER, 3, 30, 5},       // the default procedure answers 0, the subclass adds 5
        {WM_USER + 1, 4, 4, 0},    // passed on untouched
        {WM_GETTEXTLENGTH, 0, 0, 0},
    };
    for (const auto& c : cases) {
        rec.log.clear();
        EXPECT_EQ(SendMessageA(h, c.msg, c.w, 0), c.result);
        ASSERT_EQ(rec.log.size(), 1u);
        EXPECT_EQ(rec.log[0].msg, c.msg);
        EXPECT_EQ(rec.log[0].wParam, c.seenW);
    }
    EXPECT_EQ(seenBySub, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_GETTEXTLENGTH}));
    SetWindowLongA(h, GWL_WNDPROC, prev);
    FreeWndProc(sub);
    DestroyWindow(h);
}

TEST(Messages, DeadHandlesAnswerZeroAndAreNeverReused) {
    Recorder rec("DeadCls");
    HWND h = CreateWindowExA(0, rec.cls(), "x", 0, 0, 0, 10, 10, 0);
    ASSERT_TRUE(IsWindow(h));
    ASSERT_TRUE(DestroyWindow(h));
    rec.log.clear();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessageA(h, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongA(h, GWL_EXSTYLE, 0x200), 0);
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_FALSE(SetWindowPos(h, 0, 0, 0, 1, 1, 0));
    EXPECT_TRUE(rec.log.empty());
    HWND again = CreateWindowExA(0, rec.cls(), "y", 0, 0, 0, 10, 10, 0);
    EXPECT_NE(again, h);
    EXPECT_GT(again, h);
    DestroyWindow(again);
}

TEST(Messages, DestroySendsDestroyThenChildrenThenNcDestroyLast) {
    Recorder rec("DestroyCls");
    HWND top = CreateWindowExA(0, rec.cls(), "", 0, 0, 0, 100, 100, 0);
    HWND c1 = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 10, 10, top);
    HWND c2 = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 10, 10, c1);
    rec.log.clear();
    DestroyWindow(top);
    std::vector<std::pair<HWND, UINT>> seq;
    for (const auto& m : rec.log)
        if (m.msg == WM_DESTROY || m.msg == WM_NCDESTROY) seq.push_back({m.hwnd, m.msg});
    const std::vector<std::pair<HWND, UINT>> expected = {
        {top, WM_DESTROY}, {c1, WM_DESTROY}, {c2, WM_DESTROY},
        {c2, WM_NCDESTROY}, {c1, WM_NCDESTROY}, {top, WM_NCDESTROY}};
    EXPECT_EQ(seq, expected);
    EXPECT_FALSE(IsWindow(c2));
}

TEST(Messages, TextIsUtf16AndGetTextHonoursTheBuffer) {
    Recorder rec("TextCls");
    HWND h = CreateWindowExA(0, rec.cls(), "青禾坊教育社区专用浏览器 Home", 0, 0, 0, 10, 10, 0);
    EXPECT_EQ(DefWindowProcW(h, WM_GETTEXTLENGTH, 0, 0), 17);
    char16_t buf[11] = {};
    EXPECT_EQ(DefWindowProcW(h, WM_GETTEXT, 11, reinterpret_cast<LPARAM>(buf)), 10);
    EXPECT_EQ(std::u16string(buf), u"青禾坊教育社区专用浏");
    EXPECT_EQ(GetWindowTextA(h), "青禾坊教育社区专用浏览器 Home");
    SetWindowTextA(h, "");
    EXPECT_EQ(DefWindowProcW(h, WM_GETTEXTLENGTH, 0, 0), 0);
    char name[4];
    EXPECT_EQ(GetClassNameA(h, name, sizeof name), 3);
    EXPECT_STREQ(name, "Tex");
    DestroyWindow(h);
}

TEST(Messages, EnumChildWindowsVisitsEveryDescendantOnce) {
    Recorder rec("EnumCls");
    HWND root = CreateWindowExA(0, rec.cls(), "", 0, 0, 0, 100, 100, 0);
    std::vector<HWND> made;
    HWND a = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 1, 1, root);
    HWND b = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 1, 1, root);
    HWND a1 = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 1, 1, a);
    HWND a2 = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 1, 1, a);
    HWND a11 = CreateWindowExA(0, rec.cls(), "", WS_CHILD, 0, 0, 1, 1, a1);
    std::vector<HWND> seen;
    EnumChildWindows(root, [&](HWND h) {
        seen.push_back(h);
        return TRUE;
    });
    std::vector<HWND> sorted = seen;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<HWND>{a, b, a1, a2, a11}));
    // Parents come before their children; the order is stable.
    auto pos = [&](HWND h) { return std::find(seen.begin(), seen.end(), h) - seen.begin(); };
    EXPECT_LT(pos(a), pos(a1));
    EXPECT_LT(pos(a1), pos(a11));
    std::vector<HWND> second;
    EnumChildWindows(root, [&](HWND h) {
        second.push_back(h);
        return TRUE;
    });
    EXPECT_EQ(seen, second);
    EXPECT_EQ(FindWindowExA(root, 0, rec.cls(), nullptr), b);  // top of the z-order
    EXPECT_EQ(FindWindowExA(root, b, rec.cls(), nullptr), a);
    EXPECT_EQ(FindWindowExA(root, 0, "MDIClient", nullptr), 0u);
    DestroyWindow(root);
}
