// What the controls (button, static, edit, list box) share: their state
// object, notifications to the parent, the parent's colours, and the classic
// look's pieces drawn through a paint DC (grey text, the check mark, selected
// text's ground), and scrolling by the bar and the wheel.
#pragma once

#include "user32/window_internal.h"

#include <memory>
#include <optional>

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
// Text of a disabled control: etched, grey with a white shadow one pixel
// down and right.
void control_grey_text(HDC dc, const char *text, RECT r, UINT format);
// The check mark with its 7 x 7 box's top-left at (x, y), in a system colour.
void control_check_mark(HDC dc, int x, int y, int sysColor);
// Fills r as selected text's ground and sets the DC's text colour for it;
// answers the text colour it had.
COLORREF control_selection(HDC dc, const RECT &r);
// The first line to show after WM_VSCROLL (an SB_ code and the thumb's place)
// or WM_MOUSEWHEEL (three lines a notch), from the first line shown now, the
// lines a page shows and how many there are; nothing for a code that
// scrolls nothing (SB_ENDSCROLL). The caller keeps it in range.
std::optional<int> control_scroll_target(UINT msg, WPARAM wp, int top, int page, int count);

}   // namespace user32
