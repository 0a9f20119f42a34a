// The menu bar and its drop-downs on the desktop: their layout and classic
// look, and the modal loop that tracks an open menu. The loop retrieves
// messages as any modal loop does, so a driver sees the program waiting for
// input while a menu is open; it takes the keyboard and the mouse for itself
// and dispatches everything else (timers and paints keep running).
#include "user32/compositor.h"
#include "user32/internal.h"
#include "user32/menu_internal.h"

#include "font/font.h"
#include "gdi32/brush.h"
#include "gdi32/frame.h"
#include "gdi32/gdiobj.h"
#include "gdi32/text.h"

#include <algorithm>
#include <cctype>

namespace user32 {
namespace {

// The classic metrics with "MS Sans Serif" 8 pt.
constexpr int kBarPad = 6;          // blank pixels each side of a bar item's text
constexpr int kPopupFrame = 3;      // a raised edge and a line of menu colour
constexpr int kItemHeight = 17;
constexpr int kSeparatorHeight = 8;
constexpr int kTextLeft = 18;       // room for a check mark before the text
constexpr int kTextRight = 18;      // room for a drop-down's arrow after it
constexpr int kAccelGap = 12;       // between the longest text and the key names
constexpr char kPopupClass[] = "#32768";

font::Face &menu_face() { return font::face_for("MS Sans Serif", -11, FW_NORMAL); }

uint32_t sys(int index) { return gdi::pixel_of(gdi::system_color(index)); }

int text_width(const std::string &s) { return menu_face().text_width(s.data(), static_cast<int>(s.size())); }

std::string accel_text(const std::string &text)
{
    size_t tab = text.find('\t');
    return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

bool selectable(const MenuItem &item) { return !(item.flags & MF_SEPARATOR); }
bool enabled(const MenuItem &item) { return !(item.flags & (MF_GRAYED | MF_DISABLED)); }

// A label vertically centred in [top, top + height): '&' prefixes become an
// underline under their letter; the text stops at a tab.
void draw_label(const gfx::Canvas &c, int x, int top, int height, const std::string &text, uint32_t ink,
                const gfx::Rect &clip)
{
    font::Face &f = menu_face();
    std::string plain;
    int underlineAt = -1, underlineWidth = 0;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && underlineAt < 0) {
                underlineAt = text_width(plain);
                underlineWidth = f.text_width(&text[i], 1);
            }
        }
        plain += text[i];
    }
    const int baseline = top + (height - f.height()) / 2 + f.metrics().ascent;
    gdi::draw_glyphs(c, f, x, baseline, plain.data(), static_cast<int>(plain.size()), ink, clip);
    if (underlineAt >= 0)
        gfx::fill_rect(c, {x + underlineAt, baseline + 1, x + underlineAt + underlineWidth, baseline + 2}, ink, clip);
}

// Greyed text is etched: a highlight copy one pixel down and right under the shadow-coloured text.
void draw_item_text(const gfx::Canvas &c, int x, int top, int height, const std::string &text, bool grey,
                    const gfx::Rect &clip)
{
    if (!grey) return draw_label(c, x, top, height, text, sys(COLOR_MENUTEXT), clip);
    draw_label(c, x + 1, top + 1, height, text, sys(COLOR_3DHILIGHT), clip);
    draw_label(c, x, top, height, text, sys(COLOR_3DSHADOW), clip);
}

// ---- layout ----

std::vector<gfx::Rect> bar_layout(const Menu &m, const gfx::Rect &bar)
{
    std::vector<gfx::Rect> rects;
    int x = bar.left;
    for (const MenuItem &item : m.items) {
        int w = text_width(menu_plain_text(item.text)) + 2 * kBarPad;
        rects.push_back({x, bar.top + 1, x + w, bar.bottom - 1});
        x += w;
    }
    return rects;
}

struct PopupLayout {
    std::vector<gfx::Rect> items;   // in the drop-down's own coordinates
    int accelX = 0;                 // where key names start
    SIZE size{};
};

PopupLayout popup_layout(const Menu &m)
{
    PopupLayout l;
    int textW = 0, accelW = 0;
    for (const MenuItem &item : m.items) {
        textW = std::max(textW, text_width(menu_plain_text(item.text)));
        accelW = std::max(accelW, text_width(accel_text(item.text)));
    }
    l.accelX = kPopupFrame + kTextLeft + textW + kAccelGap;
    int width = kPopupFrame * 2 + kTextLeft + textW + (accelW ? kAccelGap + accelW : 0) + kTextRight;
    int y = kPopupFrame;
    for (const MenuItem &item : m.items) {
        int h = selectable(item) ? kItemHeight : kSeparatorHeight;
        l.items.push_back({kPopupFrame, y, width - kPopupFrame, y + h});
        y += h;
    }
    l.size = SIZE{width, y + kPopupFrame};
    return l;
}

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
    int barSel = -1;
    std::vector<Level> open;   // drop-downs, outermost first
    bool done = false;
    bool chosen = false;
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

