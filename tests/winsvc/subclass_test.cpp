#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/user32.h"
#include "winsvc/CEasySubclass_v1.h"

using namespace user32;
using Trace = std::vector<std::string>;

namespace {

// Records every sink call into a shared trace; hooks let a test alter the
// message or act from inside the call.
class RecordingSink : public ISubclassingSink {
public:
    RecordingSink(Trace& trace, std::string name) : m_trace(trace), m_name(std::move(name)) {}

    std::function<void(bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)> onBefore;
    std::function<void(LRESULT&, HWND, UINT, WPARAM, LPARAM)> onAfter;

    void Before(bool& bHandled, LRESULT& lReturn, HWND& hWnd, UINT& uMsg, WPARAM& wParam,
                LPARAM& lParam) override {
        m_trace.push_back(m_name + "before " + std::to_string(uMsg));
        if (onBefore) onBefore(bHandled, lReturn, hWnd, uMsg, wParam, lParam);
    }
    void After(LRESULT& lReturn, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override {
        m_trace.push_back(m_name + "after " + std::to_string(uMsg) + " w=" + std::to_string(wParam) +
                          " l=" + std::to_string(lParam) + " r=" + std::to_string(lReturn));
        if (onAfter) onAfter(lReturn, hWnd, uMsg, wParam, lParam);
    }

private:
    Trace& m_trace;  // the fixture's, which outlives every sink
    std::string m_name;
};

constexpr UINT kMsgA = WM_USER + 1;
constexpr UINT kMsgB = WM_USER + 2;
constexpr UINT kMsgC = WM_USER + 3;
constexpr UINT kMsgD = WM_USER + 4;

// A window whose own procedure answers WM_USER messages with wParam + 1000 and
// notes what it received.
class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_baseProc = MakeWndProc([this](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m >= WM_USER) {
                trace.push_back("prev " + std::to_string(m) + " w=" + std::to_string(w) +
                                " l=" + std::to_string(l));
                return static_cast<LRESULT>(w) + 1000;
            }
            if (m == WM_NCDESTROY) trace.push_back("prev ncdestroy");
            return DefWindowProcA(h, m, w, l);
        });
        ASSERT_TRUE(RegisterClassA({0, m_baseProc, "WinsvcSubclassBase"}));
        hWnd = CreateWindowExA(0, "WinsvcSubclassBase", "", 0, 0, 0, 20, 20, 0);
        ASSERT_NE(hWnd, 0u);
        procsBefore = LiveWndProcCount();
    }
    void TearDown() override {
        if (IsWindow(hWnd)) DestroyWindow(hWnd);
        UnregisterClassA("WinsvcSubclassBase");
        FreeWndProc(m_baseProc);
    }
    std::shared_ptr<RecordingSink> MakeSink(const std::string& name = "") {
        return std::make_shared<RecordingSink>(trace, name);
    }
    static std::string Prev(UINT m, WPARAM w, LPARAM l = 0) {
        return "prev " + std::to_string(m) + " w=" + std::to_string(w) + " l=" + std::to_string(l);
    }
    static std::string After(UINT m, WPARAM w, LPARAM l, LRESULT r, const std::string& name = "") {
        return name + "after " + std::to_string(m) + " w=" + std::to_string(w) + " l=" +
               std::to_string(l) + " r=" + std::to_string(r);
    }
    static std::string Before(UINT m, const std::string& name = "") {
        return name + "before " + std::to_string(m);
    }

    Trace trace;
    HWND hWnd = 0;
    size_t procsBefore = 0;

private:
    WNDPROC m_baseProc = 0;
};

}  // namespace

