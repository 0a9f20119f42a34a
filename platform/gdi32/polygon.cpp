// Polygon: the interior in the brush under the DC's fill mode, then the closed
// outline in the pen over it.
#include "gdi32/brush.h"
#include "gdi32/dc.h"
#include "gdi32/pen.h"

#include <vector>

BOOL WINAPI Polygon(HDC hdc, CONST POINT *apt, int cpt)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !apt || cpt < 2) return FALSE;
    std::vector<raster::Point> pts(static_cast<size_t>(cpt));
    for (int i = 0; i < cpt; ++i) pts[static_cast<size_t>(i)] = dc->to_canvas(apt[i].x, apt[i].y);

    const raster::Canvas canvas = dc->canvas();
    const raster::Rect clip = dc->clip();
    if (const std::optional<COLORREF> fill = gdi::brush_color(dc->brush)) {
        const raster::FillRule rule =
            dc->polyFillMode == WINDING ? raster::FillRule::NonZero : raster::FillRule::EvenOdd;
        raster::fill_polygon(canvas, pts.data(), cpt, rule, gdi::pixel_of(*fill), clip);
    }
    const gdi::Pen *pen = gdi::find<gdi::Pen>(dc->pen);
    if (pen && pen->color) {
        // Each edge stops short of its end point, which the next edge starts on.
        for (int i = 0; i < cpt; ++i)
            raster::draw_line(canvas, pts[static_cast<size_t>(i)], pts[static_cast<size_t>((i + 1) % cpt)],
                              gdi::pixel_of(*pen->color), clip);
    }
    return TRUE;
}
