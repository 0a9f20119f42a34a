// The menu bar and its drop-downs on the desktop: the modal loop that tracks
// an open menu, and the drop-down windows (menudraw.cpp draws them). The loop retrieves
// messages as any modal loop does, so a driver sees the program waiting for
// input while a menu is open; it takes the keyboard and the mouse for itself
// and dispatches everything else (timers and paints keep running).
#include "user32/compositor.h"
#include "user32/internal.h"
#include "user32/menudraw.h"

#include "gdi32/dc.h"

#include <algorithm>
#include <cctype>

namespace user32 {
namespace {

constexpr char kPopupClass[] = "#32768";
constexpr int kSystem = -2;   // the bar's selection when it is the system menu, left of the first item

// ---- tracking state ----

struct Level {
    HMENU menu = nullptr;
    HWND window = nullptr;   // its drop-down
    int sel = -1;
};

struct Tracker {
    bool active = false;
    HWND owner = nullptr;
    HMENU bar = nullptr;
    HMENU sys = nullptr;   // the owner's system menu, when it shows one
    int barSel = -1;
    std::vector<Level> open;   // drop-downs, outermost first
    bool done = false;
    bool chosen = false;
    bool systemCommand = false;   // chosen from the system menu: WM_SYSCOMMAND
    UINT_PTR command = 0;
};

Tracker &tracker()
{
    static Tracker t;
    return t;
}

Level *level_of(HWND popup)
{
    for (Level &l : tracker().open)
        if (l.window == popup) return &l;
    return nullptr;
}

// ---- drawing ----

void render_popup(HWND popup)
{
    Window *w = find(popup);
    Level *l = level_of(popup);
    Menu *m = l ? find_menu(l->menu) : nullptr;
    if (!w || !m) return;
    menu_draw_popup(w->surface.canvas, *m, l->sel);
    surface_changed(popup);
}

void paint_bar(HWND window, const raster::Canvas &desk, const raster::Rect &bar, const raster::Rect &clip)
{
    Window *w = find(window);
    Menu *m = w ? find_menu(w->menu) : nullptr;
    if (!m) return;
    const Tracker &t = tracker();
    const bool tracking = t.active && t.owner == window;
    menu_draw_bar(desk, *m, bar, clip, tracking ? t.barSel : -1, !t.open.empty());
}

LRESULT CALLBACK PopupMenuWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        render_popup(hwnd);
        return 0;
    }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// ---- opening and closing ----

void redraw_bar()
{
    if (tracker().bar) surface_changed(tracker().owner);
}

void close_from(size_t level)
{
    Tracker &t = tracker();
    while (t.open.size() > level) {
        HWND w = t.open.back().window;
        t.open.pop_back();
        DestroyWindow(w);
    }
}

// The next item that can be selected from `from` in direction `dir`, round
// the ends; from -1 the first (or last). -1 when there is none.
int step(const Menu &m, int from, int dir)
{
    int n = static_cast<int>(m.items.size()), i = from;
    for (int k = 0; k < n; ++k) {
        i = i < 0 ? (dir > 0 ? 0 : n - 1) : ((i + dir) % n + n) % n;
        if (menu_item_selectable(m.items[static_cast<size_t>(i)])) return i;
    }
    return -1;
}

// Shows `menu` as a drop-down with its top-left at `at`, kept on the desktop;
// `flipX` is where it goes instead when it would run off the right edge.
void push_popup(HMENU menu, POINT at, int flipX, bool selectFirst, bool system = false)
{
    Tracker &t = tracker();
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = PopupMenuWndProc;
        wc.lpszClassName = kPopupClass;
        register_system_class(wc);
        registered = true;
    }
    SendMessageA(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, system));
    Menu *m = find_menu(menu);
    if (!m || !IsWindow(t.owner)) return;
    SIZE s = menu_popup_layout(*m).size;
    RECT wa = work_area();
    if (at.x + s.cx > wa.right) at.x = std::max(wa.left, flipX - s.cx);
    if (at.y + s.cy > wa.bottom) at.y = std::max(wa.top, wa.bottom - s.cy);
    HWND w = CreateWindowExA(WS_EX_TOOLWINDOW, kPopupClass, "", WS_POPUP, at.x, at.y, s.cx, s.cy, t.owner, nullptr,
                             nullptr, nullptr);
    if (!w) return;
    t.open.push_back(Level{menu, w, selectFirst ? step(*m, -1, 1) : -1});
    ShowWindow(w, SW_SHOWNA);
    render_popup(w);
}

