// Immediate drawing into the current window: bitmaps at their own size or
// stretched, top before left, and the background fill.
#include "gfx/drawing.h"

#include "gfx/current_window.h"

#include "driver/headless/headless.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const COLORREF kGround = RGB(1, 2, 3);

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

}   // namespace

// Each form draws the whole bitmap where asked and nothing beyond it; the
// bitmap stays the caller's. A missing picture draws and describes nothing.
TEST(DrawBitmap, EachFormDrawsTheWholeBitmapAtTopThenLeft)
{
    CurrentWindow w;
    HBITMAP bm = corner_bitmap();
    const struct {
        std::function<BITMAP()> draw;
        RECT covered;
        LONG width;
    } rows[] = {
        {[&] { return DrawBitmap(bm, 20, 10, 0, 99); }, {10, 20, 13, 22}, 3},
        {[&] { return DrawBitmap(bm, 5, 7, 30, 20); }, {7, 5, 37, 25}, 3},
        {[&] { return DrawBitmap(bm, 5, 7, 30, 0); }, {0, 0, 0, 0}, 3},
        {[&] {
             return DrawBitmapRECT(bm, RECT{4, 9, 7, 11});
         },
         {4, 9, 7, 11},
         3},
        {[&] { return DrawBitmapFromID(2, 40, 30, 70, 129); }, {30, 40, 100, 169}, 220},
        {[&] {
             return DrawBitmapRECTFromID(5, RECT{10, 20, 80, 149});
         },
         {10, 20, 80, 149},
         220},
        {[&] { return DrawBitmapFromID(1011, 0, 0, 0, 0); }, {0, 0, 500, 82}, 500},
        {[&] { return DrawBitmapFromID(4242, 0, 0, 70, 129); }, {0, 0, 0, 0}, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(&row - rows);
        w.fill(kGround);
        EXPECT_EQ(row.draw().bmWidth, row.width);
        const RECT &c = row.covered;
        EXPECT_EQ(w.count(c.left, c.top, c.right, c.bottom, kGround), 0);
        EXPECT_EQ(w.count(0, 0, 520, 200, kGround), 520 * 200 - (c.right - c.left) * (c.bottom - c.top));
        if (row.width == 3 && c.right > 0) {
            EXPECT_EQ(w.at(c.left, c.top), RGB(10, 20, 30));
        }
    }
    EXPECT_TRUE(DeleteObject(bm));
}

// -1 is grey; a maximised window on a screen larger than 1000 x 1000 is
// filled to its edges; without a current window nothing is drawn.
TEST(BackgroundColour, FillsTheWholeClientArea)
{
    drv::headless().set_desktop_size(SIZE{1600, 1200});
    CurrentWindow w;
    ShowWindow(w.hwnd, SW_SHOWMAXIMIZED);
    SIZE c = w.client();
    ASSERT_GT(c.cy, 1000);
    EXPECT_EQ(GetWindowShape().right, c.cx);
    for (DWORD given : {(DWORD)-1, (DWORD)0x00AAD8FF}) {
        BackgroundColour(given);
        const COLORREF seen = given == (DWORD)-1 ? RGB(200, 200, 200) : RGB(255, 216, 170);
        EXPECT_EQ(w.count(0, 0, c.cx, c.cy, seen), c.cx * c.cy) << std::hex << given;
    }
    hWnd_sim_dialog = nullptr;
    RECT shape = GetWindowShape();
    EXPECT_TRUE(IsRectEmpty(&shape));
    BackgroundColour(RGB(9, 8, 7));
}
