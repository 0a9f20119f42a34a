// Text drawing shared by TextOutA and DrawTextA.
#pragma once

#include "gdi32/dc.h"

namespace gdi {

// n characters of s with the top-left of their cells at device (x, y), in the
// DC's font, text colour and background mode, touching nothing outside clip
// (canvas coordinates).
void draw_text(const DC &dc, int x, int y, const char *s, int n, const gfx::Rect &clip);

} // namespace gdi
