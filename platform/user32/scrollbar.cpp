// Standard scroll bars: the vertical bar of a WS_VSCROLL window, drawn by the
// frame painter in the non-client area. The window keeps its range, page and
// position; a press on an arrow or on the track beside the thumb, or a drag
// of the thumb, becomes WM_VSCROLL, which the window answers by scrolling and
// setting the position.
#include "user32/compositor.h"
#include "user32/internal.h"

#include <algorithm>

namespace user32 {

namespace {

ScrollBarState *SCROLL_Bar(HWND hwnd, int bar)
{
    Window *w = find(hwnd);
    return w && bar == SB_VERT ? &w->vscroll : nullptr;
}

int SCROLL_MaxPos(const ScrollBarState &s)
{
    return std::max(s.min, s.max - std::max(0, static_cast<int>(s.page) - 1));
}

// Dragging the thumb: as Windows does, a loop of its own follows the mouse
// until the button comes up, telling the window SB_THUMBTRACK at each move
// and SB_THUMBPOSITION at the end. `grab` is where in the thumb it was taken,
// in the client coordinates the captured mouse messages carry.
void SCROLL_DragThumb(HWND hwnd, int trackTop, int length, int size, int grab)
{
    SetCapture(hwnd);
    MSG m;
    while (GetCapture() == hwnd) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));   // for the loop that called us
            break;
        }
        if (m.hwnd != hwnd || (m.message != WM_MOUSEMOVE && m.message != WM_LBUTTONUP)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
            continue;
        }
        const Window *w = find(hwnd);
        if (!w) return;
        const ScrollBarState &s = w->vscroll;
        const int travel = length - size;
        const int y = std::clamp(static_cast<short>(HIWORD(m.lParam)) - trackTop - grab, 0, std::max(0, travel));
        const int pos = s.min + (travel > 0 ? MulDiv(y, SCROLL_MaxPos(s) - s.min, travel) : 0);
        const bool up = m.message == WM_LBUTTONUP;
        SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(up ? SB_THUMBPOSITION : SB_THUMBTRACK, pos), 0);
        if (up) break;
    }
    if (GetCapture() == hwnd) ReleaseCapture();
}

}   // namespace

bool scroll_thumb(const Window &w, int length, int &start, int &size)
{
    const ScrollBarState &s = w.vscroll;
    const int range = s.max - s.min + 1;
    if (range <= 1 || (s.page && static_cast<int>(s.page) >= range) || length <= 0) return false;
    size = s.page ? std::max(8, MulDiv(length, static_cast<int>(s.page), range)) : std::min(length, 16);
    size = std::min(size, length);
    const int travel = SCROLL_MaxPos(s) - s.min;
    start = travel > 0 ? MulDiv(length - size, s.pos - s.min, travel) : 0;
    return true;
}

void scroll_bar_press(HWND hwnd, POINT desktopPt)
{
    Window *w = find(hwnd);
    if (!w || !(w->style & WS_VSCROLL)) return;
    const RECT client = client_rect_in_window(*w);
    const POINT origin = client_origin_on_desktop(*w);
    const int y = desktopPt.y - origin.y;   // from the client top, which the bar shares
    const int height = client.bottom - client.top, arrow = GetSystemMetrics(SM_CYHSCROLL);
    const int length = height - 2 * arrow;
    int start = 0, size = 0;
    const bool enabled = scroll_thumb(*w, length, start, size);
    if (!enabled) return;
    WORD code;
    if (y < arrow) code = SB_LINEUP;
    else if (y >= height - arrow) code = SB_LINEDOWN;
    else if (y < arrow + start) code = SB_PAGEUP;
    else if (y >= arrow + start + size) code = SB_PAGEDOWN;
    else code = SB_THUMBTRACK;
    if (code == SB_THUMBTRACK) SCROLL_DragThumb(hwnd, arrow, length, size, y - arrow - start);
    else SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
}

}   // namespace user32

using namespace user32;

int WINAPI SetScrollInfo(HWND hwnd, int bar, LPCSCROLLINFO si, BOOL)
{
    ScrollBarState *s = SCROLL_Bar(hwnd, bar);
    if (!s || !si) return 0;
    const ScrollBarState was = *s;
    if (si->fMask & SIF_RANGE) {
        s->min = si->nMin;
        s->max = std::max(si->nMin, si->nMax);
    }
    if (si->fMask & SIF_PAGE) s->page = std::min<UINT>(si->nPage, static_cast<UINT>(s->max - s->min + 1));
    if (si->fMask & SIF_POS) s->pos = si->nPos;
    s->pos = std::clamp(s->pos, s->min, SCROLL_MaxPos(*s));
    if (was.min != s->min || was.max != s->max || was.page != s->page || was.pos != s->pos)
        surface_changed(hwnd);   // the frame is composed again with the new thumb
    return s->pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO si)
{
    const ScrollBarState *s = SCROLL_Bar(hwnd, bar);
    if (!s || !si) return FALSE;
    if (si->fMask & SIF_RANGE) {
        si->nMin = s->min;
        si->nMax = s->max;
    }
    if (si->fMask & SIF_PAGE) si->nPage = s->page;
    if (si->fMask & (SIF_POS | SIF_TRACKPOS)) si->nPos = si->nTrackPos = s->pos;
    return TRUE;
}

int WINAPI SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    const int old = GetScrollPos(hwnd, bar);
    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int WINAPI GetScrollPos(HWND hwnd, int bar)
{
    const ScrollBarState *s = SCROLL_Bar(hwnd, bar);
    return s ? s->pos : 0;
}
