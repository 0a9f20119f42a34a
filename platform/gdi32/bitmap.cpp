// Bitmaps and the blits that copy them: CreateBitmap, LoadBitmapA's
// conversion of a DIB, BitBlt and StretchBlt.
#include "gdi32/bitmap.h"

#include "gdi32/dc.h"
#include "gdi32/dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gdi {

namespace {

// Bitmaps larger than this are refused rather than allocated.
constexpr int kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;
constexpr uint32_t kWhite = 0xFFFFFF;

HBITMAP add_bitmap(std::unique_ptr<Bitmap> b) { return static_cast<HBITMAP>(add_object(std::move(b))); }

// Scan lines of a DDB are padded to whole 16-bit words.
LONG width_bytes(int width, int bpp) { return static_cast<LONG>(((static_cast<int64_t>(width) * bpp + 15) / 16) * 2); }

}   // namespace

HGDIOBJ Bitmap::select_into(DC &dc, HGDIOBJ self)
{
    // Only memory DCs hold bitmaps, and a bitmap lives in one DC at a time.
    if (!dc.memory || (!stock && selectedInto && selectedInto != dc.self)) return nullptr;
    const HGDIOBJ old = dc.bitmap;
    if (Bitmap *prev = find<Bitmap>(old); prev && prev->selectedInto == dc.self) prev->selectedInto = nullptr;
    dc.bitmap = static_cast<HBITMAP>(self);
    if (!stock) selectedInto = dc.self;
    return old;
}

int Bitmap::describe(int size, void *out) const
{
    if (!out) return sizeof(BITMAP);
    if (size < static_cast<int>(sizeof(BITMAP))) return 0;
    // Not a DIB section, so Windows reports no pointer to the bits.
    const BITMAP bm{0,
                    surface.canvas.width,
                    surface.canvas.height,
                    width_bytes(surface.canvas.width, bitsPixel),
                    1,
                    static_cast<WORD>(bitsPixel),
                    nullptr};
    std::memcpy(out, &bm, sizeof bm);
    return sizeof(BITMAP);
}

HBITMAP default_bitmap()
{
    static HBITMAP one = [] {
        auto b = std::make_unique<Bitmap>(1, 1, 1);
        b->stock = true;
        return add_bitmap(std::move(b));
    }();
    return one;
}

HBITMAP bitmap_from_dib(const void *data, size_t size)
{
    auto b = std::make_unique<Bitmap>(0, 0, 32);
    if (!decode_dib(data, size, b->surface, nullptr)) return nullptr;
    return add_bitmap(std::move(b));
}

}   // namespace gdi

HBITMAP WINAPI CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, CONST VOID *lpBits)
{
    if (nWidth <= 0 || nHeight <= 0 || nWidth > gdi::kMaxSide || nHeight > gdi::kMaxSide ||
        int64_t(nWidth) * nHeight > gdi::kMaxPixels || nPlanes != 1 || (nBitCount != 1 && nBitCount != 32))
        return nullptr;
    auto b = std::make_unique<gdi::Bitmap>(nWidth, nHeight, static_cast<int>(nBitCount));
    if (lpBits) {
        const auto *bits = static_cast<const uint8_t *>(lpBits);
        const LONG stride = gdi::width_bytes(nWidth, static_cast<int>(nBitCount));
        for (int y = 0; y < nHeight; ++y) {
            const uint8_t *row = bits + static_cast<ptrdiff_t>(y) * stride;
            uint32_t *out = b->surface.canvas.row(y);
            for (int x = 0; x < nWidth; ++x) {
                // Monochrome: a set bit is white. 32 bits: blue, green, red, unused.
                out[x] = nBitCount == 1 ? (((row[x >> 3] >> (7 - (x & 7))) & 1) ? gdi::kWhite : 0)
                                        : uint32_t(row[4 * x + 2]) << 16 | uint32_t(row[4 * x + 1]) << 8 | row[4 * x];
            }
        }
    }
    return gdi::add_bitmap(std::move(b));
}

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName)
{
    // The resource is a packed DIB: the BMP file without its file header.
    HRSRC res = FindResourceA(hInstance, lpBitmapName, RT_BITMAP);
    if (!res) return nullptr;
    const void *data = LockResource(LoadResource(hInstance, res));
    if (!data) return nullptr;
    return gdi::bitmap_from_dib(data, SizeofResource(hInstance, res));
}

BOOL WINAPI BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop)
{
    return StretchBlt(hdc, x, y, cx, cy, hdcSrc, x1, y1, cx, cy, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc, int xSrc, int ySrc,
                       int wSrc, int hSrc, DWORD rop)
{
    const gdi::DC *dst = gdi::find<gdi::DC>(hdcDest);
    const gdi::DC *src = gdi::find<gdi::DC>(hdcSrc);
    if (!dst || !src || rop != SRCCOPY) return FALSE;
    if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;   // an empty rectangle: nothing to copy
    using gdi::DC;
    for (int *v : {&xDest, &yDest, &wDest, &hDest, &xSrc, &ySrc, &wSrc, &hSrc}) *v = DC::pin(*v);

    // Extents of opposite signs mirror the picture along that axis.
    const bool mirrorX = (wDest < 0) != (wSrc < 0);
    const bool mirrorY = (hDest < 0) != (hSrc < 0);
    const auto normal = [](int pos, int len) { return len < 0 ? std::pair{pos + len, -len} : std::pair{pos, len}; };
    const auto [dx, dw] = normal(xDest, wDest);
    const auto [dy, dh] = normal(yDest, hDest);
    const auto [sx, sw] = normal(xSrc, wSrc);
    const auto [sy, sh] = normal(ySrc, hSrc);

    const raster::Point d = dst->to_canvas(dx, dy);
    const raster::Rect to{d.x, d.y, d.x + dw, d.y + dh};
    const raster::Canvas from = src->canvas();
    const raster::Point s = src->to_canvas(sx, sy);
    const raster::Rect part{s.x, s.y, s.x + sw, s.y + sh};

    if (dw == sw && dh == sh && !mirrorX && !mirrorY)
        raster::blit(dst->canvas(), to.left, to.top, from, part, dst->clip());
    else raster::stretch(dst->canvas(), to, mirrorX, mirrorY, from, part, dst->clip());
    return TRUE;
}
