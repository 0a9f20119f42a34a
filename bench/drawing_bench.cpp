// The drawing the program does most: filling a whole window with its
// background colour, and loading a rune picture from the program's resources
// and shrinking it to 70 x 129, as each repaint of a reading does; and
// composing the desktop the driver shows.
#include "gdi32/dc.h"
#include "user32/compositor.h"

#include <windows.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void FillWindow1024x768(benchmark::State &state)
{
    raster::Surface window(1024, 768);
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
    raster::Surface window(1024, 768);
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

const char *plain_class()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "BenchWindow";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_3DFACE + 1));
    RegisterClassA(&wc);
    return "BenchWindow";
}

// The main window maximised under the rune detail screen (578 x 510 of client
// area) with its five controls; every window's pixels changed, so the whole
// desktop is composed again.
void ComposeDesktopWithDialog(benchmark::State &state)
{
    const char *cls = plain_class();
    HWND main = CreateWindowExA(0, cls, "Quenmire Stonecall", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE | WS_VISIBLE, 0, 0,
                                1024, 768, nullptr, nullptr, nullptr, nullptr);
    HWND dlg = CreateWindowExA(WS_EX_DLGMODALFRAME, cls, "Rune", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 200,
                               100, 584, 535, main, nullptr, nullptr, nullptr);
    std::vector<HWND> windows{main, dlg};
    for (int i = 0; i < 5; ++i)
        windows.push_back(CreateWindowExA(i == 1 ? WS_EX_CLIENTEDGE : 0, cls, "", WS_CHILD | WS_VISIBLE, 10,
                                          10 + 90 * i, 300, 80, dlg, nullptr, nullptr, nullptr));
    user32::desktop_image();
    for (auto _ : state) {
        for (HWND w : windows) user32::surface_changed(w);
        benchmark::DoNotOptimize(user32::desktop_image().pixels);
    }
    DestroyWindow(main);
}
BENCHMARK(ComposeDesktopWithDialog)->Unit(benchmark::kMicrosecond);

}   // namespace
