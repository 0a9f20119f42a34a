// The drawing the program does most: filling a whole window with its
// background colour, and loading a rune picture and shrinking it to 70 x 129.
#include "gdi32/bitmap.h"
#include "gdi32/dc.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// A 220 x 270 picture with 16 colours, as a bitmap resource holds it.
std::vector<BYTE> four_bit_picture()
{
    const int w = 220, h = 270, stride = ((w * 4 + 31) / 32) * 4;
    BITMAPINFOHEADER hdr{};
    hdr.biSize = sizeof hdr;
    hdr.biWidth = w;
    hdr.biHeight = h;
    hdr.biPlanes = 1;
    hdr.biBitCount = 4;
    hdr.biCompression = BI_RGB;
    std::vector<BYTE> dib(sizeof hdr + 16 * sizeof(RGBQUAD) + static_cast<size_t>(stride) * h);
    std::memcpy(dib.data(), &hdr, sizeof hdr);
    for (int i = 0; i < 16; ++i) {
        const RGBQUAD q{static_cast<BYTE>(i * 16), static_cast<BYTE>(255 - i * 16), static_cast<BYTE>(i * 8), 0};
        std::memcpy(dib.data() + sizeof hdr + i * sizeof q, &q, sizeof q);
    }
    BYTE *bits = dib.data() + sizeof hdr + 16 * sizeof(RGBQUAD);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < stride; ++x)
            bits[y * stride + x] = static_cast<BYTE>((x * 7 + y * 3) & 0xFF);
    return dib;
}

void FillWindow1024x768(benchmark::State &state)
{
    gfx::Surface window(1024, 768);
    HDC dc = gdi::create_surface_dc(window.canvas, {0, 0}, gfx::bounds(window.canvas), gfx::bounds(window.canvas));
    const RECT all{0, 0, 1024, 768};
    for (auto _ : state) {
        HBRUSH brush = CreateSolidBrush(RGB(255, 216, 170));
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        benchmark::DoNotOptimize(window.storage.data());
    }
    DeleteDC(dc);
}
BENCHMARK(FillWindow1024x768)->Unit(benchmark::kMicrosecond);

void LoadAndStretchRunePicture(benchmark::State &state)
{
    const std::vector<BYTE> dib = four_bit_picture();
    gfx::Surface window(1024, 768);
    HDC dc = gdi::create_surface_dc(window.canvas, {0, 0}, gfx::bounds(window.canvas), gfx::bounds(window.canvas));
    for (auto _ : state) {
        HBITMAP pic = gdi::bitmap_from_dib(dib.data(), dib.size());
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, pic);
        BITMAP bm{};
        GetObjectA(pic, sizeof bm, &bm);
        StretchBlt(dc, 100, 50, 70, 129, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(pic);
        benchmark::DoNotOptimize(window.storage.data());
    }
    DeleteDC(dc);
}
BENCHMARK(LoadAndStretchRunePicture)->Unit(benchmark::kMicrosecond);

} // namespace
