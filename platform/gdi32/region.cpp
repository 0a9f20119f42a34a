// Rectangular regions and the DC's clipping region.
#include "gdi32/region.h"

#include "gdi32/dc.h"

#include <algorithm>

namespace gdi {

namespace {

int select_clip(DC &dc, const Region *rgn)
{
    // The DC keeps a copy, so the program may delete the region at once.
    dc.hasClipRegion = rgn != nullptr;
    dc.clipRegion = rgn ? rgn->rect : raster::Rect{};
    if (!rgn) return SIMPLEREGION;
    return rgn->rect.empty() ? NULLREGION : SIMPLEREGION;
}

}   // namespace

HGDIOBJ Region::select_into(DC &dc, HGDIOBJ)
{
    // SelectObject with a region answers the region's kind, not a handle.
    return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(select_clip(dc, this)));
}

}   // namespace gdi

HRGN WINAPI CreateRectRgn(int x1, int y1, int x2, int y2)
{
    // The corners may come in either order; coordinates are 27-bit signed.
    const int l = gdi::DC::pin(std::min(x1, x2)), r = gdi::DC::pin(std::max(x1, x2));
    const int t = gdi::DC::pin(std::min(y1, y2)), b = gdi::DC::pin(std::max(y1, y2));
    raster::Rect rect{l, t, r, b};
    if (rect.empty()) rect = raster::Rect{};
    return static_cast<HRGN>(gdi::add_object(std::make_unique<gdi::Region>(rect)));
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn)
{
    gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    const gdi::Region *rgn = gdi::find<gdi::Region>(hrgn);
    if (!dc || (hrgn && !rgn)) return ERROR;
    return gdi::select_clip(*dc, rgn);
}
