// Bitmap 26: the painted skin of the rune detail screen, 578 x 510 pixels at 24
// bits, laid out from the dialog's own units so every control sits on its panel.
#pragma once

#include "image.h"
#include "lettering.h"

namespace art {

Image detail_skin(Lettering &letters);

}   // namespace art
