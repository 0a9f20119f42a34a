// Keyboard and mouse actions, and the lookups that aim them at windows.
#include "testing/actions.h"

#include "driver/driver.h"
#include "testing/menu_entries.h"
#include "user32/menu_internal.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace actions {
namespace {

using Region = std::vector<RECT>;

void subtract(Region &region, const RECT &hole)
{
    Region out;
    for (const RECT &r : region) {
        RECT i;
        if (!IntersectRect(&i, &r, &hole)) {
            out.push_back(r);
            continue;
        }
        if (r.top < i.top) out.push_back(RECT{r.left, r.top, r.right, i.top});
        if (i.bottom < r.bottom) out.push_back(RECT{r.left, i.bottom, r.right, r.bottom});
        if (r.left < i.left) out.push_back(RECT{r.left, i.top, i.left, i.bottom});
        if (i.right < r.right) out.push_back(RECT{i.right, i.top, r.right, i.bottom});
    }
    region = std::move(out);
}

void clip(Region &region, const RECT &to)
{
    Region out;
    for (const RECT &r : region) {
        RECT i;
        if (IntersectRect(&i, &r, &to)) out.push_back(i);
    }
    region = std::move(out);
}

RECT client_on_desktop(const user32::Window &w)
{
    RECT c = user32::client_rect_in_window(w);
    POINT o = user32::client_origin_on_desktop(w);
    return RECT{o.x, o.y, o.x + c.right - c.left, o.y + c.bottom - c.top};
}

// Whether a sibling above hides what lies below it. A group box does not: it
// answers HTTRANSPARENT, so clicks pass through it to what it frames.
bool hides(HWND sibling)
{
    user32::Window *s = user32::find(sibling);
    if (!s || !(s->style & WS_VISIBLE)) return false;
    RECT r;
    GetWindowRect(sibling, &r);
    POINT c{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    return SendMessageA(sibling, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)) != HTTRANSPARENT;
}

// What of `start` (desktop coordinates, inside `window`) shows: cut to every
// ancestor's client area and the desktop, less every sibling above the window
// or above one of its ancestors, and every top-level window above its own.
Region visible_part(HWND window, const RECT &start)
{
    Region region{start};
    for (HWND at = window; at;) {
        user32::Window *w = user32::find(at);
        const std::vector<HWND> &siblings =
            w->child() ? user32::find(w->parent)->children : user32::top_level_windows();
        for (HWND s : siblings) {
            if (s == at) break;
            RECT r;
            if (hides(s) && GetWindowRect(s, &r)) subtract(region, r);
        }
        if (!w->child()) break;
        at = w->parent;
        clip(region, client_on_desktop(*user32::find(at)));
    }
    SIZE d = drv::current().desktop_size();
    clip(region, RECT{0, 0, d.cx, d.cy});
    return region;
}

}   // namespace

void click(POINT desktop)
{
    user32::input_forget_click();
    drv::mouse_button(desktop, drv::Button::Left, true);
    drv::mouse_button(desktop, drv::Button::Left, false);
}

void key(UINT vk)
{
    drv::key(vk, true);
    drv::key(vk, false);
}

void key(UINT vk, UINT modifier)
{
    drv::key(modifier, true);
    key(vk);
    drv::key(modifier, false);
}

void type(const std::string &text)
{
    for (char c : text) {
        UINT vk;
        bool shift;
        auto ch = static_cast<unsigned char>(c);
        if (!user32::vk_for_char(ch, vk, shift)) drv::character(ch);
        else if (shift) key(vk, VK_SHIFT);
        else key(vk);
    }
}

