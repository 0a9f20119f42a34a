#include "support.h"

#include <windows.h>

#include "user32/msgbox_hook.h"

#include <cstdio>
#include <cstdlib>

namespace fuzzsupport {

namespace {

constexpr char kCtrlZ = 0x1A;

std::string cut(const std::string &text, size_t max) { return text.size() > max ? text.substr(0, max) : text; }

// Each text is a NUL-terminated run of UTF-16 units, one or two a character.
bool fits(const std::string &text, size_t size) { return (text.size() + 1) * 2 <= size; }

// Nested no deeper than the reader allows, no MF_END left, children only
// under popups; returns how many items the level holds, all levels counted.
size_t check_menu_level(const std::vector<rc::MenuItem> &items, int depth, size_t size)
{
    size_t count = 0;
    check(depth <= 17, "a menu nested deeper than the reader allows");
    for (const rc::MenuItem &item : items) {
        check((item.flags & MF_END) == 0, "a menu item kept MF_END");
        check((item.flags & MF_POPUP) || item.children.empty(), "an item that is no popup has children");
        check(fits(item.text, size), "a menu text longer than its data");
        count += 1 + check_menu_level(item.children, depth + 1, size);
    }
    return count;
}

}   // namespace

void fail(const std::string &what)
{
    std::fprintf(stderr, "\n*** fuzz check failed: %s\n", what.c_str());
    std::abort();
}

const std::string &work_dir()
{
    // Made on first use, removed at exit; libFuzzer's own paths are relative
    // to the folder the fuzzer was started in, which stays the current one.
    static const std::filesystem::path started = std::filesystem::current_path();
    static const testsupport::TempDir dir;
    static const std::string path = (std::filesystem::current_path(started), dir.path().string());
    return path;
}

std::string c_text(const std::string &text) { return text.substr(0, text.find('\0')); }

TextView text_view(const std::string &raw, size_t from)
{
    TextView view;
    size_t i = from;
    for (; i < raw.size() && raw[i] != kCtrlZ; ++i) {
        if (raw[i] == '\r') continue;
        view.text += raw[i];
        view.raw_at.push_back(i);
    }
    view.data_end = i;
    return view;
}

size_t find_label(const std::string &text, size_t start, const std::string &label)
{
    std::string wanted = cut(c_text(label), kLabelValueMax);
    if (wanted.empty() || start > text.size()) return std::string::npos;
    size_t at = text.find(wanted, start);
    return at == std::string::npos ? at : at + wanted.size() - 1;
}

std::string value_from(const std::string &text, size_t from, char stop)
{
    std::string value = from < text.size() ? text.substr(from) : "";
    if (stop) value = value.substr(0, value.find(stop));
    return cut(value, kLabelValueMax);
}

std::string value_of(const std::string &text, const std::string &label, char stop)
{
    size_t last = find_label(text, 0, label);
    return last == std::string::npos ? "" : c_text(value_from(text, last + 1, stop));
}

std::string file_after_set(const std::string &raw, const std::string &label, const std::string &value, char stop)
{
    TextView view = text_view(raw);
    std::string cutLabel = cut(c_text(label), kLabelValueMax);
    std::string cutValue = cut(c_text(value), kLabelValueMax);
    size_t last = find_label(view.text, 0, label);

    if (last == std::string::npos) {
        // A line of its own where the data ends, after a line end of its own.
        std::string line;
        if (!view.text.empty() && view.text.back() != '\n') line = "\n";
        line += cutLabel + cutValue;
        if (stop && stop != '\n') line += stop;
        line += "\n";
        return raw.substr(0, view.data_end) + testsupport::crlf(line) + raw.substr(view.data_end);
    }
    size_t begin = view.raw_at[last] + 1;
    size_t end = view.data_end;
    size_t stopAt = stop ? view.text.find(stop, last + 1) : std::string::npos;
    std::string replacement;
    if (stop == '\n') {
        // The whole line, its line end included, becomes the value and CR LF.
        if (stopAt != std::string::npos) end = view.raw_at[stopAt] + 1;
        replacement = testsupport::crlf(cutValue + "\n");
    } else {
        // Up to the end character, which stays, with any CRs just before it.
        if (stopAt != std::string::npos) end = view.raw_at[stopAt - 1] + 1;
        replacement = testsupport::crlf(cutValue);
    }
    return raw.substr(0, begin) + replacement + raw.substr(end);
}

void check_dialog_template(const void *data, size_t size)
{
    rc::DialogTemplate dialog;
    std::string error;
    if (!rc::parse_dialog_template(data, size, dialog, &error)) {
        check(!error.empty(), "a dialog template was refused without a reason");
        check(dialog.items.empty(), "a refused dialog template kept items");
        return;
    }
    // The smallest item takes 24 bytes.
    check(dialog.items.size() * 24 <= size, "more dialog items than the data can hold");
    check(fits(dialog.caption, size) && fits(dialog.faceName, size) && fits(dialog.menu.name, size) &&
              fits(dialog.windowClass.name, size),
          "a dialog text longer than its data");
    check(dialog.hasFont == ((dialog.style & DS_SETFONT) != 0), "a font read without DS_SETFONT or skipped with it");
    for (const rc::DialogItem &item : dialog.items) {
        check(item.creationData.size() < size && fits(item.className, size) && fits(item.text.name, size),
              "a dialog item longer than its data");
    }
}

void check_menu_template(const void *data, size_t size)
{
    std::vector<rc::MenuItem> menu;
    std::string error;
    if (!rc::parse_menu_template(data, size, menu, &error)) {
        check(!error.empty(), "a menu template was refused without a reason");
        check(menu.empty(), "a refused menu template kept items");
        return;
    }
    check(!menu.empty(), "a menu template read without an item");
    // The header takes 4 bytes; each item at least 4 (flags and an empty text).
    check(4 + 4 * check_menu_level(menu, 0, size) <= size, "more menu items than the data can hold");
}

}   // namespace fuzzsupport

// Every message box is answered with IDOK at once, so a fuzzer never waits for
// a user or fills its log, and recorded, so a fuzzer can check what was shown.
extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    msgbox_hook::keep_records(true);
    msgbox_hook::set_answerer([](const msgbox_hook::Box &) { return IDOK; });
    return 0;
}
