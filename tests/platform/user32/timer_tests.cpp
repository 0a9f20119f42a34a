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

using Ticks = std::vector<std::pair<HWND, WPARAM>>;

// The timer messages waiting at a moment of the virtual clock, taken one by one.
Ticks ticks_at(uint64_t now)
{
    drv::headless().set_now(now);
    Ticks out;
    MSG m;
    while (out.size() < 20 && PeekMessageA(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) out.emplace_back(m.hwnd, m.wParam);
    return out;
}

} // namespace

TEST(Timers, ManyElapsedPeriodsMakeOneMessageRearmingRestartsAndKillingLeavesNothing)
{
    HWND w = window();
    SetTimer(w, 1, 100, nullptr);
    EXPECT_EQ(ticks_at(99), Ticks{});
    EXPECT_EQ(ticks_at(350), (Ticks{{w, 1}}));
    EXPECT_EQ(ticks_at(399), Ticks{});   // the rhythm is kept
    EXPECT_EQ(ticks_at(400), (Ticks{{w, 1}}));
    EXPECT_EQ(SetTimer(w, 1, 100, nullptr), 1u);
    EXPECT_EQ(ticks_at(499), Ticks{});
    EXPECT_EQ(ticks_at(500), (Ticks{{w, 1}}));
    drv::headless().set_now(900);   // expired, not yet taken
    EXPECT_TRUE(KillTimer(w, 1));
    EXPECT_EQ(ticks_at(900), Ticks{});
    EXPECT_FALSE(KillTimer(w, 1));
}

TEST(Timers, IdsArePerWindowGoWithTheirWindowAndPeriodsAreTenMillisecondsAtLeast)
{
    HWND a = window(), b = window();
    SetTimer(a, 1, 50, nullptr);
    SetTimer(b, 1, 70, nullptr);
    EXPECT_EQ(ticks_at(70), (Ticks{{a, 1}, {b, 1}}));   // the one due first comes first
    KillTimer(a, 1);
    EXPECT_EQ(ticks_at(140), (Ticks{{b, 1}}));
    DestroyWindow(b);
    EXPECT_EQ(ticks_at(1000), Ticks{});
    EXPECT_EQ(SetTimer(b, 1, 10, nullptr), 0u);
    SetTimer(a, 3, 1, nullptr);
    EXPECT_EQ(ticks_at(1009), Ticks{});
    EXPECT_EQ(ticks_at(1010), (Ticks{{a, 3}}));
    // A thread timer gets an id of its own.
    const UINT_PTR t = SetTimer(nullptr, 9876, 100, nullptr);
    KillTimer(a, 3);
    EXPECT_EQ(ticks_at(1110), (Ticks{{nullptr, t}}));
    EXPECT_TRUE(KillTimer(nullptr, t));
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
