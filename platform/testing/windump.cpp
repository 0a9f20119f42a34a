// Gathering our layer's window tree for the JSON dump.
#include "testing/windump.h"

#include "driver/driver.h"
#include "testing/menu_entries.h"
#include "testing/window_json.h"
#include "user32/window_internal.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace script {
namespace {

bool is_class(const user32::Window &w, const char *name) { return w.cls == user32::find_class(name); }

// The list box's items and its selection, asked as the program asks.
ListBoxState list_box(HWND h)
{
    ListBoxState list;
    for (int i = 0, n = static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        std::string item(static_cast<size_t>(std::max<LRESULT>(0, SendMessageA(h, LB_GETTEXTLEN, i, 0))) + 1, '\0');
        SendMessageA(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        list.items.push_back(item.c_str());
    }
    list.selected = SendMessageA(h, LB_GETCURSEL, 0, 0);
    return list;
}

void add_window(std::vector<WindowState> &to, HWND h)
{
    user32::Window *w = user32::find(h);
    if (!w) return;
    RECT r;
    GetWindowRect(h, &r);
    WindowState s;
    s.handle = reinterpret_cast<uintptr_t>(h);
    s.className = w->cls->name;
    s.id = w->child() ? w->id : 0;
    s.text = w->text;
    s.x = r.left, s.y = r.top, s.width = r.right - r.left, s.height = r.bottom - r.top;
    s.visible = (w->style & WS_VISIBLE) != 0;
    s.enabled = !(w->style & WS_DISABLED);
    s.style = w->style;
    if (is_class(*w, "BUTTON")) s.checked = SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (is_class(*w, "LISTBOX")) s.listBox = list_box(h);
    if (HMENU m = w->child() ? nullptr : GetMenu(h)) s.menu = menu_entries(m);
    for (HWND k : std::vector<HWND>(w->children)) add_window(s.children, k);
    to.push_back(std::move(s));
}

}   // namespace

std::string dump_json()
{
    WindowTree tree;
    tree.clockMs = static_cast<long long>(drv::current().now());
    tree.active = reinterpret_cast<uintptr_t>(GetActiveWindow());
    tree.focus = reinterpret_cast<uintptr_t>(GetFocus());
    tree.numlock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    for (HWND t : std::vector<HWND>(user32::top_level_windows())) add_window(tree.windows, t);
    return to_json(tree);
}

}   // namespace script
