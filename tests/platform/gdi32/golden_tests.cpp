// GDI's drawing calls pinned by golden images: fills, polygons, text, edges
// and blits on a memory bitmap, each scene drawn as the program draws it;
// blits of absurd sizes. (Window frames show in user32's desktop_dialog.)
// Bitmap objects: where they may be selected; window DCs on a surface
// they fetch at each call, drawing only where asked.
#include "support/golden.h"

#include "gdi32/bitmap.h"
#include "gdi32/dc.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

int fill(HDC dc, RECT r, COLORREF c)
{
    HBRUSH br = CreateSolidBrush(c);
    const int answer = FillRect(dc, &r, br);
    DeleteObject(br);
    return answer;
}

// A memory DC with a 32-bit bitmap of its own.
struct MemoryDC {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    HGDIOBJ old;

    MemoryDC(int w, int h, COLORREF colour) : bitmap(CreateBitmap(w, h, 1, 32, nullptr)), old(SelectObject(dc, bitmap))
    {
        fill(dc, {0, 0, w, h}, colour);
    }
    ~MemoryDC()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
};

const raster::Canvas &canvas_of(const MemoryDC &m) { return gdi::find<gdi::Bitmap>(m.bitmap)->surface.canvas; }

void star(HDC dc, int dx, int dy)
{
    const POINT pts[5] = {
        {dx + 20, dy + 1}, {dx + 30, dy + 20}, {dx + 10, dy + 10}, {dx + 30, dy + 10}, {dx + 10, dy + 20}};
    EXPECT_TRUE(Polygon(dc, pts, 5));
}

// A 32-bit picture whose pixels come from a function of (x, y), drawn with
// the calls the program makes: a memory DC holding it, then the blit.
template <class F>
HBITMAP picture(int w, int h, F colour)
{
    std::vector<BYTE> bits(static_cast<size_t>(w) * h * 4);
    for (int i = 0; i < w * h; ++i) {
        const COLORREF c = colour(i % w, i / w);
        bits[static_cast<size_t>(i) * 4] = GetBValue(c);
        bits[static_cast<size_t>(i) * 4 + 1] = GetGValue(c);
        bits[static_cast<size_t>(i) * 4 + 2] = GetRValue(c);
    }
    return CreateBitmap(w, h, 1, 32, bits.data());
}

void text(HDC dc, RECT r, const char *s, UINT format) { DrawTextA(dc, s, -1, &r, format); }

}   // namespace

