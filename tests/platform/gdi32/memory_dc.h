// A memory DC with a 32-bit bitmap of its own, for drawing tests.
#pragma once

#include <windows.h>

struct MemoryDC {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;

    MemoryDC(int w, int h, COLORREF fill)
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(w, h, 1, 32, nullptr);
        old = SelectObject(dc, bitmap);
        HBRUSH b = CreateSolidBrush(fill);
        RECT all{0, 0, w, h};
        FillRect(dc, &all, b);
        DeleteObject(b);
    }
    ~MemoryDC()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    MemoryDC(const MemoryDC &) = delete;
    MemoryDC &operator=(const MemoryDC &) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
};
