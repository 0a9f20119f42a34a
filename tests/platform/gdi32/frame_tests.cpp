#include "platform/gdi32/memory_dc.h"
#include "support/golden.h"

#include "gdi32/frame.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kFace = 0xC0C0C0, kLight = 0xDFDFDF, kNavy = 0x000080, kWhite = 0xFFFFFF, kBlack = 0, kGrey = 0x808080;

// A dialog as a template with DS_MODALFRAME and a caption makes it: a modal
// frame (two-pixel raised edge) plus the border line of WS_CAPTION.
gdi::NonClient dialog(gfx::Rect r, const char *caption)
{
    gdi::NonClient nc;
    nc.window = r;
    nc.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    nc.exStyle = WS_EX_DLGMODALFRAME;
    nc.insets = RECT{3, 3 + 19, 3, 3};
    nc.caption = caption;
    return nc;
}

uint32_t at(const gfx::Surface &s, int x, int y)
{
    return s.canvas.row(y)[x];
}

} // namespace

TEST(Frame, RaisedEdgeIsLightAndWhiteAboveShadowAndBlackBelow)
{
    gfx::Surface s(10, 10, 0x123456);
    const gfx::Rect in = gdi::draw_edge(s.canvas, {0, 0, 10, 10}, EDGE_RAISED, BF_RECT, gfx::bounds(s.canvas));
    EXPECT_EQ(in.left, 2);
    EXPECT_EQ(in.bottom, 8);
    EXPECT_EQ(at(s, 0, 0), kLight);   // outer top-left: 3D light
    EXPECT_EQ(at(s, 9, 9), kBlack);   // outer bottom-right: dark shadow
    EXPECT_EQ(at(s, 1, 1), kWhite);   // inner top-left: highlight
    EXPECT_EQ(at(s, 8, 8), kGrey);    // inner bottom-right: shadow
    EXPECT_EQ(at(s, 2, 2), 0x123456u);

    gdi::draw_edge(s.canvas, {0, 0, 10, 10}, EDGE_SUNKEN, BF_RECT, gfx::bounds(s.canvas));
    EXPECT_EQ(at(s, 0, 0), kGrey);
    EXPECT_EQ(at(s, 9, 9), kWhite);
    EXPECT_EQ(at(s, 1, 1), kBlack);
}

TEST(Frame, DialogHasCaptionBarAndCloseButton)
{
    gfx::Surface s(200, 100, 0x123456);
    gdi::draw_nonclient(s.canvas, dialog({0, 0, 200, 100}, "Rune"), gfx::bounds(s.canvas));
    EXPECT_EQ(at(s, 3, 3), kNavy);          // caption starts inside the 3-pixel frame
    EXPECT_EQ(at(s, 3, 3 + 17), kNavy);     // 18 rows of caption colour
    EXPECT_EQ(at(s, 3, 3 + 18), kFace);     // then a line of face colour
    EXPECT_EQ(at(s, 2, 50), kFace);         // the frame's third ring
    EXPECT_EQ(at(s, 3, 3 + 19), 0x123456u); // the client area is left alone
    EXPECT_EQ(at(s, 196, 3 + 19), 0x123456u);
    // The close box sits at the caption's right end: a raised square.
    EXPECT_EQ(at(s, 200 - 3 - 2 - 1, 6), kBlack);
    int white = 0;
    for (int x = 3; x < 60; ++x)
        for (int y = 3; y < 21; ++y)
            white += at(s, x, y) == kWhite;
    EXPECT_GT(white, 10);   // the caption text
}

TEST(Frame, NoCaptionWithoutTheCaptionStyle)
{
    gfx::Surface s(120, 60, 0x123456);
    gdi::NonClient banner;
    banner.window = {0, 0, 120, 60};
    banner.style = WS_POPUP | WS_VISIBLE;
    banner.exStyle = WS_EX_DLGMODALFRAME;
    banner.insets = RECT{3, 3, 3, 3};
    banner.caption = "ignored";
    gdi::draw_nonclient(s.canvas, banner, gfx::bounds(s.canvas));
    EXPECT_EQ(at(s, 2, 2), kFace);
    EXPECT_EQ(at(s, 3, 3), 0x123456u);
    int navy = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            navy += at(s, x, y) == kNavy;
    EXPECT_EQ(navy, 0);
}

