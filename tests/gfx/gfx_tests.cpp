// Immediate drawing into the current window: bitmaps at their own size or
// stretched, top before left, and the background fill; the colour fades and
// the casting progress bar, in the headless driver's virtual time. (The start
// banner's timing is the main window's start-up test; its picture is the
// first_start session's screenshot.)
#include "app/screenloop.h"
#include "gfx/drawing.h"
#include "gfx/effects.h"

#include "gfx/current_window.h"
#include "support/dialogs.h"
#include "support/golden.h"

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
const COLORREF kGround = RGB(96, 160, 96);
const COLORREF kTable = RGB(255, 216, 170);   // the main window's colour

// A 3 x 2 bitmap, black but for its top-left pixel.
HBITMAP corner_bitmap()
{
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bm = CreateBitmap(3, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(mem, bm);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    RECT corner{0, 0, 1, 1};
    FillRect(mem, &corner, brush);
    DeleteObject(brush);
    SelectObject(mem, old);
    DeleteDC(mem);
    return bm;
}

bool queued(HWND hwnd, UINT msg)
{
    MSG m;
    return PeekMessageA(&m, hwnd, msg, msg, PM_NOREMOVE) != 0;
}

}   // namespace

// Each form draws the whole bitmap where asked, top before left, and nothing
// beyond it, apart from the others; a zero height draws nothing. The bitmap
// stays the caller's. A missing picture draws and describes nothing.
TEST(DrawBitmap, EachFormDrawsTheWholeBitmapAtTopThenLeft)
{
    CurrentWindow w;
    dialogs::fill_client(w.hwnd, kGround);
    HBITMAP bm = corner_bitmap();
    const RECT small{80, 9, 83, 11}, stone{90, 100, 160, 229};
    const struct {
        std::function<BITMAP()> draw;
        LONG width;
    } rows[] = {
        {[&] { return DrawBitmap(bm, 20, 10, 0, 99); }, 3},
        {[&] { return DrawBitmap(bm, 5, 30, 30, 20); }, 3},
        {[&] { return DrawBitmap(bm, 5, 70, 30, 0); }, 3},
        {[&] { return DrawBitmapRECT(bm, small); }, 3},
        {[&] { return DrawBitmapFromID(2, 100, 10, 70, 129); }, 220},
        {[&] { return DrawBitmapRECTFromID(5, stone); }, 220},
        {[&] { return DrawBitmapFromID(1011, 240, 0, 0, 0); }, 500},
        {[&] { return DrawBitmapFromID(4242, 0, 0, 70, 129); }, 0},
    };
    for (const auto &row : rows) EXPECT_EQ(row.draw().bmWidth, row.width) << &row - rows;
    EXPECT_TRUE(matches_golden(w.image(520, 330).canvas, "drawing_forms"));
    EXPECT_TRUE(DeleteObject(bm));
}

// A stone lies on the table: the main window's colour runs right up to each
// rune's dark outline, with no lighter ground or rectangle around it, at both
// sizes the program draws: 70 x 129 on the table, 105 x 194 in the detail
// screen.
TEST(DrawBitmap, StonesLieOnTheTableWithNoRectangleAroundThem)
{
    CurrentWindow w;
    ShowWindow(w.hwnd, SW_SHOWMAXIMIZED);
    BackgroundColour(kTable);
    for (int n = 1; n <= 25; ++n) DrawBitmapFromID(n, 5 + (n - 1) / 13 * 135, 5 + (n - 1) % 13 * 75, 70, 129);
    EXPECT_TRUE(matches_golden(w.image(980, 275).canvas, "stones_on_the_table"));
    BackgroundColour(kTable);
    for (int n = 1; n <= 25; ++n) DrawBitmapFromID(n, 5 + (n - 1) / 9 * 200, 5 + (n - 1) % 9 * 110, 105, 194);
    EXPECT_TRUE(matches_golden(w.image(995, 600).canvas, "stones_in_the_detail_screen"));
}

// -1 is grey; a maximised window on a screen larger than 1000 x 1000 is
// filled to its edges; without a current window nothing is drawn.
TEST(BackgroundColour, FillsTheWholeClientArea)
{
    drv::headless().set_desktop_size(SIZE{1600, 1200});
    CurrentWindow w;
    ShowWindow(w.hwnd, SW_SHOWMAXIMIZED);
    RECT c;
    GetClientRect(w.hwnd, &c);
    ASSERT_GT(c.bottom, 1000);
    // The same shape asked for again without a window: nothing of the first is left.
    const RECT full = GetWindowShape();
    hWnd_sim_dialog = nullptr;
    const RECT none = GetWindowShape();
    hWnd_sim_dialog = w.hwnd;
    EXPECT_EQ(full.right, c.right);
    EXPECT_TRUE(IsRectEmpty(&none));
    for (DWORD given : {(DWORD)-1, (DWORD)0x00AAD8FF}) {
        BackgroundColour(given);
        const COLORREF seen = given == (DWORD)-1 ? RGB(200, 200, 200) : RGB(255, 216, 170);
        EXPECT_EQ(w.stray(seen), 0) << std::hex << given;
    }
    hWnd_sim_dialog = nullptr;
    BackgroundColour(RGB(9, 8, 7));
}

// Ten fills, nine waits of one tick each (a timer ticks at most every
// USER_TIMER_MINIMUM milliseconds); what was queued stays queued, but a tick
// of another timer of the window serves as a wait and is lost; the fade's
// own timer is gone afterwards.
TEST(Fade, TenFillsNineTicksHandlingNothingElse)
{
    CurrentWindow w;
    PostMessageA(w.hwnd, WM_USER + 1, 0, 0);
    uint64_t before = drv::headless().now();
    FadeGreenToWhite();
    EXPECT_EQ(drv::headless().now() - before, 9u * USER_TIMER_MINIMUM);
    EXPECT_EQ(w.stray(RGB(255, 255, 255)), 0);
    EXPECT_TRUE(queued(w.hwnd, WM_USER + 1));
    drv::headless().set_now(before + 100);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));

    PostMessageA(w.hwnd, WM_TIMER, 1, 0);
    before = drv::headless().now();
    FadeWhiteToGreen();
    EXPECT_EQ(drv::headless().now() - before, 8u * USER_TIMER_MINIMUM);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));
    EXPECT_EQ(w.stray(RGB(36, 180, 0)), 0);
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
