// Windows' classic 3D look, in the classic scheme's colours.
#include "gdi32/frame.h"

#include "font/font.h"
#include "gdi32/brush.h"
#include "gdi32/dc.h"
#include "gdi32/gdiobj.h"
#include "gdi32/text.h"

#include <algorithm>

namespace gdi {

namespace {

constexpr int kActiveCaption = COLOR_ACTIVECAPTION, kInactiveCaption = COLOR_INACTIVECAPTION, kMenu = COLOR_MENU,
              kWindowFrame = COLOR_WINDOWFRAME, kCaptionText = COLOR_CAPTIONTEXT,
              kInactiveCaptionText = COLOR_INACTIVECAPTIONTEXT, k3DFace = COLOR_3DFACE, k3DShadow = COLOR_3DSHADOW,
              k3DHilight = COLOR_3DHILIGHT, k3DDkShadow = COLOR_3DDKSHADOW, k3DLight = COLOR_3DLIGHT,
              kBtnText = COLOR_BTNTEXT;

uint32_t sys(int index) { return pixel_of(system_color(index)); }

// One ring of an edge on the chosen sides: top and left in one colour,
// bottom and right in another. Answers what lies inside it.
raster::Rect ring(const raster::Canvas &c, const raster::Rect &r, int topLeft, int bottomRight, UINT sides,
                  const raster::Rect &clip)
{
    if (r.empty()) return r;
    if (sides & BF_TOP) raster::fill_rect(c, {r.left, r.top, r.right, r.top + 1}, sys(topLeft), clip);
    if (sides & BF_LEFT) raster::fill_rect(c, {r.left, r.top, r.left + 1, r.bottom}, sys(topLeft), clip);
    if (sides & BF_BOTTOM) raster::fill_rect(c, {r.left, r.bottom - 1, r.right, r.bottom}, sys(bottomRight), clip);
    if (sides & BF_RIGHT) raster::fill_rect(c, {r.right - 1, r.top, r.right, r.bottom}, sys(bottomRight), clip);
    raster::Rect in = r;
    in.left += (sides & BF_LEFT) ? 1 : 0;
    in.top += (sides & BF_TOP) ? 1 : 0;
    in.right -= (sides & BF_RIGHT) ? 1 : 0;
    in.bottom -= (sides & BF_BOTTOM) ? 1 : 0;
    in.right = std::max(in.left, in.right);
    in.bottom = std::max(in.top, in.bottom);
    return in;
}

raster::Rect ring(const raster::Canvas &c, const raster::Rect &r, int color, const raster::Rect &clip)
{
    return ring(c, r, color, color, BF_RECT, clip);
}

// The colours of each half of an edge: top-left, bottom-right.
struct Half {
    UINT bit;
    int topLeft, bottomRight;
};
constexpr Half kHalves[2][2] = {
    {{BDR_RAISEDOUTER, k3DLight, k3DDkShadow}, {BDR_SUNKENOUTER, k3DShadow, k3DHilight}},   // outer ring
    {{BDR_RAISEDINNER, k3DHilight, k3DShadow}, {BDR_SUNKENINNER, k3DDkShadow, k3DLight}},   // inner ring
};

// A caption button: a raised square with its glyph drawn by `glyph`.
template <class Glyph>
void caption_button(const raster::Canvas &c, const raster::Rect &r, const raster::Rect &clip, Glyph glyph)
{
    const raster::Rect inside = draw_edge(c, r, EDGE_RAISED, BF_RECT, clip);
    raster::fill_rect(c, inside, sys(k3DFace), clip);
    glyph(inside);
}

void caption_buttons(const raster::Canvas &c, const NonClient &nc, const raster::Rect &clip)
{
    const uint32_t ink = sys(kBtnText);
    if (!nc.closeBox.empty()) {
        // An X two pixels thick; etched when Close is greyed.
        const auto cross = [&](const raster::Rect &in, int dx, uint32_t colour) {
            const int l = in.left + 3 + dx, t = in.top + 2 + dx, s = std::min(in.width(), in.height()) - 5;
            for (int d = 0; d < 2; ++d) {
                raster::draw_line(c, {l + d, t}, {l + d + s + 1, t + s + 1}, colour, clip);
                raster::draw_line(c, {l + d + s, t}, {l + d - 1, t + s + 1}, colour, clip);
            }
        };
        caption_button(c, nc.closeBox, clip, [&](const raster::Rect &in) {
            if (nc.closeEnabled) return cross(in, 0, ink);
            cross(in, 1, sys(k3DHilight));
            cross(in, 0, sys(k3DShadow));
        });
    }
    const auto box = [&](const raster::Rect &b) {
        raster::fill_rect(c, {b.left, b.top, b.right, b.top + 2}, ink, clip);
        raster::fill_rect(c, {b.left, b.top, b.left + 1, b.bottom}, ink, clip);
        raster::fill_rect(c, {b.right - 1, b.top, b.right, b.bottom}, ink, clip);
        raster::fill_rect(c, {b.left, b.bottom - 1, b.right, b.bottom}, ink, clip);
    };
    if (!nc.maxBox.empty())
        caption_button(c, nc.maxBox, clip, [&](const raster::Rect &in) {
            if (!(nc.style & WS_MAXIMIZE)) return box({in.left + 2, in.top + 1, in.right - 3, in.bottom - 2});
            // Restore: two small windows, one behind the other.
            box({in.left + 4, in.top + 1, in.right - 3, in.bottom - 5});
            raster::fill_rect(c, {in.left + 2, in.top + 4, in.right - 5, in.bottom - 2}, sys(k3DFace), clip);
            box({in.left + 2, in.top + 4, in.right - 5, in.bottom - 2});
        });
    if (!nc.minBox.empty())
        caption_button(c, nc.minBox, clip, [&](const raster::Rect &in) {
            if (!(nc.style & WS_MINIMIZE))
                return raster::fill_rect(c, {in.left + 3, in.bottom - 4, in.left + 9, in.bottom - 2}, ink, clip);
            box({in.left + 2, in.top + 1, in.right - 3, in.bottom - 2});
        });
}

void caption_bar(const raster::Canvas &c, const NonClient &nc, const raster::Rect &bar, const raster::Rect &clip)
{
    // The bar is one pixel shorter than the caption: a line of face colour
    // separates it from what lies below.
    const raster::Rect fill{bar.left, bar.top, bar.right, bar.bottom - 1};
    raster::fill_rect(c, fill, sys(nc.active ? kActiveCaption : kInactiveCaption), clip);
    raster::fill_rect(c, {bar.left, bar.bottom - 1, bar.right, bar.bottom}, sys(k3DFace), clip);

    font::Face &face = font::face_for("MS Sans Serif", -11, FW_BOLD);
    const uint32_t ink = sys(nc.active ? kCaptionText : kInactiveCaptionText);
    raster::Rect textClip = raster::intersect(clip, fill);
    for (const raster::Rect &b : {nc.closeBox, nc.maxBox, nc.minBox})
        if (!b.empty()) textClip.right = std::max(textClip.left, std::min(textClip.right, b.left - 2));
    const int baseline = fill.top + (fill.height() - face.height()) / 2 + face.metrics().ascent;
    draw_glyphs(c, face, fill.left + 2, baseline, nc.caption.data(), static_cast<int>(nc.caption.size()), ink,
                textClip);
    caption_buttons(c, nc, clip);
}

// An arrow head: rows of a small triangle, `dir` +1 pointing down or right,
// -1 up or left, its tip row at `tip`.
void arrow_head(const raster::Canvas &c, bool vertical, int centre, int tip, int dir, uint32_t ink,
                const raster::Rect &clip)
{
    for (int i = 0; i < 4; ++i) {
        const int row = tip - dir * i;
        if (vertical) raster::fill_rect(c, {centre - i, row, centre + i + 1, row + 1}, ink, clip);
        else raster::fill_rect(c, {row, centre - i, row + 1, centre + i + 1}, ink, clip);
    }
}

void scroll_area(const raster::Canvas &c, const raster::Rect &r, bool vertical, int size, const raster::Rect &clip,
                 bool enabled = true, int thumbStart = 0, int thumbSize = 0)
{
    // The track in the classic dither of face and highlight, a button at each end.
    const raster::Rect area = raster::intersect(raster::intersect(r, clip), raster::bounds(c));
    const uint32_t dither[2] = {sys(k3DFace), sys(k3DHilight)};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) c.row(y)[x] = dither[(x + y) & 1];
    const raster::Rect first = vertical ? raster::Rect{r.left, r.top, r.right, r.top + size}
                                        : raster::Rect{r.left, r.top, r.left + size, r.bottom};
    const raster::Rect last = vertical ? raster::Rect{r.left, r.bottom - size, r.right, r.bottom}
                                       : raster::Rect{r.right - size, r.top, r.right, r.bottom};
    for (const raster::Rect &b : {first, last}) {
        const raster::Rect in = draw_edge(c, b, EDGE_RAISED, BF_RECT, clip);
        raster::fill_rect(c, in, sys(k3DFace), clip);
    }
    // Arrow heads pointing away from the track; grey with a white shadow when
    // there is nothing to scroll.
    const int centre = vertical ? r.left + r.width() / 2 : r.top + r.height() / 2;
    const int firstTip = (vertical ? first.top : first.left) + 6, lastTip = (vertical ? last.bottom : last.right) - 7;
    if (!enabled) {
        arrow_head(c, vertical, centre + 1, firstTip + 1, -1, sys(k3DHilight), clip);
        arrow_head(c, vertical, centre + 1, lastTip + 1, 1, sys(k3DHilight), clip);
    }
    const uint32_t ink = sys(enabled ? kBtnText : k3DShadow);
    arrow_head(c, vertical, centre, firstTip, -1, ink, clip);
    arrow_head(c, vertical, centre, lastTip, 1, ink, clip);
    if (enabled && thumbSize > 0) {
        const int t = (vertical ? r.top : r.left) + size + thumbStart;
        const raster::Rect thumb = vertical ? raster::Rect{r.left, t, r.right, t + thumbSize}
                                            : raster::Rect{t, r.top, t + thumbSize, r.bottom};
        raster::fill_rect(c, draw_edge(c, thumb, EDGE_RAISED, BF_RECT, clip), sys(k3DFace), clip);
    }
}

}   // namespace

