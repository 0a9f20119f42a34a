// The DIB decoder behind LoadBitmapA. Supported: BI_RGB at 1, 4, 8 (with a
// colour table) and 24 or 32 bits per pixel; anything else is refused.
#include "gdi32/dib.h"

#include <windows.h>

#include <cstdint>

namespace gdi {

namespace {

// Pictures larger than this are refused rather than allocated.
constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = 64LL * 1024 * 1024;

uint32_t read32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t read16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }

bool fail(std::string *error, const char *why)
{
    if (error) *error = why;
    return false;
}

// The header lengths Windows writes: BITMAPINFOHEADER, BITMAPV4HEADER, BITMAPV5HEADER.
bool known_header_size(uint32_t n) { return n == 40 || n == 108 || n == 124; }

}   // namespace

bool decode_dib(const void *data, size_t size, raster::Surface &out, std::string *error)
{
    const auto *bytes = static_cast<const uint8_t *>(data);
    if (!bytes || size < 40) return fail(error, "shorter than a BITMAPINFOHEADER");
    const uint32_t headerSize = read32(bytes);
    if (!known_header_size(headerSize)) return fail(error, "unknown header size");
    if (headerSize > size) return fail(error, "header runs past the end");

    const int64_t width = static_cast<int32_t>(read32(bytes + 4));
    const int64_t rawHeight = static_cast<int32_t>(read32(bytes + 8));
    const uint16_t planes = read16(bytes + 12);
    const uint16_t bpp = read16(bytes + 14);
    const uint32_t compression = read32(bytes + 16);
    const uint32_t clrUsed = read32(bytes + 32);

    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -rawHeight : rawHeight;
    if (planes != 1) return fail(error, "planes is not 1");
    if (compression != BI_RGB) return fail(error, "compressed bitmaps are not supported");
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return fail(error, "unsupported bit depth");
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        return fail(error, "bad dimensions");

    // The colour table: biClrUsed entries, 0 meaning all 2^bpp; deeper formats
    // may carry an optional table that the pixels do not use.
    const int64_t tableEntries = clrUsed ? clrUsed : (bpp <= 8 ? int64_t(1) << bpp : 0);
    if (bpp <= 8 && tableEntries > (int64_t(1) << bpp))
        return fail(error, "colour table larger than the bit depth allows");
    if (tableEntries > 256) return fail(error, "colour table too long");
    const int64_t tableBytes = tableEntries * 4;
    const int64_t rowBytes = ((width * bpp + 31) / 32) * 4;
    const int64_t needed = int64_t(headerSize) + tableBytes + rowBytes * height;
    if (needed > int64_t(size)) return fail(error, "pixel data runs past the end");

    uint32_t palette[256] = {};
    const uint8_t *table = bytes + headerSize;
    for (int64_t i = 0; i < tableEntries && bpp <= 8; ++i) {
        const uint8_t *q = table + i * 4;   // RGBQUAD: blue, green, red, reserved
        palette[i] = uint32_t(q[2]) << 16 | uint32_t(q[1]) << 8 | q[0];
    }
    // Indices past a short table read as black rather than past the table.

    const uint8_t *bits = table + tableBytes;
    out.resize(static_cast<int>(width), static_cast<int>(height));
    const int w = static_cast<int>(width);
    for (int y = 0; y < static_cast<int>(height); ++y) {
        const int srcRow = topDown ? y : static_cast<int>(height) - 1 - y;
        const uint8_t *src = bits + srcRow * rowBytes;
        uint32_t *dst = out.canvas.row(y);
        switch (bpp) {
        case 1:
            for (int x = 0; x < w; ++x) dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
            break;
        case 4:
            for (int x = 0; x + 1 < w; x += 2, ++src) {
                dst[x] = palette[*src >> 4];
                dst[x + 1] = palette[*src & 0xF];
            }
            if (w & 1) dst[w - 1] = palette[*src >> 4];
            break;
        case 8:
            for (int x = 0; x < w; ++x) dst[x] = palette[src[x]];
            break;
        case 24:
            for (int x = 0; x < w; ++x, src += 3) dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
            break;
        default:   // 32: blue, green, red, unused
            for (int x = 0; x < w; ++x, src += 4) dst[x] = uint32_t(src[2]) << 16 | uint32_t(src[1]) << 8 | src[0];
            break;
        }
    }
    return true;
}

}   // namespace gdi
