// The colour fades, the casting progress bar and the start banner.
#include "gfx/effects.h"

#include "app/screenloop.h"
#include "gfx/current_window.h"

#include "driver/headless/headless.h"
#include "testing/lockstep.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kGround = RGB(1, 2, 3);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlue = RGB(0, 0, 255);

bool queued(HWND hwnd, UINT msg)
{
    MSG m;
    return PeekMessageA(&m, hwnd, msg, msg, PM_NOREMOVE) != 0;
}

} // namespace

// Ten fills, nine waits of one tick each (a timer ticks at most every
// USER_TIMER_MINIMUM milliseconds); what was queued stays queued.
TEST(Fade, GreenToWhiteEndsWhiteAfterNineTicksHandlingNothingElse)
{
    CurrentWindow w;
    SIZE c = w.client();
    PostMessageA(w.hwnd, WM_USER + 1, 0, 0);
    uint64_t before = drv::headless().now();
    FadeGreenToWhite();
    EXPECT_EQ(drv::headless().now() - before, 9u * USER_TIMER_MINIMUM);
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, kWhite), c.cx * c.cy);
    EXPECT_TRUE(queued(w.hwnd, WM_USER + 1));
    // The fade's timer is gone: no tick comes later.
    drv::headless().set_now(before + 100);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));
}

TEST(Fade, WhiteToGreenEndsOnTheDeeperGreen)
{
    CurrentWindow w;
    SIZE c = w.client();
    uint64_t before = drv::headless().now();
    FadeWhiteToGreen();
    EXPECT_EQ(drv::headless().now() - before, 9u * USER_TIMER_MINIMUM);
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, RGB(36, 180, 0)), c.cx * c.cy);
}

// Ticks of other timers of the window are taken by the fade's waits and lost.
TEST(Fade, ConsumesTheTicksOfOtherTimers)
{
    CurrentWindow w;
    // A tick of the repaint timer is waiting when the fade starts.
    PostMessageA(w.hwnd, WM_TIMER, 1, 0);
    uint64_t before = drv::headless().now();
    FadeGreenToWhite();
    // It served as the first wait and is gone.
    EXPECT_EQ(drv::headless().now() - before, 8u * USER_TIMER_MINIMUM);
    EXPECT_FALSE(queued(w.hwnd, WM_TIMER));
}

namespace {

// The casting screen's bar, on a ground of its own.
void cast_bar(CurrentWindow &w, int done)
{
    w.fill(kGround);
    ProgressBarTarot(34, 150, 364.0f, 20, 14, done);
}

} // namespace

// With the casting screen's arguments the bar covers its frame whatever is
// done. Columns 35..38 and 120..133 hold neither stars nor text; 390..396 no
// star. The blue of done over total steps ends with x 214 at half; no steps,
// or more done than steps, fill nothing past the inside.
TEST(ProgressBar, CoversItsFrameAndFillsDoneOverTotalOfTheInside)
{
    struct Case {
        int total, done;
        int left, middle, right;   // blue pixels in columns 35..38, 120..133, 390..396
    };
    const Case cases[] = {{14, 0, 0, 0, 0},          {14, 7, 4 * 19, 14 * 19, 0}, {14, 14, 4 * 19, 14 * 19, 7 * 19},
                          {14, 20, 4 * 19, 14 * 19, 7 * 19}, {0, 0, 0, 0, 0},    {0, 5, 0, 0, 0}};
    CurrentWindow w;
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.done << " of " << c.total);
        w.fill(kGround);
        ProgressBarTarot(34, 150, 364.0f, 20, c.total, c.done);
        EXPECT_EQ(w.count(35, 151, 39, 170, kBlue), c.left);
        EXPECT_EQ(w.count(35, 151, 39, 170, kWhite), 4 * 19 - c.left);
        EXPECT_EQ(w.count(120, 151, 134, 170, kBlue), c.middle);
        EXPECT_EQ(w.count(390, 151, 397, 170, kBlue), c.right);
        // x 34..397 and y 150..170: nothing of the ground left inside, nothing drawn
        // outside, the black frame's corners and right edge.
        EXPECT_EQ(w.count(34, 150, 398, 171, kGround), 0);
        EXPECT_EQ(w.count(0, 100, 450, 220, kGround), 450 * 120 - 364 * 21);
        for (POINT p : {POINT{34, 150}, POINT{397, 150}, POINT{34, 170}, POINT{397, 170}, POINT{397, 160}})
            EXPECT_EQ(w.at(p.x, p.y), kBlack) << p.x << "," << p.y;
    }
    cast_bar(w, 7);
    EXPECT_EQ(w.count(215, 151, 397, 170, kBlue), 0);
    EXPECT_GT(w.count(214, 151, 215, 170, kBlue), 0);
}