std::vector<raster::Rect> owner_bar_items()
{
    Tracker &t = tracker();
    Window *w = find(t.owner);
    Menu *m = find_menu(t.bar);
    if (!w || !m) return {};
    RECT b = menu_bar_rect(*w);
    return menu_bar_layout(*m, gdi::to_canvas(b));
}

// The system menu drops down from its place at the caption's left.
void open_system(bool selectFirst)
{
    Tracker &t = tracker();
    const Window *w = find(t.owner);
    if (!w || !t.sys) return;
    menu_init_system(t.owner);
    const RECT in = nonclient_insets(w->style, w->exStyle & ~WS_EX_CLIENTEDGE, false);
    const POINT at{w->rect.left + in.left, w->rect.top + in.top};   // below the caption
    push_popup(t.sys, at, at.x, selectFirst, true);
}

void select_bar(int i, bool openIt, bool selectFirst)
{
    Tracker &t = tracker();
    close_from(0);
    t.barSel = i;
    redraw_bar();
    if (i == kSystem) {
        if (openIt) open_system(selectFirst);
        return;
    }
    Menu *m = find_menu(t.bar);
    if (!openIt || !m || i < 0 || i >= static_cast<int>(m->items.size())) return;
    const MenuItem &item = m->items[static_cast<size_t>(i)];
    std::vector<raster::Rect> rects = owner_bar_items();
    if (!item.popup || rects.size() <= static_cast<size_t>(i)) return;
    const raster::Rect r = rects[static_cast<size_t>(i)];
    push_popup(item.popup, POINT{r.left, r.bottom + 1}, r.right, selectFirst);
    redraw_bar();
}

RECT popup_item_desktop(const Level &l, int pos)
{
    Menu *m = find_menu(l.menu);
    Window *w = find(l.window);
    if (!m || !w || pos < 0 || pos >= static_cast<int>(m->items.size())) return RECT{};
    raster::Rect r = menu_popup_layout(*m).items[static_cast<size_t>(pos)];
    return win_rect(raster::offset(r, w->rect.left, w->rect.top));
}

void select_item(size_t level, int pos)
{
    Tracker &t = tracker();
    if (level >= t.open.size()) return;
    close_from(level + 1);
    t.open[level].sel = pos;
    render_popup(t.open[level].window);
}

void open_submenu(size_t level, bool selectFirst)
{
    Tracker &t = tracker();
    Level l = t.open[level];
    Menu *m = find_menu(l.menu);
    if (!m || l.sel < 0 || !m->items[static_cast<size_t>(l.sel)].popup) return;
    close_from(level + 1);
    RECT item = popup_item_desktop(l, l.sel);
    RECT parent = find(l.window)->rect;
    push_popup(m->items[static_cast<size_t>(l.sel)].popup,
               POINT{parent.right - kMenuPopupFrame, item.top - kMenuPopupFrame}, parent.left + kMenuPopupFrame,
               selectFirst);
}

// An item chosen by Enter, a click or its mnemonic: a drop-down opens, a
// command ends the menu, a greyed or disabled item does nothing.
void activate_item(size_t level, bool fromKeyboard)
{
    Tracker &t = tracker();
    const Level &l = t.open[level];
    Menu *m = find_menu(l.menu);
    if (!m || l.sel < 0) return;
    const MenuItem &item = m->items[static_cast<size_t>(l.sel)];
    if (!menu_item_enabled(item)) return;
    if (item.popup) return open_submenu(level, fromKeyboard);
    t.chosen = true;
    t.systemCommand = t.open.front().menu == t.sys;
    t.command = item.id;
    t.done = true;
}

// ---- input ----