void draw_check(const gfx::Canvas &c, const gfx::Rect &item, uint32_t ink, const gfx::Rect &clip)
{
    // A tick seven pixels wide, three thick.
    const int x = item.left + 5, y = item.top + (item.height() - 7) / 2 + 2;
    for (int i = 0; i < 7; ++i) {
        int dy = i < 3 ? i : 4 - i;
        gfx::fill_rect(c, {x + i, y + dy, x + i + 1, y + dy + 3}, ink, clip);
    }
}

void draw_arrow(const gfx::Canvas &c, const gfx::Rect &item, uint32_t ink, const gfx::Rect &clip)
{
    const int x = item.right - 10, cy = item.top + item.height() / 2;
    for (int i = 0; i < 4; ++i) gfx::fill_rect(c, {x + i, cy - 3 + i, x + i + 1, cy + 4 - i}, ink, clip);
}

void render_popup(HWND popup)
{
    Window *w = find(popup);
    Level *l = level_of(popup);
    Menu *m = l ? find_menu(l->menu) : nullptr;
    if (!w || !m) return;
    const gfx::Canvas &c = w->surface.canvas;
    const gfx::Rect all = gfx::bounds(c);
    gfx::fill_rect(c, all, sys(COLOR_MENU), all);
    gdi::draw_edge(c, all, EDGE_RAISED, BF_RECT, all);
    PopupLayout lay = popup_layout(*m);
    for (size_t i = 0; i < m->items.size() && i < lay.items.size(); ++i) {
        const MenuItem &item = m->items[i];
        const gfx::Rect r = lay.items[i];
        if (!selectable(item)) {
            const int y = r.top + r.height() / 2 - 1;
            gfx::fill_rect(c, {r.left + 1, y, r.right - 1, y + 1}, sys(COLOR_3DSHADOW), all);
            gfx::fill_rect(c, {r.left + 1, y + 1, r.right - 1, y + 2}, sys(COLOR_3DHILIGHT), all);
            continue;
        }
        const bool hot = static_cast<int>(i) == l->sel, grey = !enabled(item);
        const std::string accel = accel_text(item.text);
        uint32_t ink = sys(COLOR_MENUTEXT);
        if (hot) {
            // A selected greyed item keeps grey text on the highlight, without the etch.
            gfx::fill_rect(c, r, sys(COLOR_HIGHLIGHT), all);
            ink = grey ? sys(COLOR_GRAYTEXT) : sys(COLOR_HIGHLIGHTTEXT);
            draw_label(c, r.left + kTextLeft, r.top, r.height(), item.text, ink, all);
            if (!accel.empty()) draw_label(c, lay.accelX, r.top, r.height(), accel, ink, all);
        } else {
            draw_item_text(c, r.left + kTextLeft, r.top, r.height(), item.text, grey, all);
            if (!accel.empty()) draw_item_text(c, lay.accelX, r.top, r.height(), accel, grey, all);
            if (grey) ink = sys(COLOR_3DSHADOW);
        }
        if (item.flags & MF_CHECKED) draw_check(c, r, ink, all);
        if (item.popup) draw_arrow(c, r, ink, all);
    }
    surface_changed(popup);
}

void paint_bar(HWND window, const gfx::Canvas &desk, const gfx::Rect &bar, const gfx::Rect &clip)
{
    Window *w = find(window);
    Menu *m = w ? find_menu(w->menu) : nullptr;
    if (!m) return;
    const Tracker &t = tracker();
    const gfx::Rect inBar = gfx::intersect(clip, bar);
    std::vector<gfx::Rect> rects = bar_layout(*m, bar);
    for (size_t i = 0; i < rects.size(); ++i) {
        const gfx::Rect &r = rects[i];
        // The item being tracked: pushed in while its drop-down is open (its
        // text moves with it), raised while the keyboard only points at it.
        const bool tracked = t.active && t.owner == window && t.barSel == static_cast<int>(i);
        if (tracked) gdi::draw_edge(desk, r, t.open.empty() ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT, inBar);
        const int shift = tracked && !t.open.empty() ? 1 : 0;
        draw_item_text(desk, r.left + kBarPad + shift, r.top + shift, r.height(), m->items[i].text,
                       !enabled(m->items[i]), inBar);
    }
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
        if (selectable(m.items[static_cast<size_t>(i)])) return i;
    }
    return -1;
}

