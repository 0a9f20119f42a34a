#include "dump.h"

#include "testing/menu_entries.h"
#include "testing/window_json.h"

#include <cstdint>

namespace drive {
namespace {

LRESULT ask(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

script::ListBoxState list_box(HWND h)
{
    script::ListBoxState list;
    for (int i = 0, n = static_cast<int>(ask(h, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        LRESULT length = ask(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string item(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
        ask(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        list.items.push_back(item.c_str());
    }
    list.selected = ask(h, LB_GETCURSEL, 0, 0);
    return list;
}

void add_window(std::vector<script::WindowState> &to, HWND h, bool child)
{
    RECT r{};
    GetWindowRect(h, &r);
    auto style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
    script::WindowState s;
    s.handle = reinterpret_cast<uintptr_t>(h);
    s.className = class_name(h);
    s.id = child ? GetDlgCtrlID(h) : 0;
    s.text = window_text(h);
    s.x = r.left, s.y = r.top, s.width = r.right - r.left, s.height = r.bottom - r.top;
    s.visible = (style & WS_VISIBLE) != 0;
    s.enabled = !(style & WS_DISABLED);
    s.style = style;
    if (is_class(h, "Button")) s.checked = ask(h, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (is_class(h, "ListBox")) s.listBox = list_box(h);
    if (HMENU m = child ? nullptr : GetMenu(h); m && GetMenuItemCount(m) > 0) s.menu = script::menu_entries(m);
    for (HWND k : children(h)) add_window(s.children, k, true);
    to.push_back(std::move(s));
}

// The program's NumLock toggle: key states belong to a thread's input, so
// read them attached to its thread.
bool numlock(const Target &t)
{
    DWORD self = GetCurrentThreadId();
    bool attached = AttachThreadInput(self, t.threadId, TRUE) != 0;
    bool on = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    if (attached) AttachThreadInput(self, t.threadId, FALSE);
    return on;
}

}   // namespace

std::string dump_json(const Target &t)
{
    script::WindowTree tree;
    tree.clockMs = static_cast<long long>(GetTickCount() - t.started);
    tree.active = reinterpret_cast<uintptr_t>(active_window(t));
    tree.focus = reinterpret_cast<uintptr_t>(focus_window(t));
    tree.numlock = numlock(t);
    for (HWND h : top_level_windows(t)) add_window(tree.windows, h, false);
    return script::to_json(tree);
}

}   // namespace drive
