// The classic look of windows, captions and bordered controls, pinned by a
// golden image. (DrawEdge and DrawFocusRect are in golden_tests.cpp.)
#include "support/golden.h"

#include "gdi32/frame.h"

#include <gtest/gtest.h>

namespace {

const uint32_t kFace = 0xC0C0C0, kWhite = 0xFFFFFF;

// A dialog as a template with DS_MODALFRAME and a caption makes it: a modal
// frame (two-pixel raised edge) plus the border line of WS_CAPTION.
gdi::NonClient dialog(raster::Rect r, const char *caption)
{
    gdi::NonClient nc;
    nc.window = r;
    nc.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    nc.exStyle = WS_EX_DLGMODALFRAME;
    nc.insets = RECT{3, 3 + 19, 3, 3};
    nc.caption = caption;
    // Where the window manager puts the close box: 2 pixels inside the frame, 16 x 14.
    nc.closeBox = {r.right - 3 - 2 - 16, r.top + 3 + 2, r.right - 3 - 2, r.top + 3 + 2 + 14};
    return nc;
}

}   // namespace

TEST(Golden, ClassicFramesCaptionsMenuBarAndBackground)
{
    // Main window with a menu, a dialog above it with a bordered edit box
    // that scrolls, and a captionless banner, on the classic teal desktop.
    raster::Surface s(360, 240, 0x008080);
    const raster::Rect all = raster::bounds(s.canvas);

    gdi::NonClient main;
    main.window = {4, 4, 300, 200};
    main.style = WS_OVERLAPPEDWINDOW;
    main.insets = RECT{4, 4 + 19 + 19, 4, 4};
    main.hasMenu = true;
    main.active = false;
    main.caption = "Quenmire Stonecall";
    main.closeBox = {278, 10, 294, 24};
    main.maxBox = {260, 10, 276, 24};
    main.minBox = {244, 10, 260, 24};
    gdi::draw_nonclient(s.canvas, main, all);
    raster::fill_rect(s.canvas, {8, 46, 296, 196}, 0xFFD8AA, all);

    const gdi::NonClient dlg = dialog({100, 60, 330, 200}, "Divinatory Interpretation");
    gdi::draw_nonclient(s.canvas, dlg, all);
    const raster::Rect client{103, 82, 327, 197};
    raster::fill_rect(s.canvas, client, kFace, all);   // the dialog's background erase

    gdi::NonClient edit;
    edit.window = {110, 90, 260, 150};
    edit.style = WS_CHILD | WS_VSCROLL;
    edit.exStyle = WS_EX_CLIENTEDGE;
    edit.insets = RECT{2, 2, 2 + 16, 2};
    gdi::draw_nonclient(s.canvas, edit, client);
    raster::fill_rect(s.canvas, {112, 92, 242, 148}, kWhite, client);

    gdi::NonClient banner;
    banner.window = {20, 205, 340, 236};
    banner.style = WS_POPUP;
    banner.exStyle = WS_EX_DLGMODALFRAME;
    banner.insets = RECT{3, 3, 3, 3};
    gdi::draw_nonclient(s.canvas, banner, all);

    EXPECT_TRUE(matches_golden(s.canvas, "classic_frames"));
}
