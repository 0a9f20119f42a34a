// Menu objects: loading from a menu template, the queries and the item states.
// A menu handle names a Menu here; a window's menu bar goes with its window.
#include "user32/menu_internal.h"

#include "user32/compositor.h"

#include "rc/templates.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <unordered_map>

namespace user32 {
namespace {

struct Menus {
    uintptr_t nextHandle = 0x20010;   // never reused, so a stale handle only misses
    std::unordered_map<HMENU, std::unique_ptr<Menu>> byHandle;
    std::unordered_map<HWND, HMENU> systemMenus;   // made when first asked for
};

Menus &menus()
{
    static Menus m;
    return m;
}

HMENU new_menu()
{
    auto h = reinterpret_cast<HMENU>(menus().nextHandle);
    menus().nextHandle += 4;
    menus().byHandle[h] = std::make_unique<Menu>();
    return h;
}

HMENU build(const std::vector<rc::MenuItem> &level)
{
    HMENU h = new_menu();
    for (const rc::MenuItem &t : level) {
        MenuItem item;
        item.flags = t.flags;
        item.id = (t.flags & MF_POPUP) ? 0 : t.id;
        item.text = t.text;
        if (t.flags & MF_POPUP) item.popup = build(t.children);
        find_menu(h)->items.push_back(std::move(item));
    }
    return h;
}

// The item a call means: by position in `menu`, or by command id anywhere in
// it and its drop-downs (the first one, depth first, as Windows searches).
MenuItem *locate(HMENU menu, UINT which, UINT flags)
{
    Menu *m = find_menu(menu);
    if (!m) return nullptr;
    if (flags & MF_BYPOSITION) return which < m->items.size() ? &m->items[which] : nullptr;
    for (MenuItem &item : m->items) {
        if (item.popup) {
            if (MenuItem *deeper = locate(item.popup, which, flags)) return deeper;
        } else if (!(item.flags & MF_SEPARATOR) && item.id == which) {
            return &item;
        }
    }
    return nullptr;
}

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED;

}   // namespace

HMENU menu_create() { return new_menu(); }

Menu *find_menu(HMENU menu)
{
    auto it = menus().byHandle.find(menu);
    return it == menus().byHandle.end() ? nullptr : it->second.get();
}

std::string menu_plain_text(const std::string &text)
{
    std::string out;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;   // "&&" leaves one '&'
        out += text[i];
    }
    return out;
}

