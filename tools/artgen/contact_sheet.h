// A review sheet: every rune picture at full size, at 105 x 194 and at 70 x 129,
// the two smaller ones shrunk with ANDed pixels as the program shows them.
#pragma once

#include "image.h"
#include "lettering.h"

#include <vector>

namespace art {

Image contact_sheet(const std::vector<Image> &runes, Lettering &letters);

} // namespace art
