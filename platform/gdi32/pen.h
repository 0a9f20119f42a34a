// Pens: the one-pixel outline Polygon draws, or the null pen that draws none.
#pragma once

#include "gdi32/gdiobj.h"

#include <optional>

namespace gdi {

struct Pen : Object {
    static constexpr Kind kKind = Kind::Pen;
    explicit Pen(std::optional<COLORREF> c) : Object(Kind::Pen), color(c) {}

    HGDIOBJ select_into(DC &dc, HGDIOBJ self) override;
    int describe(int size, void *out) const override;

    std::optional<COLORREF> color;   // empty: the null pen
};

}   // namespace gdi
