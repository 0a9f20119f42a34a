// The colour fades and the casting progress bar, in the headless driver's
// virtual time. (The start banner's timing is the main window's start-up
// test; its picture is the first_start session's screenshot.)
#include "gfx/effects.h"

#include "app/screenloop.h"
#include "gfx/current_window.h"

#include "support/dialogs.h"
#include "support/golden.h"

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

namespace {

bool queued(HWND hwnd, UINT msg)
{
    MSG m;
    return PeekMessageA(&m, hwnd, msg, msg, PM_NOREMOVE) != 0;
}

}   // namespace

// Ten fills, nine waits of one tick each (a timer ticks at most every
// USER_TIMER_MINIMUM milliseconds); what was queued stays queued, but a tick
// of another timer of the window serves as a wait and is lost; the fade's
// own timer is gone afterwards.
TEST(Fade, TenFillsNineTicksHandlingNothingElse)
{
    CurrentWindow w;
    SIZE c = w.client();
    PostMessageA(w.hwnd, WM_USER + 1, 0, 0);
    uint64_t before = drv::headless().now();
    FadeGreenToWhite();
    EXPECT_EQ(drv::headless().now() - before, 9u * USER_TIMER_MINIMUM);
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, RGB(255, 255, 255)), c.cx * c.cy);
    EXPECT_TRUE(queued(w.hwnd, WM_USER + 1));
    drv::headless().set_now(before + 100);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));

    PostMessageA(w.hwnd, WM_TIMER, 1, 0);
    before = drv::headless().now();
    FadeWhiteToGreen();
    EXPECT_EQ(drv::headless().now() - before, 8u * USER_TIMER_MINIMUM);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, RGB(36, 180, 0)), c.cx * c.cy);
}

// Half done, the casting bar is the golden one: frame, fills, six stars and
// the text clipped to the bar.
TEST(ProgressBar, HalfDoneIsTheGoldenBar)
{
    CurrentWindow w;
    dialogs::fill_client(w.hwnd, RGB(192, 192, 192));
    ProgressBarTarot(10, 10, 364.0f, 20, 14, 7);
    EXPECT_TRUE(matches_golden(w.image(384, 40).canvas, "bar_fills_stars_text"));
}

// The blue of done over total steps ends at its share of the inside: none,
// all, more done than steps (no further than all), no steps at all (none);
// a bar too low for its text clips the text, not the stars.
TEST(ProgressBar, FillsDoneOverTotalOfTheInside)
{
    const struct {
        int total, done, height;
    } rows[] = {{14, 0, 20}, {14, 14, 20}, {14, 20, 20}, {0, 5, 20}, {14, 14, 6}};
    CurrentWindow w;
    dialogs::fill_client(w.hwnd, RGB(1, 2, 3));
    for (const auto &row : rows)
        ProgressBarTarot(10, 10 + 40 * (int)(&row - rows), 364.0f, row.height, row.total, row.done);
    EXPECT_TRUE(matches_golden(w.image(384, 210).canvas, "bar_edges"));
}
