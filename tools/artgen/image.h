// Pictures in memory: a true-colour image to paint on, and the indexed form the
// palettised files are written from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb &) const = default;
};

class Image {
  public:
    Image(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Rgb &at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgb &at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

    // Fills the rectangle from (left, top) to (right, bottom), right and bottom excluded.
    void fill(int left, int top, int right, int bottom, Rgb colour);
    // Mixes colour over the pixel with coverage 0..255.
    void blend(int x, int y, Rgb colour, int coverage);
    // Copies other with its top-left corner at (left, top), clipped.
    void paste(const Image &other, int left, int top);

  private:
    int width_, height_;
    std::vector<Rgb> pixels_;
};

// A palettised picture: one palette index per pixel, top row first.
struct Indexed {
    int width = 0, height = 0;
    std::vector<Rgb> palette;
    std::vector<uint8_t> index;

    Rgb colour(int x, int y) const { return palette[index[static_cast<size_t>(y) * width + x]]; }
    Image to_image() const;
};

// Shrinks as Windows' BLACKONWHITE stretch mode does: every destination pixel is
// the bitwise AND of all source pixels that collapse onto it, so dark strokes
// survive and light details vanish.
Image and_shrink(const Image &source, int width, int height);

}   // namespace art
