// Brushes: a solid colour, or the null brush that paints nothing.
#pragma once

#include "gdi32/gdiobj.h"

#include <optional>

namespace gdi {

struct Brush : Object {
    static constexpr Kind kKind = Kind::Brush;
    explicit Brush(std::optional<COLORREF> c) : Object(Kind::Brush), color(c) {}

    HGDIOBJ select_into(DC &dc, HGDIOBJ self) override;
    int describe(int size, void *out) const override;

    std::optional<COLORREF> color;   // empty: the null brush
};

// The colour FillRect paints for a brush argument, which may also be a system
// colour index plus one; empty when it paints nothing.
std::optional<COLORREF> brush_color(HBRUSH hbr);

// The classic Windows colour scheme, by COLOR_ index (COLOR_3DFACE is grey 192).
COLORREF system_color(int index);

}   // namespace gdi
