#include "glyphs.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace art {

namespace {

// Each glyph in its traditional form; staves run the full height of the box.
const Rune kRunes[kRuneCount] = {
    {"Mannaz", {{{0, 0}, {0, 1}}, {{1, 0}, {1, 1}}, {{0, 0}, {1, 0.5}}, {{1, 0}, {0, 0.5}}}},
    {"Gebo", {{{0, 0.08}, {1, 0.92}}, {{1, 0.08}, {0, 0.92}}}},
    {"Ansuz", {{{0.15, 0}, {0.15, 1}}, {{0.15, 0.02}, {0.85, 0.34}}, {{0.15, 0.32}, {0.85, 0.64}}}},
    {"Othila", {{{0.5, 0}, {0.1, 0.4}, {0.9, 1}}, {{0.5, 0}, {0.9, 0.4}, {0.1, 1}}}},
    {"Uruz", {{{0.12, 1}, {0.12, 0}, {0.88, 0.38}, {0.88, 1}}}},
    {"Perth", {{{0.15, 0}, {0.15, 1}}, {{0.15, 0}, {0.55, 0.3}, {0.92, 0.06}}, {{0.15, 1}, {0.55, 0.7}, {0.92, 0.94}}}},
    {"Nauthiz", {{{0.5, 0}, {0.5, 1}}, {{0.12, 0.34}, {0.88, 0.62}}}},
    {"Inguz", {{{0.5, 0.18}, {0.92, 0.5}, {0.5, 0.82}, {0.08, 0.5}, {0.5, 0.18}}}},
    {"Eihwaz", {{{0.5, 0}, {0.5, 1}}, {{0.5, 0}, {0.88, 0.26}}, {{0.5, 1}, {0.12, 0.74}}}},
    {"Algiz", {{{0.5, 0.02}, {0.5, 1}}, {{0.5, 0.48}, {0.08, 0.06}}, {{0.5, 0.48}, {0.92, 0.06}}}},
    {"Fehu", {{{0.15, 0}, {0.15, 1}}, {{0.15, 0.3}, {0.7, 0.02}}, {{0.15, 0.62}, {0.88, 0.26}}}},
    {"Wunjo", {{{0.2, 0}, {0.2, 1}}, {{0.2, 0}, {0.85, 0.24}, {0.2, 0.48}}}},
    {"Jera", {{{0.48, 0.04}, {0.1, 0.34}, {0.48, 0.64}}, {{0.52, 0.36}, {0.9, 0.66}, {0.52, 0.96}}}},
    {"Kano", {{{0.8, 0.08}, {0.2, 0.45}, {0.8, 0.82}}}},
    {"Teiwaz", {{{0.5, 0}, {0.5, 1}}, {{0.06, 0.36}, {0.5, 0}, {0.94, 0.36}}}},
    {"Berkana", {{{0.18, 0}, {0.18, 1}}, {{0.18, 0}, {0.85, 0.25}, {0.18, 0.5}, {0.85, 0.75}, {0.18, 1}}}},
    {"Ehwaz", {{{0, 1}, {0, 0}, {0.5, 0.34}, {1, 0}, {1, 1}}}},
    {"Laguz", {{{0.25, 0}, {0.25, 1}}, {{0.25, 0}, {0.82, 0.36}}}},
    {"Hagalaz", {{{0.05, 0}, {0.05, 1}}, {{0.95, 0}, {0.95, 1}}, {{0.05, 0.36}, {0.95, 0.64}}}},
    {"Raido", {{{0.15, 0}, {0.15, 1}}, {{0.15, 0}, {0.8, 0.24}, {0.15, 0.48}, {0.85, 1}}}},
    {"Thurisaz", {{{0.2, 0}, {0.2, 1}}, {{0.2, 0.24}, {0.82, 0.5}, {0.2, 0.76}}}},
    {"Dagaz", {{{0, 0}, {0, 1}, {1, 0}, {1, 1}, {0, 0}}}},
    {"Isa", {{{0.5, 0}, {0.5, 1}}}},
    {"Sowelu", {{{0.72, 0.02}, {0.24, 0.42}, {0.76, 0.58}, {0.28, 0.98}}}},
    {"Odin", {}},
};

double segment_distance(Point p, Point a, Point b)
{
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
    double ex = a.x + t * dx - p.x, ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

}   // namespace

const Rune &rune(int n) { return kRunes[n - 1]; }

double stroke_distance(const Rune &g, Point p, double left, double top, double width, double height)
{
    double best = std::numeric_limits<double>::max();
    for (const Stroke &s : g.strokes)
        for (size_t i = 1; i < s.size(); ++i) {
            Point a{left + s[i - 1].x * width, top + s[i - 1].y * height};
            Point b{left + s[i].x * width, top + s[i].y * height};
            best = std::min(best, segment_distance(p, a, b));
        }
    return best;
}

void paint_glyph(Image &image, const Rune &g, double left, double top, double width, double height, double half_width,
                 Rgb colour)
{
    constexpr int kSub = 4;   // 4 x 4 samples per pixel
    int x0 = static_cast<int>(left - half_width) - 1, x1 = static_cast<int>(left + width + half_width) + 2;
    int y0 = static_cast<int>(top - half_width) - 1, y1 = static_cast<int>(top + height + half_width) + 2;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int inside = 0;
            for (int sy = 0; sy < kSub; ++sy)
                for (int sx = 0; sx < kSub; ++sx) {
                    Point p{x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub};
                    if (stroke_distance(g, p, left, top, width, height) <= half_width) ++inside;
                }
            image.blend(x, y, colour, inside * 255 / (kSub * kSub));
        }
}

}   // namespace art