// Shows `menu` as a drop-down with its top-left at `at`, kept on the desktop;
// `flipX` is where it goes instead when it would run off the right edge.
void push_popup(HMENU menu, POINT at, int flipX, bool selectFirst)
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
    SendMessageA(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    Menu *m = find_menu(menu);
    if (!m || !IsWindow(t.owner)) return;
    SIZE s = popup_layout(*m).size;
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

std::vector<gfx::Rect> owner_bar_items()
{
    Tracker &t = tracker();
    Window *w = find(t.owner);
    Menu *m = find_menu(t.bar);
    if (!w || !m) return {};
    RECT b = menu_bar_rect(*w);
    return bar_layout(*m, {b.left, b.top, b.right, b.bottom});
}

void select_bar(int i, bool openIt, bool selectFirst)
{
    Tracker &t = tracker();
    close_from(0);
    t.barSel = i;
    redraw_bar();
    Menu *m = find_menu(t.bar);
    if (!openIt || !m || i < 0 || i >= static_cast<int>(m->items.size())) return;
    const MenuItem &item = m->items[static_cast<size_t>(i)];
    std::vector<gfx::Rect> rects = owner_bar_items();
    if (!item.popup || rects.size() <= static_cast<size_t>(i)) return;
    const gfx::Rect r = rects[static_cast<size_t>(i)];
    push_popup(item.popup, POINT{r.left, r.bottom + 1}, r.right, selectFirst);
    redraw_bar();
}

RECT popup_item_desktop(const Level &l, int pos)
{
    Menu *m = find_menu(l.menu);
    Window *w = find(l.window);
    if (!m || !w || pos < 0 || pos >= static_cast<int>(m->items.size())) return RECT{};
    gfx::Rect r = popup_layout(*m).items[static_cast<size_t>(pos)];
    return RECT{w->rect.left + r.left, w->rect.top + r.top, w->rect.left + r.right, w->rect.top + r.bottom};
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
    push_popup(m->items[static_cast<size_t>(l.sel)].popup, POINT{parent.right - kPopupFrame, item.top - kPopupFrame},
               parent.left + kPopupFrame, selectFirst);
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
    if (!enabled(item)) return;
    if (item.popup) return open_submenu(level, fromKeyboard);
    t.chosen = true;
    t.command = item.id;
    t.done = true;
}

// ---- input ----

void key_down(UINT vk)
{
    Tracker &t = tracker();
    Menu *bar = find_menu(t.bar);
    const int barCount = bar ? static_cast<int>(bar->items.size()) : 0;
    const auto move_bar = [&](int dir) {
        if (barCount) select_bar(((t.barSel + dir) % barCount + barCount) % barCount, !t.open.empty(), true);
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
        if (!selectable(m->items[static_cast<size_t>(i)]) || menu_mnemonic(m->items[static_cast<size_t>(i)].text) != ch)
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
            if (PtInRect(&r, pt) && selectable(m->items[static_cast<size_t>(i)])) return Hit{lv, i, true};
        }
        return Hit{lv, -1, true};
    }
    std::vector<gfx::Rect> bar = owner_bar_items();
    for (size_t i = 0; i < bar.size(); ++i)
        if (bar[i].contains(pt.x, pt.y)) return Hit{-1, static_cast<int>(i), false};
    return Hit{};
}

void mouse(UINT msg, POINT pt)
{
    Tracker &t = tracker();
    Hit h = hit_test(pt);
    const bool down = msg == WM_LBUTTONDOWN || msg == WM_NCLBUTTONDOWN;
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

// Clears the tracking state however the loop ends (a test driver may unwind it).
struct Session {
    Session(HWND owner, HMENU bar)
    {
        Tracker &t = tracker();
        t = Tracker{};
        t.active = true;
        t.owner = owner;
        t.bar = bar;
    }
    ~Session() { tracker() = Tracker{}; }
};

void run_loop()
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
    UINT_PTR command = t.command;
    t.barSel = -1;
    if (IsWindow(owner)) {
        surface_changed(owner);
        SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
    }
    if (chosen && IsWindow(owner)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool begin(HWND window)
{
    Window *w = find(window);
    if (!w || w->child() || !find_menu(w->menu) || tracker().active) return false;
    return true;
}

void announce(HWND window)
{
    SendMessageA(window, WM_ENTERMENULOOP, FALSE, 0);
    SendMessageA(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window)), 0);
}

} // namespace

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
    for (const gfx::Rect &r : bar_layout(*m, {b.left, b.top, b.right, b.bottom}))
        out.push_back(RECT{r.left, r.top, r.right, r.bottom});
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
    announce(window);
    if (ch) select_bar(first, true, true);
    else select_bar(0, false, false);
    run_loop();
}

void menu_track_mouse(HWND window, POINT pt)
{
    if (!begin(window)) return;
    Session s(window, GetMenu(window));
    Hit h = hit_test(pt);
    if (h.pos < 0) return;
    announce(window);
    select_bar(h.pos, true, false);
    run_loop();
}

} // namespace user32
