// A 32-bit pixel surface: every window keeps one, every memory bitmap is one.
// Pixels are 0x00RRGGBB (the byte order SDL and PNG writers want); COLORREF
// values (0x00BBGGRR) are converted at the GDI boundary.
//
// Every primitive takes a clip rectangle in canvas coordinates, intersects it
// with the canvas first and then loops only over what is left, so no caller
// can make a primitive write outside its pixels.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace raster {

struct Canvas {
    uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;   // in pixels, not bytes

    uint32_t *row(int y) const { return pixels + static_cast<ptrdiff_t>(y) * stride; }
};

// A canvas that owns its pixels.
struct Surface {
    std::vector<uint32_t> storage;
    Canvas canvas;

    Surface() = default;
    Surface(int w, int h, uint32_t fill = 0) { resize(w, h, fill); }
    void resize(int w, int h, uint32_t fill = 0)
    {
        if (w < 0) w = 0;
        if (h < 0) h = 0;
        storage.assign(static_cast<size_t>(w) * static_cast<size_t>(h), fill);
        canvas = Canvas{storage.data(), w, h, w};
    }
    // To a new size keeping the pixels both sizes share, as a resized window
    // keeps what it had drawn; the rest is black until painted.
    void resize_keeping(int w, int h)
    {
        Surface old = std::move(*this);
        resize(w, h);
        for (int y = 0; y < std::min(canvas.height, old.canvas.height); ++y)
            std::copy_n(old.canvas.row(y), std::min(canvas.width, old.canvas.width), canvas.row(y));
    }
};

// Right and bottom edges are exclusive, as in Win32's RECT.
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect &) const = default;
};

Rect intersect(const Rect &a, const Rect &b);
Rect offset(const Rect &r, int dx, int dy);
inline Rect bounds(const Canvas &c) { return Rect{0, 0, c.width, c.height}; }

struct Point {
    int x = 0, y = 0;
};

// Which pixels a self-intersecting polygon covers.
enum class FillRule { EvenOdd, NonZero };

void fill_rect(const Canvas &dst, const Rect &r, uint32_t pixel, const Rect &clip);

// Copies srcRect of src so that its top-left lands on (dx, dy).
void blit(const Canvas &dst, int dx, int dy, const Canvas &src, const Rect &srcRect, const Rect &clip);

// Scales srcRect of src onto dstRect. A negative destination width or height
// mirrors the picture along that axis. Source pixels outside src are skipped.
// Shrinking ANDs the source pixels that fall onto one destination pixel (the
// BLACKONWHITE stretch mode, GDI's default); enlarging replicates them.
void stretch(const Canvas &dst, const Rect &dstRect, bool mirrorX, bool mirrorY, const Canvas &src, const Rect &srcRect,
             const Rect &clip);

// Fills the interior of a closed polygon: a pixel belongs to it when its centre
// is inside under the rule (left and top edges inclusive, right and bottom not).
void fill_polygon(const Canvas &dst, const Point *pts, int count, FillRule rule, uint32_t pixel, const Rect &clip);

// A one-pixel line from a to b, b itself excluded (LineTo's rule).
void draw_line(const Canvas &dst, Point a, Point b, uint32_t pixel, const Rect &clip);

// Blends an 8-bit coverage mask (0 transparent .. 255 opaque) in one colour,
// its top-left at (x, y).
void blend_mask(const Canvas &dst, int x, int y, const uint8_t *mask, int w, int h, int pitch, uint32_t pixel,
                const Rect &clip);

}   // namespace raster