raster::Rect draw_edge(const raster::Canvas &c, const raster::Rect &r, UINT edge, UINT sides, const raster::Rect &clip)
{
    raster::Rect in = r;
    for (const auto &layer : kHalves)
        for (const Half &h : layer)
            if (edge & h.bit) {
                in = ring(c, in, h.topLeft, h.bottomRight, sides, clip);
                break;
            }
    return in;
}

raster::Rect draw_nonclient(const raster::Canvas &c, const NonClient &nc, const raster::Rect &clip)
{
    const bool clientEdge = (nc.exStyle & WS_EX_CLIENTEDGE) != 0;
    const int frame = nc.insets.left - (clientEdge ? nc.edge : 0);
    raster::Rect r = nc.window;

    // The frame: a static edge alone is one sunken line; a dialog or sizing
    // frame is a raised edge widened with face colour; a plain border is black.
    const bool staticOnly = (nc.exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE;
    const bool raised =
        !staticOnly && ((nc.exStyle & WS_EX_DLGMODALFRAME) || (nc.style & (WS_THICKFRAME | WS_DLGFRAME)));
    if (frame > 0) {
        const raster::Rect outer = r;
        if (staticOnly) r = draw_edge(c, r, BDR_SUNKENOUTER, BF_RECT, clip);
        else if (raised) r = draw_edge(c, r, EDGE_RAISED, BF_RECT, clip);
        else r = ring(c, r, kWindowFrame, clip);
        const int rest = frame - (r.left - outer.left);
        for (int i = 0; i < rest; ++i) r = ring(c, r, k3DFace, clip);
    }
    if ((nc.style & WS_CAPTION) == WS_CAPTION) {
        caption_bar(c, nc, {r.left, r.top, r.right, r.top + nc.captionHeight}, clip);
        r.top += nc.captionHeight;
    }
    raster::Rect menuBar;
    if (nc.hasMenu) {
        menuBar = raster::Rect{r.left, r.top, r.right, r.top + nc.menuHeight};
        raster::fill_rect(c, menuBar, sys(kMenu), clip);
        r.top += nc.menuHeight;
    }
    if (clientEdge) r = draw_edge(c, r, EDGE_SUNKEN, BF_RECT, clip);
    const bool v = (nc.style & WS_VSCROLL) != 0, h = (nc.style & WS_HSCROLL) != 0;
    if (v)
        scroll_area(c, {r.right - nc.scrollSize, r.top, r.right, r.bottom - (h ? nc.scrollSize : 0)}, true,
                    nc.scrollSize, clip, nc.vScrollEnabled, nc.vThumbStart, nc.vThumbSize);
    if (h)
        scroll_area(c, {r.left, r.bottom - nc.scrollSize, r.right - (v ? nc.scrollSize : 0), r.bottom}, false,
                    nc.scrollSize, clip);
    if (v && h)
        raster::fill_rect(c, {r.right - nc.scrollSize, r.bottom - nc.scrollSize, r.right, r.bottom}, sys(k3DFace),
                          clip);
    return menuBar;
}

}   // namespace gdi

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !qrc) return FALSE;
    const raster::Rect r = gdi::to_canvas(*qrc);
    const raster::Canvas canvas = dc->canvas();
    const raster::Rect in = gdi::draw_edge(canvas, r, edge, grfFlags, dc->clip());
    if (grfFlags & BF_MIDDLE) raster::fill_rect(canvas, in, gdi::sys(COLOR_3DFACE), dc->clip());
    if (grfFlags & BF_ADJUST)
        *qrc = RECT{qrc->left + (in.left - r.left), qrc->top + (in.top - r.top), qrc->right - (r.right - in.right),
                    qrc->bottom - (r.bottom - in.bottom)};
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hDC, CONST RECT *lprc)
{
    // Every other pixel of the outline inverted, so a second call takes it away.
    const gdi::DC *dc = gdi::find<gdi::DC>(hDC);
    if (!dc || !lprc) return FALSE;
    const raster::Rect r = gdi::to_canvas(*lprc);
    const raster::Point a{r.left, r.top}, b{r.right, r.bottom};
    const raster::Canvas canvas = dc->canvas();
    const raster::Rect area = raster::intersect(dc->clip(), r);
    const auto invert = [&](int x, int y) {
        if (area.contains(x, y) && ((x + y) & 1) == ((a.x + a.y) & 1)) canvas.row(y)[x] ^= 0xFFFFFF;
    };
    for (int x = std::max(a.x, area.left); x < std::min(b.x, area.right); ++x) {
        invert(x, a.y);
        if (b.y - 1 > a.y) invert(x, b.y - 1);
    }
    for (int y = std::max(a.y + 1, area.top); y < std::min(b.y - 1, area.bottom); ++y) {
        invert(a.x, y);
        if (b.x - 1 > a.x) invert(b.x - 1, y);
    }
    return TRUE;
}

namespace gdi {

void draw_check_mark(const raster::Canvas &c, int x, int y, uint32_t ink, const raster::Rect &clip)
{
    static const int columnTop[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i)
        raster::fill_rect(c, {x + i, y + columnTop[i], x + i + 1, y + columnTop[i] + 3}, ink, clip);
}

void draw_etched(const std::function<void(int offset, int sysColor)> &draw)
{
    draw(1, COLOR_3DHILIGHT);
    draw(0, COLOR_3DSHADOW);
}

int draw_selection(const raster::Canvas &c, const raster::Rect &r, const raster::Rect &clip)
{
    raster::fill_rect(c, r, pixel_of(system_color(COLOR_HIGHLIGHT)), clip);
    return COLOR_HIGHLIGHTTEXT;
}

}   // namespace gdi
