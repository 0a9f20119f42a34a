#include "platform/gdi32/memory_dc.h"
#include "platform/rc/embedded.h"

#include "rc/module.h"

#include <gtest/gtest.h>

static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);

// A 32-bit source picture whose pixels come from a function of (x, y).
template <class F>
static HBITMAP make_picture(int w, int h, F colour)
{
    std::vector<BYTE> bits(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = colour(x, y);
            BYTE *p = &bits[(static_cast<size_t>(y) * w + x) * 4];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return CreateBitmap(w, h, 1, 32, bits.data());
}

// Draws a picture with the calls a program makes: a memory DC holding it,
// then StretchBlt with SRCCOPY from (0, 0, natural size).
static BOOL stretch_picture(HDC dst, HBITMAP pic, int left, int top, int w, int h)
{
    HDC mem = CreateCompatibleDC(dst);
    HGDIOBJ old = SelectObject(mem, pic);
    BITMAP bm{};
    GetObjectA(pic, sizeof bm, &bm);
    const BOOL ok = StretchBlt(dst, left, top, w, h, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    return ok;
}

TEST(Bitmap, GetObjectDescribesADeviceBitmapWithoutBits)
{
    HBITMAP b = CreateBitmap(220, 270, 1, 32, nullptr);
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(b, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    ASSERT_EQ(GetObjectA(b, sizeof bm, &bm), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmType, 0);
    EXPECT_EQ(bm.bmWidth, 220);
    EXPECT_EQ(bm.bmHeight, 270);
    EXPECT_EQ(bm.bmWidthBytes, 880);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_EQ(GetObjectA(b, sizeof bm - 1, &bm), 0);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_EQ(GetObjectA(b, sizeof bm, &bm), 0);   // gone
}

TEST(Bitmap, NewMemoryDCHoldsAOnePixelMonochromeBitmap)
{
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP mine = CreateBitmap(4, 4, 1, 32, nullptr);
    HGDIOBJ first = SelectObject(mem, mine);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(first, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);   // scan lines are whole words

    // Compatible with a fresh memory DC means monochrome, as on Windows.
    HDC other = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(other, 8, 8);
    ASSERT_EQ(GetObjectA(mono, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    DeleteObject(mono);
    DeleteDC(other);
    SelectObject(mem, first);
    DeleteDC(mem);
    DeleteObject(mine);
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

TEST(Bitmap, HandlesOfOtherKindsAreRefused)
{
    HDC mem = CreateCompatibleDC(nullptr);
    HBRUSH brush = CreateSolidBrush(kBlack);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(brush), brush), nullptr);
    EXPECT_FALSE(DeleteObject(mem));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
    EXPECT_EQ(SelectObject(mem, reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0xdead0))), nullptr);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));   // stock objects stay
    EXPECT_NE(GetObjectA(GetStockObject(WHITE_BRUSH), 0, nullptr), 0);
    DeleteObject(brush);
    DeleteDC(mem);
}

TEST(StretchBlt, ShrinksARunePictureTo70By129AtItsLeftAndTop)
{
    // Columns alternate yellow and cyan. Every destination pixel merges at
    // least three columns of each; ANDed they give green, which neither
    // nearest-neighbour nor averaging would produce.
    HBITMAP pic = make_picture(220, 270, [](int x, int) { return x % 2 ? RGB(255, 255, 0) : RGB(0, 255, 255); });
    MemoryDC m(120, 180, kWhite);
    ASSERT_TRUE(stretch_picture(m.dc, pic, 10, 20, 70, 129));
    DeleteObject(pic);

    EXPECT_EQ(m.count(RGB(0, 255, 0)), 70 * 129);
    EXPECT_EQ(m.at(10, 20), RGB(0, 255, 0));
    EXPECT_EQ(m.at(79, 148), RGB(0, 255, 0));
    EXPECT_EQ(m.at(9, 20), kWhite);
    EXPECT_EQ(m.at(80, 20), kWhite);
    EXPECT_EQ(m.at(10, 19), kWhite);
    EXPECT_EQ(m.at(10, 149), kWhite);
}

TEST(StretchBlt, ShrinkingKeepsAOnePixelBlackDetail)
{
    HBITMAP pic = make_picture(220, 270, [](int x, int y) { return x == 101 && y == 133 ? kBlack : kWhite; });
    MemoryDC m(70, 129, RGB(1, 2, 3));
    stretch_picture(m.dc, pic, 0, 0, 70, 129);
    DeleteObject(pic);
    EXPECT_EQ(m.count(kBlack), 1);
    EXPECT_EQ(m.count(kWhite), 70 * 129 - 1);
}

