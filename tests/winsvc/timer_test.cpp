#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "loop.h"
#include "platform/component_error.h"
#include "platform/user32.h"
#include "winsvc/CTimer.h"
#include "winsvc/TimerRegistry.h"

using winsvc_test::NowMs;
using winsvc_test::RunLoopFor;
using winsvc_test::RunLoopUntil;

namespace {

// Counts the platform calls CTimer makes and forwards them to the window layer.
struct PlatformLog {
    int sets = 0;
    int kills = 0;
    bool failSet = false;       // SetTimer answers 0
    bool throwOnSet = false;    // SetTimer raises an error
    bool throwOnKill = false;
};
PlatformLog g_platformLog;

UINT_PTR CountingSetTimer(HWND h, UINT_PTR id, UINT ms, void (*proc)(HWND, UINT, UINT_PTR, DWORD)) {
    ++g_platformLog.sets;
    if (g_platformLog.throwOnSet) throw std::runtime_error("no timer service");
    if (g_platformLog.failSet) return 0;
    return user32::SetTimer(h, id, ms, proc);
}
BOOL CountingKillTimer(HWND h, UINT_PTR id) {
    ++g_platformLog.kills;
    if (g_platformLog.throwOnKill) throw std::runtime_error("no timer service");
    return user32::KillTimer(h, id);
}

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_platformLog = PlatformLog{};
        modSystem::Platform() = {&CountingSetTimer, &CountingKillTimer};
        keysBefore = modSystem::TimerKeys().size();
        platformBefore = user32::LiveTimerCount();
    }
    void TearDown() override {
        g_platformLog.throwOnKill = g_platformLog.throwOnSet = false;
        modSystem::ResetTimerPlatform();
    }
    // The registry's keys, sorted.
    static std::vector<std::string> Keys() {
        auto k = modSystem::TimerKeys();
        std::sort(k.begin(), k.end());
        return k;
    }
    size_t keysBefore = 0;
    size_t platformBefore = 0;
};

}  // namespace

TEST_F(TimerTest, NewTimerIsStoppedAtOneSecond) {
    auto t = CTimer::Create();
    int ticks = 0;
    t->Timer = [&] { ++ticks; };
    EXPECT_EQ(t->Interval(), 1000);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(g_platformLog.sets, 0);
    EXPECT_EQ(modSystem::TimerKeys().size(), keysBefore);
    RunLoopFor(30);
    EXPECT_EQ(ticks, 0);
}

