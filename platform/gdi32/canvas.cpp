// Canvas primitives: each clips its target area against the clip rectangle and
// the canvas first, then loops over the pixels that remain.
#include "gdi32/canvas.h"

#include <algorithm>
#include <cmath>

namespace gfx {

Rect intersect(const Rect &a, const Rect &b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.empty())
        return Rect{};
    return r;
}

Rect offset(const Rect &r, int dx, int dy)
{
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Canvas view(const Canvas &c, const Rect &r)
{
    const Rect v = intersect(r, bounds(c));
    if (v.empty())
        return Canvas{};
    return Canvas{c.row(v.top) + v.left, v.width(), v.height(), c.stride};
}

void fill_rect(const Canvas &dst, const Rect &r, uint32_t pixel, const Rect &clip)
{
    const Rect area = intersect(intersect(r, clip), bounds(dst));
    for (int y = area.top; y < area.bottom; ++y)
        std::fill(dst.row(y) + area.left, dst.row(y) + area.right, pixel);
}

void blit(const Canvas &dst, int dx, int dy, const Canvas &src, const Rect &srcRect, const Rect &clip)
{
    // Clip in source space, then move into destination space and clip again.
    const Rect from = intersect(srcRect, bounds(src));
    const Rect to = intersect(intersect(offset(from, dx - srcRect.left, dy - srcRect.top), clip), bounds(dst));
    const int sx = to.left - (dx - srcRect.left);
    const int sy = to.top - (dy - srcRect.top);
    for (int y = 0; y < to.height(); ++y)
        std::copy_n(src.row(sy + y) + sx, to.width(), dst.row(to.top + y) + to.left);
}

namespace {

// For each destination index along one axis, the half-open run of source
// indices that lands on it: when shrinking every source index belongs to
// exactly one run, when enlarging each run is the one nearest source index.
struct Span {
    int first, last;   // last exclusive; first == last when wholly outside the source
};

std::vector<Span> spans(int dstLength, int srcStart, int srcLength, bool mirror, int srcLimit)
{
    std::vector<Span> out(static_cast<size_t>(dstLength));
    for (int d = 0; d < dstLength; ++d) {
        const int k = mirror ? dstLength - 1 - d : d;
        const int64_t a = static_cast<int64_t>(k) * srcLength / dstLength;
        int64_t b = static_cast<int64_t>(k + 1) * srcLength / dstLength;
        if (b <= a)
            b = a + 1;
        const int first = static_cast<int>(std::clamp<int64_t>(srcStart + a, 0, srcLimit));
        const int last = static_cast<int>(std::clamp<int64_t>(srcStart + b, 0, srcLimit));
        out[static_cast<size_t>(d)] = Span{first, last};
    }
    return out;
}

uint32_t merge_run(const uint32_t *p, int n, StretchMerge merge)
{
    uint32_t v = p[0];
    if (merge == StretchMerge::And)
        for (int i = 1; i < n; ++i)
            v &= p[i];
    else if (merge == StretchMerge::Or)
        for (int i = 1; i < n; ++i)
            v |= p[i];
    return v;
}

} // namespace

void stretch(const Canvas &dst, const Rect &dstRect, bool mirrorX, bool mirrorY, const Canvas &src,
             const Rect &srcRect, StretchMerge merge, const Rect &clip)
{
    const Rect to = intersect(intersect(dstRect, clip), bounds(dst));
    if (to.empty() || srcRect.empty())
        return;
    const std::vector<Span> cols = spans(dstRect.width(), srcRect.left, srcRect.width(), mirrorX, src.width);
    const std::vector<Span> rows = spans(dstRect.height(), srcRect.top, srcRect.height(), mirrorY, src.height);

    // One pass over the merged columns of each source row, then the rows of a
    // run are merged the same way; the accumulator keeps a row of results.
    std::vector<uint32_t> acc(static_cast<size_t>(to.width()));
    for (int y = to.top; y < to.bottom; ++y) {
        const Span rs = rows[static_cast<size_t>(y - dstRect.top)];
        if (rs.first == rs.last)
            continue;
        const int lastRow = merge == StretchMerge::Delete ? rs.first + 1 : rs.last;
        for (int sy = rs.first; sy < lastRow; ++sy) {
            const uint32_t *line = src.row(sy);
            for (int x = to.left; x < to.right; ++x) {
                const Span cs = cols[static_cast<size_t>(x - dstRect.left)];
                if (cs.first == cs.last)
                    continue;
                const uint32_t v = merge_run(line + cs.first, cs.last - cs.first, merge);
                uint32_t &a = acc[static_cast<size_t>(x - to.left)];
                if (sy == rs.first)
                    a = v;
                else if (merge == StretchMerge::And)
                    a &= v;
                else
                    a |= v;
            }
        }
        uint32_t *out = dst.row(y);
        for (int x = to.left; x < to.right; ++x) {
            const Span cs = cols[static_cast<size_t>(x - dstRect.left)];
            if (cs.first != cs.last)
                out[x] = acc[static_cast<size_t>(x - to.left)];
        }
    }
}

void fill_polygon(const Canvas &dst, const Point *pts, int count, FillRule rule, uint32_t pixel,
                  const Rect &clip)
{
    if (count < 3)
        return;
    int minY = pts[0].y, maxY = pts[0].y;
    for (int i = 1; i < count; ++i) {
        minY = std::min(minY, pts[i].y);
        maxY = std::max(maxY, pts[i].y);
    }
    const Rect area = intersect(clip, bounds(dst));
    const int y0 = std::max(minY, area.top);
    const int y1 = std::min(maxY, area.bottom);

    struct Crossing {
        double x;
        int dir;
    };
    std::vector<Crossing> xs;
    for (int y = y0; y < y1; ++y) {
        const double yc = y + 0.5;
        xs.clear();
        for (int i = 0; i < count; ++i) {
            const Point a = pts[i];
            const Point b = pts[(i + 1) % count];
            if (a.y == b.y)
                continue;
            const bool down = b.y > a.y;
            const double top = down ? a.y : b.y, bottom = down ? b.y : a.y;
            if (yc < top || yc >= bottom)
                continue;
            xs.push_back({a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y), down ? 1 : -1});
        }
        std::sort(xs.begin(), xs.end(), [](const Crossing &p, const Crossing &q) { return p.x < q.x; });
        int winding = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += xs[i].dir;
            const bool inside = rule == FillRule::NonZero ? winding != 0 : (i % 2) == 0;
            if (!inside)
                continue;
            // Pixel centres in [x_i, x_i+1).
            const int from = std::max(static_cast<int>(std::ceil(xs[i].x - 0.5)), area.left);
            const int to = std::min(static_cast<int>(std::ceil(xs[i + 1].x - 0.5)), area.right);
            if (from < to)
                std::fill(dst.row(y) + from, dst.row(y) + to, pixel);
        }
    }
}