TEST(StretchBlt, OtherStretchModesMergeDifferently)
{
    HBITMAP pic = make_picture(4, 1, [](int x, int) { return x % 2 ? RGB(255, 255, 0) : RGB(0, 255, 255); });
    MemoryDC m(2, 1, kWhite);
    HDC mem = CreateCompatibleDC(m.dc);
    HGDIOBJ old = SelectObject(mem, pic);
    EXPECT_EQ(SetStretchBltMode(m.dc, WHITEONBLACK), BLACKONWHITE);
    StretchBlt(m.dc, 0, 0, 2, 1, mem, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(m.at(0, 0), kWhite);   // ORed
    EXPECT_EQ(SetStretchBltMode(m.dc, COLORONCOLOR), WHITEONBLACK);
    StretchBlt(m.dc, 0, 0, 2, 1, mem, 0, 0, 4, 1, SRCCOPY);
    EXPECT_EQ(m.at(0, 0), RGB(0, 255, 255));   // the first of each pair kept
    EXPECT_EQ(m.at(1, 0), RGB(0, 255, 255));
    EXPECT_EQ(SetStretchBltMode(m.dc, 99), 0);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
}

// Without shrinking there is nothing to merge: each destination pixel is the
// source pixel it falls on, counted from the far end when the signs differ.
TEST(StretchBlt, NaturalSizeCopiesEnlargingRepeatsOppositeSignsMirrorAndEmptyExtentsDrawNothing)
{
    HBITMAP pic = make_picture(3, 2, [](int x, int y) { return RGB(x * 100, y * 100, 7); });
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, pic);
    struct Case {
        const char *what;
        int x, y, w, h;
    };
    const Case cases[] = {{"natural size", 2, 4, 3, 2},  {"twice the size", 1, 1, 6, 4}, {"mirrored", 5, 0, -3, 2},
                          {"no height", 2, 4, 70, 0},     {"no width", 2, 4, 0, 70}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        MemoryDC m(12, 12, kWhite);
        EXPECT_TRUE(StretchBlt(m.dc, c.x, c.y, c.w, c.h, mem, 0, 0, 3, 2, SRCCOPY));
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const int i = c.w > 0 ? x - c.x : c.x - 1 - x, j = y - c.y;
                const bool inside = i >= 0 && i < std::abs(c.w) && j >= 0 && j < c.h;
                const COLORREF expected = inside ? RGB(i * 3 / std::abs(c.w) * 100, j * 2 / c.h * 100, 7) : kWhite;
                ASSERT_EQ(m.at(x, y), expected) << x << "," << y;
            }
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
}

TEST(BitBlt, CopiesPartlyOutsideEitherBitmapWithoutStraying)
{
    HBITMAP pic = make_picture(4, 4, [](int x, int y) { return RGB(10 + x, 20 + y, 0); });
    MemoryDC m(6, 6, kWhite);
    HDC mem = CreateCompatibleDC(m.dc);
    HGDIOBJ old = SelectObject(mem, pic);
    // Destination hangs off the top-left, source rectangle off the bottom-right.
    EXPECT_TRUE(BitBlt(m.dc, -1, -1, 10, 10, mem, 0, 0, SRCCOPY));
    EXPECT_EQ(m.at(0, 0), RGB(11, 21, 0));
    EXPECT_EQ(m.at(2, 2), RGB(13, 23, 0));
    EXPECT_EQ(m.at(3, 3), kWhite);   // past the source's end
    EXPECT_EQ(m.count(kWhite), 36 - 9);
    EXPECT_FALSE(BitBlt(m.dc, 0, 0, 1, 1, mem, 0, 0, 0x00EE0086 /* SRCPAINT */));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
}

TEST(LoadBitmap, LoadsTheProgramsPicturesAsDeviceBitmaps)
{
    size_t size = 0;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE module = rc::register_module(image, size);
    ASSERT_NE(module, nullptr);
    struct Expected {
        int id, width, height;
    };
    std::vector<Expected> pictures = {{26, 578, 510}, {1011, 500, 82}};
    for (int rune = 1; rune <= 25; ++rune)
        pictures.push_back({rune, 220, 270});
    for (const Expected &e : pictures) {
        HBITMAP b = LoadBitmapA(module, MAKEINTRESOURCE(e.id));
        ASSERT_NE(b, nullptr) << e.id;
        BITMAP bm{};
        ASSERT_EQ(GetObjectA(b, sizeof bm, &bm), static_cast<int>(sizeof bm));
        EXPECT_EQ(bm.bmWidth, e.width) << e.id;
        EXPECT_EQ(bm.bmHeight, e.height) << e.id;
        EXPECT_EQ(bm.bmBitsPixel, 32) << e.id;   // the display's format, not the file's
        EXPECT_TRUE(DeleteObject(b));
    }
    EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCE(27)), nullptr);
    EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCE(5000)), nullptr);
}

TEST(StretchBlt, HugeOrExtremeRectanglesAreClippedNotAllocated)
{
    HBITMAP pic = make_picture(4, 4, [](int, int) { return RGB(9, 9, 9); });
    MemoryDC m(8, 8, kWhite);
    HDC mem = CreateCompatibleDC(m.dc);
    HGDIOBJ old = SelectObject(mem, pic);
    // Enlarged a hundred million times: only the 8 x 8 visible pixels are worked out.
    EXPECT_TRUE(StretchBlt(m.dc, 0, 0, 400000000, 400000000, mem, 0, 0, 4, 4, SRCCOPY));
    EXPECT_EQ(m.count(RGB(9, 9, 9)), 64);
    m.clear(kWhite);
    EXPECT_TRUE(StretchBlt(m.dc, 2147483647, 0, -2147483647 - 1, 8, mem, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(StretchBlt(m.dc, 0, 0, 8, 8, mem, -2147483647 - 1, 0, 2147483647, 4, SRCCOPY));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
    EXPECT_EQ(CreateBitmap(16384, 16384, 1, 32, nullptr), nullptr);   // a gigabyte: refused
}
