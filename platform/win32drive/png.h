// A PNG writer small enough to carry: 8-bit RGB, zlib stored blocks (no
// compression), so the driver needs no library beyond the system's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace drive {

// `rgb` holds height rows of width * 3 bytes, top row first. False when the
// file cannot be written.
bool write_png(const std::string &path, int width, int height, const std::vector<uint8_t> &rgb);

}   // namespace drive
