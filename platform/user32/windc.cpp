// Device contexts on windows: GetDC and ReleaseDC, BeginPaint's and EndPaint's
// DC, the default erase and the default control colours. A window DC draws
// into the window's own surface (its client area); each is made afresh, so a
// DC's state never outlives its release.
#include "user32/compositor.h"
#include "user32/internal.h"

#include "gdi32/dc.h"

#include <map>
#include <string>
#include <utility>

namespace user32 {

namespace {

HDC window_dc(HWND hwnd, const raster::Rect *visible)
{
    surface_changed(hwnd);
    return gdi::create_surface_dc(
        [hwnd] {
            Window *w = find(hwnd);
            return w ? w->surface.canvas : raster::Canvas{};
        },
        visible);
}

bool release_window_dc(HWND hwnd, HDC hdc)
{
    const gdi::DC *dc = gdi::find<gdi::DC>(hdc);
    if (!dc || dc->memory) return false;
    surface_changed(hwnd);
    DeleteDC(hdc);
    return true;
}

// Which system colour each WM_CTLCOLOR* message answers with: edit boxes and
// list boxes are window-coloured, everything else has the face colour.
struct CtlColor {
    UINT msg;
    int background;
};
constexpr CtlColor kCtlColors[] = {
    {WM_CTLCOLOREDIT, COLOR_WINDOW},
    {WM_CTLCOLORLISTBOX, COLOR_WINDOW},
};

}   // namespace

HDC paint_dc_begin(Window &w, const RECT &paint)
{
    const raster::Rect visible{paint.left, paint.top, paint.right, paint.bottom};
    return window_dc(w.handle, &visible);
}

void paint_dc_end(Window &w, HDC dc) { release_window_dc(w.handle, dc); }

BOOL paint_erase(Window &w, HDC dc, HBRUSH brush)
{
    if (!brush) return FALSE;
    const RECT client{0, 0, w.surface.canvas.width, w.surface.canvas.height};
    return FillRect(dc, &client, brush) != 0;
}

HBRUSH paint_default_ctlcolor(UINT msg, HDC dc)
{
    int background = COLOR_3DFACE;
    for (const CtlColor &c : kCtlColors)
        if (c.msg == msg) background = c.background;
    SetBkColor(dc, GetSysColor(background));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    return GetSysColorBrush(background);
}

HFONT paint_dialog_font(const DialogInfo &dialog)
{
    // One font per face and size, shared by every dialog that asks for it and
    // kept for the program's life, so screens opened again and again make no
    // new objects. The point size becomes a character height at 96 dots per inch.
    static std::map<std::pair<std::string, WORD>, HFONT> fonts;
    HFONT &f = fonts[{dialog.fontFace, dialog.pointSize}];
    if (!f) {
        f = CreateFontA(-MulDiv(dialog.pointSize, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        dialog.fontFace.c_str());
        if (gdi::Object *o = gdi::find_object(f)) o->stock = true;   // a program's DeleteObject leaves it alone
    }
    return f;
}

void paint_erase_now(Window &w)
{
    if (!w.erasePending) return;
    const RECT part = w.update;
    w.erasePending = false;
    HDC dc = paint_dc_begin(w, part);
    SendMessageA(w.handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    if (Window *still = find(w.handle)) paint_dc_end(*still, dc);
    else DeleteDC(dc);
}

}   // namespace user32

using namespace user32;

HDC WINAPI GetDC(HWND hWnd)
{
    if (!hWnd) {
        // The whole screen: drawing lands on the desktop image until it is next composed.
        return gdi::create_surface_dc([] { return desktop_image(); });
    }
    return find(hWnd) ? window_dc(hWnd, nullptr) : nullptr;
}

int WINAPI ReleaseDC(HWND hWnd, HDC hDC)
{
    if (!hWnd) {
        const gdi::DC *dc = gdi::find<gdi::DC>(hDC);
        return dc && !dc->memory && DeleteDC(hDC) ? 1 : 0;
    }
    return release_window_dc(hWnd, hDC) ? 1 : 0;
}
