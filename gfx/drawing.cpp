// Immediate drawing into the current window. Each call takes its own device
// context and gives it back, and loads and frees any bitmap it draws.
#include "gfx/drawing.h"

#include "app/screenloop.h"

#include <string.h>

BITMAP DrawBitmap(HBITMAP hBitmap, int top, int left, int width, int height)
{
    BITMAP bm;
    HDC hdc;
    HDC hdcMem;
    HGDIOBJ old;

    memset(&bm, 0, sizeof(bm));
    if (!GetObjectA(hBitmap, sizeof(bm), &bm))
        return bm;
    hdc = GetDC(hWnd_sim_dialog);
    if (!hdc)
        return bm;
    hdcMem = CreateCompatibleDC(hdc);
    old = SelectObject(hdcMem, hBitmap);
    if (width == 0) {
        width = bm.bmWidth;
        height = bm.bmHeight;
    }
    // The stretch mode stays the context's default: shrunk pictures keep their dark lines.
    StretchBlt(hdc, left, top, width, height, hdcMem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    SelectObject(hdcMem, old);
    DeleteDC(hdcMem);
    ReleaseDC(hWnd_sim_dialog, hdc);
    return bm;
}

BITMAP DrawBitmapFromID(int resource_id, int top, int left, int width, int height)
{
    HBITMAP hBitmap = LoadBitmapA(hInst2, MAKEINTRESOURCEA((WORD)resource_id));
    BITMAP bm = DrawBitmap(hBitmap, top, left, width, height);
    if (hBitmap)
        DeleteObject(hBitmap);
    return bm;
}

BITMAP DrawBitmapRECTFromID(int resource_id, RECT rect)
{
    return DrawBitmapFromID(resource_id, rect.top, rect.left, rect.right - rect.left, rect.bottom - rect.top);
}

BITMAP DrawBitmapRECT(HBITMAP hBitmap, RECT rect)
{
    return DrawBitmap(hBitmap, rect.top, rect.left, rect.right - rect.left, rect.bottom - rect.top);
}

// The whole client area, whatever the window's size: a maximised window on a
// screen wider or taller than 1000 pixels is covered to its edges too.
RECT GetWindowShape(void)
{
    RECT shape;

    // Without a current window there is nothing to fill.
    SetRectEmpty(&shape);
    GetClientRect(hWnd_sim_dialog, &shape);
    return shape;
}

void BackgroundColour(DWORD colour)
{
    RECT shape;
    HBRUSH hBrush;
    HDC hdc;

    if (colour == (DWORD)-1)
        colour = DEFAULT_BACKGROUND_COLOUR;
    shape = GetWindowShape();
    hdc = GetDC(hWnd_sim_dialog);
    if (!hdc)
        return;
    hBrush = CreateSolidBrush((COLORREF)colour);
    FillRect(hdc, &shape, hBrush);
    DeleteObject(hBrush);
    ReleaseDC(hWnd_sim_dialog, hdc);
}
