// The program's icon: a grey pebble with the arrow rune cut in red, drawn
// from its outline at every size (so it stays a stone with a rune at 16
// pixels), with an alpha channel; written as PNGs for the desktop's icon theme
// and as one Windows .ico for the executable's resource.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

struct Icon {
    int size = 0;
    std::vector<Rgba> pixels;   // top row first
};

Icon rune_icon(int size);
void write_icon_png(const std::string &path, const Icon &icon);
// Sizes up to 48 as 32-bit DIBs with their AND mask, larger ones as PNG.
void write_ico(const std::string &path, const std::vector<Icon> &icons);

}   // namespace art
