// Pens: the stock ones (white, black, null), drawn one pixel wide.
#include "gdi32/pen.h"

#include "gdi32/dc.h"

#include <cstring>

namespace gdi {

HGDIOBJ Pen::select_into(DC &dc, HGDIOBJ self)
{
    const HGDIOBJ old = dc.pen;
    dc.pen = static_cast<HPEN>(self);
    return old;
}

int Pen::describe(int size, void *out) const
{
    // LOGPEN: style, width as a POINT, colour.
    const LONG logpen[4] = {color ? PS_SOLID : PS_NULL, 1, 0, static_cast<LONG>(color.value_or(0))};
    if (!out) return sizeof logpen;
    if (size < static_cast<int>(sizeof logpen)) return 0;
    std::memcpy(out, logpen, sizeof logpen);
    return sizeof logpen;
}

std::unique_ptr<Object> make_stock_pen(int id)
{
    switch (id) {
    case WHITE_PEN:
        return std::make_unique<Pen>(RGB(255, 255, 255));
    case BLACK_PEN:
        return std::make_unique<Pen>(RGB(0, 0, 0));
    case NULL_PEN:
        return std::make_unique<Pen>(std::nullopt);
    default:
        return nullptr;
    }
}

}   // namespace gdi