// Property sequences and what they leave behind: the state, the platform calls
// made and whether the registry holds the timer.
TEST_F(TimerTest, PropertySequences) {
    enum Op { kInterval, kEnabled };
    struct Step {
        Op op;
        int32_t value;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int32_t interval;
        bool enabled;
        int sets;
        int kills;
    };
    const Case cases[] = {
        {"the tab strip's start: 50 starts, Enabled false stops",
         {{kInterval, 50}, {kEnabled, 0}}, 50, false, 1, 1},
        {"same value on a stopped timer does nothing", {{kInterval, 1000}}, 1000, false, 0, 0},
        {"same value on a running timer does nothing",
         {{kInterval, 50}, {kInterval, 50}}, 50, true, 1, 0},
        {"0 stops a running timer, keeps the interval",
         {{kInterval, 50}, {kInterval, 0}}, 50, false, 1, 1},
        {"-5 stops a running timer, keeps the interval",
         {{kInterval, 50}, {kInterval, -5}}, 50, false, 1, 1},
        {"below 1 on a stopped timer changes nothing", {{kInterval, 0}}, 1000, false, 0, 0},
        {"enabling twice makes one platform timer", {{kEnabled, 1}, {kEnabled, 1}}, 1000, true, 1, 0},
        {"disabling twice kills once",
         {{kEnabled, 1}, {kEnabled, 0}, {kEnabled, 0}}, 1000, false, 1, 1},
        {"a new interval on a running timer replaces it",
         {{kInterval, 50}, {kInterval, 200}}, 200, true, 2, 1},
        {"a new interval restarts a stopped timer",
         {{kInterval, 50}, {kEnabled, 0}, {kInterval, 60}}, 60, true, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_platformLog.sets = g_platformLog.kills = 0;
        auto t = CTimer::Create();
        for (const auto& s : c.steps) {
            if (s.op == kInterval)
                t->Interval(s.value);
            else
                t->Enabled(s.value != 0);
        }
        EXPECT_EQ(t->Interval(), c.interval);
        EXPECT_EQ(t->Enabled(), c.enabled);
        EXPECT_EQ(g_platformLog.sets, c.sets);
        EXPECT_EQ(g_platformLog.kills, c.kills);
        EXPECT_EQ(modSystem::TimerKeys().size(), keysBefore + (c.enabled ? 1 : 0));
        EXPECT_EQ(user32::LiveTimerCount(), platformBefore + (c.enabled ? 1 : 0));
        t->Enabled(false);
        EXPECT_EQ(modSystem::TimerKeys().size(), keysBefore);
        EXPECT_EQ(user32::LiveTimerCount(), platformBefore);
    }
}

TEST_F(TimerTest, TicksFromTheEventLoopUntilDisabled) {
    auto t = CTimer::Create();
    int ticks = 0;
    t->Timer = [&] { ++ticks; };
    t->Interval(20);
    ASSERT_TRUE(RunLoopUntil([&] { return ticks >= 3; }));
    t->Enabled(false);
    const int atStop = ticks;
    RunLoopFor(100);
    EXPECT_EQ(ticks, atStop);
}

TEST_F(TimerTest, RetimingGivesANewIdentifierAndTheFullNewInterval) {
    auto t = CTimer::Create();
    std::vector<gint64> tickTimes;
    t->Timer = [&] { tickTimes.push_back(NowMs()); };
    t->Interval(50);
    ASSERT_TRUE(RunLoopUntil([&] { return !tickTimes.empty(); }));
    const auto oldKeys = Keys();
    ASSERT_EQ(oldKeys.size(), keysBefore + 1);

    const gint64 changedAt = NowMs();
    tickTimes.clear();
    t->Interval(200);
    const auto newKeys = Keys();
    ASSERT_EQ(newKeys.size(), keysBefore + 1);
    EXPECT_NE(newKeys, oldKeys) << "the new platform timer is registered under a new key";
    EXPECT_EQ(user32::LiveTimerCount(), platformBefore + 1);

    ASSERT_TRUE(RunLoopUntil([&] { return !tickTimes.empty(); }));
    EXPECT_GE(tickTimes.front() - changedAt, 195);
    t->Enabled(false);
}

TEST_F(TimerTest, HandlerThatDisablesItsOwnTimerGetsNoFurtherTick) {
    auto t = CTimer::Create();
    int ticks = 0;
    bool finished = false;
    CTimer* self = t.get();
    t->Timer = [&] {
        ++ticks;
        self->Enabled(false);
        finished = true;  // the handler carries on after stopping its timer
    };
    t->Interval(10);
    ASSERT_TRUE(RunLoopUntil([&] { return ticks > 0; }));
    RunLoopFor(80);
    EXPECT_EQ(ticks, 1);
    EXPECT_TRUE(finished);
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(user32::LiveTimerCount(), platformBefore);
}

// The registry keeps a running timer after its owner lets go; when its handler
// finally stops it, the timer goes away only after the handler has returned.
TEST_F(TimerTest, ReleasedRunningTimerLivesOnUntilItStopsItself) {
    int ticks = 0;
    bool handlerReturned = false;
    std::weak_ptr<CTimer> watch;
    {
        auto t = CTimer::Create();
        watch = t;
        CTimer* self = t.get();
        t->Timer = [&, self] {
            if (++ticks == 3) {
                self->Enabled(false);
                // Still safe to use: the callback holds its own reference.
                EXPECT_EQ(self->Interval(), 10);
            }
            handlerReturned = true;
        };
        t->Interval(10);
    }
    ASSERT_FALSE(watch.expired());
    ASSERT_TRUE(RunLoopUntil([&] { return watch.expired(); }));
    EXPECT_EQ(ticks, 3);
    EXPECT_TRUE(handlerReturned);
    EXPECT_EQ(modSystem::TimerKeys().size(), keysBefore);
    EXPECT_EQ(user32::LiveTimerCount(), platformBefore);
}

TEST_F(TimerTest, HandlerMayRetimeItsOwnTimer) {
    auto t = CTimer::Create();
    int ticks = 0;
    CTimer* self = t.get();
    t->Timer = [&] {
        ++ticks;
        if (ticks == 1) self->Interval(15);
    };
    t->Interval(10);
    ASSERT_TRUE(RunLoopUntil([&] { return ticks >= 3; }));
    EXPECT_EQ(t->Interval(), 15);
    EXPECT_TRUE(t->Enabled());
    EXPECT_EQ(user32::LiveTimerCount(), platformBefore + 1);
    t->Enabled(false);
}

TEST_F(TimerTest, CallbackServesOnlyRegisteredWindowlessTimers) {
    auto t = CTimer::Create();
    int ticks = 0;
    t->Timer = [&] { ++ticks; };
    t->Interval(100000);  // registered, but never due during the test
    const auto keys = modSystem::TimerKeys();
    ASSERT_EQ(keys.size(), keysBefore + 1);
    UINT_PTR id = 0;
    for (const auto& k : keys) id = std::max<UINT_PTR>(id, std::stoul(k));

    const struct {
        HWND hWnd;
        UINT_PTR id;
        int raised;
    } cases[] = {
        {0, id, 1},
        {42, id, 0},       // a window's timer is not ours
        {0, id + 1000, 0}, // not registered
    };
    for (const auto& c : cases) {
        ticks = 0;
        modSystem::TimerProc(c.hWnd, WM_TIMER, c.id, 0);
        EXPECT_EQ(ticks, c.raised) << "hWnd " << c.hWnd << " id " << c.id;
    }
    t->Enabled(false);
    ticks = 0;
    modSystem::TimerProc(0, WM_TIMER, id, 0);
    EXPECT_EQ(ticks, 0) << "a stopped timer is no longer registered";
}

TEST_F(TimerTest, HandlerErrorsAreSwallowed) {
    auto t = CTimer::Create();
    int ticks = 0;
    t->Timer = [&] {
        ++ticks;
        throw std::runtime_error("handler failed");
    };
    EXPECT_NO_THROW(t->RaiseTimerEvent());
    t->Interval(10);
    ASSERT_TRUE(RunLoopUntil([&] { return ticks >= 2; })) << "a failing handler keeps its timer running";
    t->Enabled(false);
}

TEST_F(TimerTest, FailedPlatformTimerIsMarkedRunningUnderKeyZero) {
    g_platformLog.failSet = true;
    auto t = CTimer::Create();
    int ticks = 0;
    t->Timer = [&] { ++ticks; };
    t->Interval(10);
    EXPECT_TRUE(t->Enabled());
    const auto keys = modSystem::TimerKeys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), "0"), keys.end());
    RunLoopFor(50);
    EXPECT_EQ(ticks, 0);
    t->Enabled(false);
    EXPECT_EQ(modSystem::TimerKeys().size(), keysBefore);
}

