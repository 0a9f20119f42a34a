// Windows' classic 3D look, in the classic scheme's colours.
#include "gdi32/frame.h"

#include "gdi32/brush.h"
#include "gdi32/dc.h"
#include "gdi32/gdiobj.h"
#include "gdi32/text.h"
#include "font/font.h"

#include <algorithm>

namespace gdi {

namespace {

constexpr int kActiveCaption = COLOR_ACTIVECAPTION, kInactiveCaption = COLOR_INACTIVECAPTION, kMenu = COLOR_MENU,
              kWindowFrame = COLOR_WINDOWFRAME, kCaptionText = COLOR_CAPTIONTEXT,
              kInactiveCaptionText = COLOR_INACTIVECAPTIONTEXT, k3DFace = COLOR_3DFACE, k3DShadow = COLOR_3DSHADOW,
              k3DHilight = COLOR_3DHILIGHT, k3DDkShadow = COLOR_3DDKSHADOW, k3DLight = COLOR_3DLIGHT,
              kBtnText = COLOR_BTNTEXT;

uint32_t sys(int index)
{
    return pixel_of(system_color(index));
}

// One ring of an edge on the chosen sides: top and left in one colour,
// bottom and right in another. Answers what lies inside it.
gfx::Rect ring(const gfx::Canvas &c, const gfx::Rect &r, int topLeft, int bottomRight, UINT sides,
               const gfx::Rect &clip)
{
    if (r.empty())
        return r;
    if (sides & BF_TOP)
        gfx::fill_rect(c, {r.left, r.top, r.right, r.top + 1}, sys(topLeft), clip);
    if (sides & BF_LEFT)
        gfx::fill_rect(c, {r.left, r.top, r.left + 1, r.bottom}, sys(topLeft), clip);
    if (sides & BF_BOTTOM)
        gfx::fill_rect(c, {r.left, r.bottom - 1, r.right, r.bottom}, sys(bottomRight), clip);
    if (sides & BF_RIGHT)
        gfx::fill_rect(c, {r.right - 1, r.top, r.right, r.bottom}, sys(bottomRight), clip);
    gfx::Rect in = r;
    in.left += (sides & BF_LEFT) ? 1 : 0;
    in.top += (sides & BF_TOP) ? 1 : 0;
    in.right -= (sides & BF_RIGHT) ? 1 : 0;
    in.bottom -= (sides & BF_BOTTOM) ? 1 : 0;
    in.right = std::max(in.left, in.right);
    in.bottom = std::max(in.top, in.bottom);
    return in;
}

gfx::Rect ring(const gfx::Canvas &c, const gfx::Rect &r, int color, const gfx::Rect &clip)
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
void caption_button(const gfx::Canvas &c, const gfx::Rect &r, const gfx::Rect &clip, Glyph glyph)
{
    const gfx::Rect inside = draw_edge(c, r, EDGE_RAISED, BF_RECT, clip);
    gfx::fill_rect(c, inside, sys(k3DFace), clip);
    glyph(inside);
}

void caption_buttons(const gfx::Canvas &c, const NonClient &nc, const gfx::Rect &bar, const gfx::Rect &clip)
{
    if (!(nc.style & WS_SYSMENU))
        return;
    const int h = nc.captionHeight - 5, w = h + 2;
    const uint32_t ink = sys(kBtnText);
    gfx::Rect close{bar.right - 2 - w, bar.top + 2, bar.right - 2, bar.top + 2 + h};
    caption_button(c, close, clip, [&](const gfx::Rect &in) {
        // An X two pixels thick.
        const int l = in.left + 3, t = in.top + 2, s = std::min(in.width(), in.height()) - 5;
        for (int d = 0; d < 2; ++d) {
            gfx::draw_line(c, {l + d, t}, {l + d + s + 1, t + s + 1}, ink, clip);
            gfx::draw_line(c, {l + d + s, t}, {l + d - 1, t + s + 1}, ink, clip);
        }
    });
    if (!(nc.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) || (nc.style & WS_CHILD))
        return;
    gfx::Rect max = gfx::offset(close, -(w + 2), 0);
    caption_button(c, max, clip, [&](const gfx::Rect &in) {
        const gfx::Rect box{in.left + 2, in.top + 1, in.right - 3, in.bottom - 2};
        gfx::fill_rect(c, {box.left, box.top, box.right, box.top + 2}, ink, clip);
        gfx::fill_rect(c, {box.left, box.top, box.left + 1, box.bottom}, ink, clip);
        gfx::fill_rect(c, {box.right - 1, box.top, box.right, box.bottom}, ink, clip);
        gfx::fill_rect(c, {box.left, box.bottom - 1, box.right, box.bottom}, ink, clip);
    });
    gfx::Rect min = gfx::offset(max, -w, 0);
    caption_button(c, min, clip, [&](const gfx::Rect &in) {
        gfx::fill_rect(c, {in.left + 3, in.bottom - 4, in.left + 9, in.bottom - 2}, ink, clip);
    });
}

void caption_bar(const gfx::Canvas &c, const NonClient &nc, const gfx::Rect &bar, const gfx::Rect &clip)
{
    // The bar is one pixel shorter than the caption: a line of face colour
    // separates it from what lies below.
    const gfx::Rect fill{bar.left, bar.top, bar.right, bar.bottom - 1};
    gfx::fill_rect(c, fill, sys(nc.active ? kActiveCaption : kInactiveCaption), clip);
    gfx::fill_rect(c, {bar.left, bar.bottom - 1, bar.right, bar.bottom}, sys(k3DFace), clip);

    font::Face &face = font::face_for("MS Sans Serif", -11, FW_BOLD);
    const uint32_t ink = sys(nc.active ? kCaptionText : kInactiveCaptionText);
    gfx::Rect textClip = gfx::intersect(clip, fill);
    textClip.right = std::max(textClip.left, textClip.right - (nc.style & WS_SYSMENU ? nc.captionHeight : 0));
    const int baseline = fill.top + (fill.height() - face.height()) / 2 + face.metrics().ascent;
    draw_glyphs(c, face, fill.left + 2, baseline, nc.caption.data(), static_cast<int>(nc.caption.size()), ink,
                textClip);
    caption_buttons(c, nc, fill, clip);
}

void scroll_area(const gfx::Canvas &c, const gfx::Rect &r, bool vertical, int size, const gfx::Rect &clip)
{
    // The track in the classic dither of face and highlight, a button at each end.
    const gfx::Rect area = gfx::intersect(gfx::intersect(r, clip), gfx::bounds(c));
    const uint32_t dither[2] = {sys(k3DFace), sys(k3DHilight)};
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            c.row(y)[x] = dither[(x + y) & 1];
    const gfx::Rect first = vertical ? gfx::Rect{r.left, r.top, r.right, r.top + size}
                                     : gfx::Rect{r.left, r.top, r.left + size, r.bottom};
    const gfx::Rect last = vertical ? gfx::Rect{r.left, r.bottom - size, r.right, r.bottom}
                                    : gfx::Rect{r.right - size, r.top, r.right, r.bottom};
    for (const gfx::Rect &b : {first, last}) {
        const gfx::Rect in = draw_edge(c, b, EDGE_RAISED, BF_RECT, clip);
        gfx::fill_rect(c, in, sys(k3DFace), clip);
    }
    // Arrow heads: rows of a small triangle pointing away from the track.
    const uint32_t ink = sys(kBtnText);
    for (int i = 0; i < 4; ++i) {
        if (vertical) {
            const int cx = r.left + r.width() / 2;
            gfx::fill_rect(c, {cx - i, first.top + 6 + i, cx + i + 1, first.top + 7 + i}, ink, clip);
            gfx::fill_rect(c, {cx - i, last.bottom - 7 - i, cx + i + 1, last.bottom - 6 - i}, ink, clip);
        } else {
            const int cy = r.top + r.height() / 2;
            gfx::fill_rect(c, {first.left + 6 + i, cy - i, first.left + 7 + i, cy + i + 1}, ink, clip);
            gfx::fill_rect(c, {last.right - 7 - i, cy - i, last.right - 6 - i, cy + i + 1}, ink, clip);
        }
    }
}

} // namespace

gfx::Rect draw_edge(const gfx::Canvas &c, const gfx::Rect &r, UINT edge, UINT sides, const gfx::Rect &clip)
{
    gfx::Rect in = r;
    for (const auto &layer : kHalves)
        for (const Half &h : layer)
            if (edge & h.bit) {
                in = ring(c, in, h.topLeft, h.bottomRight, sides, clip);
                break;
            }
    return in;
}

gfx::Rect draw_nonclient(const gfx::Canvas &c, const NonClient &nc, const gfx::Rect &clip)
{
    const bool clientEdge = (nc.exStyle & WS_EX_CLIENTEDGE) != 0;
    const int frame = nc.insets.left - (clientEdge ? nc.edge : 0);
    gfx::Rect r = nc.window;

    // The frame: a static edge alone is one sunken line; a dialog or sizing
    // frame is a raised edge widened with face colour; a plain border is black.
    const bool staticOnly = (nc.exStyle & (WS_EX_STATICEDGE | WS_EX_DLGMODALFRAME)) == WS_EX_STATICEDGE;
    const bool raised = !staticOnly && ((nc.exStyle & WS_EX_DLGMODALFRAME) || (nc.style & (WS_THICKFRAME | WS_DLGFRAME)));
    if (frame > 0) {
        const gfx::Rect outer = r;
        if (staticOnly)
            r = draw_edge(c, r, BDR_SUNKENOUTER, BF_RECT, clip);
        else if (raised)
            r = draw_edge(c, r, EDGE_RAISED, BF_RECT, clip);
        else
            r = ring(c, r, kWindowFrame, clip);
        const int rest = frame - (r.left - outer.left);
        for (int i = 0; i < rest; ++i)
            r = ring(c, r, k3DFace, clip);
    }
    if ((nc.style & WS_CAPTION) == WS_CAPTION) {
        caption_bar(c, nc, {r.left, r.top, r.right, r.top + nc.captionHeight}, clip);
        r.top += nc.captionHeight;
    }
    gfx::Rect menuBar;
    if (nc.hasMenu) {
        menuBar = gfx::Rect{r.left, r.top, r.right, r.top + nc.menuHeight};
        gfx::fill_rect(c, menuBar, sys(kMenu), clip);
        r.top += nc.menuHeight;
    }
    if (clientEdge)
        r = draw_edge(c, r, EDGE_SUNKEN, BF_RECT, clip);
    const bool v = (nc.style & WS_VSCROLL) != 0, h = (nc.style & WS_HSCROLL) != 0;
    if (v)
        scroll_area(c, {r.right - nc.scrollSize, r.top, r.right, r.bottom - (h ? nc.scrollSize : 0)}, true,
                    nc.scrollSize, clip);
    if (h)
        scroll_area(c, {r.left, r.bottom - nc.scrollSize, r.right - (v ? nc.scrollSize : 0), r.bottom}, false,
                    nc.scrollSize, clip);
    if (v && h)
        gfx::fill_rect(c, {r.right - nc.scrollSize, r.bottom - nc.scrollSize, r.right, r.bottom}, sys(k3DFace), clip);
    return menuBar;
}

} // namespace gdi

