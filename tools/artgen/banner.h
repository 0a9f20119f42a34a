// The program's name plates: bitmap 1011, the start banner, and the HTML report's
// two decoration images (its page background and its footer logo).
#pragma once

#include "image.h"
#include "lettering.h"

namespace art {

// 500 x 82; the banner window shows only the left 431 pixels.
Image start_banner(Lettering &letters);
// A quiet tile close to the page colour #FEDAAC.
Image page_background();
// 142 x 20.
Image footer_logo(Lettering &letters);

}   // namespace art
