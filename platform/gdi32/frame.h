// The classic 3D look: edges, window frames, caption bars, the menu bar's
// ground and scroll bar areas, drawn straight onto a canvas. The compositor
// paints every window's non-client area with these; controls draw their
// borders and buttons with draw_edge.
#pragma once

#include "gdi32/canvas.h"

#include <windows.h>

#include <functional>
#include <string>

namespace gdi {

// Draws an edge as DrawEdge does (edge: BDR_* bits, one ring per set half,
// outer first; sides: BF_LEFT, BF_TOP, BF_RIGHT, BF_BOTTOM) just inside r and
// answers the rectangle inside it.
raster::Rect draw_edge(const raster::Canvas &c, const raster::Rect &r, UINT edge, UINT sides, const raster::Rect &clip);

// Everything the non-client painter needs to know about a window: its
// rectangle on the canvas, its styles, the insets from its window rectangle
// to its client area (as AdjustWindowRectEx adds them) and the system metrics
// that split those insets up.
struct NonClient {
    raster::Rect window;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT insets{};
    int captionHeight = 19;   // SM_CYCAPTION
    int menuHeight = 19;      // SM_CYMENU
    int edge = 2;             // SM_CXEDGE
    int scrollSize = 16;      // SM_CXVSCROLL, SM_CYHSCROLL
    bool hasMenu = false;
    // The vertical bar's thumb along the track between its arrows; a bar with
    // nothing to scroll is drawn disabled: grey arrows, no thumb.
    bool vScrollEnabled = true;
    int vThumbStart = 0, vThumbSize = 0;
    bool active = true;
    std::string caption;
    // The caption buttons where the window manager hit-tests them, in canvas
    // coordinates; an empty rectangle is a button the window does not have.
    raster::Rect closeBox, maxBox, minBox;
    bool closeEnabled = true;   // a greyed close box is drawn etched
};

// Frame, caption (none unless the style has WS_CAPTION), menu bar ground,
// client edge and scroll bar areas; the client area itself is left alone.
// Answers the menu bar's rectangle (empty without a menu) for its items.
raster::Rect draw_nonclient(const raster::Canvas &c, const NonClient &nc, const raster::Rect &clip);

// The check mark of check boxes and menu items: a tick seven pixels wide and
// three thick, its 7 x 7 box's top-left at (x, y).
void draw_check_mark(const raster::Canvas &c, int x, int y, uint32_t ink, const raster::Rect &clip);

// Greyed (etched) text and glyphs: `draw` once in the highlight colour one
// pixel down and right, then in the shadow colour in place; it gets the
// offset and the system colour (COLOR_*) to draw with.
void draw_etched(const std::function<void(int offset, int sysColor)> &draw);

// The ground of selected text (an edit field's selection, a list box's or a
// menu's selected item): r filled with the highlight colour. Answers the
// system colour the text is drawn in on it.
int draw_selection(const raster::Canvas &c, const raster::Rect &r, const raster::Rect &clip);

}   // namespace gdi
