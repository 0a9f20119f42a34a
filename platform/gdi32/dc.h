// Device contexts. A memory DC draws into the bitmap selected into it; a window
// DC into the window's own surface at its client origin. The DC holds every
// drawing attribute; a window DC is made afresh by each GetDC or BeginPaint,
// so nothing a program selects survives its release.
#pragma once

#include "gdi32/canvas.h"
#include "gdi32/gdiobj.h"

namespace gdi {

struct DC : Object {
    static constexpr Kind kKind = Kind::DC;
    DC() : Object(Kind::DC) {}

    HGDIOBJ select_into(DC &, HGDIOBJ) override { return nullptr; }
    int describe(int, void *) const override { return 0; }

    // The pixels drawing goes to, and the part of them the DC may touch, in
    // canvas coordinates: the selected bitmap for a memory DC, the client area
    // (or the part being painted) for a window DC.
    gfx::Canvas canvas() const;
    gfx::Rect clip() const;
    // What a blit may read from this DC as a source, in canvas coordinates:
    // the whole bitmap, or the window's client area.
    gfx::Rect readable() const;
    // Device coordinates (x, y) in canvas coordinates. GDI coordinates are
    // 27-bit, so anything beyond that is pinned rather than left to overflow.
    gfx::Point to_canvas(int x, int y) const { return {pin(x) + origin.x, pin(y) + origin.y}; }
    static int pin(int v) { return v < -(1 << 27) ? -(1 << 27) : v > (1 << 27) ? (1 << 27) : v; }

    HDC self = nullptr;
    bool memory = false;
    gfx::Canvas windowCanvas;   // window DCs only
    gfx::Point origin;          // device (0, 0) on the canvas
    gfx::Rect area;             // window DCs only: the client area
    gfx::Rect visible;          // window DCs only: the part of it drawing may touch

    bool hasClipRegion = false;
    gfx::Rect clipRegion;       // device coordinates

    HBITMAP bitmap = nullptr;   // memory DCs only
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
};

// A DC drawing into a window's surface: device (0, 0) is origin on the canvas,
// area (canvas coordinates) is the client area, and drawing touches only
// visible (BeginPaint passes the part being painted). Freed by DeleteDC.
HDC create_surface_dc(const gfx::Canvas &canvas, gfx::Point origin, const gfx::Rect &area,
                      const gfx::Rect &visible);

} // namespace gdi
