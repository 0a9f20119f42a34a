// Writing the window tree as JSON.
#include "testing/window_json.h"

#include "kernel32/codepage.h"

#include <cstdio>

namespace script {
namespace {

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
    void handle(std::uintptr_t h) { number(static_cast<long long>(h)); }
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
                unsigned code = kernel32::unicode_of_ansi(b);
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", code);
                out += esc;
            }
        }
        out += '"';
    }
};

void menu(Json &j, const std::vector<MenuEntry> &entries)
{
    j.open('[');
    for (const MenuEntry &e : entries) {
        j.open('{');
        j.key("text"), j.text(e.text);
        j.key("id"), j.number(e.id);
        j.key("greyed"), j.boolean(e.greyed);
        if (e.separator) j.key("separator"), j.boolean(true);
        if (e.dropDown) j.key("items"), menu(j, e.items);
        j.close('}');
    }
    j.close(']');
}

void window(Json &j, const WindowState &w)
{
    j.open('{');
    j.key("handle"), j.handle(w.handle);
    j.key("class"), j.text(w.className);
    j.key("id"), j.number(w.id);
    j.key("text"), j.text(w.text);
    j.key("rect"), j.open('['), j.number(w.x), j.number(w.y), j.number(w.width), j.number(w.height), j.close(']');
    j.key("visible"), j.boolean(w.visible);
    j.key("enabled"), j.boolean(w.enabled);
    j.key("style"), j.number(w.style);
    if (w.checked) j.key("checked"), j.boolean(*w.checked);
    if (w.listBox) {
        j.key("items"), j.open('[');
        for (const std::string &item : w.listBox->items) j.text(item);
        j.close(']');
        j.key("selected"), j.number(w.listBox->selected);
    }
    if (w.menu) j.key("menu"), menu(j, *w.menu);
    j.key("children"), j.open('[');
    for (const WindowState &k : w.children) window(j, k);
    j.close(']');
    j.close('}');
}

}   // namespace

std::string to_json(const WindowTree &tree)
{
    Json j;
    j.open('{');
    j.key("clock_ms"), j.number(tree.clockMs);
    j.key("active"), j.handle(tree.active);
    j.key("focus"), j.handle(tree.focus);
    j.key("numlock"), j.boolean(tree.numlock);
    j.key("windows"), j.open('[');
    for (const WindowState &w : tree.windows) window(j, w);
    j.close(']');
    j.close('}');
    j.out += '\n';
    return j.out;
}

}   // namespace script
