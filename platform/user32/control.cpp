// Helpers every control uses: notifications, colours, the classic look's
// pieces through a paint DC, and scrolling.
#include "user32/control.h"

#include "gdi32/brush.h"
#include "gdi32/dc.h"
#include "gdi32/frame.h"
#include "gdi32/gdiobj.h"

namespace user32 {

void control_notify(HWND hwnd, WORD code)
{
    SendMessageA(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

HBRUSH control_colors(HWND hwnd, HDC dc, UINT msg)
{
    HWND parent = GetParent(hwnd);
    HBRUSH b = parent ? reinterpret_cast<HBRUSH>(
                            SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)))
                      : nullptr;
    // A parent that answers nothing gets the default colours, as DefWindowProc gives them.
    return b ? b
             : reinterpret_cast<HBRUSH>(
                   DefWindowProcA(hwnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd)));
}

void control_grey_text(HDC dc, const char *text, RECT r, UINT format)
{
    const int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF was = CLR_INVALID;
    gdi::draw_etched([&](int offset, int sysColor) {
        RECT at = r;
        OffsetRect(&at, offset, offset);
        const COLORREF before = SetTextColor(dc, GetSysColor(sysColor));
        if (was == CLR_INVALID) was = before;
        DrawTextA(dc, text, -1, &at, format);
    });
    SetTextColor(dc, was);
    SetBkMode(dc, mode);
}

void control_check_mark(HDC dc, int x, int y, int sysColor)
{
    if (const gdi::DC *d = gdi::find<gdi::DC>(dc)) {
        const raster::Point at = d->to_canvas(x, y);
        gdi::draw_check_mark(d->canvas(), at.x, at.y, gdi::pixel_of(gdi::system_color(sysColor)), d->clip());
    }
}

COLORREF control_selection(HDC dc, const RECT &r)
{
    int text = COLOR_HIGHLIGHTTEXT;
    if (const gdi::DC *d = gdi::find<gdi::DC>(dc)) {
        const raster::Point a = d->to_canvas(r.left, r.top), b = d->to_canvas(r.right, r.bottom);
        text = gdi::draw_selection(d->canvas(), raster::Rect{a.x, a.y, b.x, b.y}, d->clip());
    }
    return SetTextColor(dc, GetSysColor(text));
}

std::optional<int> control_scroll_target(UINT msg, WPARAM wp, int top, int page, int count)
{
    if (msg == WM_MOUSEWHEEL) return top - GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA * 3;
    const int thumb = static_cast<short>(HIWORD(wp));
    switch (LOWORD(wp)) {
    case SB_LINEUP:
        return top - 1;
    case SB_LINEDOWN:
        return top + 1;
    case SB_PAGEUP:
        return top - page;
    case SB_PAGEDOWN:
        return top + page;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return thumb;
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return count;
    }
    return std::nullopt;
}

}   // namespace user32
