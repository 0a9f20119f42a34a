// The program's main window (template 5 of its own resources) made the
// current window, for drawing tests that need no screen loop. Pixels are read
// back from the window's client area, or taken as the screen shows them.
#pragma once

#include "app/screenloop.h"

#include "platform/rc/embedded.h"

#include "gdi32/canvas.h"
#include "rc/module.h"
#include "user32/compositor.h"

#include <windows.h>

// The top-left `w` x `h` pixels of a window's client area as the screen shows them.
inline raster::Surface client_image(HWND hwnd, int w, int h)
{
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    raster::Surface shot(w, h);
    raster::blit(shot.canvas, 0, 0, user32::desktop_image(),
                 raster::Rect{origin.x, origin.y, origin.x + w, origin.y + h}, raster::bounds(shot.canvas));
    return shot;
}

struct CurrentWindow {
    HWND hwnd = nullptr;

    CurrentWindow()
    {
        size_t size;
        const unsigned char *image = stonecall_res(&size);
        hInst2 = rc::register_module(image, size);
        hwnd = CreateDialogParamA(hInst2, MAKEINTRESOURCEA(5), nullptr, DlgProc, 0);
        hWnd_sim_dialog = hWndSimDialog = hwnd;
    }
    ~CurrentWindow()
    {
        DestroyWindow(hwnd);
        hWnd_sim_dialog = hWndSimDialog = nullptr;
    }
    CurrentWindow(const CurrentWindow &) = delete;
    CurrentWindow &operator=(const CurrentWindow &) = delete;

    // How many pixels of the client area are not of this colour.
    int stray(COLORREF c) const
    {
        RECT r;
        GetClientRect(hwnd, &r);
        HDC dc = GetDC(hwnd);
        int n = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x) n += GetPixel(dc, x, y) != c;
        ReleaseDC(hwnd, dc);
        return n;
    }
    raster::Surface image(int w, int h) const { return client_image(hwnd, w, h); }
};
