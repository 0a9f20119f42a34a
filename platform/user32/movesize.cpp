// Moving a window by its caption and sizing it by its border, as Windows 98
// does with "show window contents while dragging" on: the window itself
// follows the mouse (no outline), through SetWindowPos at each move. The loop
// has the capture; it sends WM_ENTERSIZEMOVE, then for each new place
// WM_MOVING or WM_SIZING (the window may change the rectangle) and the
// SetWindowPos messages, and WM_EXITSIZEMOVE at the end. From the keyboard
// (Move or Size in the system menu) the arrow keys move the window or the
// edge they chose by eight pixels, Enter keeps the place and Esc goes back.
#include "user32/movesize.h"

#include "user32/internal.h"

#include <algorithm>

namespace user32 {
namespace {

constexpr int kKeyStep = 8;

// Which edges a border drag moves, by its WMSZ_ code.
struct Edges {
    bool left, top, right, bottom;
};
constexpr Edges kEdges[] = {
    {false, false, false, false},   // none: the keyboard has not chosen yet
    {true, false, false, false},    // WMSZ_LEFT
    {false, false, true, false},    // WMSZ_RIGHT
    {false, true, false, false},    // WMSZ_TOP
    {true, true, false, false},     // WMSZ_TOPLEFT
    {false, true, true, false},     // WMSZ_TOPRIGHT
    {false, false, false, true},    // WMSZ_BOTTOM
    {true, false, false, true},     // WMSZ_BOTTOMLEFT
    {false, false, true, true},     // WMSZ_BOTTOMRIGHT
};

struct Drag {
    HWND hwnd = nullptr;
    bool sizing = false;
    int edge = 0;     // WMSZ_ code while sizing
    RECT start{};     // the window on the desktop when the loop began
    POINT offset{};   // desktop to the parent's client coordinates (child windows)
    MINMAXINFO limits{};
};

// The rectangle `d` away from the start: moved, or its edges moved and held
// within the window's tracking sizes.
RECT target(const Drag &g, POINT d)
{
    RECT r = g.start;
    if (!g.sizing) {
        OffsetRect(&r, d.x, d.y);
        return r;
    }
    const Edges e = kEdges[g.edge];
    if (e.left) r.left += d.x;
    if (e.right) r.right += d.x;
    if (e.top) r.top += d.y;
    if (e.bottom) r.bottom += d.y;
    const LONG cx = std::clamp(r.right - r.left, g.limits.ptMinTrackSize.x, g.limits.ptMaxTrackSize.x);
    const LONG cy = std::clamp(r.bottom - r.top, g.limits.ptMinTrackSize.y, g.limits.ptMaxTrackSize.y);
    if (e.left) r.left = r.right - cx;
    else r.right = r.left + cx;
    if (e.top) r.top = r.bottom - cy;
    else r.bottom = r.top + cy;
    return r;
}

void follow(const Drag &g, POINT d)
{
    RECT r = target(g, d);
    SendMessageA(g.hwnd, g.sizing ? WM_SIZING : WM_MOVING, g.sizing ? g.edge : 0, reinterpret_cast<LPARAM>(&r));
    if (!IsWindow(g.hwnd)) return;
    SetWindowPos(g.hwnd, nullptr, r.left + g.offset.x, r.top + g.offset.y, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (g.sizing ? 0 : SWP_NOSIZE));
}

// An arrow key: the first one of a keyboard Size chooses the edge, the others
// move by a step. Other keys change nothing.
void arrow(Drag &g, UINT vk, POINT &d)
{
    const struct {
        UINT vk;
        int dx, dy, edge;
    } arrows[] = {{VK_LEFT, -kKeyStep, 0, WMSZ_LEFT},
                  {VK_RIGHT, kKeyStep, 0, WMSZ_RIGHT},
                  {VK_UP, 0, -kKeyStep, WMSZ_TOP},
                  {VK_DOWN, 0, kKeyStep, WMSZ_BOTTOM}};
    for (const auto &a : arrows) {
        if (a.vk != vk) continue;
        if (g.sizing && !g.edge) {
            g.edge = a.edge;
            return;
        }
        d.x += a.dx;
        d.y += a.dy;
        return;
    }
}

bool is_mouse(UINT msg) { return msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST; }

}   // namespace

MINMAXINFO min_max_info(HWND hwnd)
{
    MINMAXINFO mmi{};
    const Window *w = find(hwnd);
    if (!w) return mmi;
    // Maximised, the frame lies beyond the work area, as ShowWindow places it.
    const RECT wa = work_area();
    const RECT in = nonclient_insets(w->style, w->exStyle, false);
    mmi.ptMaxSize = POINT{wa.right - wa.left + in.left + in.right, wa.bottom - wa.top + in.left + in.bottom};
    mmi.ptMaxPosition = POINT{wa.left - in.left, wa.top - in.left};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    return mmi;
}

void move_size_loop(HWND hwnd, WPARAM cmd, POINT pt)
{
    const Window *w = find(hwnd);
    if (!w || (w->style & (WS_MAXIMIZE | WS_MINIMIZE))) return;
    Drag g;
    g.hwnd = hwnd;
    g.sizing = (cmd & 0xFFF0) == SC_SIZE;
    // Only a sizing border sizes, only a caption moves.
    if (g.sizing ? !(w->style & WS_THICKFRAME) : (w->style & WS_CAPTION) != WS_CAPTION) return;
    const bool keyboard = (cmd & 0xF) == 0;
    g.edge = g.sizing && (cmd & 0xF) <= WMSZ_BOTTOMRIGHT ? static_cast<int>(cmd & 0xF) : 0;
    GetWindowRect(hwnd, &g.start);
    g.offset = POINT{w->rect.left - g.start.left, w->rect.top - g.start.top};
    g.limits = min_max_info(hwnd);
    if (!IsWindow(hwnd)) return;
    SendMessageA(hwnd, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(hwnd);
    POINT d{0, 0}, shown{0, 0};
    bool done = false, cancel = false;
    MSG m;
    while (!done && IsWindow(hwnd) && GetCapture() == hwnd) {
        const BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(m.wParam));   // for the loop that called us
            break;
        }
        if (got < 0) break;
        if (is_mouse(m.message)) {
            // The keyboard's loop ends at a click; the mouse's follows the pointer.
            if (!keyboard) d = POINT{m.pt.x - pt.x, m.pt.y - pt.y};
            done = m.message == WM_LBUTTONUP || (keyboard && m.message == WM_LBUTTONDOWN);
        } else if (m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN) {
            const auto vk = static_cast<UINT>(m.wParam);
            cancel = vk == VK_ESCAPE;
            done = vk == VK_RETURN || cancel;
            arrow(g, vk, d);
        } else if (m.message == WM_KEYUP || m.message == WM_SYSKEYUP || m.message == WM_CHAR ||
                   m.message == WM_SYSCHAR) {
            continue;
        } else {
            TranslateMessage(&m);
            DispatchMessageA(&m);
            continue;
        }
        if (!cancel && (d.x != shown.x || d.y != shown.y) && (!g.sizing || g.edge)) {
            follow(g, d);
            shown = d;
        }
    }
    if (cancel && IsWindow(hwnd))
        SetWindowPos(hwnd, nullptr, g.start.left + g.offset.x, g.start.top + g.offset.y, g.start.right - g.start.left,
                     g.start.bottom - g.start.top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (GetCapture() == hwnd) ReleaseCapture();
    if (IsWindow(hwnd)) SendMessageA(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}   // namespace user32
