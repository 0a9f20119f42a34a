#include "gdi32/dc.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void fill(HDC dc, RECT r, COLORREF c)
{
    HBRUSH b = CreateSolidBrush(c);
    FillRect(dc, &r, b);
    DeleteObject(b);
}

} // namespace

TEST(SurfaceDC, DrawsOnlyIntoThePartBeingPainted)
{
    gfx::Surface window(20, 10, 0);
    const gfx::Rect paint{5, 2, 9, 6};
    HDC dc = gdi::create_surface_dc([&window] { return window.canvas; }, &paint);
    fill(dc, RECT{0, 0, 20, 10}, RGB(255, 0, 0));
    EXPECT_EQ(window.canvas.row(2)[5], 0xFF0000u);
    EXPECT_EQ(window.canvas.row(5)[8], 0xFF0000u);
    EXPECT_EQ(window.canvas.row(1)[5], 0u);
    EXPECT_EQ(window.canvas.row(2)[9], 0u);
    // A clip region narrows the painted part further, never widens it.
    HRGN rgn = CreateRectRgn(0, 0, 7, 20);
    SelectClipRgn(dc, rgn);
    DeleteObject(rgn);
    fill(dc, RECT{0, 0, 20, 10}, RGB(0, 255, 0));
    EXPECT_EQ(window.canvas.row(3)[6], 0x00FF00u);
    EXPECT_EQ(window.canvas.row(3)[7], 0xFF0000u);
    EXPECT_EQ(window.canvas.row(0)[0], 0u);
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(SurfaceDC, FollowsTheSurfaceAsItIsResizedOrGoes)
{
    auto window = std::make_unique<gfx::Surface>(4, 4, 0);
    HDC dc = gdi::create_surface_dc([&window] { return window ? window->canvas : gfx::Canvas{}; });
    window->resize(30, 30);   // new pixels: a held pointer would dangle
    fill(dc, RECT{0, 0, 30, 30}, RGB(1, 2, 3));
    EXPECT_EQ(window->canvas.row(29)[29], 0x010203u);
    window.reset();   // the window is gone: drawing does nothing, safely
    fill(dc, RECT{0, 0, 30, 30}, RGB(4, 5, 6));
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    const POINT tri[3] = {{0, 0}, {10, 0}, {0, 10}};
    EXPECT_TRUE(Polygon(dc, tri, 3));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "Gone", 4));
    DeleteDC(dc);
}

TEST(SurfaceDC, NewDCsStartWithTheDefaults)
{
    gfx::Surface window(4, 4, 0);
    HDC dc = gdi::create_surface_dc([&window] { return window.canvas; });
    SetBkMode(dc, TRANSPARENT);
    SetPolyFillMode(dc, WINDING);
    SetTextColor(dc, RGB(9, 9, 9));
    DeleteDC(dc);
    // What one DC was given, the next does not have.
    dc = gdi::create_surface_dc([&window] { return window.canvas; });
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    EXPECT_EQ(SetPolyFillMode(dc, ALTERNATE), ALTERNATE);
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), BLACKONWHITE);
    const gdi::DC *d = gdi::find<gdi::DC>(dc);
    EXPECT_EQ(d->brush, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(d->pen, GetStockObject(BLACK_PEN));
    EXPECT_EQ(d->font, GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
}