BOOL WINAPI DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || !qrc)
        return FALSE;
    const gfx::Point a = dc->to_canvas(qrc->left, qrc->top), b = dc->to_canvas(qrc->right, qrc->bottom);
    const gfx::Canvas canvas = dc->canvas();
    const gfx::Rect in = gdi::draw_edge(canvas, {a.x, a.y, b.x, b.y}, edge, grfFlags, dc->clip());
    if (grfFlags & BF_MIDDLE)
        gfx::fill_rect(canvas, in, gdi::sys(COLOR_3DFACE), dc->clip());
    if (grfFlags & BF_ADJUST)
        *qrc = RECT{qrc->left + (in.left - a.x), qrc->top + (in.top - a.y), qrc->right - (b.x - in.right),
                    qrc->bottom - (b.y - in.bottom)};
    return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hDC, CONST RECT *lprc)
{
    // Every other pixel of the outline inverted, so a second call takes it away.
    const gdi::DC *dc = gdi::find<gdi::DC>(hDC);
    if (!dc || !lprc)
        return FALSE;
    const gfx::Point a = dc->to_canvas(lprc->left, lprc->top), b = dc->to_canvas(lprc->right, lprc->bottom);
    const gfx::Canvas canvas = dc->canvas();
    const gfx::Rect area = gfx::intersect(dc->clip(), gfx::Rect{a.x, a.y, b.x, b.y});
    const auto invert = [&](int x, int y) {
        if (area.contains(x, y) && ((x + y) & 1) == ((a.x + a.y) & 1))
            canvas.row(y)[x] ^= 0xFFFFFF;
    };
    for (int x = std::max(a.x, area.left); x < std::min(b.x, area.right); ++x) {
        invert(x, a.y);
        if (b.y - 1 > a.y)
            invert(x, b.y - 1);
    }
    for (int y = std::max(a.y + 1, area.top); y < std::min(b.y - 1, area.bottom); ++y) {
        invert(a.x, y);
        if (b.x - 1 > a.x)
            invert(b.x - 1, y);
    }
    return TRUE;
}
