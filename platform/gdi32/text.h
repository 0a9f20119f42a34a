// Text drawing shared by TextOutA, DrawTextA and the caption bars.
#pragma once

#include "font/font.h"
#include "gdi32/dc.h"

namespace gdi {

// The glyphs of n characters of s in one colour, the pen starting at x on the
// baseline, touching nothing outside clip.
void draw_glyphs(const raster::Canvas &canvas, font::Face &face, int x, int baseline, const char *s, int n,
                 uint32_t ink, const raster::Rect &clip);

// n characters of s with the top-left of their cells at device (x, y), in the
// DC's font, text colour and background mode, touching nothing outside clip
// (canvas coordinates).
void draw_text(const DC &dc, int x, int y, const char *s, int n, const raster::Rect &clip);

}   // namespace gdi
