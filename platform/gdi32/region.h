// Regions. Every region the program makes is a rectangle; CreateRectRgn keeps
// the interior only, columns left .. right - 1 and rows top .. bottom - 1.
#pragma once

#include "gdi32/canvas.h"
#include "gdi32/gdiobj.h"

namespace gdi {

struct Region : Object {
    static constexpr Kind kKind = Kind::Region;
    explicit Region(const raster::Rect &r) : Object(Kind::Region), rect(r) {}

    HGDIOBJ select_into(DC &dc, HGDIOBJ self) override;
    int describe(int, void *) const override { return 0; }

    raster::Rect rect;   // device coordinates; empty for the null region
};

}   // namespace gdi
