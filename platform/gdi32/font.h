// Logical fonts: the LOGFONTA a program asked for, and the face that answers it.
#pragma once

#include "font/font.h"
#include "gdi32/gdiobj.h"

namespace gdi {

struct Font : Object {
    static constexpr Kind kKind = Kind::Font;
    explicit Font(const LOGFONTA &l) : Object(Kind::Font), logfont(l) {}

    HGDIOBJ select_into(DC &dc, HGDIOBJ self) override;
    int describe(int size, void *out) const override;

    font::Face &face() const;

    LOGFONTA logfont;
};

// The face a font handle draws with; the System font for anything that is no font.
font::Face &face_of(HFONT hfont);

}   // namespace gdi
