// Device contexts: creation, release and the attributes that are plain values.
#include "gdi32/dc.h"

#include "gdi32/bitmap.h"

namespace gdi {

namespace {

// Every DC starts with Windows' defaults: white brush, black one-pixel pen,
// the System font, black text on an opaque white background.
HDC add_dc(std::unique_ptr<DC> dc)
{
    dc->brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    dc->pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    dc->font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
    DC *raw = dc.get();
    raw->self = static_cast<HDC>(add_object(std::move(dc)));
    return raw->self;
}

template <class T>
T swap_attribute(HDC hdc, T DC::*field, T value, T failed)
{
    DC *dc = find<DC>(hdc);
    if (!dc) return failed;
    T old = dc->*field;
    dc->*field = value;
    return old;
}

}   // namespace

raster::Canvas DC::canvas() const
{
    if (!memory) return surface ? surface() : raster::Canvas{};
    const Bitmap *b = find<Bitmap>(bitmap);
    return b ? b->surface.canvas : raster::Canvas{};
}

raster::Rect DC::clip() const
{
    raster::Rect r = readable();
    if (hasVisible) r = raster::intersect(r, visible);
    if (hasClipRegion) r = raster::intersect(r, clipRegion);
    return r;
}

HDC create_surface_dc(std::function<raster::Canvas()> source, const raster::Rect *visible)
{
    auto dc = std::make_unique<DC>();
    dc->surface = std::move(source);
    dc->hasVisible = visible != nullptr;
    dc->visible = visible ? *visible : raster::Rect{};
    return add_dc(std::move(dc));
}

}   // namespace gdi

HDC WINAPI CreateCompatibleDC(HDC)
{
    // A new memory DC holds a 1 x 1 monochrome bitmap until the program selects its own.
    auto dc = std::make_unique<gdi::DC>();
    dc->memory = true;
    dc->bitmap = gdi::default_bitmap();
    return gdi::add_dc(std::move(dc));
}

BOOL WINAPI DeleteDC(HDC hdc)
{
    gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc) return FALSE;
    if (gdi::Bitmap *b = gdi::find<gdi::Bitmap>(dc->bitmap); b && b->selectedInto == hdc) b->selectedInto = nullptr;
    gdi::remove_object(hdc);
    return TRUE;
}

int WINAPI SetPolyFillMode(HDC hdc, int mode)
{
    if (mode != ALTERNATE && mode != WINDING) return 0;
    return gdi::swap_attribute(hdc, &gdi::DC::polyFillMode, mode, 0);
}

int WINAPI SetBkMode(HDC hdc, int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return gdi::swap_attribute(hdc, &gdi::DC::bkMode, mode, 0);
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color)
{
    return gdi::swap_attribute<COLORREF>(hdc, &gdi::DC::textColor, color, CLR_INVALID);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color)
{
    return gdi::swap_attribute<COLORREF>(hdc, &gdi::DC::bkColor, color, CLR_INVALID);
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc) return CLR_INVALID;
    const raster::Point p = dc->to_canvas(x, y);
    if (!dc->clip().contains(p.x, p.y)) return CLR_INVALID;
    return gdi::colorref_of(dc->canvas().row(p.y)[p.x]);
}