TEST(ProgressBar, DrawsSixStarsOutlinedAndFilled)
{
    CurrentWindow w;
    cast_bar(w, 14);
    for (int o : {-5, 25, 55, 265, 295, 325}) {
        const int x = 34 + o;
        EXPECT_EQ(w.at(x + 20, 151), kBlack) << o;   // the top point's outline
        EXPECT_EQ(w.at(x + 20, 163), kWhite) << o;   // the inner pentagon, filled by winding
        EXPECT_EQ(w.at(x + 20, 168), kBlue) << o;    // between the two lower points: not the star
    }
    // None stands where the bar's right end is.
    EXPECT_EQ(w.count(390, 151, 397, 170, kWhite), 0);
}

TEST(ProgressBar, WhiteTextShowsOnBlueAndStaysInsideTheBar)
{
    CurrentWindow w;
    // With nothing filled the text is white on white.
    cast_bar(w, 0);
    EXPECT_EQ(w.count(134, 151, 260, 170, kWhite), 126 * 19);
    // Filled, the text shows between the third and fourth star.
    cast_bar(w, 14);
    const int text = w.count(134, 151, 260, 170, kWhite);
    EXPECT_GT(text, 50);
    EXPECT_LT(text, 126 * 19 / 2);
    // A bar too low for the text clips it: nothing of it below the bar
    // (where the stars, which are not clipped, do not reach).
    w.fill(kGround);
    ProgressBarTarot(34, 150, 364.0f, 6, 14, 14);
    EXPECT_EQ(w.count(120, 157, 309, 175, kGround), 189 * 18);
    EXPECT_GT(w.count(134, 151, 260, 156, kWhite), 0);
}

namespace {

lockstep::Runner make_runner()
{
    return lockstep::Runner([](const std::string &why) { ADD_FAILURE() << why; });
}

void run_banner()
{
    size_t size;
    const unsigned char *image = stonecall_res(&size);
    hInst2 = rc::register_module(image, size);
    DirectDialog(BANNER_TEMPLATE_ID, TileCon, TileMM, nullptr);
}

HWND banner_window()
{
    return hWnd_sim_dialog;
}

} // namespace

TEST(Banner, ShowsItsPictureAndClosesAfterThreeSeconds)
{
    auto run = make_runner();
    run.start(run_banner);
    HWND banner = banner_window();
    ASSERT_TRUE(IsWindow(banner));
    // The picture at the client origin at its own size.
    HBITMAP picture = LoadBitmapA(hInst2, MAKEINTRESOURCEA(BANNER_BITMAP_ID));
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, picture);
    HDC dc = GetDC(banner);
    // The banner shows the picture's first 431 of its 500 columns.
    for (POINT p : {POINT{0, 0}, POINT{250, 40}, POINT{430, 81}}) EXPECT_EQ(GetPixel(dc, p.x, p.y), GetPixel(mem, p.x, p.y));
    ReleaseDC(banner, dc);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(picture);

    run.advance(2999);
    EXPECT_FALSE(run.finished());
    run.advance(1);
    EXPECT_TRUE(run.finished());
    EXPECT_FALSE(IsWindow(banner));
}

TEST(Banner, ClosesAtOnceOnEnterOrEscape)
{
    for (UINT vk : {VK_RETURN, VK_ESCAPE}) {
        auto run = make_runner();
        run.start(run_banner);
        run.key(vk);
        EXPECT_TRUE(run.finished()) << vk;
        EXPECT_EQ(run.now(), 0u);
    }
}
