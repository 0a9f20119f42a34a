#include "image.h"

#include <algorithm>

namespace art {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill)
{}

void Image::fill(int left, int top, int right, int bottom, Rgb colour)
{
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
        for (int x = std::max(left, 0); x < std::min(right, width_); ++x) at(x, y) = colour;
}

void Image::blend(int x, int y, Rgb colour, int coverage)
{
    if (!contains(x, y) || coverage <= 0) return;
    coverage = std::min(coverage, 255);
    Rgb &p = at(x, y);
    auto mix = [coverage](uint8_t under, uint8_t over) {
        return static_cast<uint8_t>((under * (255 - coverage) + over * coverage + 127) / 255);
    };
    p = {mix(p.r, colour.r), mix(p.g, colour.g), mix(p.b, colour.b)};
}

void Image::paste(const Image &other, int left, int top)
{
    for (int y = 0; y < other.height(); ++y)
        for (int x = 0; x < other.width(); ++x)
            if (contains(left + x, top + y)) at(left + x, top + y) = other.at(x, y);
}

Image Indexed::to_image() const
{
    Image out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.at(x, y) = colour(x, y);
    return out;
}

Image and_shrink(const Image &source, int width, int height)
{
    Image out(width, height);
    for (int y = 0; y < height; ++y) {
        int y0 = y * source.height() / height, y1 = std::max(y0 + 1, (y + 1) * source.height() / height);
        for (int x = 0; x < width; ++x) {
            int x0 = x * source.width() / width, x1 = std::max(x0 + 1, (x + 1) * source.width() / width);
            Rgb acc{255, 255, 255};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const Rgb &p = source.at(sx, sy);
                    acc = {static_cast<uint8_t>(acc.r & p.r), static_cast<uint8_t>(acc.g & p.g),
                           static_cast<uint8_t>(acc.b & p.b)};
                }
            out.at(x, y) = acc;
        }
    }
    return out;
}

}   // namespace art
