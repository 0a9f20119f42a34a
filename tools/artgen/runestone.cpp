#include "runestone.h"

#include "glyphs.h"
#include "noise.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace art {

namespace {

// The pictures are always shown shrunk with ANDed pixels. Every channel of every
// light colour of the stone is taken from 255, 254, 252, 248, 240, 224, 192, 128,
// each value's bits a subset of the one before, so ANDing any of them gives their
// plain minimum: shading bands merge cleanly instead of breeding dark, off-hue
// seams. The ground is the main window's colour, so the stone lies on the table
// with no rectangle around it; it meets the stone only at the rim, whose 128 is a
// bit of every ground channel, so where the two are ANDed the rim stays the rim.
enum Ink : uint8_t {
    kGlyph,
    kRim,
    kShade0,
    kShade1,
    kShade2,
    kShade3,
    kShade4,
    kShade5,
    kShade6,
    kGround,
    kFleck,
    kInkCount
};

const std::vector<Rgb> kPalette = {
    {40, 32, 24},      // glyph: dark enough that any AND with it stays dark
    {128, 128, 128},   // stone rim and the lit wall of a cut
    {192, 192, 192}, {224, 224, 224}, {240, 240, 224}, {248, 240, 224}, {248, 248, 240},
    {252, 252, 248}, {255, 255, 255},   // stone, dark to light
    {255, 216, 170},                    // ground: the main window's colour
    {240, 240, 240},                    // flecks in the stone
    {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},       {0, 0, 0},
};

struct StoneShape {
    double cx, cy, a, b, power;
    double amp[5], phase[5];   // waves of 1 to 5 per turn round the edge
    double tilt;               // radians; leans the stone a little

    // The stone's own coordinate, 0 at the centre and 1 on its edge.
    double reach(double x, double y) const
    {
        double dx = x - cx, dy = y - cy;
        double u = (dx * std::cos(tilt) + dy * std::sin(tilt)) / a;
        double v = (-dx * std::sin(tilt) + dy * std::cos(tilt)) / b;
        double d = std::pow(std::pow(std::abs(u), power) + std::pow(std::abs(v), power), 1.0 / power);
        double angle = std::atan2(v, u);
        double edge = 1.0;
        for (int k = 0; k < 5; ++k) edge += amp[k] * std::cos((k + 1) * angle + phase[k]);
        return d / edge;
    }
};

StoneShape shape_for(int n)
{
    Random rng(0x5702EC411ull * static_cast<uint64_t>(n) + 17);
    StoneShape s{};
    s.cx = 110 + rng.uniform(-3, 3);
    s.cy = 136 + rng.uniform(-3, 3);
    s.a = rng.uniform(80, 97);
    s.b = rng.uniform(106, 124);
    s.power = rng.uniform(2.0, 3.4);
    static const double kWave[5] = {0.05, 0.07, 0.035, 0.02, 0.012};
    for (int k = 0; k < 5; ++k) {
        s.amp[k] = rng.uniform(0.0, kWave[k]);
        s.phase[k] = rng.uniform(0, 2 * std::numbers::pi);
    }
    s.tilt = rng.uniform(-0.14, 0.14);
    return s;
}

// Light falls from the upper left, as on the program's buttons.
constexpr double kLight[3] = {-0.45, -0.55, 0.70};

constexpr double kStroke = 8.0;   // half the width of a cut, in pixels
constexpr double kBevel = 3.0;    // depth of the lit wall and the highlight, in pixels

struct GlyphBox {
    double left, top, width, height;
};

GlyphBox glyph_box(const StoneShape &s)
{
    double w = std::min(96.0, s.a * 1.05), h = std::min(150.0, s.b * 1.3);
    return {s.cx - w / 2, s.cy - h / 2, w, h};
}

bool in_cut(const Rune &g, const GlyphBox &box, double x, double y)
{
    return stroke_distance(g, {x, y}, box.left, box.top, box.width, box.height) <= kStroke;
}

// How much of the pixel centred at (x, y) the cut covers, 0 to 16 (4 x 4 samples);
// only pixels on a stroke's edge are sampled.
int cut_cover(const Rune &g, const GlyphBox &box, double x, double y)
{
    double d = stroke_distance(g, {x, y}, box.left, box.top, box.width, box.height);
    if (d <= kStroke - 0.75) return 16;
    if (d >= kStroke + 0.75) return 0;
    int cover = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) cover += in_cut(g, box, x - 0.375 + sx * 0.25, y - 0.375 + sy * 0.25);
    return cover;
}