void key_down(UINT vk)
{
    Tracker &t = tracker();
    Menu *bar = find_menu(t.bar);
    // The system menu comes before the bar's first item, round both ends.
    std::vector<int> places;
    if (t.sys) places.push_back(kSystem);
    for (int i = 0; bar && i < static_cast<int>(bar->items.size()); ++i) places.push_back(i);
    const auto move_bar = [&](int dir) {
        const auto n = static_cast<int>(places.size());
        const auto at = static_cast<int>(std::find(places.begin(), places.end(), t.barSel) - places.begin());
        if (n) select_bar(places[static_cast<size_t>(((at + dir) % n + n) % n)], !t.open.empty(), true);
    };
    switch (vk) {
    case VK_MENU:
    case VK_F10:
        t.done = true;
        break;
    case VK_ESCAPE:
        // One level at a time; the bar stays selected after its drop-down closes.
        if (t.open.empty() || (!bar && t.open.size() == 1)) t.done = true;
        else close_from(t.open.size() - 1), redraw_bar();
        break;
    case VK_LEFT:
        if (t.open.size() > 1) close_from(t.open.size() - 1);
        else move_bar(-1);
        break;
    case VK_RIGHT: {
        if (!t.open.empty()) {
            const Level &l = t.open.back();
            Menu *m = find_menu(l.menu);
            if (m && l.sel >= 0 && m->items[static_cast<size_t>(l.sel)].popup) {
                open_submenu(t.open.size() - 1, true);
                break;
            }
        }
        move_bar(1);
        break;
    }
    case VK_UP:
    case VK_DOWN:
        if (t.open.empty()) {
            select_bar(t.barSel, true, true);
        } else {
            Menu *m = find_menu(t.open.back().menu);
            if (m) select_item(t.open.size() - 1, step(*m, t.open.back().sel, vk == VK_DOWN ? 1 : -1));
        }
        break;
    case VK_RETURN:
        if (t.open.empty()) select_bar(t.barSel, true, true);
        else activate_item(t.open.size() - 1, true);
        break;
    }
}

// A letter: the item with that mnemonic in the innermost open menu (the bar
// when nothing is open). One match is chosen; several are stepped through.
void mnemonic(unsigned char ch)
{
    Tracker &t = tracker();
    ch = static_cast<unsigned char>(std::tolower(ch));
    HMENU menu = t.open.empty() ? t.bar : t.open.back().menu;
    Menu *m = find_menu(menu);
    if (!m) return;
    int from = t.open.empty() ? t.barSel : t.open.back().sel;
    int n = static_cast<int>(m->items.size()), first = -1, matches = 0;
    for (int k = 1; k <= n; ++k) {
        int i = ((from + k) % n + n) % n;
        if (!menu_item_selectable(m->items[static_cast<size_t>(i)]) ||
            menu_mnemonic(m->items[static_cast<size_t>(i)].text) != ch)
            continue;
        if (first < 0) first = i;
        ++matches;
    }
    if (first < 0) {
        MessageBeep(0);
        return;
    }
    if (t.open.empty()) return select_bar(first, true, true);
    select_item(t.open.size() - 1, first);
    if (matches == 1) activate_item(t.open.size() - 1, true);
}

// What a desktop point is over: a drop-down's item (level, pos), a bar item
// (level -1, pos), or nothing (pos -1).
struct Hit {
    int level = -1;
    int pos = -1;
    bool inPopup = false;
};

Hit hit_test(POINT pt)
{
    Tracker &t = tracker();
    for (int lv = static_cast<int>(t.open.size()) - 1; lv >= 0; --lv) {
        const Level &l = t.open[static_cast<size_t>(lv)];
        Window *w = find(l.window);
        if (!w || !PtInRect(&w->rect, pt)) continue;
        Menu *m = find_menu(l.menu);
        for (int i = 0; m && i < static_cast<int>(m->items.size()); ++i) {
            RECT r = popup_item_desktop(l, i);
            if (PtInRect(&r, pt) && menu_item_selectable(m->items[static_cast<size_t>(i)])) return Hit{lv, i, true};
        }
        return Hit{lv, -1, true};
    }
    std::vector<raster::Rect> bar = owner_bar_items();
    for (size_t i = 0; i < bar.size(); ++i)
        if (bar[i].contains(pt.x, pt.y)) return Hit{-1, static_cast<int>(i), false};
    return Hit{};
}

