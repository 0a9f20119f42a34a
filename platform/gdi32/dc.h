// Device contexts. A memory DC draws into the bitmap selected into it; a window
// DC into the window's own surface, which holds its client area. The DC holds every
// drawing attribute; a window DC is made afresh by each GetDC or BeginPaint,
// so nothing a program selects survives its release.
#pragma once

#include "gdi32/canvas.h"
#include "gdi32/gdiobj.h"

#include <functional>

namespace gdi {

struct DC : Object {
    static constexpr Kind kKind = Kind::DC;
    DC() : Object(Kind::DC) {}

    HGDIOBJ select_into(DC &, HGDIOBJ) override { return nullptr; }
    int describe(int, void *) const override { return 0; }

    // The pixels drawing goes to, and the part of them the DC may touch: the
    // selected bitmap for a memory DC; for a window DC the window's surface
    // (its client area), fetched afresh at every call so that a resized or
    // destroyed window is never drawn into through a stale pointer.
    raster::Canvas canvas() const;
    raster::Rect clip() const;
    // What a blit may read from this DC as a source: all of its pixels.
    raster::Rect readable() const { return raster::bounds(canvas()); }
    // Device coordinates (x, y) on the canvas. GDI coordinates are 27-bit,
    // so anything beyond that is pinned rather than left to overflow.
    raster::Point to_canvas(int x, int y) const { return {pin(x), pin(y)}; }
    static int pin(int v) { return v < -(1 << 27) ? -(1 << 27) : v > (1 << 27) ? (1 << 27) : v; }

    HDC self = nullptr;
    bool memory = false;
    std::function<raster::Canvas()> surface;   // window DCs only
    bool hasVisible = false;                   // BeginPaint: only the part being painted
    raster::Rect visible;

    bool hasClipRegion = false;
    raster::Rect clipRegion;

    HBITMAP bitmap = nullptr;   // memory DCs only
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HFONT font = nullptr;
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int polyFillMode = ALTERNATE;
};

// A DC drawing into the surface `source` answers (an empty canvas once the
// window is gone), touching only `visible` when given (BeginPaint passes the
// part being painted). Freed by DeleteDC.
HDC create_surface_dc(std::function<raster::Canvas()> source, const raster::Rect *visible = nullptr);

// A RECT as a canvas rectangle: the same edges, pinned as DC::to_canvas pins points.
inline raster::Rect to_canvas(const RECT &r)
{
    return raster::Rect{DC::pin(r.left), DC::pin(r.top), DC::pin(r.right), DC::pin(r.bottom)};
}

}   // namespace gdi
