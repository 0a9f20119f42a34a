// Showing, hiding, moving, sizing, maximising and enabling windows.
#include "user32/internal.h"

#include <algorithm>

namespace user32 {
namespace {

void restack(Window &w, HWND after)
{
    auto &list = siblings_of(w);
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
    if (after == HWND_BOTTOM) {
        list.push_back(w.handle);
        return;
    }
    auto at = std::find(list.begin(), list.end(), after);
    if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST || at == list.end())
        list.insert(list.begin(), w.handle);
    else list.insert(at + 1, w.handle);
}

// Moves and sizes a window as SetWindowPos does: WM_WINDOWPOSCHANGING may
// change the new place, WM_WINDOWPOSCHANGED tells what changed (its default
// processing sends WM_MOVE and WM_SIZE). A new client size, from a new window
// size or a new frame, gives the window a new surface to paint.
void place(Window &w, const RECT &want, bool redraw, UINT flags = 0)
{
    WindowRef keep = ref(w.handle);
    const HWND hwnd = w.handle;
    WINDOWPOS pos{hwnd, nullptr, want.left, want.top, want.right - want.left, want.bottom - want.top, flags};
    SendMessageA(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd)) return;
    const RECT r{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
    const bool moved = r.left != w.rect.left || r.top != w.rect.top;
    w.rect = r;
    const RECT c = client_rect_in_window(w);
    const bool sized = c.right - c.left != w.surface.canvas.width || c.bottom - c.top != w.surface.canvas.height;
    if (sized) {
        w.surface.resize_keeping(c.right - c.left, c.bottom - c.top);
        if (redraw) invalidate_all(w, true, false);
    }
    pos.flags = (flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    SendMessageA(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

// A maximised window fills the work area with its client area and caption;
// its side and bottom frames lie beyond the desktop's edges, as on Windows.
RECT maximized_rect(const Window &w)
{
    RECT wa = work_area();
    RECT in = nonclient_insets(w.style, w.exStyle, false);
    // The frame is as thick at the top as at the sides; the caption stays in view.
    return RECT{wa.left - in.left, wa.top - in.left, wa.right + in.right, wa.bottom + in.bottom};
}

// There is no task bar on the virtual desktop: a minimised window shrinks to
// its caption bar, 160 pixels wide, at the desktop's bottom-left corner, as
// Windows shows minimised windows without a task bar. A click on that caption
// (or on its restore button) brings the window back.
RECT minimized_rect(const Window &w)
{
    RECT wa = work_area();
    RECT in = nonclient_insets(w.style, w.exStyle, false);
    LONG height = in.left + in.left + ((w.style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0);
    return RECT{wa.left, wa.bottom - height, wa.left + 160, wa.bottom};
}

void minimize(Window &w)
{
    if ((w.style & WS_MINIMIZE) || w.child()) return;
    if (!(w.style & WS_MAXIMIZE)) w.normalRect = w.rect;
    w.style |= WS_MINIMIZE;
    place(w, minimized_rect(w), true);
}

// Back from minimised to where it was: maximised again if it was maximised.
void restore(Window &w)
{
    if (w.style & WS_MINIMIZE) {
        w.style &= ~WS_MINIMIZE;
        place(w, (w.style & WS_MAXIMIZE) ? maximized_rect(w) : w.normalRect, true);
    } else if (w.style & WS_MAXIMIZE) {
        w.style &= ~WS_MAXIMIZE;
        place(w, w.normalRect, true);
    }
}

}   // namespace

void desktop_size_changed()
{
    // A copy: a window procedure answering WM_SIZE may create or destroy windows.
    const std::vector<HWND> tops = top_level_windows();   // NOLINT(performance-unnecessary-copy-initialization)
    for (HWND t : tops)
        if (WindowRef w = ref(t); w && (w->style & WS_MAXIMIZE)) place(*w, maximized_rect(*w), true);
}

}   // namespace user32

using namespace user32;

BOOL WINAPI ShowWindow(HWND hwnd, int cmd)
{
    WindowRef w = ref(hwnd);
    if (!w) return FALSE;
    BOOL was = (w->style & WS_VISIBLE) != 0;
    bool activates = true;
    switch (cmd) {
    case SW_HIDE:
        if (!was) return FALSE;
        {
            bool wasActive = GetActiveWindow() == hwnd;
            SendMessageA(hwnd, WM_SHOWWINDOW, FALSE, 0);
            w->style &= ~WS_VISIBLE;
            focus_window_leaving(hwnd);
            if (wasActive) activate_after_leaving(w->owner);
        }
        return was;
    case SW_SHOWMAXIMIZED:
        if ((w->style & (WS_MAXIMIZE | WS_MINIMIZE)) != WS_MAXIMIZE && !w->child()) {
            if (!(w->style & WS_MINIMIZE)) w->normalRect = w->rect;
            w->style = (w->style & ~WS_MINIMIZE) | WS_MAXIMIZE;
            place(*w, maximized_rect(*w), true);
        }
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        minimize(*w);
        activates = cmd == SW_SHOWMINIMIZED;
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        restore(*w);
        break;
    case SW_SHOW:
        break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
        activates = false;
        break;
    default:
        return was;
    }
    if (!IsWindow(hwnd)) return was;
    if (!was) {
        SendMessageA(hwnd, WM_SHOWWINDOW, TRUE, 0);
        w->style |= WS_VISIBLE;
        // Showing exposes the whole window and its children: each is painted and erased.
        invalidate_all(*w, true, true);
    }
    if (activates && !w->child() && IsWindow(hwnd)) activate(hwnd, WA_ACTIVE);
    // Windows erases a window being shown at once, after activating it.
    if (!was && IsWindow(hwnd)) paint_erase_now(*w);
    return was;
}

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags)
{
    WindowRef w = ref(hwnd);
    if (!w) return FALSE;
    RECT r = w->rect;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&r, x - r.left, y - r.top);
    if (!(flags & SWP_NOSIZE)) {
        r.right = r.left + std::max(cx, 0);
        r.bottom = r.top + std::max(cy, 0);
    }
    if (!(flags & SWP_NOZORDER)) restack(*w, after);
    place(*w, r, !(flags & SWP_NOREDRAW), flags);
    if (!IsWindow(hwnd)) return TRUE;
    if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
    if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if (!(flags & SWP_NOACTIVATE) && !w->child() && (w->style & WS_VISIBLE)) activate(hwnd, WA_ACTIVE);
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable)
{
    WindowRef w = ref(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageA(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        // A window losing its input gives up the focus (and the capture) first.
        if (GetFocus() && in_subtree(hwnd, GetFocus())) SetFocus(nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
        w->style |= WS_DISABLED;
        SendMessageA(hwnd, WM_ENABLE, FALSE, 0);
    }
    // Windows repaints nothing here: controls redraw their own look on WM_ENABLE,
    // and a disabled main window keeps its picture under a message box.
    return wasDisabled;
}
