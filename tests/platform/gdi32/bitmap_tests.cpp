// Bitmap objects: where they may be selected, and blits of absurd sizes
// (what blits draw is in golden_tests.cpp); window DCs on a surface they
// fetch at each call, drawing only where asked.
#include "platform/gdi32/memory_dc.h"

#include "gdi32/dc.h"

#include <gtest/gtest.h>

#include <memory>

TEST(Bitmap, SelectedInOneDCOnlyAndNotDeletedWhileSelected)
{
    HDC a = CreateCompatibleDC(nullptr);
    HDC b = CreateCompatibleDC(nullptr);
    HBITMAP pic = CreateBitmap(2, 2, 1, 32, nullptr);
    HGDIOBJ oldA = SelectObject(a, pic);
    EXPECT_NE(oldA, nullptr);
    EXPECT_EQ(SelectObject(b, pic), nullptr);
    EXPECT_FALSE(DeleteObject(pic));
    EXPECT_EQ(SelectObject(a, oldA), pic);
    EXPECT_NE(SelectObject(b, pic), nullptr);   // free again
    EXPECT_TRUE(DeleteDC(b));                   // deleting the DC lets it go
    EXPECT_TRUE(DeleteObject(pic));
    EXPECT_TRUE(DeleteDC(a));
    EXPECT_FALSE(DeleteDC(a));
}

// Widened only: each source column fills two, the height stays.
TEST(StretchBlt, AWidthChangeAloneStretchesTheRows)
{
    MemoryDC src(2, 1, RGB(255, 0, 0));
    const RECT right{1, 0, 2, 1};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(src.dc, &right, blue);
    DeleteObject(blue);
    MemoryDC dst(4, 1, RGB(255, 255, 255));
    EXPECT_TRUE(StretchBlt(dst.dc, 0, 0, 4, 1, src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.at(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.at(2, 0), RGB(0, 0, 255));
    EXPECT_EQ(dst.at(3, 0), RGB(0, 0, 255));
}

TEST(StretchBlt, HugeOrExtremeRectanglesAreClippedNotAllocated)
{
    MemoryDC m(8, 8, RGB(255, 255, 255));
    HDC mem = CreateCompatibleDC(m.dc);
    HBITMAP pic = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ old = SelectObject(mem, pic);
    // Enlarged a hundred million times: only the 8 x 8 visible pixels are worked out.
    EXPECT_TRUE(StretchBlt(m.dc, 0, 0, 400000000, 400000000, mem, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(m.at(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(m.at(7, 7), RGB(0, 0, 0));
    EXPECT_TRUE(StretchBlt(m.dc, 2147483647, 0, -2147483647 - 1, 8, mem, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(StretchBlt(m.dc, 0, 0, 8, 8, mem, -2147483647 - 1, 0, 2147483647, 4, SRCCOPY));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
}

// A DC for the part being painted draws there only, narrowed by its clip region.
TEST(SurfaceDC, DrawsOnlyIntoThePartBeingPaintedNarrowedByTheClipRegion)
{
    raster::Surface window(20, 10, 0);
    const raster::Rect paint{5, 2, 9, 6};
    HDC dc = gdi::create_surface_dc([&window] { return window.canvas; }, &paint);
    HRGN rgn = CreateRectRgn(0, 0, 7, 20);
    SelectClipRgn(dc, rgn);
    DeleteObject(rgn);
    const RECT all{0, 0, 20, 10};
    FillRect(dc, &all, GetSysColorBrush(COLOR_3DFACE));
    raster::Surface expected(20, 10, 0);
    raster::fill_rect(expected.canvas, {5, 2, 7, 6}, 0xC0C0C0, raster::bounds(expected.canvas));
    EXPECT_EQ(window.storage, expected.storage);
    DeleteDC(dc);
}

// A fault once: a DC held a pointer to the window's pixels.
TEST(SurfaceDC, FollowsTheSurfaceAsItIsResizedOrGoes)
{
    auto window = std::make_unique<raster::Surface>(4, 4, 0);
    HDC dc = gdi::create_surface_dc([&window] { return window ? window->canvas : raster::Canvas{}; });
    window->resize(30, 30);   // new pixels: a held pointer would dangle
    const RECT all{0, 0, 30, 30};
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(window->canvas.row(29)[29], 0xFFFFFFu);
    window.reset();   // the window is gone: drawing does nothing, safely
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    const POINT tri[3] = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_TRUE(Polygon(dc, tri, 3));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "Gone", 4));
    DeleteDC(dc);
}
