// Standard scroll bars: the vertical bar of a WS_VSCROLL window, drawn by the
// frame painter in the non-client area. The window keeps its range, page and
// position; a press on an arrow or on the track beside the thumb, or a drag
// of the thumb, becomes WM_VSCROLL, which the window answers by scrolling and
// setting the position. An arrow or the track held down repeats, as Windows'
// scroll bars do: the first repeat 200 ms after the press, then every 50 ms
// while the pointer stays on that part; SB_ENDSCROLL follows the release.
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

constexpr UINT_PTR kRepeatTimer = 0xFFFA;   // taken by the press's own loop, never dispatched
constexpr UINT kFirstRepeat = 200, kRepeat = 50;

// The part of the bar at a desktop point: SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK
// (the thumb), SB_PAGEDOWN or SB_LINEDOWN; -1 off the bar or when it is disabled.
struct Bar {
    int arrow = 0, length = 0, start = 0, size = 0;
    int y = 0;   // the point from the client top, which the bar shares
};

int SCROLL_Part(HWND hwnd, POINT desktopPt, Bar &b)
{
    const Window *w = find(hwnd);
    if (!w || !(w->style & WS_VSCROLL)) return -1;
    const RECT client = client_rect_in_window(*w);
    const POINT origin = client_origin_on_desktop(*w);
    const int x = desktopPt.x - origin.x - (client.right - client.left);
    b.y = desktopPt.y - origin.y;
    const int height = client.bottom - client.top;
    b.arrow = GetSystemMetrics(SM_CYHSCROLL);
    b.length = height - 2 * b.arrow;
    if (x < 0 || x >= GetSystemMetrics(SM_CXVSCROLL) || b.y < 0 || b.y >= height) return -1;
    if (!scroll_thumb(*w, b.length, b.start, b.size)) return -1;
    if (b.y < b.arrow) return SB_LINEUP;
    if (b.y >= height - b.arrow) return SB_LINEDOWN;
    if (b.y < b.arrow + b.start) return SB_PAGEUP;
    if (b.y >= b.arrow + b.start + b.size) return SB_PAGEDOWN;
    return SB_THUMBTRACK;
}

// An arrow or the track held down: its scroll now, again when the repeat
// timer comes while the pointer is on the same part (a page stops once the
// thumb has reached the pointer), until the button comes up.
void SCROLL_Repeat(HWND hwnd, WORD code, POINT at)
{
    SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
    if (!IsWindow(hwnd)) return;
    SetCapture(hwnd);
    SetTimer(hwnd, kRepeatTimer, kFirstRepeat, nullptr);
    MSG m;
    while (GetCapture() == hwnd) {
        if (!GetMessageA(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));   // for the loop that called us
            break;
        }
        if (m.hwnd == hwnd && m.message == WM_TIMER && m.wParam == kRepeatTimer) {
            SetTimer(hwnd, kRepeatTimer, kRepeat, nullptr);
            Bar b;
            if (SCROLL_Part(hwnd, at, b) == code) SendMessageA(hwnd, WM_VSCROLL, MAKEWPARAM(code, 0), 0);
            if (!IsWindow(hwnd)) return;
            continue;
        }
        if (m.hwnd == hwnd && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
            at = m.pt;
            if (m.message == WM_LBUTTONUP) break;
            continue;
        }
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    KillTimer(hwnd, kRepeatTimer);
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
    Bar b;
    const int part = SCROLL_Part(hwnd, desktopPt, b);
    if (part < 0) return;
    if (part == SB_THUMBTRACK) SCROLL_DragThumb(hwnd, b.arrow, b.length, b.size, b.y - b.arrow - b.start);
    else SCROLL_Repeat(hwnd, static_cast<WORD>(part), desktopPt);
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

// Shows or hides a window's standard vertical bar: the style changes, and the
// client area with it (WM_SIZE), as the frame is computed again.
BOOL WINAPI ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    Window *w = find(hwnd);
    if (!w || bar != SB_VERT) return FALSE;
    const DWORD style = show ? (w->style | WS_VSCROLL) : (w->style & ~WS_VSCROLL);
    if (style == w->style) return TRUE;
    w->style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}