void mouse(UINT msg, POINT pt)
{
    Tracker &t = tracker();
    Hit h = hit_test(pt);
    const bool down =
        msg == WM_LBUTTONDOWN || msg == WM_NCLBUTTONDOWN || msg == WM_LBUTTONDBLCLK || msg == WM_NCLBUTTONDBLCLK;
    const bool up = msg == WM_LBUTTONUP || msg == WM_NCLBUTTONUP;
    const bool move = msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE;
    if (h.level < 0 && h.pos >= 0) {
        // The bar: a press on the open item closes the menu, on another opens it;
        // moving over another item while a drop-down is open switches to it.
        if (down && h.pos == t.barSel && !t.open.empty()) t.done = true;
        else if (down || (move && !t.open.empty() && h.pos != t.barSel)) select_bar(h.pos, true, false);
        return;
    }
    if (h.inPopup) {
        if (h.pos < 0) return;
        const auto lv = static_cast<size_t>(h.level);
        if ((move || down) && t.open[lv].sel != h.pos) select_item(lv, h.pos);
        if (move || down) {
            Menu *m = find_menu(t.open[lv].menu);
            if (m && m->items[static_cast<size_t>(h.pos)].popup && t.open.size() == lv + 1) open_submenu(lv, false);
        }
        if (up) activate_item(lv, false);
        return;
    }
    // A press anywhere else puts the menu away.
    if (down) t.done = true;
}

