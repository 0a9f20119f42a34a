// Canvas primitives: each clips its target area against the clip rectangle and
// the canvas first, then loops over the pixels that remain.
#include "gdi32/canvas.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace raster {

Rect intersect(const Rect &a, const Rect &b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.empty()) return Rect{};
    return r;
}

Rect offset(const Rect &r, int dx, int dy) { return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void fill_rect(const Canvas &dst, const Rect &r, uint32_t pixel, const Rect &clip)
{
    const Rect area = intersect(intersect(r, clip), bounds(dst));
    for (int y = area.top; y < area.bottom; ++y) std::fill(dst.row(y) + area.left, dst.row(y) + area.right, pixel);
}

void blit(const Canvas &dst, int dx, int dy, const Canvas &src, const Rect &srcRect, const Rect &clip)
{
    // Clip in source space, then move into destination space and clip again.
    const Rect from = intersect(srcRect, bounds(src));
    const Rect to = intersect(intersect(offset(from, dx - srcRect.left, dy - srcRect.top), clip), bounds(dst));
    const int sx = to.left - (dx - srcRect.left);
    const int sy = to.top - (dy - srcRect.top);
    for (int y = 0; y < to.height(); ++y) std::copy_n(src.row(sy + y) + sx, to.width(), dst.row(to.top + y) + to.left);
}

namespace {

// For each destination index along one axis, the half-open run of source
// indices that lands on it: when shrinking every source index belongs to
// exactly one run, when enlarging each run is the one nearest source index.
struct Span {
    int first, last;   // last exclusive; first == last when wholly outside the source
};

// Only the destination indices [from, to) are mapped: a huge destination
// that is mostly clipped away costs nothing.
std::vector<Span> spans(int dstLength, int from, int to, int srcStart, int srcLength, bool mirror, int srcLimit)
{
    std::vector<Span> out(static_cast<size_t>(to - from));
    for (int d = from; d < to; ++d) {
        const int64_t k = mirror ? int64_t(dstLength) - 1 - d : d;
        const int64_t a = k * srcLength / dstLength;
        int64_t b = (k + 1) * srcLength / dstLength;
        if (b <= a) b = a + 1;
        const int first = static_cast<int>(std::clamp<int64_t>(srcStart + a, 0, srcLimit));
        const int last = static_cast<int>(std::clamp<int64_t>(srcStart + b, 0, srcLimit));
        out[static_cast<size_t>(d - from)] = Span{first, last};
    }
    return out;
}

// ANDs the source rows of each destination row into one row first, then the
// columns of each destination pixel.
// cols and rows map the destination pixels of `to` only.
void stretch_runs(const Canvas &dst, const Rect &to, const Canvas &src, const std::vector<Span> &cols,
                  const std::vector<Span> &rows)
{
    int lo = src.width, hi = 0;
    for (int x = to.left; x < to.right; ++x) {
        const Span cs = cols[static_cast<size_t>(x - to.left)];
        if (cs.first != cs.last) {
            lo = std::min(lo, cs.first);
            hi = std::max(hi, cs.last);
        }
    }
    if (lo >= hi) return;
    std::vector<uint32_t> merged(static_cast<size_t>(src.width));
    for (int y = to.top; y < to.bottom; ++y) {
        const Span rs = rows[static_cast<size_t>(y - to.top)];
        if (rs.first == rs.last) continue;
        std::copy(src.row(rs.first) + lo, src.row(rs.first) + hi, merged.begin() + lo);
        for (int sy = rs.first + 1; sy < rs.last; ++sy) {
            const uint32_t *line = src.row(sy);
            for (int sx = lo; sx < hi; ++sx) merged[static_cast<size_t>(sx)] &= line[sx];
        }
        uint32_t *out = dst.row(y);
        for (int x = to.left; x < to.right; ++x) {
            const Span cs = cols[static_cast<size_t>(x - to.left)];
            if (cs.first == cs.last) continue;
            uint32_t v = merged[static_cast<size_t>(cs.first)];
            for (int sx = cs.first + 1; sx < cs.last; ++sx) v &= merged[static_cast<size_t>(sx)];
            out[x] = v;
        }
    }
}

}   // namespace

void stretch(const Canvas &dst, const Rect &dstRect, bool mirrorX, bool mirrorY, const Canvas &src, const Rect &srcRect,
             const Rect &clip)
{
    const Rect to = intersect(intersect(dstRect, clip), bounds(dst));
    if (to.empty() || srcRect.empty()) return;
    const std::vector<Span> cols = spans(dstRect.width(), to.left - dstRect.left, to.right - dstRect.left, srcRect.left,
                                         srcRect.width(), mirrorX, src.width);
    const std::vector<Span> rows = spans(dstRect.height(), to.top - dstRect.top, to.bottom - dstRect.top, srcRect.top,
                                         srcRect.height(), mirrorY, src.height);
    stretch_runs(dst, to, src, cols, rows);
}

void fill_polygon(const Canvas &dst, const Point *pts, int count, FillRule rule, uint32_t pixel, const Rect &clip)
{
    if (count < 3) return;
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
            if (a.y == b.y) continue;
            const bool down = b.y > a.y;
            const double top = down ? a.y : b.y, bottom = down ? b.y : a.y;
            if (yc < top || yc >= bottom) continue;
            xs.push_back({a.x + (yc - a.y) * (b.x - a.x) / (b.y - a.y), down ? 1 : -1});
        }
        std::sort(xs.begin(), xs.end(), [](const Crossing &p, const Crossing &q) { return p.x < q.x; });
        int winding = 0;
        for (size_t i = 0; i + 1 < xs.size(); ++i) {
            winding += xs[i].dir;
            const bool inside = rule == FillRule::NonZero ? winding != 0 : (i % 2) == 0;
            if (!inside) continue;
            // Pixel centres in [x_i, x_i+1).
            const int from = std::max(static_cast<int>(std::ceil(xs[i].x - 0.5)), area.left);
            const int to = std::min(static_cast<int>(std::ceil(xs[i + 1].x - 0.5)), area.right);
            if (from < to) std::fill(dst.row(y) + from, dst.row(y) + to, pixel);
        }
    }
}

