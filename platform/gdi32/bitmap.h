// Bitmaps: a surface of 0x00RRGGBB pixels and the colour format GetObjectA
// reports for it. Device-compatible bitmaps (LoadBitmapA) are 32 bits per
// pixel, as on a true-colour display.
#pragma once

#include "gdi32/canvas.h"
#include "gdi32/gdiobj.h"

#include <cstddef>

namespace gdi {

struct Bitmap : Object {
    static constexpr Kind kKind = Kind::Bitmap;
    Bitmap(int w, int h, int bpp) : Object(Kind::Bitmap), surface(w, h), bitsPixel(bpp) {}

    HGDIOBJ select_into(DC &dc, HGDIOBJ self) override;
    int describe(int size, void *out) const override;
    // Windows refuses to delete a bitmap that a DC still holds.
    bool deletable() const override { return selectedInto == nullptr; }

    raster::Surface surface;
    int bitsPixel;
    HDC selectedInto = nullptr;
};

// The 1 x 1 monochrome bitmap every new memory DC starts with.
HBITMAP default_bitmap();

// A device-compatible bitmap made from a packed DIB (BITMAPINFOHEADER, colour
// table, pixels), as a bitmap resource stores it; null when it is malformed.
HBITMAP bitmap_from_dib(const void *data, size_t size);

}   // namespace gdi
