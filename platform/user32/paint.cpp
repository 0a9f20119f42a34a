// Invalid areas and the paint cycle. A window with something invalid gets a
// WM_PAINT when its queue is otherwise empty, again and again until the area
// is validated (BeginPaint/EndPaint, ValidateRect or the default WM_PAINT).
//
// The drawing seam (paint_dc_begin, paint_dc_end, paint_erase,
// paint_default_ctlcolor, paint_dialog_font) lives in windc.cpp.
#include "user32/internal.h"

namespace user32 {
namespace {

RECT client_of(const Window &w)
{
    RECT c = client_rect_in_window(w);
    return RECT{0, 0, c.right - c.left, c.bottom - c.top};
}

void add_update(Window &w, const RECT *r, bool erase)
{
    RECT client = client_of(w), part;
    if (!IntersectRect(&part, r ? r : &client, &client)) return;
    UnionRect(&w.update, w.hasUpdate ? &w.update : &part, &part);
    w.hasUpdate = true;
    w.erasePending = w.erasePending || erase;
}

}   // namespace

void invalidate_all(Window &w, bool erase, bool withChildren)
{
    add_update(w, nullptr, erase);
    if (!withChildren) return;
    for (HWND k : w.children)
        if (Window *c = find(k); c && (c->style & WS_VISIBLE)) invalidate_all(*c, erase, true);
}

}   // namespace user32

using namespace user32;

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT *r, BOOL erase)
{
    // Children keep their own pixels and are composited above their parent,
    // so invalidating a parent leaves them alone.
    Window *w = find(hwnd);
    if (!w) return FALSE;
    add_update(*w, r, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT *r)
{
    Window *w = find(hwnd);
    if (!w) return FALSE;
    RECT client = client_of(*w);
    // A rectangle that covers the update area validates it; a smaller one
    // leaves the whole bounding rectangle invalid (we keep no regions).
    RECT cover;
    UnionRect(&cover, r ? r : &client, &w->update);
    if (!r || EqualRect(&cover, r)) {
        w->hasUpdate = false;
        w->erasePending = false;
        w->update = RECT{};
    }
    return TRUE;
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT r, BOOL)
{
    Window *w = find(hwnd);
    if (!w) return FALSE;
    if (r) *r = w->hasUpdate ? w->update : RECT{};
    return w->hasUpdate;
}

BOOL WINAPI UpdateWindow(HWND hwnd)
{
    Window *w = find(hwnd);
    if (!w) return FALSE;
    if (w->hasUpdate && really_visible(*w)) SendMessageA(hwnd, WM_PAINT, 0, 0);
    return TRUE;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps)
{
    WindowRef w = ref(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    ps->rcPaint = w->hasUpdate ? w->update : RECT{};
    bool erase = w->erasePending;
    w->hasUpdate = false;
    w->erasePending = false;
    w->update = RECT{};
    ps->hdc = paint_dc_begin(*w, ps->rcPaint);
    // fErase tells the painter that the background still needs erasing: it is
    // set when WM_ERASEBKGND left it undone.
    if (erase) ps->fErase = !SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0);
    return ps->hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT *ps)
{
    WindowRef w = ref(hwnd);
    if (!w || !ps) return FALSE;
    paint_dc_end(*w, ps->hdc);
    return TRUE;
}
