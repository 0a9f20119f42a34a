// PNG screenshots of a canvas (libpng), and reading them back for comparisons.
#pragma once

#include "gdi32/canvas.h"

#include <string>

namespace raster {

bool write_png(const Canvas &canvas, const std::string &path, std::string *error);
bool read_png(const std::string &path, Surface &out, std::string *error);

}   // namespace raster
