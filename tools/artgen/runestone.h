// The 25 rune pictures: a light, irregular stone on the main window's peach
// colour with the rune's glyph cut into it; 220 x 270 pixels in 16 colours.
#pragma once

#include "image.h"

namespace art {

constexpr int kStoneWidth = 220, kStoneHeight = 270;

// The picture of rune n (1 to 25); its stone's shape is seeded by n.
Indexed rune_picture(int n);

// The 16 colours every rune picture uses.
const std::vector<Rgb> &stone_palette();

}   // namespace art
