#include "testing/windump.h"

#include "driver/driver.h"
#include "user32/window_internal.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace script {
namespace {

// Windows-1252 between 0x80 and 0x9F, where it differs from Latin-1 (0 where
// the code page leaves a byte undefined: it stays U+0080..U+009F).
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

// A menu's items as the program wrote them ('&' and tab included); a
// drop-down's id is -1, as GetMenuItemID answers for it.
void menu(Json &j, HMENU m)
{
    j.open('[');
    char text[256] = "";
    for (int i = 0, n = GetMenuItemCount(m); i < n; ++i) {
        UINT state = GetMenuState(m, i, MF_BYPOSITION);
        GetMenuStringA(m, i, text, sizeof text, MF_BYPOSITION);
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

bool is_class(const user32::Window &w, const char *name) { return w.cls == user32::find_class(name); }

// The list box's items and its selection, asked as the program asks.
void list_box(Json &j, HWND h)
{
    j.key("items"), j.open('[');
    for (int i = 0, n = static_cast<int>(SendMessageA(h, LB_GETCOUNT, 0, 0)); i < n; ++i) {
        std::string item(static_cast<size_t>(std::max<LRESULT>(0, SendMessageA(h, LB_GETTEXTLEN, i, 0))) + 1, '\0');
        SendMessageA(h, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        j.text(item.c_str());
    }
    j.close(']');
    j.key("selected"), j.number(SendMessageA(h, LB_GETCURSEL, 0, 0));
}

void window(Json &j, HWND h)
{
    user32::Window *w = user32::find(h);
    if (!w) return;
    RECT r;
    GetWindowRect(h, &r);
    j.open('{');
    j.key("handle"), j.handle(h);
    j.key("class"), j.text(w->cls->name);
    j.key("id"), j.number(w->child() ? w->id : 0);
    j.key("text"), j.text(w->text);
    j.key("rect"), j.open('[');
    j.number(r.left), j.number(r.top), j.number(r.right - r.left), j.number(r.bottom - r.top);
    j.close(']');
    j.key("visible"), j.boolean((w->style & WS_VISIBLE) != 0);
    j.key("enabled"), j.boolean(!(w->style & WS_DISABLED));
    j.key("style"), j.number(w->style);
    if (is_class(*w, "BUTTON")) j.key("checked"), j.boolean(SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED);
    if (is_class(*w, "LISTBOX")) list_box(j, h);
    if (HMENU m = w->child() ? nullptr : GetMenu(h)) j.key("menu"), menu(j, m);
    j.key("children"), j.open('[');
    for (HWND k : std::vector<HWND>(w->children)) window(j, k);
    j.close(']');
    j.close('}');
}

} // namespace

std::string dump_json()
{
    Json j;
    j.open('{');
    j.key("clock_ms"), j.number(static_cast<long long>(drv::current().now()));
    j.key("active"), j.handle(GetActiveWindow());
    j.key("focus"), j.handle(GetFocus());
    j.key("numlock"), j.boolean((GetKeyState(VK_NUMLOCK) & 1) != 0);
    j.key("windows"), j.open('[');
    for (HWND t : std::vector<HWND>(user32::top_level_windows())) window(j, t);
    j.close(']');
    j.close('}');
    j.out += '\n';
    return j.out;
}

} // namespace script
