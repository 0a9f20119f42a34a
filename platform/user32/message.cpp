// The thread's message queue: posting, sending, retrieval in Windows' order,
// dispatching. WM_PAINT and WM_TIMER are never queued: retrieval makes them on
// demand when nothing else is waiting, at most one per window and per timer.
#include "user32/internal.h"

#include "driver/driver.h"

#include <deque>

namespace user32 {
namespace {

// Windows' default limit on posted messages.
constexpr size_t kPostedLimit = 10000;

struct Queue {
    std::deque<MSG> posted;
    bool quitPending = false;
    int quitCode = 0;
    DWORD lastTime = 0;
    Delivery delivery = Delivery::None;
};

Queue &queue()
{
    static Queue q;
    return q;
}

bool ranges_overlap(UINT min, UINT max, UINT lo, UINT hi) { return min <= hi && max >= lo; }

// Whether input (keys, mouse, a close box) could satisfy a range filter. A
// wait whose filter only a timer can satisfy is a wait for time alone.
bool input_can_satisfy(UINT min, UINT max)
{
    if (min == 0 && max == 0) return true;
    return ranges_overlap(min, max, WM_KEYFIRST, WM_KEYLAST) || ranges_overlap(min, max, WM_MOUSEFIRST, WM_MOUSELAST) ||
           ranges_overlap(min, max, WM_NCMOUSEMOVE, WM_NCMBUTTONUP) ||
           ranges_overlap(min, max, WM_SYSCOMMAND, WM_SYSCOMMAND);
}

bool take_paint(HWND filter, MSG &out)
{
    // Parents before their children, top-level windows in z-order.
    bool found = false;
    for_each_window([&](Window &w) {
        if (found || !w.hasUpdate || !really_visible(w) || !filter_accepts_window(filter, w.handle)) return;
        out = MSG{w.handle, WM_PAINT, 0, 0, GetTickCount(), {}};
        found = true;
    });
    return found;
}

// One look at the queue in Windows' order: posted messages, then the quit
// request, then input, then paint, then timers.
bool retrieve(MSG &out, HWND filter, UINT min, UINT max, bool remove)
{
    Queue &q = queue();
    input_take_activation();
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
        if (filter_accepts_window(filter, it->hwnd) && filter_accepts_message(min, max, it->message)) {
            out = *it;
            if (remove) q.posted.erase(it);
            return true;
        }
    }
    // WM_QUIT passes every filter, the window filter included. Windows documents
    // this for the range filter only; Wine ignores the window filter as well,
    // and so do we, so a modal loop on one window still sees the quit request.
    if (q.quitPending) {
        out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, GetTickCount(), {}};
        if (remove) q.quitPending = false;
        return true;
    }
    if (input_take(filter, min, max, remove, out)) return true;
    if (filter_accepts_message(min, max, WM_PAINT) && take_paint(filter, out)) return true;
    return timers_take_expired(filter, min, max, remove, out);
}

}   // namespace

bool filter_accepts_window(HWND filter, HWND msgHwnd)
{
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return msgHwnd == nullptr;
    return msgHwnd && in_subtree(filter, msgHwnd);
}

LRESULT call_proc(Window &w, UINT msg, WPARAM wp, LPARAM lp, Delivery how)
{
    WNDPROC proc = w.proc;
    if (!proc) return 0;
    WindowRef keep = ref(w.handle);   // the procedure may destroy its window
    Queue &q = queue();
    Delivery saved = q.delivery;
    q.delivery = how;
    LRESULT r = proc(w.handle, msg, wp, lp);
    q.delivery = saved;
    return r;
}

Delivery current_delivery() { return queue().delivery; }

void queue_forget_window(HWND hwnd)
{
    auto &p = queue().posted;
    std::erase_if(p, [&](const MSG &m) { return m.hwnd == hwnd; });
}

}   // namespace user32

using namespace user32;

BOOL WINAPI PostMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    Queue &q = queue();
    if (hwnd && !IsWindow(hwnd)) return FALSE;
    if (q.posted.size() >= kPostedLimit) return FALSE;
    q.posted.push_back(MSG{hwnd, msg, wp, lp, GetTickCount(), {}});
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    WindowRef w = ref(hwnd);
    return w ? call_proc(*w, msg, wp, lp, Delivery::Sent) : 0;
}

LRESULT WINAPI SendDlgItemMessageA(HWND dlg, int id, UINT msg, WPARAM wp, LPARAM lp)
{
    HWND item = GetDlgItem(dlg, id);
    return item ? SendMessageA(item, msg, wp, lp) : 0;
}

void WINAPI PostQuitMessage(int code)
{
    queue().quitPending = true;
    queue().quitCode = code;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max)
{
    if (!msg) return -1;
    bool windowFilter = hwnd && hwnd != reinterpret_cast<HWND>(-1);
    drv::Driver &d = drv::current();
    for (;;) {
        if (windowFilter && !IsWindow(hwnd)) return -1;
        d.checkpoint();
        if (retrieve(*msg, hwnd, min, max, true)) {
            queue().lastTime = msg->time;
            return msg->message != WM_QUIT;
        }
        d.wait(timers_next_due(hwnd, min, max), input_can_satisfy(min, max));
    }
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT flags)
{
    if (!msg) return FALSE;
    drv::current().checkpoint();
    if (!retrieve(*msg, hwnd, min, max, (flags & PM_REMOVE) != 0)) return FALSE;
    queue().lastTime = msg->time;
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG *msg)
{
    if (!msg || !msg->hwnd) return 0;   // thread messages have nobody to go to
    WindowRef w = ref(msg->hwnd);
    if (!w) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    return call_proc(*w, msg->message, msg->wParam, msg->lParam, Delivery::Posted);
}

DWORD WINAPI GetMessageTime(void) { return queue().lastTime; }