unsigned char menu_mnemonic(const std::string &text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&')
            return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

void menu_forget_window(Window &w)
{
    if (!w.child() && w.menu) DestroyMenu(w.menu);
    w.menu = nullptr;
    auto it = menus().systemMenus.find(w.handle);
    if (it == menus().systemMenus.end()) return;
    DestroyMenu(it->second);
    menus().systemMenus.erase(it);
}

bool close_box_enabled(HWND window)
{
    auto it = menus().systemMenus.find(window);
    if (it == menus().systemMenus.end()) return true;
    UINT state = GetMenuState(it->second, SC_CLOSE, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void menu_init_system(HWND window)
{
    const Window *w = find(window);
    HMENU m = GetSystemMenu(window, FALSE);
    if (!w || !m) return;
    const DWORD style = w->style;
    const bool max = (style & WS_MAXIMIZE) != 0, min = (style & WS_MINIMIZE) != 0;
    const struct {
        UINT id;
        bool grey;
    } items[] = {{SC_RESTORE, !max && !min},
                 {SC_MOVE, max},
                 {SC_SIZE, !(style & WS_THICKFRAME) || max || min},
                 {SC_MINIMIZE, !(style & WS_MINIMIZEBOX) || min},
                 {SC_MAXIMIZE, !(style & WS_MAXIMIZEBOX) || max}};
    for (const auto &item : items) EnableMenuItem(m, item.id, MF_BYCOMMAND | (item.grey ? MF_GRAYED : MF_ENABLED));
}

}   // namespace user32

using namespace user32;

// The window menu: Restore, Move, Size, Minimize, Maximize and Close, made
// when first asked for. Greying Close greys the caption's close box and
// refuses every way of closing.
HMENU WINAPI GetSystemMenu(HWND hwnd, BOOL revert)
{
    Window *w = find(hwnd);
    if (!w || w->child()) return nullptr;
    // Windows answers NULL to a revert. Putting back items changed with the
    // menu calls is left out: nothing here asks for it.
    if (revert) return nullptr;
    HMENU &m = menus().systemMenus[hwnd];
    if (!m) {
        m = new_menu();
        find_menu(m)->items = {{0, SC_RESTORE, "&Restore", nullptr},    {0, SC_MOVE, "&Move", nullptr},
                               {0, SC_SIZE, "&Size", nullptr},          {0, SC_MINIMIZE, "Mi&nimize", nullptr},
                               {0, SC_MAXIMIZE, "Ma&ximize", nullptr},  {MF_SEPARATOR, 0, "", nullptr},
                               {0, SC_CLOSE, "&Close\tAlt+F4", nullptr}};
    }
    return m;
}

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name)
{
    HRSRC found = FindResourceA(instance, name, RT_MENU);
    if (!found) return nullptr;
    const void *data = LockResource(LoadResource(instance, found));
    std::vector<rc::MenuItem> items;
    if (!data || !rc::parse_menu_template(data, SizeofResource(instance, found), items, nullptr)) return nullptr;
    menu_install_bar_painter();
    return build(items);
}

BOOL WINAPI DestroyMenu(HMENU menu)
{
    Menu *m = find_menu(menu);
    if (!m) return FALSE;
    std::vector<MenuItem> items = std::move(m->items);
    menus().byHandle.erase(menu);
    for (const MenuItem &item : items)
        if (item.popup) DestroyMenu(item.popup);
    return TRUE;
}

BOOL WINAPI IsMenu(HMENU menu) { return find_menu(menu) != nullptr; }

HMENU WINAPI GetMenu(HWND hwnd)
{
    // A child window's "menu" is its id, never a menu.
    Window *w = find(hwnd);
    return w && !w->child() ? w->menu : nullptr;
}

HMENU WINAPI GetSubMenu(HMENU menu, int pos)
{
    MenuItem *item = pos < 0 ? nullptr : locate(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    return item ? item->popup : nullptr;
}

int WINAPI GetMenuItemCount(HMENU menu)
{
    Menu *m = find_menu(menu);
    return m ? static_cast<int>(m->items.size()) : -1;
}

UINT WINAPI GetMenuItemID(HMENU menu, int pos)
{
    MenuItem *item = pos < 0 ? nullptr : locate(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    if (!item || item->popup) return static_cast<UINT>(-1);
    return static_cast<UINT>(item->id);
}

UINT WINAPI GetMenuState(HMENU menu, UINT which, UINT flags)
{
    MenuItem *item = locate(menu, which, flags);
    if (!item) return static_cast<UINT>(-1);
    UINT state = item->flags & (kStateBits | MF_CHECKED | MF_SEPARATOR | MF_POPUP | MF_MENUBARBREAK | MF_MENUBREAK);
    // A drop-down answers its item count in the high byte.
    if (item->popup) state |= static_cast<UINT>(GetMenuItemCount(item->popup)) << 8;
    return state;
}

int WINAPI GetMenuStringA(HMENU menu, UINT which, LPSTR buf, int max, UINT flags)
{
    MenuItem *item = locate(menu, which, flags);
    if (!item) return 0;
    if (!buf) return static_cast<int>(item->text.size());
    if (max <= 0) return 0;
    size_t n = std::min(item->text.size(), static_cast<size_t>(max) - 1);
    std::memcpy(buf, item->text.data(), n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

BOOL WINAPI EnableMenuItem(HMENU menu, UINT which, UINT flags)
{
    MenuItem *item = locate(menu, which, flags);
    if (!item) return -1;
    UINT previous = item->flags & kStateBits;
    item->flags = (item->flags & ~kStateBits) | (flags & kStateBits);
    return static_cast<BOOL>(previous);
}

BOOL WINAPI DrawMenuBar(HWND hwnd)
{
    Window *w = find(hwnd);
    if (!w || w->child() || !w->menu) return FALSE;
    // The compositor draws the bar from the menu each time it composes the window.
    surface_changed(hwnd);
    return TRUE;
}