void draw_line(const Canvas &dst, Point a, Point b, uint32_t pixel, const Rect &clip)
{
    const Rect area = intersect(clip, bounds(dst));
    const int dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
    const int sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    while (a.x != b.x || a.y != b.y) {
        if (area.contains(a.x, a.y))
            dst.row(a.y)[a.x] = pixel;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

void blend_mask(const Canvas &dst, int x, int y, const uint8_t *mask, int w, int h, int pitch,
                uint32_t pixel, const Rect &clip)
{
    const Rect area = intersect(intersect(Rect{x, y, x + w, y + h}, clip), bounds(dst));
    const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    for (int py = area.top; py < area.bottom; ++py) {
        const uint8_t *m = mask + static_cast<ptrdiff_t>(py - y) * pitch + (area.left - x);
        uint32_t *out = dst.row(py);
        for (int px = area.left; px < area.right; ++px) {
            const uint32_t a = m[px - area.left];
            if (a == 0)
                continue;
            if (a == 255) {
                out[px] = pixel;
                continue;
            }
            const uint32_t old = out[px];
            const auto mix = [a](uint32_t fg, uint32_t bg) { return (fg * a + bg * (255 - a) + 127) / 255; };
            out[px] = mix(r, (old >> 16) & 0xFF) << 16 | mix(g, (old >> 8) & 0xFF) << 8 | mix(b, old & 0xFF);
        }
    }
}

} // namespace gfx
