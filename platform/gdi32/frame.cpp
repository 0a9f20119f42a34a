// Windows' classic 3D look, in the classic scheme's colours.
#include "gdi32/frame.h"

#include "gdi32/brush.h"
#include "gdi32/gdiobj.h"
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

// One ring of an edge: top and left in one colour, bottom and right in another.
gfx::Rect ring(const gfx::Canvas &c, const gfx::Rect &r, int topLeft, int bottomRight, const gfx::Rect &clip)
{
    if (r.empty())
        return r;
    gfx::fill_rect(c, {r.left, r.top, r.right, r.top + 1}, sys(topLeft), clip);
    gfx::fill_rect(c, {r.left, r.top, r.left + 1, r.bottom}, sys(topLeft), clip);
    gfx::fill_rect(c, {r.left, r.bottom - 1, r.right, r.bottom}, sys(bottomRight), clip);
    gfx::fill_rect(c, {r.right - 1, r.top, r.right, r.bottom}, sys(bottomRight), clip);
    return gfx::Rect{r.left + 1, r.top + 1, std::max(r.left + 1, r.right - 1), std::max(r.top + 1, r.bottom - 1)};
}

// The colours of each edge's rings, outside first: top-left, bottom-right.
struct EdgeRings {
    int rings;
    int colors[2][2];
};
constexpr EdgeRings kEdges[] = {
    {2, {{k3DLight, k3DDkShadow}, {k3DHilight, k3DShadow}}},   // Raised
    {2, {{k3DShadow, k3DHilight}, {k3DDkShadow, k3DLight}}},   // Sunken
    {1, {{k3DHilight, k3DShadow}, {0, 0}}},                    // RaisedOuter
    {1, {{k3DShadow, k3DHilight}, {0, 0}}},                    // SunkenOuter
    {1, {{kWindowFrame, kWindowFrame}, {0, 0}}},               // Black
};

// A caption button: a raised square with its glyph drawn by `glyph`.
template <class Glyph>
void caption_button(const gfx::Canvas &c, const gfx::Rect &r, const gfx::Rect &clip, Glyph glyph)
{
    const gfx::Rect inside = draw_edge(c, r, Edge::Raised, clip);
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
    int pen = fill.left + 2;
    const int baseline = fill.top + (fill.height() - face.height()) / 2 + face.metrics().ascent;
    for (unsigned char ch : nc.caption) {
        const font::Glyph &g = face.glyph(ch);
        gfx::blend_mask(c, pen + g.left, baseline - g.top, g.coverage.data(), g.width, g.height, g.width, ink,
                        textClip);
        pen += g.advance;
    }
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
        const gfx::Rect in = draw_edge(c, b, Edge::Raised, clip);
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

gfx::Rect draw_edge(const gfx::Canvas &c, const gfx::Rect &r, Edge edge, const gfx::Rect &clip)
{
    const EdgeRings &e = kEdges[static_cast<int>(edge)];
    gfx::Rect in = r;
    for (int i = 0; i < e.rings; ++i)
        in = ring(c, in, e.colors[i][0], e.colors[i][1], clip);
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
            r = draw_edge(c, r, Edge::SunkenOuter, clip);
        else if (raised)
            r = draw_edge(c, r, Edge::Raised, clip);
        else
            r = draw_edge(c, r, Edge::Black, clip);
        const int rest = frame - (r.left - outer.left);
        for (int i = 0; i < rest; ++i)
            r = ring(c, r, k3DFace, k3DFace, clip);
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
        r = draw_edge(c, r, Edge::Sunken, clip);
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