// Brightness 0..1 of the stone surface at (x, y): a flat-topped dome lit from the
// upper left, roughened by noise.
double surface_light(const StoneShape &s, uint32_t seed, double x, double y)
{
    auto height = [&](double px, double py) {
        double t = std::min(s.reach(px, py), 1.0);
        return 34.0 * (1.0 - std::pow(t, 5.0));
    };
    double h = height(x, y);
    double nx = h - height(x + 1, y), ny = h - height(x, y + 1), nz = 1.0;
    double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    double diffuse = (nx * kLight[0] + ny * kLight[1] + nz * kLight[2]) / len;
    double grain = fractal_noise(seed, x / 22.0, y / 22.0, 4) - 0.5;
    double slope = ((x - s.cx) / s.a + (y - s.cy) / s.b) * 0.12;   // darker towards the lower right
    return 0.64 + 0.55 * (diffuse - kLight[2]) + 0.30 * grain - slope;
}

uint8_t stone_ink(double light)
{
    static const double kSteps[] = {0.30, 0.44, 0.56, 0.72, 0.82, 0.92};
    uint8_t ink = kShade0;
    for (double step : kSteps)
        if (light > step) ++ink;
    return ink;
}

// Distance in pixels from (x, y) inside the stone to its edge, from the reach and
// its local slope.
double edge_distance(const StoneShape &s, double x, double y)
{
    double r = s.reach(x, y);
    double gx = s.reach(x + 0.5, y) - s.reach(x - 0.5, y), gy = s.reach(x, y + 0.5) - s.reach(x, y - 0.5);
    double slope = std::sqrt(gx * gx + gy * gy);
    return slope > 0 ? (1.0 - r) / slope : 1e9;
}

}   // namespace

const std::vector<Rgb> &stone_palette() { return kPalette; }

Indexed rune_picture(int n)
{
    const StoneShape s = shape_for(n);
    const Rune &g = rune(n);
    const GlyphBox box = glyph_box(s);
    const uint32_t seed = 1000u + static_cast<uint32_t>(n);
    Indexed out{kStoneWidth, kStoneHeight, kPalette, std::vector<uint8_t>(kStoneWidth * kStoneHeight)};
    for (int y = 0; y < kStoneHeight; ++y)
        for (int x = 0; x < kStoneWidth; ++x) {
            double px = x + 0.5, py = y + 0.5;
            uint8_t ink;
            if (s.reach(px, py) >= 1.0) {
                ink = kGround;
            } else if (edge_distance(s, px, py) < 3.5) {
                ink = kRim;
            } else if (int cover = cut_cover(g, box, px, py); cover >= 10) {
                ink = in_cut(g, box, px + kBevel, py + kBevel) ? kGlyph : kRim;
            } else if (cover >= 4) {
                ink = kRim;   // the cut's soft edge
            } else if (in_cut(g, box, px + kBevel, py + kBevel)) {
                ink = kShade6;
            } else {
                ink = stone_ink(surface_light(s, seed, px, py));
                if (ink > kShade1 && fractal_noise(seed + 77u, px / 3.0, py / 3.0, 2) > 0.80) ink = kFleck;
            }
            out.index[static_cast<size_t>(y) * kStoneWidth + x] = ink;
        }
    return out;
}

}   // namespace art
