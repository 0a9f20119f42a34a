// Window DCs on a surface they fetch at each call, drawing only where asked.
#include "gdi32/dc.h"

#include <gtest/gtest.h>

#include <memory>

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
