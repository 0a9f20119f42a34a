// The window tree as text, for tests that fail and for the headless driver.
#include "user32/internal.h"

#include <sstream>

namespace user32 {
namespace {

std::string quoted(const std::string &s)
{
    std::string q = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') q += '\\';
        if (c == '\n') q += "\\n";
        else if (c == '\r') q += "\\r";
        else q += c;
    }
    return q + "\"";
}

void dump(std::ostringstream &out, HWND h, int depth)
{
    Window *w = find(h);
    if (!w) return;
    std::string pad(static_cast<size_t>(depth) * 2, ' ');
    RECT c = client_rect_in_window(*w);
    out << pad << "{hwnd: " << h << ", class: " << quoted(w->cls->name) << ", text: " << quoted(w->text);
    if (w->child()) out << ", id: " << w->id;
    else if (w->owner) out << ", owner: " << w->owner;
    out << std::hex << ", style: 0x" << w->style << std::dec << ", rect: [" << w->rect.left << ", " << w->rect.top
        << ", " << w->rect.right << ", " << w->rect.bottom << "], client: [" << c.right - c.left << ", "
        << c.bottom - c.top << "]";
    if (!(w->style & WS_VISIBLE)) out << ", hidden";
    if (w->style & WS_DISABLED) out << ", disabled";
    if (GetFocus() == h) out << ", focus";
    if (GetActiveWindow() == h) out << ", active";
    if (w->hasUpdate) out << ", needs-paint";
    if (w->children.empty()) {
        out << "}\n";
        return;
    }
    out << ", children: [\n";
    for (HWND k : w->children) dump(out, k, depth + 1);
    out << pad << "]}\n";
}

}   // namespace

std::string dump_windows()
{
    std::ostringstream out;
    out << "windows (topmost first):\n";
    for (HWND t : top_level_windows()) dump(out, t, 1);
    return out.str();
}

}   // namespace user32
