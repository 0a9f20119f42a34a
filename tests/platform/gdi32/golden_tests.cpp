#include "platform/gdi32/memory_dc.h"
#include "support/golden.h"

#include "gdi32/bitmap.h"
#include "gdi32/png.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

static const gfx::Canvas &canvas_of(const MemoryDC &m)
{
    return gdi::find<gdi::Bitmap>(m.bitmap)->surface.canvas;
}

static void fill(HDC dc, int l, int t, int r, int b, COLORREF c)
{
    HBRUSH br = CreateSolidBrush(c);
    RECT rc{l, t, r, b};
    FillRect(dc, &rc, br);
    DeleteObject(br);
}

TEST(Golden, BarOfFillsStarsAndClippedText)
{
    // Half a casting bar: black frame, white inside, blue half, winding stars
    // in the default pen and brush, white transparent text clipped to the bar.
    MemoryDC m(384, 40, RGB(192, 192, 192));
    const int left = 10, top = 10;
    fill(m.dc, left, top, left + 364, top + 21, RGB(0, 0, 0));
    fill(m.dc, left + 1, top + 1, left + 363, top + 20, RGB(255, 255, 255));
    fill(m.dc, left + 1, top + 1, left + 181, top + 20, RGB(0, 0, 255));
    SetPolyFillMode(m.dc, WINDING);
    for (int o : {-5, 25, 55, 265, 295, 325}) {
        const POINT star[5] = {{left + o + 20, top + 1}, {left + o + 30, top + 20}, {left + o + 10, top + 10},
                               {left + o + 30, top + 10}, {left + o + 10, top + 20}};
        Polygon(m.dc, star, 5);
    }
    HRGN clip = CreateRectRgn(left, top, left + 364, top + 21);
    SelectClipRgn(m.dc, clip);
    SetBkMode(m.dc, TRANSPARENT);
    SetTextColor(m.dc, RGB(255, 255, 255));
    TextOutA(m.dc, left + 100, top + 2, "Quenmire Stonecall", 18);
    SelectClipRgn(m.dc, nullptr);
    DeleteObject(clip);
    EXPECT_TRUE(matches_golden(canvas_of(m), "bar_fills_stars_text"));
}

TEST(Golden, TextInEachFace)
{
    MemoryDC m(300, 90, RGB(255, 255, 255));
    struct Line {
        const char *face;
        int height;
        int weight;
    };
    const Line lines[] = {{"MS Sans Serif", -11, FW_NORMAL}, {"System", 16, FW_BOLD},
                          {"Nosferatu", -16, FW_NORMAL}, {"No Such Family", -11, FW_NORMAL}};
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

TEST(Png, WritesAndReadsBackEveryPixel)
{
    gfx::Surface s(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            s.canvas.row(y)[x] = static_cast<uint32_t>(x * 0x330000 + y * 0x005500 + 0x11);
    const std::string path = (std::filesystem::temp_directory_path() / "stonecall_png_test.png").string();
    std::string error;
    ASSERT_TRUE(gfx::write_png(s.canvas, path, &error)) << error;
    gfx::Surface back;
    ASSERT_TRUE(gfx::read_png(path, back, &error)) << error;
    EXPECT_EQ(back.canvas.width, 5);
    EXPECT_EQ(back.storage, s.storage);

    // Not a PNG, or no file at all: refused with a reason.
    FILE *f = std::fopen(path.c_str(), "wb");
    std::fputs("not a png", f);
    std::fclose(f);
    EXPECT_FALSE(gfx::read_png(path, back, &error));
    EXPECT_FALSE(error.empty());
    std::filesystem::remove(path);
    EXPECT_FALSE(gfx::read_png(path, back, &error));
    EXPECT_FALSE(gfx::write_png(s.canvas, "/no/such/folder/x.png", &error));
    EXPECT_FALSE(gfx::write_png(gfx::Canvas{}, path, &error));
}
