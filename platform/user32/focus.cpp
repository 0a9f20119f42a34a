// The keyboard focus, the active window, the mouse capture, and the
// application's own activation as another application takes the foreground.
#include "user32/internal.h"

#include <algorithm>

namespace user32 {
namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    bool appInactive = false;    // another application has the foreground
    HWND lastActive = nullptr;   // what was active when it took it
};

FocusState &state()
{
    static FocusState s;
    return s;
}

bool can_activate(HWND hwnd)
{
    Window *w = find(hwnd);
    return w && !w->destroying && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// The window goes to the top of the desktop, its owned windows above it: a
// dialog always stays above its owner.
void bring_to_top(HWND hwnd)
{
    Window *w = find(hwnd);
    if (!w) return;
    auto &list = siblings_of(*w);
    list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
    list.insert(list.begin(), hwnd);
    std::vector<HWND> owned;
    for (HWND t : list)
        if (find(t)->owner == hwnd) owned.push_back(t);
    for (auto it = owned.rbegin(); it != owned.rend(); ++it) bring_to_top(*it);
}

WPARAM minimised_flag(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_STYLE) & WS_MINIMIZE) ? 1 : 0; }

// Every top-level window hears that the application is (in)active.
void tell_application(BOOL active)
{
    std::vector<HWND> tops = top_level_windows();   // a copy: windows may come and go meanwhile
    for (HWND t : tops)
        if (IsWindow(t)) SendMessageA(t, WM_ACTIVATEAPP, static_cast<WPARAM>(active), 0);
}

}   // namespace

void activate(HWND hwnd, WORD how)
{
    FocusState &s = state();
    bring_to_top(hwnd);
    if (s.active == hwnd) return;
    HWND old = s.active;
    s.active = hwnd;
    if (IsWindow(old)) SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
    // The default processing of WM_ACTIVATE gives the window (or, for a dialog,
    // its saved control) the focus.
    if (IsWindow(hwnd) && s.active == hwnd)
        SendMessageA(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
}

// What Windows sends a thread whose window loses the foreground to another
// application: the capture (an open menu's too) is cancelled, then the active
// window is deactivated, every top-level window told, and the focus taken.
// Keys still held are let go in the other application: no key-ups come.
void app_deactivate()
{
    FocusState &s = state();
    if (s.appInactive) return;
    s.appInactive = true;
    HWND captured = GetCapture();
    HWND old = GetActiveWindow();
    if (HWND cancel = captured ? captured : old) SendMessageA(cancel, WM_CANCELMODE, 0, 0);
    if (captured && !GetCapture()) input_move_at_cursor();
    if (IsWindow(old)) {
        SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, minimised_flag(old)), 0);
    }
    s.lastActive = old;
    if (s.active == old) s.active = nullptr;
    if (old) tell_application(FALSE);
    if (HWND f = GetFocus()) {
        s.focus = nullptr;
        SendMessageA(f, WM_KILLFOCUS, 0, 0);
    }
    input_release_keys();
}

// Back from another application: the window that was active is again (or
// the topmost that can be), and its default processing gives the focus back.
void app_activate()
{
    FocusState &s = state();
    if (!s.appInactive) return;
    s.appInactive = false;
    HWND already = GetActiveWindow();   // activated by the program meanwhile
    HWND next = already ? already : can_activate(s.lastActive) ? s.lastActive : nullptr;
    for (HWND t : top_level_windows()) {
        if (next) break;
        if (can_activate(t)) next = t;
    }
    if (!IsWindow(next)) return;
    tell_application(TRUE);
    if (!already) {
        bring_to_top(next);
        s.active = next;
    }
    SendMessageA(next, WM_NCACTIVATE, TRUE, 0);
    if (!already && s.active == next) SendMessageA(next, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, minimised_flag(next)), 0);
}

void focus_window_leaving(HWND hwnd)
{
    FocusState &s = state();
    if (s.capture && in_subtree(hwnd, s.capture)) ReleaseCapture();
    if (s.focus && in_subtree(hwnd, s.focus)) {
        // As on Windows, the focus falls back to the parent of the window that goes.
        Window *w = find(hwnd);
        SetFocus(w && w->child() ? w->parent : nullptr);
    }
}

void activate_after_leaving(HWND owner)
{
    FocusState &s = state();
    if (s.active && can_activate(s.active)) return;
    s.active = nullptr;
    HWND next = can_activate(owner) ? owner : nullptr;
    for (HWND t : top_level_windows()) {
        if (next) break;
        if (can_activate(t)) next = t;
    }
    if (next) activate(next, WA_ACTIVE);
}

}   // namespace user32

using namespace user32;

HWND WINAPI SetFocus(HWND hwnd)
{
    FocusState &s = state();
    HWND old = s.focus;
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    if (hwnd == old) return old;
    if (hwnd) {
        HWND top = top_level_of(hwnd);
        if (top != s.active) activate(top, WA_ACTIVE);
        if (!IsWindow(hwnd)) return nullptr;
        old = s.focus;
        if (old == hwnd) return old;
    }
    s.focus = hwnd;
    if (IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    if (IsWindow(hwnd) && s.focus == hwnd) SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return IsWindow(old) ? old : nullptr;
}

HWND WINAPI GetFocus(void) { return IsWindow(state().focus) ? state().focus : nullptr; }

HWND WINAPI GetActiveWindow(void) { return IsWindow(state().active) ? state().active : nullptr; }

HWND WINAPI SetActiveWindow(HWND hwnd)
{
    HWND old = GetActiveWindow();
    HWND top = top_level_of(hwnd);
    if (!top) return nullptr;
    activate(top, WA_ACTIVE);
    return old;
}

HWND WINAPI SetCapture(HWND hwnd)
{
    HWND old = GetCapture();
    if (IsWindow(hwnd)) state().capture = hwnd;
    return old;
}

BOOL WINAPI ReleaseCapture(void)
{
    HWND old = GetCapture();
    state().capture = nullptr;
    if (old) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture(void) { return IsWindow(state().capture) ? state().capture : nullptr; }
