#include "template_checks.h"

#include "support.h"

namespace fuzzsupport {

namespace {

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

void check_dialog_parse(bool parsed, const rc::DialogTemplate &dialog, const std::string &error, size_t size)
{
    if (!parsed) {
        check(!error.empty(), "a dialog template was refused without a reason");
        check(dialog.items.empty(), "a refused dialog template kept items");
        return;
    }
    // The smallest classic item takes 24 bytes, the smallest extended one 30.
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

void check_menu_parse(bool parsed, const std::vector<rc::MenuItem> &menu, const std::string &error, size_t size)
{
    if (!parsed) {
        check(!error.empty(), "a menu template was refused without a reason");
        check(menu.empty(), "a refused menu template kept items");
        return;
    }
    check(!menu.empty(), "a menu template read without an item");
    // The header takes 4 bytes; each item at least 4 (flags and an empty text).
    check(4 + 4 * check_menu_level(menu, 0, size) <= size, "more menu items than the data can hold");
}

}   // namespace fuzzsupport
