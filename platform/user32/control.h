// What the controls (button, static, edit, list box) share: their state
// object, notifications to the parent, the
// parent's colours, and grey text for disabled controls.
#pragma once

#include "user32/window_internal.h"

#include <memory>

namespace user32 {

// Every control keeps one state object, made at WM_NCCREATE; it goes with
// its window.
template <class State>
State *control_state(HWND hwnd)
{
    Window *w = find(hwnd);
    return w ? static_cast<State *>(w->control.get()) : nullptr;
}

template <class State>
void control_attach(HWND hwnd)
{
    if (Window *w = find(hwnd)) w->control = std::make_shared<State>();
}

// WM_COMMAND(id, code) to the parent, sent as Windows sends notifications.
void control_notify(HWND hwnd, WORD code);
// Asks the parent for the control's colours with `msg` (a WM_CTLCOLOR*),
// leaving them set in `dc`; answers the background brush.
HBRUSH control_colors(HWND hwnd, HDC dc, UINT msg);
// Text of a disabled control: grey with a white shadow one pixel down and right.
void control_grey_text(HDC dc, const char *text, RECT r, UINT format);

} // namespace user32
