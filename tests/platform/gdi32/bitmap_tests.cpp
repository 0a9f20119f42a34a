// Bitmap objects: where they may be selected, and blits of absurd sizes.
// (What blits draw is in golden_tests.cpp.)
#include "platform/gdi32/memory_dc.h"

#include <gtest/gtest.h>

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
