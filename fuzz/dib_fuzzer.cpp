// The bitmap decoder behind LoadBitmapA on arbitrary bytes (a DIB resource):
// a refusal says why; a picture has the header's size and, pixel by pixel,
// the colours a plain reading of the rows gives (black past a short table).
#include "support.h"

#include "gdi32/dib.h"

#include <cstdlib>
#include <string>

using namespace fuzzsupport;

namespace {

uint32_t le(const uint8_t *p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | p[i];
    return value;
}

uint32_t rgb(const uint8_t *bgr) { return uint32_t(bgr[2]) << 16 | uint32_t(bgr[1]) << 8 | bgr[0]; }

// The colour of pixel (x, y), y counted from the top, read the plain way:
// the row's bits from the most significant on, the index into the table.
uint32_t pixel_at(const uint8_t *data, int x, int y)
{
    const uint32_t headerSize = le(data, 4);
    const int32_t width = static_cast<int32_t>(le(data + 4, 4));
    const int32_t rawHeight = static_cast<int32_t>(le(data + 8, 4));
    const int bpp = static_cast<int>(le(data + 14, 2));
    const uint32_t clrUsed = le(data + 32, 4);
    const int64_t height = std::llabs(rawHeight);
    const int64_t entries = clrUsed ? clrUsed : (bpp <= 8 ? 1 << bpp : 0);
    const int64_t rowBytes = (int64_t(width) * bpp + 31) / 32 * 4;
    const int64_t fileRow = rawHeight < 0 ? y : height - 1 - y;
    const uint8_t *table = data + headerSize;
    const uint8_t *row = table + entries * 4 + fileRow * rowBytes;
    if (bpp >= 24) return rgb(row + int64_t(x) * (bpp / 8));
    const int64_t bit = int64_t(x) * bpp;
    const int index = (row[bit / 8] >> (8 - bpp - bit % 8)) & ((1 << bpp) - 1);
    return index < entries ? rgb(table + index * 4) : 0;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    raster::Surface picture;
    std::string error;
    if (!gdi::decode_dib(data, size, picture, &error)) {
        check(!error.empty(), "a bitmap was refused without a reason");
        return 0;
    }
    const raster::Canvas &canvas = picture.canvas;
    check(canvas.width == static_cast<int32_t>(le(data + 4, 4)) &&
              canvas.height == std::abs(static_cast<int32_t>(le(data + 8, 4))),
          "the picture is not the size its header gives");
    for (int y = 0; y < canvas.height; ++y)
        for (int x = 0; x < canvas.width; ++x)
            check(canvas.row(y)[x] == pixel_at(data, x, y), "a pixel is not the colour its row gives");
    return 0;
}
