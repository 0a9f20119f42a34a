#include "dump.h"

#include <cstdint>
#include <cstdio>

namespace drive {
namespace {

// Windows-1252 between 0x80 and 0x9F, where it differs from Latin-1 (0 where
// the code page leaves a byte undefined).
const uint16_t cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// A JSON writer that puts the commas: after any value or closed container
// the next item needs one, after a key or an opening bracket it does not.
class Json {
public:
    std::string out;

    void key(const char *k)
    {
        string(k);
        out += ": ";
        needComma_ = false;
    }
    void number(long long n) { value(std::to_string(n)); }
    void boolean(bool b) { value(b ? "true" : "false"); }
    void handle(HWND h) { number(static_cast<long long>(reinterpret_cast<uintptr_t>(h))); }
    void text(const std::string &s)
    {
        string(s);
        needComma_ = true;
    }
    void open(char c)
    {
        separate();
        out += c;
        needComma_ = false;
    }
    void close(char c)
    {
        out += c;
        needComma_ = true;
    }

private:
    bool needComma_ = false;

    void separate()
    {
        if (needComma_) out += ", ";
    }
    void value(const std::string &v)
    {
        separate();
        out += v;
        needComma_ = true;
    }
    void string(const std::string &s)
    {
        separate();
        out += '"';
        for (char c : s) {
            auto b = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (b >= 0x20 && b < 0x7F) {
                out += c;
            } else {
                unsigned code = b >= 0x80 && b < 0xA0 && cp1252High[b - 0x80] ? cp1252High[b - 0x80] : b;
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", code);
                out += esc;
            }
        }
        out += '"';
    }
};

// A menu bar's items as the program wrote them; a drop-down's id is -1.
void menu(Json &j, HMENU m)
{
    j.open('[');
    char text[256] = "";
    for (int i = 0, n = GetMenuItemCount(m); i < n; ++i) {
        UINT state = GetMenuState(m, static_cast<UINT>(i), MF_BYPOSITION);
        text[0] = 0;
        GetMenuStringA(m, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        j.open('{');
        j.key("text"), j.text(state & MF_SEPARATOR ? "" : text);
        j.key("id"), j.number(static_cast<int>(GetMenuItemID(m, i)));
        j.key("greyed"), j.boolean((state & MF_GRAYED) != 0);
        if (state & MF_SEPARATOR) j.key("separator"), j.boolean(true);
        if (HMENU sub = GetSubMenu(m, i)) j.key("items"), menu(j, sub);
        j.close('}');
    }
    j.close(']');
}

LRESULT ask(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(h, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &answer)) return -1;
    return static_cast<LRESULT>(answer);
}

void list_box(Json &j, HWND h)
{
    j.key("items"), j.open('[');
    for (int i = 0, n = static_cast<int>(ask(h, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        LRESULT length = ask(h, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string item(static_cast<size_t>(length < 0 ? 0 : length) + 1, '\0');
        ask(h, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        j.text(item.c_str());
    }
    j.close(']');
    j.key("selected"), j.number(ask(h, LB_GETCURSEL, 0, 0));
}

void window(Json &j, HWND h, bool child)
{
    RECT r{};
    GetWindowRect(h, &r);
    auto style = static_cast<DWORD>(GetWindowLongA(h, GWL_STYLE));
    j.open('{');
    j.key("handle"), j.handle(h);
    j.key("class"), j.text(class_name(h));
    j.key("id"), j.number(child ? GetDlgCtrlID(h) : 0);
    j.key("text"), j.text(window_text(h));
    j.key("rect"), j.open('[');
    j.number(r.left), j.number(r.top), j.number(r.right - r.left), j.number(r.bottom - r.top);
    j.close(']');
    j.key("visible"), j.boolean((style & WS_VISIBLE) != 0);
    j.key("enabled"), j.boolean(!(style & WS_DISABLED));
    j.key("style"), j.number(style);
    if (is_class(h, "Button")) j.key("checked"), j.boolean(ask(h, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (is_class(h, "ListBox")) list_box(j, h);
    if (HMENU m = child ? nullptr : GetMenu(h); m && GetMenuItemCount(m) > 0) j.key("menu"), menu(j, m);
    j.key("children"), j.open('[');
    for (HWND k : children(h)) window(j, k, true);
    j.close(']');
    j.close('}');
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

} // namespace

std::string dump_json(const Target &t)
{
    Json j;
    j.open('{');
    j.key("clock_ms"), j.number(static_cast<long long>(GetTickCount() - t.started));
    j.key("active"), j.handle(active_window(t));
    j.key("focus"), j.handle(focus_window(t));
    j.key("numlock"), j.boolean(numlock(t));
    j.key("windows"), j.open('[');
    for (HWND h : top_level_windows(t)) window(j, h, false);
    j.close(']');
    j.close('}');
    j.out += '\n';
    return j.out;
}

} // namespace drive
