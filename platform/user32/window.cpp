// Window objects: handles, the tree, creation and destruction, window longs.
#include "user32/compositor.h"
#include "user32/internal.h"

#include "driver/driver.h"

#include <algorithm>
#include <unordered_map>

namespace user32 {
namespace {

struct Manager {
    // Handles are never reused, so a stale one can only ever miss.
    uintptr_t nextHandle = 0x10010;
    std::unordered_map<HWND, WindowRef> windows;
    std::vector<HWND> topLevel;   // z-order, topmost first
};

Manager &mgr()
{
    static Manager m;
    return m;
}

void unlink(Window &w)
{
    auto &list = siblings_of(w);
    list.erase(std::remove(list.begin(), list.end(), w.handle), list.end());
}

// Rectangle of a new top-level window: CW_USEDEFAULT puts it at the top left of
// the work area with three quarters of its size (Windows cascades; one place is
// enough on a virtual desktop).
RECT initial_rect(bool child, int x, int y, int cx, int cy)
{
    if (!child) {
        RECT wa = work_area();
        if (x == CW_USEDEFAULT) x = y = 0;
        if (cx == CW_USEDEFAULT) {
            cx = (wa.right - wa.left) * 3 / 4;
            cy = (wa.bottom - wa.top) * 3 / 4;
        }
    } else {
        if (x == CW_USEDEFAULT) x = y = 0;
        if (cx == CW_USEDEFAULT) cx = cy = 0;
    }
    return RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
}

void destroy_tree_messages(HWND hwnd)
{
    // WM_DESTROY goes to the window first, then to its children as they go.
    WindowRef w = ref(hwnd);
    if (!w) return;
    call_proc(*w, WM_DESTROY, 0, 0, Delivery::Sent);
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) destroy_tree_messages(k);
}

void remove_tree(HWND hwnd)
{
    WindowRef w = ref(hwnd);
    if (!w) return;
    std::vector<HWND> kids = w->children;
    for (HWND k : kids) remove_tree(k);
    call_proc(*w, WM_NCDESTROY, 0, 0, Delivery::Sent);
    timers_forget_window(hwnd);
    queue_forget_window(hwnd);
    compositor_forget_window(hwnd);
    unlink(*w);
    mgr().windows.erase(hwnd);
}

}   // namespace

Window *find(HWND hwnd)
{
    auto it = mgr().windows.find(hwnd);
    return it == mgr().windows.end() ? nullptr : it->second.get();
}

WindowRef ref(HWND hwnd)
{
    auto it = mgr().windows.find(hwnd);
    return it == mgr().windows.end() ? nullptr : it->second;
}

const std::vector<HWND> &top_level_windows() { return mgr().topLevel; }

// A child's parent outlives it: DestroyWindow takes the children first.
std::vector<HWND> &siblings_of(const Window &w)
{
    // NOLINTNEXTLINE(clang-analyzer-core.uninitialized.UndefReturn)
    return w.child() ? find(w.parent)->children : mgr().topLevel;
}

void for_each_window(const std::function<void(Window &)> &fn)
{
    std::function<void(HWND)> walk = [&](HWND h) {
        WindowRef w = ref(h);
        if (!w) return;
        fn(*w);
        std::vector<HWND> kids = w->children;
        for (HWND k : kids) walk(k);
    };
    std::vector<HWND> tops = mgr().topLevel;
    for (HWND t : tops) walk(t);
}

bool in_subtree(HWND root, HWND hwnd)
{
    for (Window *w = find(hwnd); w; w = w->child() ? find(w->parent) : nullptr)
        if (w->handle == root) return true;
    return false;
}

HWND top_level_of(HWND hwnd)
{
    Window *w = find(hwnd);
    while (w && w->child()) w = find(w->parent);
    return w ? w->handle : nullptr;
}

bool really_visible(const Window &w)
{
    for (const Window *p = &w; p; p = p->child() ? find(p->parent) : nullptr)
        if (!(p->style & WS_VISIBLE)) return false;
    return true;
}

}   // namespace user32

using namespace user32;

