#include "platform/gdi32/memory_dc.h"

#include "font/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

static const COLORREF kBlue = RGB(0, 0, 255);
static const COLORREF kWhite = RGB(255, 255, 255);
static const char kTitle[] = "Quenmire Stonecall";

static HFONT sans_serif_8pt()
{
    return CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

static SIZE extent(HDC dc, const char *s)
{
    SIZE sz{};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, s, static_cast<int>(std::strlen(s)), &sz));
    return sz;
}

// Pixels that are neither the background nor white: what TextOutA must not make.
static int foreign_pixels(const MemoryDC &m)
{
    return m.width * m.height - m.count(kBlue) - m.count(kWhite);
}

TEST(TextOut, TransparentTextIsClippedToTheSelectedRegion)
{
    MemoryDC m(200, 30, kBlue);
    HRGN rgn = CreateRectRgn(10, 0, 60, 30);
    EXPECT_EQ(SelectClipRgn(m.dc, rgn), SIMPLEREGION);
    DeleteObject(rgn);   // the DC keeps its own copy
    EXPECT_EQ(SetBkMode(m.dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetTextColor(m.dc, kWhite), RGB(0, 0, 0));
    ASSERT_TRUE(TextOutA(m.dc, 0, 2, kTitle, static_cast<int>(std::strlen(kTitle))));
    EXPECT_EQ(m.at(5, 5), CLR_INVALID);   // GetPixel answers only inside the clip
    SelectClipRgn(m.dc, nullptr);

    int inside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 200; ++x) {
            const bool drawn = m.at(x, y) != kBlue;
            if (x >= 10 && x < 60)
                inside += drawn;
            else
                EXPECT_FALSE(drawn) << x << "," << y;
        }
    EXPECT_GT(inside, 20);
    EXPECT_LT(inside, 50 * 30 / 2);   // glyphs, not a filled background
    EXPECT_EQ(foreign_pixels(m), 0);  // the System font is a bitmap font: no blending

    // Without the region the text runs on past x 60.
    TextOutA(m.dc, 0, 2, kTitle, static_cast<int>(std::strlen(kTitle)));
    int beyond = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 60; x < 200; ++x)
            beyond += m.at(x, y) != kBlue;
    EXPECT_GT(beyond, 0);
}

TEST(TextOut, OpaqueFillsTheCharacterCellsWithTheBackgroundColour)
{
    MemoryDC m(200, 40, kBlue);
    HGDIOBJ old = SelectObject(m.dc, sans_serif_8pt());
    SetBkColor(m.dc, RGB(0, 255, 0));
    const SIZE sz = extent(m.dc, "Gebo");
    TextOutA(m.dc, 5, 7, "Gebo", 4);
    EXPECT_EQ(m.at(5, 7), RGB(0, 255, 0));
    EXPECT_EQ(m.at(5 + sz.cx - 1, 7 + sz.cy - 1), RGB(0, 255, 0));
    EXPECT_EQ(m.at(5 + sz.cx, 7), kBlue);
    EXPECT_EQ(m.at(5, 7 + sz.cy), kBlue);
    EXPECT_EQ(m.at(4, 7), kBlue);
    DeleteObject(SelectObject(m.dc, old));
}

