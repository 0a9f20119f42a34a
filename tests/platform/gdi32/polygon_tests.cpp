#include "platform/gdi32/memory_dc.h"

#include <gtest/gtest.h>

static const COLORREF kBlue = RGB(0, 0, 255);
static const COLORREF kWhite = RGB(255, 255, 255);
static const COLORREF kBlack = RGB(0, 0, 0);

// The five-pointed star of the casting progress bar, drawn in one stroke.
static const POINT kStar[5] = {{20, 1}, {30, 20}, {10, 10}, {30, 10}, {10, 20}};

static void draw_star(MemoryDC &m, int mode, int dx = 0)
{
    POINT pts[5];
    for (int i = 0; i < 5; ++i)
        pts[i] = POINT{kStar[i].x + dx, kStar[i].y};
    SetPolyFillMode(m.dc, mode);
    ASSERT_TRUE(Polygon(m.dc, pts, 5));
}

TEST(Polygon, WindingFillsTheStarsPentagonAlternateLeavesItAndBothOutlineItInBlack)
{
    struct Case {
        int mode;
        COLORREF pentagon;
    };
    int black[2], white[2];
    const Case cases[] = {{WINDING, kWhite}, {ALTERNATE, kBlue}};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(cases[i].mode);
        MemoryDC m(40, 25, kBlue);
        draw_star(m, cases[i].mode);
        EXPECT_EQ(m.at(20, 12), cases[i].pentagon);
        EXPECT_EQ(m.at(18, 13), cases[i].pentagon);
        EXPECT_EQ(m.at(20, 5), kWhite);    // top arm
        EXPECT_EQ(m.at(14, 16), kWhite);   // lower-left arm
        EXPECT_EQ(m.at(2, 2), kBlue);      // outside
        EXPECT_EQ(m.at(20, 17), kBlue);    // between the lower arms
        for (const POINT &p : kStar)
            EXPECT_EQ(m.at(p.x, p.y), kBlack) << p.x << "," << p.y;
        // The horizontal edge (10,10)-(30,10) is a solid line of the default pen.
        for (int x = 10; x <= 30; ++x)
            EXPECT_EQ(m.at(x, 10), kBlack) << x;
        black[i] = m.count(kBlack);
        white[i] = m.count(kWhite);
    }
    EXPECT_EQ(black[0], black[1]);
    EXPECT_GT(white[0], white[1]);
}

TEST(Polygon, FillModeIsAlternateUntilSetAndStarsClipAtTheEdge)
{
    MemoryDC m(40, 25, kBlue);
    EXPECT_EQ(SetPolyFillMode(m.dc, WINDING), ALTERNATE);
    EXPECT_EQ(SetPolyFillMode(m.dc, 7), 0);
    // The leftmost star of the bar starts 5 pixels left of the bar.
    draw_star(m, WINDING, -15);
    EXPECT_EQ(m.at(0, 10), kBlack);
    EXPECT_EQ(m.at(5, 12), kWhite);
    EXPECT_FALSE(Polygon(m.dc, kStar, 1));
}

TEST(Polygon, SelectedBrushAndNullPenAreUsed)
{
    MemoryDC m(40, 25, kBlue);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldBrush = SelectObject(m.dc, red);
    HGDIOBJ oldPen = SelectObject(m.dc, GetStockObject(NULL_PEN));
    draw_star(m, WINDING);
    EXPECT_EQ(m.count(kBlack), 0);
    EXPECT_EQ(m.at(20, 12), RGB(255, 0, 0));
    EXPECT_EQ(SelectObject(m.dc, oldBrush), red);
    SelectObject(m.dc, oldPen);
    DeleteObject(red);
}

TEST(Polygon, FarAwayVerticesAreClippedBeforeTheLoop)
{
    // Edges that run a hundred million pixels away finish at once and draw
    // only what lies on the bitmap.
    MemoryDC m(20, 20, kBlue);
    const POINT far[3] = {{-100000000, 5}, {100000000, 5}, {0, 100000000}};
    ASSERT_TRUE(Polygon(m.dc, far, 3));
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(m.at(x, 5), kBlack) << x;
    EXPECT_EQ(m.at(10, 10), kWhite);
    EXPECT_EQ(m.at(10, 4), kBlue);
}
