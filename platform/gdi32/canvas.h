// A 32-bit pixel surface: every window keeps one, every memory bitmap is one.
// Pixels are 0x00RRGGBB (the byte order SDL and PNG writers want); COLORREF
// values (0x00BBGGRR) are converted at the GDI boundary.
#pragma once

#include <cstdint>
#include <vector>

namespace gfx {

struct Canvas {
    uint32_t *pixels = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;   // in pixels, not bytes
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
};

} // namespace gfx
