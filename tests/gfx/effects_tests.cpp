// The colour fades and the casting progress bar, in the headless driver's
// virtual time. (The start banner's timing is the main window's start-up
// test; its picture is the first_start session's screenshot.)
#include "gfx/effects.h"

#include "app/screenloop.h"
#include "gfx/current_window.h"

#include "support/golden.h"

#include "driver/headless/headless.h"
#include "user32/compositor.h"

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
    w.fill(RGB(192, 192, 192));
    ProgressBarTarot(10, 10, 364.0f, 20, 14, 7);
    POINT origin{0, 0};
    ClientToScreen(w.hwnd, &origin);
    raster::Surface bar(384, 40);
    raster::blit(bar.canvas, 0, 0, user32::desktop_image(),
                 raster::Rect{origin.x, origin.y, origin.x + 384, origin.y + 40}, raster::bounds(bar.canvas));
    EXPECT_TRUE(matches_golden(bar.canvas, "bar_fills_stars_text"));
}

// The blue of done over total steps ends at its share of the inside; no
// steps, or more done than steps, fill nothing past the inside (x 35 to 396).
TEST(ProgressBar, FillsDoneOverTotalOfTheInside)
{
    const struct {
        int total, done, last_blue;   // the last column with blue, 34 for none
    } rows[] = {{14, 0, 34}, {14, 7, 214}, {14, 14, 396}, {14, 20, 396}, {0, 5, 34}};
    CurrentWindow w;
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.done << " of " << row.total);
        w.fill(RGB(1, 2, 3));
        ProgressBarTarot(34, 150, 364.0f, 20, row.total, row.done);
        EXPECT_GT(w.count(row.last_blue, 151, row.last_blue + 1, 170, RGB(0, 0, 255)), row.last_blue > 34 ? 0 : -1);
        EXPECT_EQ(w.count(row.last_blue + 1, 151, 398, 171, RGB(0, 0, 255)), 0);
        EXPECT_EQ(w.at(397, 165), RGB(0, 0, 0));
    }
    // A bar too low for the text clips it: nothing of it below the bar, where
    // the stars (which are not clipped) do not reach.
    w.fill(RGB(1, 2, 3));
    ProgressBarTarot(34, 150, 364.0f, 6, 14, 14);
    EXPECT_EQ(w.count(120, 157, 309, 175, RGB(1, 2, 3)), 189 * 18);
}
