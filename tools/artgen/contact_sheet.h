// A review sheet: every rune picture at full size, at 105 x 194 and at 70 x 129,
// the two smaller ones shrunk with ANDed pixels as the program shows them.
#pragma once

#include "image.h"
#include "lettering.h"

#include <vector>

namespace art {

Image contact_sheet(const std::vector<Image> &runes, Lettering &letters);

// The detail screen's skin with a rune picture where the screen draws it, at
// x 15, y 20, shrunk to 105 x 194: shows the picture sits on its parchment.
Image detail_preview(const Image &skin, const Image &rune_picture);

}   // namespace art
