// Immediate drawing into the current window: bitmaps at their own size or
// stretched, top before left, and the background fill.
#include "gfx/drawing.h"

#include "gfx/current_window.h"

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kGround = RGB(1, 2, 3);

// A 3 x 2 bitmap of six different colours, row by row.
const COLORREF kPixels[2][3] = {{RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0)},
                                {RGB(0, 40, 0), RGB(0, 50, 0), RGB(0, 60, 0)}};

HBITMAP six_colours()
{
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bm = CreateBitmap(3, 2, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(mem, bm);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            HBRUSH b = CreateSolidBrush(kPixels[y][x]);
            RECT r{x, y, x + 1, y + 1};
            FillRect(mem, &r, b);
            DeleteObject(b);
        }
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bm;
}

} // namespace

TEST(DrawBitmap, OwnSizeAtTheLeftAndTopGivenTopFirstIgnoringHeight)
{
    CurrentWindow w;
    w.fill(kGround);
    HBITMAP bm = six_colours();
    BITMAP d = DrawBitmap(bm, 20, 10, 0, 99);
    EXPECT_EQ(d.bmWidth, 3);
    EXPECT_EQ(d.bmHeight, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(w.at(10 + x, 20 + y), kPixels[y][x]) << x << "," << y;
    // Nothing beyond the bitmap's own 3 x 2 pixels.
    EXPECT_EQ(w.count(0, 0, 60, 140, kGround), 60 * 140 - 6);
    // The bitmap is still the caller's to use and delete.
    BITMAP again{};
    EXPECT_EQ(GetObjectA(bm, sizeof(again), &again), (int)sizeof(again));
    EXPECT_TRUE(DeleteObject(bm));
}

TEST(DrawBitmap, StretchesToWidthAndHeightAndDrawsNothingWithoutHeight)
{
    CurrentWindow w;
    w.fill(kGround);
    HBITMAP bm = six_colours();
    DrawBitmap(bm, 5, 7, 30, 20);
    EXPECT_EQ(w.at(7, 5), kPixels[0][0]);
    EXPECT_EQ(w.at(36, 5), kPixels[0][2]);
    EXPECT_EQ(w.at(7, 24), kPixels[1][0]);
    EXPECT_EQ(w.at(36, 24), kPixels[1][2]);
    EXPECT_EQ(w.count(0, 0, 80, 60, kGround), 80 * 60 - 30 * 20);

    w.fill(kGround);
    DrawBitmap(bm, 5, 7, 30, 0);
    EXPECT_EQ(w.count(0, 0, 80, 60, kGround), 80 * 60);
    DeleteObject(bm);
}

TEST(DrawBitmap, RunePictureShrunkToItsPlaceFromTheResources)
{
    CurrentWindow w;
    w.fill(kGround);
    BITMAP d = DrawBitmapFromID(2, 40, 30, 70, 129);
    EXPECT_EQ(d.bmWidth, 220);
    EXPECT_EQ(d.bmHeight, 270);
    // The picture covers exactly x 30..99, y 40..168.
    EXPECT_EQ(w.count(30, 40, 100, 169, kGround), 0);
    EXPECT_EQ(w.count(0, 0, 200, 250, kGround), 200 * 250 - 70 * 129);

    // At its own size the banner picture is 500 x 82.
    w.fill(kGround);
    d = DrawBitmapFromID(1011, 0, 0, 0, 0);
    EXPECT_EQ(d.bmWidth, 500);
    EXPECT_EQ(d.bmHeight, 82);
    EXPECT_EQ(w.count(0, 0, 520, 100, kGround), 520 * 100 - 500 * 82);
}

TEST(DrawBitmap, RectangleFormsTakeTopAndLeftFromTheRectangle)
{
    CurrentWindow w;
    w.fill(kGround);
    const RECT place{10, 20, 80, 149};
    DrawBitmapRECTFromID(5, place);
    EXPECT_EQ(w.count(10, 20, 80, 149, kGround), 0);
    EXPECT_EQ(w.count(0, 0, 120, 200, kGround), 120 * 200 - 70 * 129);

    w.fill(kGround);
    HBITMAP bm = six_colours();
    DrawBitmapRECT(bm, RECT{4, 9, 7, 11});
    EXPECT_EQ(w.at(4, 9), kPixels[0][0]);
    EXPECT_EQ(w.at(6, 10), kPixels[1][2]);
    EXPECT_EQ(w.count(0, 0, 40, 40, kGround), 40 * 40 - 6);
    DeleteObject(bm);
}

TEST(DrawBitmap, MissingPictureDrawsNothingAndDescribesNothing)
{
    CurrentWindow w;
    w.fill(kGround);
    BITMAP d = DrawBitmapFromID(4242, 0, 0, 70, 129);
    EXPECT_EQ(d.bmWidth, 0);
    EXPECT_EQ(d.bmHeight, 0);
    EXPECT_EQ(w.count(0, 0, 100, 150, kGround), 100 * 150);
}

TEST(BackgroundColour, FillsTheClientAreaWithTheColourAndMinusOneWithGrey)
{
    CurrentWindow w;
    SIZE c = w.client();
    const struct {
        DWORD given;
        COLORREF seen;
    } cases[] = {{(DWORD)-1, RGB(200, 200, 200)}, {0x00FFFFFF, RGB(255, 255, 255)}, {0x00AAD8FF, RGB(255, 216, 170)}};
    for (const auto &k : cases) {
        BackgroundColour(k.given);
        EXPECT_EQ(w.count(0, 0, c.cx, c.cy, k.seen), c.cx * c.cy) << std::hex << k.given;
    }
}

// A maximised window on a screen larger than 1000 x 1000 is filled to its
// edges: no stripe of old pixels stays beyond the thousandth.
TEST(BackgroundColour, CoversAMaximisedWindowWiderAndTallerThanAThousandPixels)
{
    drv::headless().set_desktop_size(SIZE{1600, 1200});
    CurrentWindow w;
    ShowWindow(w.hwnd, SW_SHOWMAXIMIZED);
    SIZE c = w.client();
    ASSERT_GT(c.cx, 1000);
    ASSERT_GT(c.cy, 1000);
    w.fill(kGround);
    RECT shape = GetWindowShape();
    EXPECT_EQ(shape.left, 0);
    EXPECT_EQ(shape.top, 0);
    EXPECT_EQ(shape.right, c.cx);
    EXPECT_EQ(shape.bottom, c.cy);
    BackgroundColour(RGB(9, 8, 7));
    EXPECT_EQ(w.count(0, 0, c.cx, c.cy, RGB(9, 8, 7)), c.cx * c.cy);
}

TEST(BackgroundColour, WithoutACurrentWindowDrawsNowhere)
{
    hWnd_sim_dialog = nullptr;
    RECT shape = GetWindowShape();
    EXPECT_TRUE(IsRectEmpty(&shape));
    BackgroundColour(RGB(9, 8, 7));   // nothing to fill, nothing fails
}
