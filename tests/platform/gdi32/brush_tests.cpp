#include "platform/gdi32/memory_dc.h"

#include <gtest/gtest.h>

static const COLORREF kBlue = RGB(0, 0, 255);
static const COLORREF kWhite = RGB(255, 255, 255);

TEST(FillRect, FillsLeftAndTopEdgesButNotRightAndBottom)
{
    MemoryDC m(20, 20, kWhite);
    HBRUSH b = CreateSolidBrush(kBlue);
    RECT r{3, 4, 10, 12};
    EXPECT_NE(FillRect(m.dc, &r, b), 0);
    DeleteObject(b);

    EXPECT_EQ(m.at(3, 4), kBlue);     // top-left corner
    EXPECT_EQ(m.at(9, 11), kBlue);    // last column, last row
    EXPECT_EQ(m.at(10, 11), kWhite);  // right edge excluded
    EXPECT_EQ(m.at(9, 12), kWhite);   // bottom edge excluded
    EXPECT_EQ(m.at(2, 4), kWhite);
    EXPECT_EQ(m.at(3, 3), kWhite);
    EXPECT_EQ(m.count(kBlue), 7 * 8);
}

TEST(FillRect, PaintsOnlyWhereTheRectangleMeetsTheBitmap)
{
    struct Case {
        const char *what;
        RECT r;
        bool nullBrush;
        int painted;
    };
    const Case cases[] = {
        {"empty", {5, 5, 5, 9}, false, 0},
        {"inverted", {8, 8, 2, 2}, false, 0},
        {"far past every edge", {-2147483647, -5, 2147483647, 3}, false, 30},
        {"the null brush", {0, 0, 10, 10}, true, 0},
    };
    for (const Case &c : cases) {
        MemoryDC m(10, 10, kWhite);
        HBRUSH b = c.nullBrush ? static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)) : CreateSolidBrush(kBlue);
        EXPECT_NE(FillRect(m.dc, &c.r, b), 0) << c.what;
        DeleteObject(b);
        EXPECT_EQ(m.count(kWhite), 100 - c.painted) << c.what;
    }
}

TEST(FillRect, ColourReferencesAreRedInTheLowByte)
{
    // 0x00AAD8FF is RGB(255, 216, 170); the canvas stores 0x00RRGGBB.
    MemoryDC m(4, 1, kWhite);
    const COLORREF colours[] = {0x00AAD8FF, 0x00C8C8C8, 0x00FF0000, 0x000000FF};
    for (int i = 0; i < 4; ++i) {
        HBRUSH b = CreateSolidBrush(colours[i]);
        RECT r{i, 0, i + 1, 1};
        FillRect(m.dc, &r, b);
        DeleteObject(b);
    }
    EXPECT_EQ(m.at(0, 0), RGB(255, 216, 170));
    EXPECT_EQ(m.at(1, 0), RGB(200, 200, 200));
    EXPECT_EQ(m.at(2, 0), RGB(0, 0, 255));   // 0xFF0000 is blue
    EXPECT_EQ(m.at(3, 0), RGB(255, 0, 0));
}

TEST(FillRect, AcceptsSystemColourIndexPlusOneAndRefusesUnknownBrushes)
{
    MemoryDC m(2, 1, kWhite);
    RECT r{0, 0, 1, 1};
    EXPECT_NE(FillRect(m.dc, &r, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_3DFACE + 1))), 0);
    EXPECT_EQ(m.at(0, 0), RGB(192, 192, 192));
    RECT r2{1, 0, 2, 1};
    EXPECT_EQ(FillRect(m.dc, &r2, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(0x7777))), 0);
    EXPECT_EQ(m.at(1, 0), kWhite);
}

TEST(SysColor, ClassicSchemeAndOneLastingBrushPerColour)
{
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), RGB(192, 192, 192));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
    HBRUSH face = GetSysColorBrush(COLOR_3DFACE);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(GetSysColorBrush(COLOR_3DFACE), face);
    EXPECT_NE(GetSysColorBrush(COLOR_WINDOW), face);
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
    DeleteObject(face);   // not deleted: it belongs to the system
    MemoryDC m(2, 2, kWhite);
    EXPECT_NE(SelectObject(m.dc, face), nullptr);
    RECT r{0, 0, 2, 2};
    FillRect(m.dc, &r, face);
    EXPECT_EQ(m.count(RGB(192, 192, 192)), 4);
}
