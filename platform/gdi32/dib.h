// Decoding device-independent bitmaps: a BITMAPINFOHEADER (or one of its
// longer successors), the colour table and the rows, bottom-up or top-down.
// Every length is checked against the end of the data; a malformed bitmap is
// refused with a reason, never read past its end.
#pragma once

#include "gdi32/canvas.h"

#include <cstddef>
#include <string>

namespace gdi {

bool decode_dib(const void *data, size_t size, raster::Surface &out, std::string *error);

}   // namespace gdi