bool reachable_point(HWND window, const RECT *part, POINT &out, std::string &why)
{
    user32::Window *w = user32::find(window);
    if (!w) return why = "no such window", false;
    if (!user32::really_visible(*w)) return why = "it is hidden", false;
    RECT target;
    GetWindowRect(window, &target);
    if (part) {
        RECT c = client_on_desktop(*w);
        RECT p = *part;
        OffsetRect(&p, c.left, c.top);
        if (!IntersectRect(&target, &p, &c)) return why = "the part lies outside its client area", false;
    }
    POINT centre{(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    long best = LONG_MAX;
    for (const RECT &r : visible_part(window, target)) {
        POINT p{std::clamp(centre.x, r.left, r.right - 1), std::clamp(centre.y, r.top, r.bottom - 1)};
        long dx = p.x - centre.x, dy = p.y - centre.y;
        if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, out = p;
    }
    if (best == LONG_MAX) return why = "it is wholly covered", false;
    return true;
}

bool list_item_point(HWND list, int index, POINT &out, int &arrows, std::string &why)
{
    user32::Window *w = user32::find(list);
    if (!w || w->cls != user32::find_class("LISTBOX")) return why = "it is no list box", false;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (index < 0 || index >= count) return why = "it has " + std::to_string(count) + " items", false;
    int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
    int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    RECT client;
    GetClientRect(list, &client);
    int row = index - top;
    arrows = 0;
    if (row < 0 || row * height >= client.bottom) {
        arrows = row;   // from the first item in view
        row = 0;
    }
    RECT item{0, row * height, client.right, (row + 1) * height};
    return reachable_point(list, &item, out, why);
}

void select_list_item(POINT at, int arrows)
{
    click(at);
    for (int i = 0; i < std::abs(arrows); ++i) key(arrows > 0 ? VK_DOWN : VK_UP);
}

namespace {

std::string plain_text(HMENU menu, int pos)
{
    user32::Menu *m = user32::find_menu(menu);
    return m ? user32::menu_plain_text(m->items.at(static_cast<size_t>(pos)).text) : std::string();
}

int position_of(HMENU menu, const std::string &text)
{
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i)
        if (!script::menu_separator(menu, i) && plain_text(menu, i) == text) return i;
    return -1;
}

POINT centre(const RECT &r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

}   // namespace

bool find_menu_item(HWND window, const std::string &top, const std::string &item, MenuChoice &out, std::string &why)
{
    HMENU bar = GetMenu(window);
    if (!bar) return why = "the window has no menu", false;
    int t = position_of(bar, top);
    HMENU dropDown = t < 0 ? nullptr : GetSubMenu(bar, t);
    if (!dropDown) return why = "the menu bar has no drop-down \"" + top + "\"", false;
    int i = position_of(dropDown, item);
    if (i < 0) return why = "the drop-down \"" + top + "\" has no item \"" + item + "\"", false;
    UINT state = GetMenuState(dropDown, i, MF_BYPOSITION);
    if (state & (MF_GRAYED | MF_DISABLED)) return why = "the item \"" + item + "\" is greyed", false;
    if (state & MF_POPUP) return why = "the item \"" + item + "\" opens a further drop-down", false;
    out = MenuChoice{window, t, dropDown, i};
    return true;
}

bool find_menu_item(HWND window, const std::string &topAndItem, MenuChoice &out, std::string &why)
{
    HMENU bar = GetMenu(window);
    for (size_t blank = topAndItem.find(' '); bar && blank != std::string::npos;
         blank = topAndItem.find(' ', blank + 1)) {
        std::string top = topAndItem.substr(0, blank);
        if (position_of(bar, top) >= 0) return find_menu_item(window, top, topAndItem.substr(blank + 1), out, why);
    }
    why = bar ? "no drop-down on the menu bar begins \"" + topAndItem + "\"" : "the window has no menu";
    return false;
}

bool menu_bar_point(const MenuChoice &choice, POINT &out, std::string &why)
{
    std::vector<RECT> items = user32::menu_bar_item_rects(choice.window);
    if (choice.top < 0 || choice.top >= static_cast<int>(items.size())) return why = "the menu bar is gone", false;
    out = centre(items[static_cast<size_t>(choice.top)]);
    return true;
}

bool menu_item_point(const MenuChoice &choice, POINT &out, std::string &why)
{
    for (HWND popup : user32::open_menu_popups()) {
        if (user32::menu_of_popup(popup) != choice.dropDown) continue;
        RECT r = user32::menu_popup_item_rect(popup, choice.item);
        if (IsRectEmpty(&r)) break;
        out = centre(r);
        return true;
    }
    return why = "the drop-down did not open", false;
}

}   // namespace actions
