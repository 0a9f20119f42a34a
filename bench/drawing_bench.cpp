// The drawing the program does most: filling a whole window with its
// background colour, and loading a rune picture from the program's resources
// and shrinking it to 70 x 129, as each repaint of a reading does.
#include "gdi32/dc.h"

#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

void FillWindow1024x768(benchmark::State &state)
{
    gfx::Surface window(1024, 768);
    HDC dc = gdi::create_surface_dc([&window] { return window.canvas; });
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
    // Rune picture 1: 220 x 270 pixels, 16 colours.
    HINSTANCE module = GetModuleHandleA(nullptr);
    gfx::Surface window(1024, 768);
    HDC dc = gdi::create_surface_dc([&window] { return window.canvas; });
    for (auto _ : state) {
        HBITMAP pic = LoadBitmapA(module, MAKEINTRESOURCE(1));
        if (!pic) {
            state.SkipWithError("bitmap 1 is missing from the resources");
            break;
        }
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
