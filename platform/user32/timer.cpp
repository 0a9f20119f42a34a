// Timers per window and id. Expiry is only noted: GetMessageA makes the
// WM_TIMER when nothing else waits, so a slow handler builds no backlog. The
// layer's own timers (the caret's blink) come as WM_SYSTIMER, apart from the
// program's: a program waiting for WM_TIMER alone does not take them.
#include "user32/internal.h"

#include "driver/driver.h"

#include <algorithm>

namespace user32 {
namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    uint64_t due;
    TIMERPROC proc;
    bool system = false;
};

struct Timers {
    std::vector<Timer> list;
    UINT_PTR nextThreadId = 1;
};

Timers &timers()
{
    static Timers t;
    return t;
}

bool accepts(const Timer &t, HWND filter, UINT min, UINT max)
{
    return filter_accepts_message(min, max, t.system ? WM_SYSTIMER : WM_TIMER) && filter_accepts_window(filter, t.hwnd);
}

}   // namespace

void timers_forget_window(HWND hwnd)
{
    std::erase_if(timers().list, [&](const Timer &t) { return t.hwnd == hwnd; });
}

uint64_t timers_next_due(HWND filter, UINT min, UINT max)
{
    uint64_t next = drv::NO_DEADLINE;
    for (const Timer &t : timers().list)
        if (accepts(t, filter, min, max)) next = std::min(next, t.due);
    return next;
}

bool timers_take_expired(HWND filter, UINT min, UINT max, bool remove, MSG &out)
{
    uint64_t now = drv::current().now();
    Timer *best = nullptr;
    for (Timer &t : timers().list)
        if (t.due <= now && accepts(t, filter, min, max) && (!best || t.due < best->due)) best = &t;
    if (!best) return false;
    out = MSG{best->hwnd,
              best->system ? WM_SYSTIMER : WM_TIMER,
              best->id,
              reinterpret_cast<LPARAM>(best->proc),
              static_cast<DWORD>(now),
              {}};
    // However many periods went by, one message stands for them all; the timer
    // keeps its rhythm from when it was set.
    if (remove) best->due += best->period * ((now - best->due) / best->period + 1);
    return true;
}

void set_system_timer(HWND hwnd, UINT_PTR id, UINT elapse)
{
    kill_system_timer(hwnd, id);
    timers().list.push_back(Timer{hwnd, id, elapse, drv::current().now() + elapse, nullptr, true});
}

void kill_system_timer(HWND hwnd, UINT_PTR id)
{
    std::erase_if(timers().list, [&](const Timer &t) { return t.system && t.hwnd == hwnd && t.id == id; });
}

}   // namespace user32

using namespace user32;

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !IsWindow(hwnd)) return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    Timers &ts = timers();
    if (!hwnd) {
        // A thread timer gets an id of its own unless it names one it already has.
        bool known = std::any_of(ts.list.begin(), ts.list.end(), [&](const Timer &t) { return !t.hwnd && t.id == id; });
        if (!known) id = ts.nextThreadId++;
    }
    uint64_t due = drv::current().now() + elapse;
    for (Timer &t : ts.list) {
        if (t.hwnd == hwnd && t.id == id && !t.system) {
            // Re-arming replaces the timer: the next tick is one new period away.
            t = Timer{hwnd, id, elapse, due, proc};
            return hwnd ? (id ? id : 1) : id;
        }
    }
    ts.list.push_back(Timer{hwnd, id, elapse, due, proc});
    return hwnd ? (id ? id : 1) : id;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id)
{
    auto &l = timers().list;
    auto it =
        std::find_if(l.begin(), l.end(), [&](const Timer &t) { return t.hwnd == hwnd && t.id == id && !t.system; });
    if (it == l.end()) return FALSE;
    l.erase(it);
    return TRUE;
}
