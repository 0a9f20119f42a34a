// Bitmap objects: what GetObjectA reports, where they may be selected, the
// program's pictures loaded, and blits of absurd sizes. (What blits draw is in
// golden_tests.cpp.)
#include "platform/gdi32/memory_dc.h"
#include "platform/rc/embedded.h"

#include "rc/module.h"

#include <gtest/gtest.h>

namespace {

BITMAP describe(HGDIOBJ b)
{
    BITMAP bm{};
    EXPECT_EQ(GetObjectA(b, sizeof bm, &bm), static_cast<int>(sizeof bm));
    return bm;
}

}   // namespace

TEST(Bitmap, GetObjectDescribesADeviceBitmapAndAMemoryDCsOwnMonochromeOne)
{
    HBITMAP b = CreateBitmap(220, 270, 1, 32, nullptr);
    EXPECT_EQ(GetObjectA(b, 0, nullptr), static_cast<int>(sizeof(BITMAP)));
    BITMAP bm = describe(b);
    EXPECT_EQ(bm.bmType, 0);
    EXPECT_EQ(bm.bmWidth, 220);
    EXPECT_EQ(bm.bmHeight, 270);
    EXPECT_EQ(bm.bmWidthBytes, 880);
    EXPECT_EQ(bm.bmPlanes, 1);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    EXPECT_EQ(bm.bmBits, nullptr);
    EXPECT_EQ(GetObjectA(b, sizeof bm - 1, &bm), 0);
    // A new memory DC holds a one-pixel monochrome bitmap; rows are whole words.
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ first = SelectObject(mem, b);
    bm = describe(first);
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(bm.bmWidthBytes, 2);
    SelectObject(mem, first);
    DeleteDC(mem);
    EXPECT_TRUE(DeleteObject(b));
    EXPECT_EQ(GetObjectA(b, sizeof bm, &bm), 0);                      // gone
    EXPECT_EQ(CreateBitmap(16384, 16384, 1, 32, nullptr), nullptr);   // a gigabyte: refused
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
    HBRUSH brush = CreateSolidBrush(0);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(brush), brush), nullptr);
    EXPECT_FALSE(DeleteObject(mem));
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(brush)));
    EXPECT_EQ(SelectObject(mem, reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0xdead0))), nullptr);
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));   // stock objects stay
    EXPECT_NE(GetObjectA(GetStockObject(WHITE_BRUSH), 0, nullptr), 0);
    DeleteObject(brush);
    DeleteDC(mem);
}

TEST(LoadBitmap, LoadsTheProgramsPicturesAsDeviceBitmaps)
{
    size_t size = 0;
    const unsigned char *image = stonecall_res(&size);
    HINSTANCE module = rc::register_module(image, size);
    for (int id : {1, 25, 26, 1011}) {
        HBITMAP b = LoadBitmapA(module, MAKEINTRESOURCE(id));
        ASSERT_NE(b, nullptr) << id;
        const BITMAP bm = describe(b);
        EXPECT_EQ(bm.bmWidth, id == 26 ? 578 : id == 1011 ? 500 : 220) << id;
        EXPECT_EQ(bm.bmHeight, id == 26 ? 510 : id == 1011 ? 82 : 270) << id;
        EXPECT_EQ(bm.bmBitsPixel, 32) << id;   // the display's format, not the file's
        EXPECT_TRUE(DeleteObject(b));
    }
    EXPECT_EQ(LoadBitmapA(module, MAKEINTRESOURCE(27)), nullptr);
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
    EXPECT_EQ(m.count(RGB(0, 0, 0)), 64);
    EXPECT_TRUE(StretchBlt(m.dc, 2147483647, 0, -2147483647 - 1, 8, mem, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(StretchBlt(m.dc, 0, 0, 8, 8, mem, -2147483647 - 1, 0, 2147483647, 4, SRCCOPY));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(pic);
}