TEST(Golden, DrawingCallsOnAMemoryBitmap)
{
    MemoryDC m(320, 200, RGB(255, 255, 255));
    HDC dc = m.dc;
    // Fills: right and bottom edges out, red the low byte, a system colour
    // index plus one as a brush, a huge rectangle cut to the bitmap; empty and
    // inverted ones, the null brush and an unknown brush paint nothing.
    EXPECT_NE(fill(dc, {3, 4, 10, 12}, RGB(0, 0, 255)), 0);
    fill(dc, {12, 4, 20, 12}, 0x00AAD8FF);
    RECT face{22, 4, 30, 12};
    EXPECT_NE(FillRect(dc, &face, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_3DFACE + 1))), 0);
    fill(dc, {-2147483647, 190, 2147483647, 193}, RGB(255, 0, 0));
    EXPECT_NE(fill(dc, {35, 5, 35, 9}, 0), 0);
    fill(dc, {48, 12, 40, 4}, 0);
    RECT none{50, 4, 60, 12};
    EXPECT_NE(FillRect(dc, &none, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH))), 0);
    EXPECT_EQ(FillRect(dc, &none, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(0x7777))), 0);

    // Stars of the casting bar: whole by WINDING, hollow by ALTERNATE (the
    // default), one cut at the left edge, a red one without outline, and edges
    // a hundred million pixels away clipped to a region.
    fill(dc, {0, 14, 320, 40}, RGB(0, 0, 255));
    EXPECT_EQ(SetPolyFillMode(dc, WINDING), ALTERNATE);
    EXPECT_EQ(SetPolyFillMode(dc, 7), 0);
    star(dc, 60, 15);
    star(dc, -15, 15);
    SetPolyFillMode(dc, ALTERNATE);
    star(dc, 100, 15);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(dc, red);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    star(dc, 140, 15);
    EXPECT_EQ(SelectObject(dc, oldBrush), red);
    SelectObject(dc, oldPen);
    DeleteObject(red);
    HRGN clip = CreateRectRgn(230, 40, 190, 15);   // corners in either order
    EXPECT_EQ(SelectClipRgn(dc, clip), SIMPLEREGION);
    DeleteObject(clip);   // the DC keeps its own copy
    const POINT far[3] = {{-100000000, 20}, {100000000, 20}, {0, 100000000}};
    EXPECT_TRUE(Polygon(dc, far, 3));
    EXPECT_FALSE(Polygon(dc, far, 1));

    // Text: transparent, cut to the region and not; opaque over whole cells; a
    // count short of the string; bold made by striking the regular face twice.
    fill(dc, {0, 42, 320, 62}, RGB(0, 0, 255));
    clip = CreateRectRgn(10, 42, 60, 52);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(dc, RGB(255, 255, 255)), RGB(0, 0, 0));
    EXPECT_TRUE(TextOutA(dc, 0, 42, "Quenmire Stonecall", 18));
    EXPECT_EQ(GetPixel(dc, 5, 45), CLR_INVALID);   // GetPixel answers only inside the clip
    SelectClipRgn(dc, nullptr);
    TextOutA(dc, 150, 42, "Quenmire Stonecall", 18);
    const char unterminated[4] = {'R', 'u', 'n', 'e'};
    TextOutA(dc, 290, 42, unterminated, 2);
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
    SetTextColor(dc, RGB(0, 0, 0));
    HFONT sans = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HFONT bold = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ oldFont = SelectObject(dc, bold);
    TextOutA(dc, 5, 64, "Quenmire Stonecall", 18);
    SelectObject(dc, sans);
    TextOutA(dc, 120, 64, "Quenmire Stonecall", 18);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(0, 255, 0));
    TextOutA(dc, 230, 64, "Gebo", 4);
    SetBkMode(dc, TRANSPARENT);

    // DrawTextA: broken at words inside its rectangle, centred on one line, cut
    // at a narrow rectangle's edge, '&' underlining the next character ("&&"
    // an ampersand), lines broken at line feeds.
    text(dc, {10, 80, 70, 130}, "Meaning of Rune's Position", DT_WORDBREAK);
    text(dc, {80, 80, 160, 110}, "OK", DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    text(dc, {170, 80, 180, 95}, "Divinatory", DT_SINGLELINE);
    text(dc, {190, 80, 260, 95}, "&Run a&&b", DT_SINGLELINE);
    text(dc, {260, 80, 320, 120}, "Run\r\nEdit", DT_RIGHT);
    text(dc, {190, 97, 260, 127}, "Go", DT_BOTTOM | DT_SINGLELINE);
    // DT_CALCRECT measures without drawing and answers the height of the broken lines.
    RECT measured{0, 0, 60, 0};
    EXPECT_EQ(DrawTextA(dc, "Meaning of Rune's Position", -1, &measured, DT_WORDBREAK | DT_CALCRECT), 3 * 13);
    EXPECT_EQ(DrawTextA(dc, nullptr, 3, &measured, 0), 0);
    DeleteObject(SelectObject(dc, oldFont));
    DeleteObject(bold);

    // Edges: raised with its middle, sunken, only the top and left of a
    // thin one; a focus rectangle, and one a second call takes away.
    RECT raised{10, 135, 30, 155};
    ASSERT_TRUE(DrawEdge(dc, &raised, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(raised.left, 12);
    EXPECT_EQ(raised.bottom, 153);
    RECT sunken{40, 135, 60, 155};
    DrawEdge(dc, &sunken, EDGE_SUNKEN, BF_RECT);
    RECT half{70, 135, 90, 155};
    DrawEdge(dc, &half, BDR_SUNKENOUTER, BF_TOPLEFT);
    EXPECT_EQ(half.left, 70);   // no BF_ADJUST
    RECT focus{100, 135, 120, 155};
    ASSERT_TRUE(DrawFocusRect(dc, &focus));
    RECT twice{130, 135, 150, 155};
    DrawFocusRect(dc, &twice);
    DrawFocusRect(dc, &twice);

    // Blits: a shrink ANDs what it merges (yellow and cyan give green) and
    // keeps a one-pixel black detail; natural, double, widened-only and mirrored copies;
    // empty extents, copies off both ends, an unknown raster operation.
    HDC mem = CreateCompatibleDC(dc);
    HBITMAP columns = picture(22, 27, [](int x, int) { return x % 2 ? RGB(255, 255, 0) : RGB(0, 255, 255); });
    HBITMAP detail =
        picture(22, 27, [](int x, int y) { return x == 10 && y == 13 ? RGB(0, 0, 0) : RGB(255, 255, 255); });
    HBITMAP small = picture(3, 2, [](int x, int y) { return RGB(x * 100, y * 100, 7); });
    HGDIOBJ oldBitmap = SelectObject(mem, columns);
    EXPECT_TRUE(StretchBlt(dc, 160, 135, 7, 13, mem, 0, 0, 22, 27, SRCCOPY));
    SelectObject(mem, detail);
    StretchBlt(dc, 170, 135, 7, 13, mem, 0, 0, 22, 27, SRCCOPY);
    SelectObject(mem, small);
    StretchBlt(dc, 180, 135, 3, 2, mem, 0, 0, 3, 2, SRCCOPY);
    StretchBlt(dc, 180, 140, 6, 4, mem, 0, 0, 3, 2, SRCCOPY);
    StretchBlt(dc, 186, 135, 6, 2, mem, 0, 0, 3, 2, SRCCOPY);
    StretchBlt(dc, 195, 135, -3, 2, mem, 0, 0, 3, 2, SRCCOPY);
    EXPECT_TRUE(StretchBlt(dc, 200, 135, 70, 0, mem, 0, 0, 3, 2, SRCCOPY));
    StretchBlt(dc, 200, 135, 0, 70, mem, 0, 0, 3, 2, SRCCOPY);
    EXPECT_TRUE(BitBlt(dc, -1, -1, 10, 10, mem, 0, 0, SRCCOPY));
    BitBlt(dc, 318, 198, 10, 10, mem, 0, 0, SRCCOPY);
    EXPECT_FALSE(BitBlt(dc, 300, 100, 3, 2, mem, 0, 0, 0x00EE0086 /* SRCPAINT */));
    EXPECT_TRUE(matches_golden(canvas_of(m), "gdi_calls"));
    // Enlarged a hundred million times: only the visible pixels are worked
    // out; extreme rectangles are clipped, not allocated.
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 400000000, 400000000, mem, 0, 0, 3, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 7));
    EXPECT_EQ(GetPixel(dc, 319, 199), RGB(0, 0, 7));
    EXPECT_TRUE(StretchBlt(dc, 2147483647, 0, -2147483647 - 1, 8, mem, 0, 0, 3, 2, SRCCOPY));
    EXPECT_TRUE(StretchBlt(dc, 0, 0, 8, 8, mem, -2147483647 - 1, 0, 2147483647, 2, SRCCOPY));
    SelectObject(mem, oldBitmap);
    DeleteDC(mem);
    for (HBITMAP b : {columns, detail, small}) DeleteObject(b);
}

TEST(Golden, TextInEachFace)
{
    MemoryDC m(300, 90, RGB(255, 255, 255));
    struct Line {
        const char *face;
        int height;
        int weight;
    };
    const Line lines[] = {{"MS Sans Serif", -11, FW_NORMAL},
                          {"System", 16, FW_BOLD},
                          {"Nosferatu", -16, FW_NORMAL},
                          {"No Such Family", -11, FW_NORMAL}};
    int y = 2;
    for (const Line &l : lines) {
        HFONT f = CreateFontA(l.height, 0, 0, 0, l.weight, 0, 0, 0, 0, 0, 0, 0, 0, l.face);
        HGDIOBJ old = SelectObject(m.dc, f);
        TextOutA(m.dc, 4, y, "Meaning of Rune's Position", 26);
        SIZE sz{};
        GetTextExtentPoint32A(m.dc, "M", 1, &sz);
        y += sz.cy + 2;
        DeleteObject(SelectObject(m.dc, old));
    }
    EXPECT_TRUE(matches_golden(canvas_of(m), "text_faces"));
}

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