TEST(TextOut, StringNeedNotBeTerminatedAndCountIsHonoured)
{
    MemoryDC a(100, 20, kBlue), b(100, 20, kBlue);
    const char unterminated[4] = {'R', 'u', 'n', 'e'};
    SetBkMode(a.dc, TRANSPARENT);
    SetBkMode(b.dc, TRANSPARENT);
    TextOutA(a.dc, 0, 0, unterminated, 2);
    TextOutA(b.dc, 0, 0, "Ru", 2);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(a.at(x, y), b.at(x, y));
    EXPECT_FALSE(TextOutA(a.dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(a.dc, 0, 0, "x", -1));
}

TEST(TextExtent, SansSerifEightPointHasTheDialogBaseUnitsOf6By13)
{
    MemoryDC m(1, 1, kBlue);
    HGDIOBJ old = SelectObject(m.dc, sans_serif_8pt());
    const SIZE letters = extent(m.dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(letters.cy, 13);
    // Windows' average width: the extent of the 52 letters over 52, rounded.
    EXPECT_EQ((letters.cx / 26 + 1) / 2, 6);
    // Measured from sserife.fon's 13-pixel face.
    EXPECT_EQ(extent(m.dc, kTitle).cx, 92);
    EXPECT_EQ(extent(m.dc, "").cx, 0);
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetricsA(m.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 13);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmInternalLeading, 2);
    DeleteObject(SelectObject(m.dc, old));
}

TEST(TextExtent, DefaultFontIsTheBoldSystemFont)
{
    MemoryDC m(1, 1, kBlue);
    EXPECT_EQ(extent(m.dc, "M").cy, 16);
    LOGFONTA lf{};
    ASSERT_EQ(GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
    EXPECT_STREQ(lf.lfFaceName, "System");
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(font::face_for("System", 16, FW_BOLD).family(), "System");
}

TEST(TextExtent, BoldWithoutABoldFaceIsStruckTwiceOnePixelApart)
{
    // sserife.fon has no bold: Windows widens each character by one pixel.
    MemoryDC m(1, 1, kBlue);
    HFONT bold = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "MS Sans Serif");
    HGDIOBJ old = SelectObject(m.dc, bold);
    const SIZE b = extent(m.dc, kTitle);
    TEXTMETRICA tm{};
    GetTextMetricsA(m.dc, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    SelectObject(m.dc, old);
    DeleteObject(bold);
    HFONT regular = sans_serif_8pt();
    old = SelectObject(m.dc, regular);
    EXPECT_EQ(b.cx, extent(m.dc, kTitle).cx + static_cast<LONG>(std::strlen(kTitle)));
    EXPECT_EQ(b.cy, 13);
    DeleteObject(SelectObject(m.dc, old));
    // The System font is bold already and is not widened again.
    EXPECT_EQ(font::face_for("System", 16, FW_BOLD).text_width("MM", 2),
              font::face_for("System", 16, FW_NORMAL).text_width("MM", 2));
}

// The box around every pixel that is not the background.
static RECT ink_box(const MemoryDC &m)
{
    RECT r{m.width, m.height, -1, -1};
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            if (m.at(x, y) != kBlue) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    return r;
}

TEST(DrawText, WordBreakKeepsEveryLineInsideTheRectangle)
{
    MemoryDC m(200, 100, kBlue);
    HGDIOBJ old = SelectObject(m.dc, sans_serif_8pt());
    SetBkMode(m.dc, TRANSPARENT);
    SetTextColor(m.dc, kWhite);
    const char *text = "Meaning of Rune's Position";
    RECT calc{10, 10, 70, 10};
    const int h = DrawTextA(m.dc, text, -1, &calc, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(h % 13, 0);
    EXPECT_GE(h, 3 * 13);   // no two words fit in 60 pixels together with a third
    EXPECT_EQ(calc.right, 70);
    EXPECT_EQ(calc.bottom, 10 + h);
    EXPECT_EQ(m.count(kBlue), 200 * 100);   // measuring draws nothing

    RECT box{10, 10, 70, 90};
    EXPECT_EQ(DrawTextA(m.dc, text, -1, &box, DT_WORDBREAK), h);
    const RECT ink = ink_box(m);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 70);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + h);
    EXPECT_GT(ink.bottom, 10 + h - 13);   // the last line is drawn
    DeleteObject(SelectObject(m.dc, old));
}

TEST(DrawText, SingleLineCentresAndClipsToTheRectangle)
{
    MemoryDC m(200, 40, kBlue);
    HGDIOBJ old = SelectObject(m.dc, sans_serif_8pt());
    SetBkMode(m.dc, TRANSPARENT);
    SetTextColor(m.dc, kWhite);
    RECT r{0, 0, 200, 40};
    EXPECT_EQ(DrawTextA(m.dc, "OK", 2, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 13);
    const SIZE sz = extent(m.dc, "OK");
    const RECT ink = ink_box(m);
    EXPECT_GE(ink.left, (200 - sz.cx) / 2);
    EXPECT_LE(ink.right, (200 - sz.cx) / 2 + sz.cx);
    EXPECT_GE(ink.top, (40 - 13) / 2);
    EXPECT_LE(ink.bottom, (40 - 13) / 2 + 13);

    // A rectangle narrower than the text cuts it off at its edge.
    m.clear(kBlue);
    RECT narrow{0, 0, 10, 40};
    DrawTextA(m.dc, "Divinatory", -1, &narrow, DT_SINGLELINE);
    EXPECT_LE(ink_box(m).right, 10);
    DeleteObject(SelectObject(m.dc, old));
}

TEST(DrawText, PrefixUnderlinesAndLineFeedsBreak)
{
    MemoryDC m(100, 60, kBlue);
    HGDIOBJ old = SelectObject(m.dc, sans_serif_8pt());
    RECT calc{0, 0, 100, 0};
    DrawTextA(m.dc, "&Run", -1, &calc, DT_CALCRECT);
    EXPECT_EQ(calc.right, extent(m.dc, "Run").cx);   // the '&' takes no room
    RECT both{0, 0, 100, 0};
    DrawTextA(m.dc, "&Run", -1, &both, DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(both.right, extent(m.dc, "&Run").cx);
    RECT amp{0, 0, 100, 0};
    DrawTextA(m.dc, "a&&b", -1, &amp, DT_CALCRECT);
    EXPECT_EQ(amp.right, extent(m.dc, "a&b").cx);
    RECT two{0, 0, 100, 0};
    EXPECT_EQ(DrawTextA(m.dc, "Run\r\nEdit", -1, &two, DT_CALCRECT), 26);
    EXPECT_EQ(two.right, std::max(extent(m.dc, "Run").cx, extent(m.dc, "Edit").cx));

    // The underline: one row below the baseline (ascent 11), under the R only.
    SetBkMode(m.dc, TRANSPARENT);
    SetTextColor(m.dc, kWhite);
    RECT r{0, 0, 100, 20};
    DrawTextA(m.dc, "&Run", -1, &r, DT_SINGLELINE);
    const int rWidth = extent(m.dc, "R").cx;
    EXPECT_EQ(m.at(0, 12), kWhite);
    EXPECT_EQ(m.at(rWidth - 1, 12), kWhite);
    EXPECT_EQ(m.at(rWidth + 1, 12), kBlue);
    EXPECT_EQ(DrawTextA(m.dc, nullptr, 3, &r, 0), 0);
    DeleteObject(SelectObject(m.dc, old));
}