TEST_F(SubclassTest, EachMessageTakesThePathOfItsLists) {
    auto sink = MakeSink();
    CEasySubclass_v1 sub;
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    sub.AddBeforeMsgs({kMsgA, kMsgB});
    sub.AddAfterMsgs({kMsgA, kMsgC});
    const struct {
        UINT msg;
        Trace expected;
    } cases[] = {
        {kMsgA, {Before(kMsgA), Prev(kMsgA, 5), After(kMsgA, 5, 0, 1005)}},
        {kMsgB, {Before(kMsgB), Prev(kMsgB, 5)}},
        {kMsgC, {Prev(kMsgC, 5), After(kMsgC, 5, 0, 1005)}},
        {kMsgD, {Prev(kMsgD, 5)}},
    };
    for (const auto& c : cases) {
        trace.clear();
        EXPECT_EQ(SendMessageA(hWnd, c.msg, 5, 0), 1005) << c.msg;
        EXPECT_EQ(trace, c.expected) << c.msg;
    }
}

// What a sink does to the message, and what the window's caller and the
// previous procedure then see.
TEST_F(SubclassTest, SinksAlterTheMessageAndItsResult) {
    using BeforeFn = std::function<void(bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&)>;
    using AfterFn = std::function<void(LRESULT&, HWND, UINT, WPARAM, LPARAM)>;
    const struct {
        const char* name;
        BeforeFn before;
        AfterFn after;
        LRESULT result;
        Trace expected;
    } cases[] = {
        {"handled: the sink's result, no previous procedure, no After",
         [](bool& handled, LRESULT& r, HWND&, UINT&, WPARAM&, LPARAM&) { handled = true; r = -42; },
         nullptr, -42, {Before(kMsgA)}},
        {"a result without handled is overwritten by the previous procedure",
         [](bool&, LRESULT& r, HWND&, UINT&, WPARAM&, LPARAM&) { r = -42; }, nullptr, 1003,
         {Before(kMsgA), Prev(kMsgA, 3, 4), After(kMsgA, 3, 4, 1003)}},
        {"changed parameters reach the previous procedure and After",
         [](bool&, LRESULT&, HWND&, UINT&, WPARAM& w, LPARAM& l) { w = 7; l = -9; }, nullptr, 1007,
         {Before(kMsgA), Prev(kMsgA, 7, -9), After(kMsgA, 7, -9, 1007)}},
        {"a changed message number is what the previous procedure gets",
         [](bool&, LRESULT&, HWND&, UINT& m, WPARAM&, LPARAM&) { m = kMsgD; }, nullptr, 1003,
         {Before(kMsgA), Prev(kMsgD, 3, 4)}},
        {"After's result is the message's result", nullptr,
         [](LRESULT& r, HWND, UINT, WPARAM, LPARAM) { r += 1; }, 1004,
         {Before(kMsgA), Prev(kMsgA, 3, 4), After(kMsgA, 3, 4, 1003)}},
        {"a throwing Before still lets the message through",
         [](bool&, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { throw std::runtime_error("sink"); },
         nullptr, 1003, {Before(kMsgA), Prev(kMsgA, 3, 4), After(kMsgA, 3, 4, 1003)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto sink = MakeSink();
        sink->onBefore = c.before;
        sink->onAfter = c.after;
        CEasySubclass_v1 sub;
        sub.AddBeforeMsgs({kMsgA});
        sub.AddAfterMsgs({kMsgA});
        ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
        trace.clear();
        EXPECT_EQ(SendMessageA(hWnd, kMsgA, 3, 4), c.result);
        EXPECT_EQ(trace, c.expected);
    }
}

TEST_F(SubclassTest, MessageListsNeverHoldDuplicates) {
    CEasySubclass_v1 sub;
    const struct {
        bool beforeList;
        std::vector<UINT> msgs;
        bool allNew;
    } calls[] = {
        {true, {131, 70, 131}, false},
        {true, {70}, false},
        {true, {}, true},
        {true, {kMsgA, kMsgB}, true},
        {true, {kMsgC, kMsgB}, false},
        {false, {131}, true},  // the after-list is a list of its own
        {false, {131}, false},
    };
    for (const auto& c : calls) {
        const bool got = c.beforeList ? sub.AddBeforeMsgs(std::span<const UINT>(c.msgs))
                                      : sub.AddAfterMsgs(std::span<const UINT>(c.msgs));
        EXPECT_EQ(got, c.allNew) << (c.beforeList ? "before " : "after ") << c.msgs.size();
    }
    // Every listed number reaches Before exactly once, unlisted ones never.
    auto sink = MakeSink();
    sink->onBefore = [](bool& handled, LRESULT&, HWND&, UINT&, WPARAM&, LPARAM&) { handled = true; };
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    for (UINT m : {131u, 70u, kMsgA, kMsgB, kMsgC, kMsgD, 71u}) SendMessageA(hWnd, m, 0, 0);
    EXPECT_EQ(trace, (Trace{Before(131), Before(70), Before(kMsgA), Before(kMsgB), Before(kMsgC),
                            Prev(kMsgD, 0)}));
}

TEST_F(SubclassTest, ListsWorkWhetherAddedBeforeOrAfterSubclassAndSurviveUnSubclass) {
    auto sink = MakeSink();
    CEasySubclass_v1 sub;
    sub.AddAfterMsgs({kMsgA});
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    sub.AddAfterMsgs({kMsgB});
    SendMessageA(hWnd, kMsgA, 0, 0);
    SendMessageA(hWnd, kMsgB, 0, 0);
    EXPECT_EQ(trace, (Trace{Prev(kMsgA, 0), After(kMsgA, 0, 0, 1000), Prev(kMsgB, 0),
                            After(kMsgB, 0, 0, 1000)}));

    ASSERT_TRUE(sub.UnSubclass());
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    trace.clear();
    SendMessageA(hWnd, kMsgB, 0, 0);
    EXPECT_EQ(trace, (Trace{Prev(kMsgB, 0), After(kMsgB, 0, 0, 1000)}));
}

TEST_F(SubclassTest, SubclassAndUnSubclassStates) {
    const WNDPROC original = GetWindowLongA(hWnd, GWL_WNDPROC);
    auto sink = MakeSink();
    CEasySubclass_v1 sub;
    sub.Tag(std::string("client"));
    EXPECT_EQ(std::any_cast<std::string>(sub.Tag()), "client");

    EXPECT_FALSE(sub.UnSubclass()) << "nothing to take out";
    EXPECT_EQ(sub.CallOrigWndProc(kMsgA, 1, 0), 0);
    EXPECT_FALSE(sub.Subclass(0, sink, false, false));
    EXPECT_EQ(sub.hWnd(), 0u);

    const WNDPROC thunk = sub.ThunkAddress();
    EXPECT_NE(thunk, 0);
    EXPECT_EQ(sub.ThunkAddress(), thunk) << "made once";
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    EXPECT_EQ(sub.hWnd(), hWnd);
    EXPECT_EQ(GetWindowLongA(hWnd, GWL_WNDPROC), thunk);

    // A second window is refused and left alone.
    HWND other = CreateWindowExA(0, "WinsvcSubclassBase", "", 0, 0, 0, 5, 5, 0);
    const WNDPROC otherProc = GetWindowLongA(other, GWL_WNDPROC);
    EXPECT_FALSE(sub.Subclass(other, sink, false, false));
    EXPECT_EQ(sub.hWnd(), hWnd);
    EXPECT_EQ(GetWindowLongA(other, GWL_WNDPROC), otherProc);
    DestroyWindow(other);

    // The original procedure directly, past the stub and its sink.
    sub.AddBeforeMsgs({kMsgA});
    trace.clear();
    EXPECT_EQ(sub.CallOrigWndProc(kMsgA, 6, 2), 1006);
    EXPECT_EQ(trace, (Trace{Prev(kMsgA, 6, 2)}));

    ASSERT_TRUE(sub.UnSubclass());
    EXPECT_EQ(sub.hWnd(), 0u);
    EXPECT_EQ(GetWindowLongA(hWnd, GWL_WNDPROC), original);
    EXPECT_EQ(LiveWndProcCount(), procsBefore) << "the stub is freed";
    trace.clear();
    SendMessageA(hWnd, kMsgA, 0, 0);
    EXPECT_EQ(trace, (Trace{Prev(kMsgA, 0)})) << "the sink hears nothing more";
    EXPECT_FALSE(sub.UnSubclass());
}

TEST_F(SubclassTest, SubclassingADeadWindowFails) {
    HWND dead = CreateWindowExA(0, "WinsvcSubclassBase", "", 0, 0, 0, 5, 5, 0);
    DestroyWindow(dead);
    CEasySubclass_v1 sub;
    EXPECT_FALSE(sub.Subclass(dead, MakeSink(), false, false));
    EXPECT_EQ(sub.hWnd(), 0u);
    EXPECT_TRUE(sub.Subclass(hWnd, MakeSink(), false, false)) << "the object stays usable";
}

// The sink's owner lets go after Subclass: only the counted reference keeps
// the sink reachable; a weak one leaves the stub without a usable sink.
TEST_F(SubclassTest, WeakAndStrongSinkReferences) {
    const struct {
        bool weak;
        bool ownerKeepsSink;
        bool sinkCalled;
    } cases[] = {
        {false, false, true},
        {false, true, true},
        {true, true, true},
        {true, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.weak ? "weak" : "strong") + (c.ownerKeepsSink ? ", kept" : ", let go"));
        auto sink = MakeSink();
        std::weak_ptr<RecordingSink> watch = sink;
        CEasySubclass_v1 sub;
        sub.AddAfterMsgs({kMsgA});
        ASSERT_TRUE(sub.Subclass(hWnd, sink, c.weak, false));
        if (!c.ownerKeepsSink) sink.reset();
        trace.clear();
        EXPECT_EQ(SendMessageA(hWnd, kMsgA, 1, 0), 1001);
        const Trace withSink{Prev(kMsgA, 1), After(kMsgA, 1, 0, 1001)};
        const Trace without{Prev(kMsgA, 1)};
        EXPECT_EQ(trace, c.sinkCalled ? withSink : without);
        sub.UnSubclass();
        sink.reset();
        EXPECT_TRUE(watch.expired()) << "UnSubclass lets the counted reference go";
    }
    // No sink at all: the stub only passes messages on.
    CEasySubclass_v1 sub;
    sub.AddBeforeMsgs({kMsgA});
    ASSERT_TRUE(sub.Subclass(hWnd, nullptr, false, false));
    trace.clear();
    EXPECT_EQ(SendMessageA(hWnd, kMsgA, 2, 0), 1002);
    EXPECT_EQ(trace, (Trace{Prev(kMsgA, 2)}));
}

// The window dies first: its stub frees itself at WM_NCDESTROY and the later
// UnSubclass must not reach into what was freed.
TEST_F(SubclassTest, DestroyedWindowThenUnSubclass) {
    for (bool dontFree : {false, true}) {
        SCOPED_TRACE(dontFree ? "DontFree" : "free");
        HWND h = CreateWindowExA(0, "WinsvcSubclassBase", "", 0, 0, 0, 5, 5, 0);
        const size_t procs = LiveWndProcCount();
        auto sink = MakeSink();
        CEasySubclass_v1 sub;
        sub.AddAfterMsgs({WM_NCDESTROY});
        ASSERT_TRUE(sub.Subclass(h, sink, false, dontFree));
        EXPECT_EQ(LiveWndProcCount(), procs + 1);
        trace.clear();
        DestroyWindow(h);
        EXPECT_EQ(trace, (Trace{"prev ncdestroy", After(WM_NCDESTROY, 0, 0, 0)}));
        EXPECT_EQ(LiveWndProcCount(), procs) << "the stub freed itself";
        EXPECT_EQ(sub.hWnd(), h) << "still subclassing as far as the object knows";
        // Changing the lists of a stub that has freed itself is harmless.
        EXPECT_TRUE(sub.AddBeforeMsgs({kMsgA}));
        EXPECT_EQ(sub.CallOrigWndProc(kMsgB, 4, 0), 1004);
        EXPECT_TRUE(sub.UnSubclass());
        EXPECT_EQ(sub.hWnd(), 0u);
        EXPECT_EQ(LiveWndProcCount(), procs);
    }
}

// UnSubclass from inside After, while the stub is still running. The sink may
// be kept alive by the subclasser alone, which lets it go in that call.
TEST_F(SubclassTest, UnSubclassFromInsideAfter) {
    const struct {
        bool dontFree;
        bool onlySubclasserKeepsSink;
        size_t procsLeft;  // a stub kept by DontFree stays as a pass-through
    } cases[] = {
        {true, false, 1},
        {true, true, 1},
        {false, true, 0},
    };
    const WNDPROC original = GetWindowLongA(hWnd, GWL_WNDPROC);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.dontFree ? "DontFree" : "free") +
                     (c.onlySubclasserKeepsSink ? ", sink held by the subclasser" : ""));
        const size_t procs = LiveWndProcCount();
        auto sink = MakeSink();
        std::weak_ptr<RecordingSink> watch = sink;
        CEasySubclass_v1 sub;
        bool returned = false;
        sink->onAfter = [&](LRESULT& r, HWND, UINT, WPARAM, LPARAM) {
            EXPECT_TRUE(sub.UnSubclass());
            r += 1;  // the sink still runs after taking itself out
            returned = true;
        };
        sub.AddAfterMsgs({kMsgA});
        ASSERT_TRUE(sub.Subclass(hWnd, sink, false, c.dontFree));
        if (c.onlySubclasserKeepsSink) sink.reset();
        trace.clear();
        EXPECT_EQ(SendMessageA(hWnd, kMsgA, 1, 0), 1002);
        EXPECT_TRUE(returned);
        EXPECT_EQ(GetWindowLongA(hWnd, GWL_WNDPROC), original);
        EXPECT_EQ(sub.hWnd(), 0u);
        sink.reset();
        EXPECT_TRUE(watch.expired());
        EXPECT_EQ(LiveWndProcCount(), procs + c.procsLeft);
        trace.clear();
        EXPECT_EQ(SendMessageA(hWnd, kMsgA, 1, 0), 1001);
        EXPECT_EQ(trace, (Trace{Prev(kMsgA, 1)}));
    }
}

