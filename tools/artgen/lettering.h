// Lettering through FreeType: the blackletter face when it is installed, DejaVu
// otherwise, and DejaVu for any character the blackletter face lacks.
#pragma once

#include "image.h"

#include <string>
#include <string_view>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace art {

enum class Face { Blackletter, Plain };

class Lettering {
  public:
    Lettering();
    ~Lettering();
    Lettering(const Lettering &) = delete;
    Lettering &operator=(const Lettering &) = delete;

    // Width in pixels of text at the given pixel size.
    int measure(Face face, int size, std::string_view text);
    // Draws text with its baseline starting at (x, baseline), anti-aliased.
    void draw(Image &image, Face face, int size, int x, int baseline, std::string_view text, Rgb colour);
    // The path of the face actually used, for the generator's log.
    const std::string &path(Face face) const;

  private:
    // Renders one character, falling back to the plain face; returns its advance.
    int render(Face face, int size, char c, Image *image, int x, int baseline, Rgb colour);

    FT_Library library_ = nullptr;
    FT_Face faces_[2] = {nullptr, nullptr};
    std::string paths_[2];
};

}   // namespace art
