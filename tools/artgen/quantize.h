// Reduces a true-colour picture to a palette of at most `colours` entries by
// median cut, then maps every pixel to its nearest entry. Deterministic: ties
// are broken by position, never by address or hash order.
#pragma once

#include "image.h"

namespace art {

Indexed quantize(const Image &picture, int colours);

}   // namespace art
