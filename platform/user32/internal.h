// What the files of the window manager share among themselves and nobody else.
#pragma once

#include "user32/window_internal.h"

#include <functional>

namespace user32 {

// window.cpp
void for_each_window(const std::function<void(Window &)> &fn);   // top-level first, then children
bool in_subtree(HWND root, HWND hwnd);                           // hwnd is root or a descendant
std::vector<HWND> &siblings_of(const Window &w);                 // the z-order list the window is in

// message.cpp: forget what is queued or pending for a window being destroyed.
void queue_forget_window(HWND hwnd);
LRESULT call_proc(Window &w, UINT msg, WPARAM wp, LPARAM lp, Delivery how);

// timer.cpp
void timers_forget_window(HWND hwnd);
// The layer's own timers, which come as WM_SYSTIMER (the caret's blink).
constexpr UINT WM_SYSTIMER = 0x0118;
void set_system_timer(HWND hwnd, UINT_PTR id, UINT elapse);   // (re)starts it
void kill_system_timer(HWND hwnd, UINT_PTR id);
// The earliest due time of a timer that the filter accepts, drv::NO_DEADLINE if none.
uint64_t timers_next_due(HWND filter, UINT min, UINT max);
// Takes an expired timer the filter accepts into `out` (coalesced: one per timer).
bool timers_take_expired(HWND filter, UINT min, UINT max, bool remove, MSG &out);

// input.cpp
bool input_take(HWND filter, UINT min, UINT max, bool remove, MSG &out);
bool input_pending(HWND filter, UINT min, UINT max);
// The application's activation changing, once the input queued before it has
// been taken (a filter that passes over that input may read what follows first).
void input_take_activation();
void input_release_keys();     // every key up, as after another application had them
void input_move_at_cursor();   // a mouse move where the cursor is, to wake a capture's loop

// focus.cpp: focus, activation and capture after a window goes away or hides.
void focus_window_leaving(HWND hwnd);      // before the subtree is hidden or destroyed
void activate_after_leaving(HWND owner);   // after: activate the owner or the topmost window
void activate(HWND hwnd, WORD how);        // WA_ACTIVE / WA_CLICKACTIVE; brings it to the top
void app_deactivate();                     // another application became active
void app_activate();                       // ours is again

// paint.cpp
void invalidate_all(Window &w, bool erase, bool withChildren);

// filter helpers shared by the queue, the timers and the input
bool filter_accepts_window(HWND filter, HWND msgHwnd);
inline bool filter_accepts_message(UINT min, UINT max, UINT msg)
{
    return (min == 0 && max == 0) || (msg >= min && msg <= max);
}

}   // namespace user32
