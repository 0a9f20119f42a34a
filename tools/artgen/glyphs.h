// The Elder Futhark glyphs of the 25 runes, as strokes in a unit box (x to the
// right, y down, both 0..1), in the order of the program's rune numbers.
#pragma once

#include "image.h"

#include <string_view>
#include <vector>

namespace art {

struct Point {
    double x, y;
};

// One stroke: a polyline drawn with a thick pen.
using Stroke = std::vector<Point>;

struct Rune {
    std::string_view name;
    std::vector<Stroke> strokes;   // empty for the blank rune
};

constexpr int kRuneCount = 25;

// The rune with number n, 1 to 25.
const Rune &rune(int n);

// Distance from p to the nearest stroke of glyph g after mapping its unit box onto
// the rectangle (left, top, width, height); a huge value for the blank rune.
double stroke_distance(const Rune &g, Point p, double left, double top, double width, double height);

// Paints glyph g anti-aliased into the rectangle (left, top, width, height) with
// strokes 2 * half_width wide.
void paint_glyph(Image &image, const Rune &g, double left, double top, double width, double height, double half_width,
                 Rgb colour);

}   // namespace art