TEST(Golden, ClassicFramesCaptionsMenuBarAndBackground)
{
    // Main window with a menu, a dialog above it with a bordered edit box
    // that scrolls, and a captionless banner, on the classic teal desktop.
    gfx::Surface s(360, 240, 0x008080);
    const gfx::Rect all = gfx::bounds(s.canvas);

    gdi::NonClient main;
    main.window = {4, 4, 300, 200};
    main.style = WS_OVERLAPPEDWINDOW;
    main.insets = RECT{4, 4 + 19 + 19, 4, 4};
    main.hasMenu = true;
    main.active = false;
    main.caption = "Quenmire Stonecall";
    const gfx::Rect bar = gdi::draw_nonclient(s.canvas, main, all);
    EXPECT_EQ(bar.top, 4 + 4 + 19);
    EXPECT_EQ(bar.height(), 19);
    EXPECT_EQ(bar.left, 8);
    gfx::fill_rect(s.canvas, {8, 46, 296, 196}, 0xFFD8AA, all);

    const gdi::NonClient dlg = dialog({100, 60, 330, 200}, "Divinatory Interpretation");
    gdi::draw_nonclient(s.canvas, dlg, all);
    const gfx::Rect client{103, 82, 327, 197};
    gfx::fill_rect(s.canvas, client, kFace, all);   // the dialog's background erase

    gdi::NonClient edit;
    edit.window = {110, 90, 260, 150};
    edit.style = WS_CHILD | WS_VSCROLL;
    edit.exStyle = WS_EX_CLIENTEDGE;
    edit.insets = RECT{2, 2, 2 + 16, 2};
    gdi::draw_nonclient(s.canvas, edit, client);
    gfx::fill_rect(s.canvas, {112, 92, 242, 148}, kWhite, client);

    gdi::NonClient banner;
    banner.window = {20, 205, 340, 236};
    banner.style = WS_POPUP;
    banner.exStyle = WS_EX_DLGMODALFRAME;
    banner.insets = RECT{3, 3, 3, 3};
    gdi::draw_nonclient(s.canvas, banner, all);

    EXPECT_TRUE(matches_golden(s.canvas, "classic_frames"));
}

TEST(DrawEdge, SidesMiddleAndAdjustThroughADC)
{
    MemoryDC m(12, 12, RGB(1, 2, 3));
    RECT r{1, 1, 11, 11};
    ASSERT_TRUE(DrawEdge(m.dc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
    EXPECT_EQ(r.left, 3);
    EXPECT_EQ(r.bottom, 9);
    EXPECT_EQ(m.at(1, 1), RGB(223, 223, 223));
    EXPECT_EQ(m.at(10, 10), RGB(0, 0, 0));
    EXPECT_EQ(m.at(5, 5), RGB(192, 192, 192));   // the middle in face colour
    EXPECT_EQ(m.at(0, 0), RGB(1, 2, 3));

    // Only the top and left sides; without BF_MIDDLE the inside stays.
    m.clear(RGB(1, 2, 3));
    RECT half{0, 0, 12, 12};
    DrawEdge(m.dc, &half, BDR_SUNKENOUTER, BF_TOPLEFT);
    EXPECT_EQ(half.left, 0);   // no BF_ADJUST
    EXPECT_EQ(m.at(0, 5), RGB(128, 128, 128));
    EXPECT_EQ(m.at(5, 0), RGB(128, 128, 128));
    EXPECT_EQ(m.at(11, 5), RGB(1, 2, 3));
    EXPECT_EQ(m.at(5, 11), RGB(1, 2, 3));
    EXPECT_EQ(m.at(5, 5), RGB(1, 2, 3));
}

TEST(DrawFocusRect, DotsTheOutlineAndASecondCallTakesItAway)
{
    MemoryDC m(10, 10, RGB(255, 255, 255));
    RECT r{1, 1, 9, 9};
    ASSERT_TRUE(DrawFocusRect(m.dc, &r));
    EXPECT_EQ(m.at(1, 1), RGB(0, 0, 0));
    EXPECT_EQ(m.at(2, 1), RGB(255, 255, 255));
    EXPECT_EQ(m.at(3, 1), RGB(0, 0, 0));
    EXPECT_EQ(m.at(5, 5), RGB(255, 255, 255));   // inside untouched
    EXPECT_EQ(m.at(9, 1), RGB(255, 255, 255));   // right edge excluded
    const int dots = m.count(RGB(0, 0, 0));
    EXPECT_EQ(dots, 14);
    DrawFocusRect(m.dc, &r);
    EXPECT_EQ(m.count(RGB(255, 255, 255)), 100);
}
