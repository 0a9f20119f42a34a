#include "banner.h"

#include "glyphs.h"
#include "noise.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr const char *kName = "Quenmire Stonecall";
constexpr Rgb kGold{236, 196, 96}, kGoldDeep{150, 104, 36}, kNight{18, 30, 44};

Rgb shade(Rgb c, double f)
{
    auto s = [f](uint8_t v) { return static_cast<uint8_t>(std::clamp(std::lround(v * f), 0L, 255L)); };
    return {s(c.r), s(c.g), s(c.b)};
}

// A dark slate, brightest behind the lettering, with a little grain.
void slate(Image &image, uint32_t seed, double glow_x, double glow_y)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            double dx = (x - glow_x) / 260.0, dy = (y - glow_y) / 70.0;
            double glow = std::exp(-(dx * dx + dy * dy));
            double grain = fractal_noise(seed, x / 9.0, y / 9.0, 3);
            image.at(x, y) = shade(kNight, 0.8 + 0.9 * glow + 0.35 * grain);
        }
}

}   // namespace

Image start_banner(Lettering &letters)
{
    constexpr int kWidth = 500, kHeight = 82, kShown = 431;
    Image banner(kWidth, kHeight);
    slate(banner, 311u, kShown / 2.0, 30);
    // A gold rule above and below, ending where the window ends.
    banner.fill(6, 4, kShown - 6, 6, kGoldDeep);
    banner.fill(6, kHeight - 6, kShown - 6, kHeight - 4, kGoldDeep);

    int size = 54;
    while (size > 16 && letters.measure(Face::Blackletter, size, kName) > kShown - 40) --size;
    int width = letters.measure(Face::Blackletter, size, kName);
    int x = (kShown - width) / 2;
    letters.draw(banner, Face::Blackletter, size, x + 2, 49, kName, {6, 10, 16});
    letters.draw(banner, Face::Blackletter, size, x, 47, kName, kGold);

    // The 24 runes in a row under the name, in the program's order.
    constexpr double kStep = 17.0, kGlyphW = 9.0, kGlyphH = 16.0;
    double left = (kShown - (kRuneCount - 1) * kStep) / 2.0;
    for (int n = 1; n < kRuneCount; ++n)
        paint_glyph(banner, rune(n), left + (n - 1) * kStep - kGlyphW / 2, 57, kGlyphW, kGlyphH - 2, 1.3, kGold);
    return banner;
}

Image page_background()
{
    constexpr int kTile = 128, kCells = 8;   // noise lattice wraps every 8 cells: the tile repeats seamlessly
    constexpr Rgb kPage{254, 218, 172};
    Image tile(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            double n = fractal_noise(5150u, x * kCells / double(kTile), y * kCells / double(kTile), 3, kCells);
            double f = 1.0 + 0.05 * (n - 0.5);
            Rgb c = shade(kPage, f);
            c.r = std::max<uint8_t>(c.r, 246);
            tile.at(x, y) = c;
        }
    return tile;
}

Image footer_logo(Lettering &letters)
{
    constexpr int kWidth = 142, kHeight = 20;
    Image logo(kWidth, kHeight, {0, 64, 128});   // the report's heading colour
    logo.fill(0, 0, kWidth, 1, kGoldDeep);
    logo.fill(0, kHeight - 1, kWidth, kHeight, kGoldDeep);
    int size = 18;
    while (size > 8 && letters.measure(Face::Blackletter, size, kName) > kWidth - 28) --size;
    int width = letters.measure(Face::Blackletter, size, kName);
    letters.draw(logo, Face::Blackletter, size, (kWidth - width) / 2, 15, kName, kGold);
    paint_glyph(logo, rune(10), 3, 4, 7, 12, 0.9, kGold);             // Algiz
    paint_glyph(logo, rune(10), kWidth - 10, 4, 7, 12, 0.9, kGold);   // and again
    return logo;
}

}   // namespace art
