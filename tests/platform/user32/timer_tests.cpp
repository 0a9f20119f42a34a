// Timers: one WM_TIMER however late it is taken, re-arming restarts, killing
// leaves nothing behind, ids are per window, 10 ms at least; and the clock
// jumps only while the program waits for time alone.
#include "support/msgseq.h"

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

namespace {

HWND window()
{
    return CreateWindowExA(0, msgseq::recorder_class(), "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
}

// The timer messages waiting now, as (window, id), taken one by one.
std::vector<std::pair<HWND, WPARAM>> ticks()
{
    std::vector<std::pair<HWND, WPARAM>> out;
    MSG m;
    while (out.size() < 20 && PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE))
        out.emplace_back(m.hwnd, m.wParam);
    return out;
}

using Ticks = std::vector<std::pair<HWND, WPARAM>>;

} // namespace

TEST(Timers, ManyElapsedPeriodsMakeOneMessageAndTheRhythmIsKept)
{
    HWND w = window();
    drv::HeadlessDriver &d = drv::headless();
    SetTimer(w, 1, 100, nullptr);
    d.set_now(99);
    EXPECT_EQ(ticks(), Ticks{});
    d.set_now(350);
    EXPECT_EQ(ticks(), (Ticks{{w, 1}}));
    d.set_now(399);
    EXPECT_EQ(ticks(), Ticks{});
    d.set_now(400);
    EXPECT_EQ(ticks(), (Ticks{{w, 1}}));
}

TEST(Timers, RearmingRestartsAndKillingLeavesNothing)
{
    HWND w = window();
    drv::HeadlessDriver &d = drv::headless();
    SetTimer(w, 1, 100, nullptr);
    d.set_now(60);
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
    d.set_now(100);
    EXPECT_EQ(ticks(), Ticks{});
    d.set_now(160);
    EXPECT_EQ(ticks(), (Ticks{{w, 1}}));
    d.set_now(500);   // expired, not yet taken
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_EQ(ticks(), Ticks{});
    EXPECT_FALSE(KillTimer(w, 1));
}

TEST(Timers, IdsArePerWindowAndGoWithTheirWindow)
{
    HWND a = window(), b = window();
    drv::HeadlessDriver &d = drv::headless();
    SetTimer(a, 1, 50, nullptr);
    SetTimer(b, 1, 70, nullptr);
    d.set_now(70);
    // The one due first comes first.
    EXPECT_EQ(ticks(), (Ticks{{a, 1}, {b, 1}}));
    KillTimer(a, 1);
    d.set_now(140);
    EXPECT_EQ(ticks(), (Ticks{{b, 1}}));
    DestroyWindow(b);
    d.set_now(1000);
    EXPECT_EQ(ticks(), Ticks{});
    EXPECT_EQ(SetTimer(b, 1, 10, nullptr), 0u);
}

TEST(Timers, PeriodsBelowTenMillisecondsBecomeTen)
{
    HWND w = window();
    drv::HeadlessDriver &d = drv::headless();
    SetTimer(w, 3, 1, nullptr);
    d.set_now(9);
    EXPECT_EQ(ticks(), Ticks{});
    d.set_now(10);
    EXPECT_EQ(ticks(), (Ticks{{w, 3}}));
}

TEST(Timers, WaitingForTimeAloneMovesTheClockToTheTick)
{
    HWND w = window();
    drv::HeadlessDriver &d = drv::headless();
    SetTimer(w, 1, 5000, nullptr);
    SetTimer(w, 2, 700, nullptr);
    MSG m;
    // Nothing but a timer can satisfy this filter: the wait jumps to 700.
    ASSERT_EQ(GetMessageA(&m, w, WM_TIMER, WM_TIMER), TRUE);
    EXPECT_EQ(m.wParam, 2u);
    EXPECT_EQ(d.now(), 700u);
    EXPECT_EQ(GetTickCount(), 700u);
    KillTimer(w, 2);
    ASSERT_EQ(GetMessageA(&m, w, WM_TIMER, WM_TIMER), TRUE);
    EXPECT_EQ(m.wParam, 1u);
    EXPECT_EQ(d.now(), 5000u);
    Sleep(250);
    EXPECT_EQ(d.now(), 5250u);
    Sleep(0);
    EXPECT_EQ(d.now(), 5250u);
}

TEST(Timers, ThreadTimersGetIdsOfTheirOwn)
{
    UINT_PTR t = SetTimer(nullptr, 9876, 100, nullptr);
    ASSERT_NE(t, 0u);
    drv::headless().set_now(100);
    MSG m;
    ASSERT_TRUE(PeekMessageA(&m, reinterpret_cast<HWND>(-1), WM_TIMER, WM_TIMER, PM_REMOVE));
    EXPECT_EQ(m.hwnd, nullptr);
    EXPECT_EQ(m.wParam, t);
    EXPECT_TRUE(KillTimer(nullptr, t));
}
