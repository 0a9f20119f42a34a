// DrawTextA's DT_CALCRECT: measuring without drawing. (What text looks like,
// and so the fonts' sizes, is in golden_tests.cpp.)
#include "platform/gdi32/memory_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

static LONG width(HDC dc, const char *s)
{
    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, s, static_cast<int>(std::strlen(s)), &sz));
    return sz.cx;
}

static RECT calc(HDC dc, const char *s, UINT format, LONG right = 100)
{
    RECT r{0, 0, right, 0};
    const int height = DrawTextA(dc, s, -1, &r, format | DT_CALCRECT);
    EXPECT_EQ(height, r.bottom) << s;
    return r;
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing)
{
    MemoryDC m(100, 20, RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(m.dc, CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif"));
    // Word breaks keep the width and grow the height: no two words of these
    // fit in 60 pixels together with a third.
    const RECT broken = calc(m.dc, "Meaning of Rune's Position", DT_WORDBREAK, 60);
    EXPECT_EQ(broken.right, 60);
    EXPECT_EQ(broken.bottom, 3 * 13);
    EXPECT_EQ(calc(m.dc, "&Run", 0).right, width(m.dc, "Run"));   // the '&' takes no room
    EXPECT_EQ(calc(m.dc, "&Run", DT_NOPREFIX).right, width(m.dc, "&Run"));
    EXPECT_EQ(calc(m.dc, "a&&b", 0).right, width(m.dc, "a&b"));
    const RECT two = calc(m.dc, "Run\r\nEdit", 0);
    EXPECT_EQ(two.bottom, 26);
    EXPECT_EQ(two.right, std::max(width(m.dc, "Run"), width(m.dc, "Edit")));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(m.at(x, y), RGB(0, 0, 255));
    RECT r{0, 0, 100, 20};
    EXPECT_EQ(DrawTextA(m.dc, "OK", 2, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 13);
    EXPECT_EQ(DrawTextA(m.dc, nullptr, 3, &r, 0), 0);
    DeleteObject(SelectObject(m.dc, old));
}