HWND user32::create_window(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                           int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param,
                           void (*prepare)(Window &, const void *), const void *prepareData)
{
    std::shared_ptr<WindowClass> cls = find_class(className);
    if (!cls) return nullptr;
    bool child = (style & WS_CHILD) != 0;
    if (child && !find(parent)) return nullptr;

    auto w = std::make_shared<Window>();
    w->handle = reinterpret_cast<HWND>(mgr().nextHandle);
    mgr().nextHandle += 4;
    w->cls = cls;
    w->proc = cls->proc;
    w->instance = instance;
    w->style = style & ~WS_VISIBLE;   // shown at the end, once it exists
    w->exStyle = exStyle;
    if (windowName && !IS_INTRESOURCE(windowName)) w->text = windowName;
    w->extra.assign(static_cast<size_t>(std::max(cls->wndExtra, 0)), 0);
    w->rect = initial_rect(child, x, y, cx, cy);
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
    } else {
        // An owner is always a top-level window.
        w->owner = top_level_of(parent);
        w->menu = menu;
    }
    if (prepare) prepare(*w, prepareData);
    RECT cr = client_rect_in_window(*w);
    w->surface.resize(cr.right - cr.left, cr.bottom - cr.top);

    HWND h = w->handle;
    mgr().windows[h] = w;
    // A new child goes to the bottom of its siblings; a new top-level window to the top.
    if (child) find(parent)->children.push_back(h);
    else mgr().topLevel.insert(mgr().topLevel.begin(), h);

    CREATESTRUCTA cs{param,      instance,  menu,   parent, cy, cx, y, x, static_cast<LONG>(style),
                     windowName, className, exStyle};
    if (!SendMessageA(h, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) ||
        SendMessageA(h, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(h);
        return nullptr;
    }
    if (!IsWindow(h)) return nullptr;
    SendMessageA(h, WM_SIZE, 0, MAKELPARAM(w->surface.canvas.width, w->surface.canvas.height));
    const RECT c = client_rect_in_window(*w);   // WM_MOVE tells where the client area is
    SendMessageA(h, WM_MOVE, 0, MAKELPARAM(w->rect.left + c.left, w->rect.top + c.top));
    if ((style & WS_VISIBLE) && IsWindow(h)) ShowWindow(h, SW_SHOW);
    return IsWindow(h) ? h : nullptr;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                            int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    return create_window(exStyle, className, windowName, style, x, y, cx, cy, parent, menu, instance, param, nullptr,
                         nullptr);
}

BOOL WINAPI DestroyWindow(HWND hwnd)
{
    WindowRef w = ref(hwnd);
    if (!w || w->destroying) return FALSE;
    // Owned windows go first, as on Windows.
    std::vector<HWND> owned;
    for (HWND t : mgr().topLevel)
        if (find(t)->owner == hwnd) owned.push_back(t);
    for (HWND o : owned) DestroyWindow(o);

    bool wasActive = GetActiveWindow() == hwnd;
    for_each_window([&](Window &x) {
        if (in_subtree(hwnd, x.handle)) x.destroying = true;
    });
    w->style &= ~WS_VISIBLE;
    focus_window_leaving(hwnd);
    destroy_tree_messages(hwnd);
    remove_tree(hwnd);
    if (wasActive) activate_after_leaving(w->owner);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hwnd) { return find(hwnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hwnd)
{
    Window *w = find(hwnd);
    return w && really_visible(*w);
}

BOOL WINAPI IsWindowEnabled(HWND hwnd)
{
    Window *w = find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) { return hwnd != parent && find(parent) && in_subtree(parent, hwnd); }

HWND WINAPI GetParent(HWND hwnd)
{
    // For a top-level window, Windows answers its owner.
    Window *w = find(hwnd);
    if (!w) return nullptr;
    return w->child() ? w->parent : w->owner;
}

HWND WINAPI GetDlgItem(HWND dlg, int id)
{
    Window *d = find(dlg);
    if (!d) return nullptr;
    for (HWND k : d->children)
        if (find(k)->id == id) return k;
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hwnd)
{
    Window *w = find(hwnd);
    return w && w->child() ? static_cast<int>(w->id) : 0;
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index)
{
    Window *w = find(hwnd);
    if (!w) return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_ID:
        return w->id;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
    case GWLP_USERDATA:
        return w->userData;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) return 0;
    LONG_PTR v;
    std::copy_n(w->extra.data() + index, sizeof v, reinterpret_cast<BYTE *>(&v));
    return v;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value)
{
    Window *w = find(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtrA(hwnd, index);
    switch (index) {
    case GWL_STYLE:
        w->style = static_cast<DWORD>(value);
        return old;
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(value);
        return old;
    case GWLP_ID:
        w->id = value;
        return old;
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(value);
        return old;
    case GWLP_USERDATA:
        w->userData = value;
        return old;
    }
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > w->extra.size()) return 0;
    std::copy_n(reinterpret_cast<const BYTE *>(&value), sizeof value, w->extra.data() + index);
    return old;
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) { return static_cast<LONG>(GetWindowLongPtrA(hwnd, index)); }

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value)
{
    return static_cast<LONG>(SetWindowLongPtrA(hwnd, index, value));
}
