// Fonts through FreeType and fontconfig. Windows' bitmap fonts come from
// Debian's fonts-wine ("MS Sans Serif" in sserife.fon, "System" in
// vgasys.fon), so text has the metrics dialog templates were laid out for;
// "Nosferatu" is the blackletter family Blankenburg_UNZ1A; anything else is
// looked up through fontconfig and falls back to DejaVu Sans. A missing font
// file never fails: the worst case is a face that measures text and draws
// nothing.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace font {

// One rendered character: an 8-bit coverage mask placed relative to the pen
// position on the baseline (left to the right, top upward).
struct Glyph {
    int left = 0, top = 0, width = 0, height = 0;
    int advance = 0;
    std::vector<uint8_t> coverage;
};

struct Metrics {
    int ascent = 0;   // baseline below the cell top
    int descent = 0;
    int internalLeading = 0;   // cell height minus the em height
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

class Face {
  public:
    virtual ~Face() = default;
    virtual const Metrics &metrics() const = 0;
    // c is a single-byte Windows-1252 character.
    virtual const Glyph &glyph(unsigned char c) = 0;
    // The family actually used, and the file it came from (empty when none).
    virtual const std::string &family() const = 0;
    virtual const std::string &file() const = 0;

    int height() const { return metrics().ascent + metrics().descent; }
    int text_width(const char *s, int n);
};

// The face for a LOGFONT-style request: height < 0 asks for a character (em)
// height of -height pixels, height > 0 for a cell height, 0 for the family's
// default size; weight as FW_NORMAL / FW_BOLD. Faces are made once and kept.
Face &face_for(const std::string &family, int height, int weight);

}   // namespace font