// Two subclassers stacked on one window, taken out in either order. One taken
// out from under the other stays in the chain and keeps passing messages on
// until the window's end frees it.
TEST_F(SubclassTest, TwoSubclassersRemovedInEitherOrder) {
    const WNDPROC original = GetWindowLongA(hWnd, GWL_WNDPROC);
    for (bool lowerFirst : {true, false}) {
        SCOPED_TRACE(lowerFirst ? "lower one removed first" : "upper one removed first");
        HWND h = CreateWindowExA(0, "WinsvcSubclassBase", "", 0, 0, 0, 5, 5, 0);
        const size_t procs = LiveWndProcCount();
        auto sinkA = MakeSink("A ");
        auto sinkB = MakeSink("B ");
        CEasySubclass_v1 lower, upper;
        lower.AddAfterMsgs({kMsgA});
        upper.AddAfterMsgs({kMsgA});
        ASSERT_TRUE(lower.Subclass(h, sinkA, false, false));
        ASSERT_TRUE(upper.Subclass(h, sinkB, false, false));
        trace.clear();
        SendMessageA(h, kMsgA, 1, 0);
        EXPECT_EQ(trace, (Trace{Prev(kMsgA, 1), After(kMsgA, 1, 0, 1001, "A "),
                                After(kMsgA, 1, 0, 1001, "B ")}));

        CEasySubclass_v1& first = lowerFirst ? lower : upper;
        CEasySubclass_v1& second = lowerFirst ? upper : lower;
        const std::string remaining = lowerFirst ? "B " : "A ";
        EXPECT_TRUE(first.UnSubclass());
        trace.clear();
        EXPECT_EQ(SendMessageA(h, kMsgA, 2, 0), 1002);
        EXPECT_EQ(trace, (Trace{Prev(kMsgA, 2), After(kMsgA, 2, 0, 1002, remaining)}));

        EXPECT_TRUE(second.UnSubclass());
        trace.clear();
        EXPECT_EQ(SendMessageA(h, kMsgA, 3, 0), 1003);
        EXPECT_EQ(trace, (Trace{Prev(kMsgA, 3)}));
        // Taken out from the top, both stubs are gone; the lower one taken out
        // first is still in the chain and goes with the window.
        EXPECT_EQ(GetWindowLongA(h, GWL_WNDPROC) == original, !lowerFirst);
        EXPECT_EQ(LiveWndProcCount(), procs + (lowerFirst ? 1 : 0));
        DestroyWindow(h);
        EXPECT_EQ(LiveWndProcCount(), procs);
    }
}