TEST_F(TimerTest, PlatformFailuresBecomeComponentErrors) {
    const std::string inner = std::to_string(-2147467259) + ": no timer service";
    auto wrapped = [](const std::string& innerText, int line) {
        return "CTimer component failure!\r\n\r\n" + innerText + "\r\nOn line: " + std::to_string(line);
    };
    const std::string enabledStart = wrapped(inner, 106);
    const std::string enabledStop = wrapped(inner, 110);
    struct Case {
        const char* name;
        std::function<void(CTimer&)> prepare;  // runs with a working platform
        bool throwOnSet, throwOnKill;
        std::function<void(CTimer&)> act;
        std::string source;
        std::string description;
    };
    const Case cases[] = {
        {"Enabled true, SetTimer fails", [](CTimer&) {}, true, false,
         [](CTimer& t) { t.Enabled(true); }, "CTimer.Enabled", enabledStart},
        {"Enabled false, KillTimer fails", [](CTimer& t) { t.Enabled(true); }, false, true,
         [](CTimer& t) { t.Enabled(false); }, "CTimer.Enabled", enabledStop},
        {"Interval below 1", [](CTimer& t) { t.Enabled(true); }, false, true,
         [](CTimer& t) { t.Interval(0); }, "CTimer.Interval",
         wrapped("-2147219764: " + enabledStop, 110)},
        {"Interval new value, stopping fails", [](CTimer& t) { t.Enabled(true); }, false, true,
         [](CTimer& t) { t.Interval(70); }, "CTimer.Interval",
         wrapped("-2147219764: " + enabledStop, 104)},
        {"Interval new value, starting fails", [](CTimer&) {}, true, false,
         [](CTimer& t) { t.Interval(70); }, "CTimer.Interval",
         wrapped("-2147219764: " + enabledStart, 108)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto t = CTimer::Create();
        c.prepare(*t);
        g_platformLog.throwOnSet = c.throwOnSet;
        g_platformLog.throwOnKill = c.throwOnKill;
        try {
            c.act(*t);
            ADD_FAILURE() << "no error";
        } catch (const ComponentError& e) {
            EXPECT_EQ(e.number(), static_cast<int32_t>(0x800406CC));
            EXPECT_EQ(e.number(), -2147219764);
            EXPECT_EQ(e.source(), c.source);
            EXPECT_EQ(e.description(), c.description);
        }
        g_platformLog.throwOnSet = g_platformLog.throwOnKill = false;
        // The operation stopped at the failing statement; a failed stop leaves
        // its platform timer and registry entry behind, which go here.
        t->Enabled(false);
        for (const auto& key : modSystem::TimerKeys()) {
            const auto id = static_cast<int32_t>(std::stol(key));
            user32::KillTimer(0, static_cast<UINT_PTR>(static_cast<uint32_t>(id)));
            modSystem::RemoveTimer(id);
        }
    }
}
