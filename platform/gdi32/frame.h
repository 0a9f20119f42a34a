// The classic 3D look: edges, window frames, caption bars, the menu bar's
// ground and scroll bar areas, drawn straight onto a canvas. The compositor
// paints every window's non-client area with these; controls draw their
// borders and buttons with draw_edge.
#pragma once

#include "gdi32/canvas.h"

#include <windows.h>

#include <string>

namespace gdi {

// Draws an edge as DrawEdge does (edge: BDR_* bits, one ring per set half,
// outer first; sides: BF_LEFT, BF_TOP, BF_RIGHT, BF_BOTTOM) just inside r and
// answers the rectangle inside it.
gfx::Rect draw_edge(const gfx::Canvas &c, const gfx::Rect &r, UINT edge, UINT sides, const gfx::Rect &clip);

// Everything the non-client painter needs to know about a window: its
// rectangle on the canvas, its styles, the insets from its window rectangle
// to its client area (as AdjustWindowRectEx adds them) and the system metrics
// that split those insets up.
struct NonClient {
    gfx::Rect window;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT insets{};
    int captionHeight = 19;   // SM_CYCAPTION
    int menuHeight = 19;      // SM_CYMENU
    int edge = 2;             // SM_CXEDGE
    int scrollSize = 16;      // SM_CXVSCROLL, SM_CYHSCROLL
    bool hasMenu = false;
    bool active = true;
    std::string caption;
};

// Frame, caption (none unless the style has WS_CAPTION), menu bar ground,
// client edge and scroll bar areas; the client area itself is left alone.
// Answers the menu bar's rectangle (empty without a menu) for its items.
gfx::Rect draw_nonclient(const gfx::Canvas &c, const NonClient &nc, const gfx::Rect &clip);

} // namespace gdi
