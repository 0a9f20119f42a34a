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

LRESULT ask_wide(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

// An item's text, asked for in UTF-16 and given in the program's code page.
// Sent to another process, Wine answers the ANSI LB_GETTEXT with the UTF-16
// text, twice the bytes a buffer sized by the ANSI length holds; the wide
// message has one size on both sides.
std::string list_item(HWND h, int i)
{
    LRESULT length = ask_wide(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) return "";
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    LRESULT got = ask_wide(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(wide.data()));
    if (got < 0) return "";
    wide.resize(static_cast<size_t>(got < length ? got : length));
    int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string item(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), item.data(), bytes, nullptr,
                            nullptr);
    return item;
}

script::ListBoxState list_box(HWND h)
{
    script::ListBoxState list;
    for (int i = 0, n = static_cast<int>(ask(h, LB_GETCOUNT, 0, 0)); i < n; ++i) list.items.push_back(list_item(h, i));
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