void draw_line(const Canvas &dst, Point a, Point b, uint32_t pixel, const Rect &clip)
{
    // Step along the major axis, the minor coordinate rounded to nearest;
    // only the steps whose major coordinate lies inside the clip are walked.
    const Rect area = intersect(clip, bounds(dst));
    const int64_t dx = int64_t(b.x) - a.x, dy = int64_t(b.y) - a.y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t n = xMajor ? std::abs(dx) : std::abs(dy);   // b itself is not drawn
    if (area.empty() || n == 0) return;
    const int64_t step = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int64_t minorDelta = xMajor ? dy : dx;
    const int64_t start = xMajor ? a.x : a.y, minorStart = xMajor ? a.y : a.x;
    const int64_t lo = xMajor ? area.left : area.top, hi = (xMajor ? area.right : area.bottom) - 1;
    const int64_t first = std::max<int64_t>(0, step > 0 ? lo - start : start - hi);
    const int64_t last = std::min<int64_t>(n - 1, step > 0 ? hi - start : start - lo);
    for (int64_t i = first; i <= last; ++i) {
        // floor((2 i m + n) / 2n): i m / n rounded, halves upward. n is not 0 here.
        const int64_t num = 2 * i * minorDelta + n, den = 2 * n;
        // NOLINTNEXTLINE(clang-analyzer-core.UndefinedBinaryOperatorResult)
        const int64_t minor = minorStart + (num >= 0 ? num / den : -((-num + den - 1) / den));
        const int64_t major = start + step * i;
        const int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
        if (y >= area.top && y < area.bottom && x >= area.left && x < area.right)
            dst.row(static_cast<int>(y))[x] = pixel;
    }
}

void blend_mask(const Canvas &dst, int x, int y, const uint8_t *mask, int w, int h, int pitch, uint32_t pixel,
                const Rect &clip)
{
    const Rect area = intersect(intersect(Rect{x, y, x + w, y + h}, clip), bounds(dst));
    const uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    for (int py = area.top; py < area.bottom; ++py) {
        const uint8_t *m = mask + static_cast<ptrdiff_t>(py - y) * pitch + (area.left - x);
        uint32_t *out = dst.row(py);
        for (int px = area.left; px < area.right; ++px) {
            const uint32_t a = m[px - area.left];
            if (a == 0) continue;
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

}   // namespace raster
