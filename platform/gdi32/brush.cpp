// Solid brushes, the stock brushes, the classic system colours and FillRect.
#include "gdi32/brush.h"

#include "gdi32/dc.h"

#include <array>
#include <cstring>

namespace gdi {

namespace {

// COLOR_SCROLLBAR (0) .. COLOR_MENUBAR (30), the Windows 95 / 2000 classic scheme.
constexpr std::array<COLORREF, 31> kSystemColors = {
    RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(192, 192, 192), RGB(0, 0, 255),     RGB(16, 132, 208),  RGB(181, 181, 181), RGB(0, 0, 128),
    RGB(192, 192, 192)};

// WHITE_BRUSH .. NULL_BRUSH
constexpr std::array<std::optional<COLORREF>, 6> kStockBrushes = {
    RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128), RGB(64, 64, 64), RGB(0, 0, 0), std::nullopt};

}   // namespace

HGDIOBJ Brush::select_into(DC &dc, HGDIOBJ self)
{
    const HGDIOBJ old = dc.brush;
    dc.brush = static_cast<HBRUSH>(self);
    return old;
}

int Brush::describe(int size, void *out) const
{
    // LOGBRUSH: style (BS_SOLID 0 or BS_NULL 1), colour, hatch.
    const DWORD logbrush[3] = {color ? 0u : 1u, color.value_or(0), 0};
    if (!out) return sizeof logbrush;
    if (size < static_cast<int>(sizeof logbrush)) return 0;
    std::memcpy(out, logbrush, sizeof logbrush);
    return sizeof logbrush;
}

std::unique_ptr<Object> make_stock_brush(int id)
{
    if (id < 0 || id >= static_cast<int>(kStockBrushes.size())) return nullptr;
    return std::make_unique<Brush>(kStockBrushes[static_cast<size_t>(id)]);
}

COLORREF system_color(int index)
{
    if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
    return kSystemColors[static_cast<size_t>(index)];
}

std::optional<COLORREF> brush_color(HBRUSH hbr)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(hbr);
    if (value >= 1 && value <= kSystemColors.size()) return system_color(static_cast<int>(value - 1));
    const Brush *b = find<Brush>(hbr);
    return b ? b->color : std::nullopt;
}

}   // namespace gdi

DWORD WINAPI GetSysColor(int nIndex) { return gdi::system_color(nIndex); }

HBRUSH WINAPI GetSysColorBrush(int nIndex)
{
    // One brush per system colour, kept for the program's life like a stock object.
    static std::array<HBRUSH, gdi::kSystemColors.size()> brushes{};
    if (nIndex < 0 || nIndex >= static_cast<int>(brushes.size())) return nullptr;
    HBRUSH &b = brushes[static_cast<size_t>(nIndex)];
    if (!b) {
        auto brush = std::make_unique<gdi::Brush>(gdi::system_color(nIndex));
        brush->stock = true;
        b = static_cast<HBRUSH>(gdi::add_object(std::move(brush)));
    }
    return b;
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color)
{
    return static_cast<HBRUSH>(gdi::add_object(std::make_unique<gdi::Brush>(color & 0x00FFFFFF)));
}

int WINAPI FillRect(HDC hDC, CONST RECT *lprc, HBRUSH hbr)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hDC);
    if (!dc || !lprc) return 0;
    const std::optional<COLORREF> color = gdi::brush_color(hbr);
    if (!gdi::find<gdi::Brush>(hbr) && !color) return 0;
    if (color) {
        // Left and top edges are filled, right and bottom ones are not.
        raster::fill_rect(dc->canvas(), gdi::to_canvas(*lprc), gdi::pixel_of(*color), dc->clip());
    }
    return 1;
}