bool is_mouse(UINT msg)
{
    return (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || (msg >= WM_NCMOUSEMOVE && msg <= WM_NCMBUTTONUP);
}

POINT desktop_point(const MSG &m)
{
    POINT p{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
    if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ClientToScreen(m.hwnd, &p);
    return p;
}

// The system menu a window shows at its caption's left: WS_SYSMENU with a caption.
HMENU system_menu_of(HWND window)
{
    const Window *w = find(window);
    if (!w || w->child() || !(w->style & WS_SYSMENU) || (w->style & WS_CAPTION) != WS_CAPTION) return nullptr;
    return GetSystemMenu(window, FALSE);
}

// Clears the tracking state however the loop ends (a test driver may unwind it).
struct Session {
    Session(HWND owner, HMENU bar)
    {
        Tracker &t = tracker();
        t = Tracker{};
        t.active = true;
        t.owner = owner;
        t.bar = bar;
        t.sys = system_menu_of(owner);
    }
    ~Session() { tracker() = Tracker{}; }
};

UINT_PTR run_loop(bool post = true)
{
    Tracker &t = tracker();
    SetCapture(t.owner);
    MSG m;
    while (!t.done) {
        if (!IsWindow(t.owner) || !IsWindowVisible(t.owner) || !IsWindowEnabled(t.owner)) break;
        BOOL got = GetMessageA(&m, nullptr, 0, 0);
        if (got == 0) {
            // A modal loop hands the quit request on to the program's own loop.
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        if (got < 0) break;
        switch (m.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            TranslateMessage(&m);
            key_down(static_cast<UINT>(m.wParam));
            continue;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            continue;
        case WM_CHAR:
        case WM_SYSCHAR:
            mnemonic(static_cast<unsigned char>(m.wParam));
            continue;
        }
        if (is_mouse(m.message)) {
            mouse(m.message, desktop_point(m));
            continue;
        }
        DispatchMessageA(&m);
    }
    close_from(0);
    if (GetCapture() == t.owner) ReleaseCapture();
    HWND owner = t.owner;
    bool chosen = t.chosen;
    const bool systemCommand = t.systemCommand;
    UINT_PTR command = t.command;
    t.barSel = -1;
    if (IsWindow(owner)) {
        surface_changed(owner);
        SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
    }
    if (chosen && post && IsWindow(owner) && systemCommand) PostMessageA(owner, WM_SYSCOMMAND, command, 0);
    else if (chosen && post && IsWindow(owner)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return chosen ? command : 0;
}

bool begin(HWND window)
{
    Window *w = find(window);
    if (!w || w->child() || !find_menu(w->menu) || tracker().active) return false;
    return true;
}

void announce(HWND window, HMENU menu)
{
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
}

}   // namespace

void menu_install_bar_painter()
{
    static bool installed = false;
    if (!installed) set_menu_bar_painter(paint_bar);
    installed = true;
}

RECT menu_bar_rect(const Window &w)
{
    if (w.child() || !w.menu) return RECT{};
    // Below the frame and the caption, across the frame's inside.
    RECT in = nonclient_insets(w.style, w.exStyle & ~WS_EX_CLIENTEDGE, false);
    return RECT{w.rect.left + in.left, w.rect.top + in.top, w.rect.right - in.left,
                w.rect.top + in.top + GetSystemMetrics(SM_CYMENU)};
}

std::vector<RECT> menu_bar_item_rects(HWND window)
{
    Window *w = find(window);
    Menu *m = w && !w->child() ? find_menu(w->menu) : nullptr;
    if (!m) return {};
    RECT b = menu_bar_rect(*w);
    std::vector<RECT> out;
    for (const raster::Rect &r : menu_bar_layout(*m, gdi::to_canvas(b))) out.push_back(win_rect(r));
    return out;
}

std::vector<HWND> open_menu_popups()
{
    std::vector<HWND> out;
    for (const Level &l : tracker().open) out.push_back(l.window);
    return out;
}

RECT menu_popup_item_rect(HWND popup, int pos)
{
    Level *l = level_of(popup);
    return l ? popup_item_desktop(*l, pos) : RECT{};
}

HMENU menu_of_popup(HWND popup)
{
    Level *l = level_of(popup);
    return l ? l->menu : nullptr;
}

void menu_track_keyboard(HWND window, unsigned char key)
{
    if (key == ' ') return menu_track_system(window, false);
    if (!begin(window)) return;
    HMENU bar = GetMenu(window);
    unsigned char ch = static_cast<unsigned char>(std::tolower(key));
    int first = -1;
    if (ch) {
        // Alt+letter opens the bar item with that mnemonic, or only beeps.
        Menu *m = find_menu(bar);
        for (size_t i = 0; i < m->items.size() && first < 0; ++i)
            if (menu_mnemonic(m->items[i].text) == ch) first = static_cast<int>(i);
        if (first < 0) {
            MessageBeep(0);
            return;
        }
    }
    Session s(window, bar);
    announce(window, GetMenu(window));
    if (ch) select_bar(first, true, true);
    else select_bar(0, false, false);
    run_loop();
}

UINT_PTR menu_track_popup(HMENU menu, POINT pt, HWND owner, bool returnCommand)
{
    if (!IsWindow(owner) || !find_menu(menu) || tracker().active) return 0;
    Session s(owner, nullptr);
    SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
    push_popup(menu, pt, pt.x, false);
    return tracker().open.empty() ? 0 : run_loop(!returnCommand);
}

void menu_track_mouse(HWND window, POINT pt)
{
    if (!begin(window)) return;
    Session s(window, GetMenu(window));
    Hit h = hit_test(pt);
    if (h.pos < 0) return;
    announce(window, GetMenu(window));
    select_bar(h.pos, true, false);
    run_loop();
}

void menu_track_system(HWND window, bool byMouse)
{
    const Window *w = find(window);
    if (!w || w->child() || tracker().active || !system_menu_of(window)) return;
    Session s(window, find_menu(w->menu) ? w->menu : nullptr);
    announce(window, tracker().sys);
    select_bar(kSystem, true, !byMouse);
    run_loop();
}

void menu_cancel(HWND owner)
{
    Tracker &t = tracker();
    if (!t.active || t.owner != owner || t.done) return;
    t.done = true;
    PostMessageA(owner, WM_NULL, 0, 0);   // the loop may be waiting: it wakes and ends
}

}   // namespace user32