// The window is destroyed from inside a sink call: the stub frees itself in
// the nested WM_NCDESTROY while its outer call is still running.
TEST_F(SubclassTest, WindowDestroyedFromInsideASinkCall) {
    const size_t procs = LiveWndProcCount();
    auto sink = MakeSink();
    CEasySubclass_v1 sub;
    sink->onAfter = [&](LRESULT& r, HWND h, UINT m, WPARAM, LPARAM) {
        if (m == kMsgA) {
            DestroyWindow(h);
            r = 77;
        }
    };
    sub.AddAfterMsgs({kMsgA, WM_NCDESTROY});
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    EXPECT_EQ(SendMessageA(hWnd, kMsgA, 0, 0), 77);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(LiveWndProcCount(), procs);
    EXPECT_TRUE(sub.UnSubclass());
}

// Only the window's real end frees the stub, not a sink turning some other
// message into WM_NCDESTROY.
TEST_F(SubclassTest, RenumberedMessageDoesNotFreeTheStub) {
    auto sink = MakeSink();
    sink->onBefore = [](bool& handled, LRESULT&, HWND&, UINT& m, WPARAM&, LPARAM&) {
        if (m == kMsgA) {
            m = WM_NCDESTROY;
            handled = true;
        }
    };
    CEasySubclass_v1 sub;
    sub.AddBeforeMsgs({kMsgA, kMsgB});
    ASSERT_TRUE(sub.Subclass(hWnd, sink, false, false));
    const size_t procs = LiveWndProcCount();
    SendMessageA(hWnd, kMsgA, 0, 0);
    EXPECT_EQ(LiveWndProcCount(), procs);
    trace.clear();
    SendMessageA(hWnd, kMsgB, 0, 0);
    EXPECT_EQ(trace, (Trace{Before(kMsgB), Prev(kMsgB, 0)}));
}

TEST_F(SubclassTest, DestructionTakesTheSubclassOut) {
    const WNDPROC original = GetWindowLongA(hWnd, GWL_WNDPROC);
    {
        CEasySubclass_v1 sub;
        sub.AddAfterMsgs({kMsgA});
        ASSERT_TRUE(sub.Subclass(hWnd, MakeSink(), false, false));
    }
    EXPECT_EQ(GetWindowLongA(hWnd, GWL_WNDPROC), original);
    {
        CEasySubclass_v1 idle;  // made a stub for its lists, never installed it
        idle.AddBeforeMsgs({kMsgA});
    }
    EXPECT_EQ(LiveWndProcCount(), procsBefore);
    trace.clear();
    SendMessageA(hWnd, kMsgA, 0, 0);
    EXPECT_EQ(trace, (Trace{Prev(kMsgA, 0)}));
}
