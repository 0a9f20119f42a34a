// What a user does with keyboard and mouse, for the two ways of driving the
// program from outside: the lock-step test driver and automation scripts.
// Each action only queues input through the driver (drv::key, drv::mouse_*);
// the program takes it when it next retrieves a message. The lookups answer
// where a click must land to reach a window, as a user aims at what is visible.
#pragma once

#include <windows.h>

#include <string>

namespace actions {

void click(POINT desktop);            // left button down and up, never half of a double-click
void key(UINT vk);                    // down and up
void key(UINT vk, UINT modifier);     // with a modifier held (VK_SHIFT, VK_CONTROL, VK_MENU)
void type(const std::string &text);   // as keys where a US keyboard has them

// The point a click must land on to reach `window`, in desktop coordinates:
// the centre of `part` (client coordinates of the window; the whole window
// when null) or, where siblings above it or its ancestors' edges hide the
// centre, the visible point nearest to it. False, with the reason, when the
// window is hidden or nothing of the part shows.
bool reachable_point(HWND window, const RECT *part, POINT &out, std::string &why);

// Selecting item `index` of a list box as a person does: a click on the item
// where it shows; otherwise a click on the first item in view and `arrows`
// presses of Down (or of Up when negative) from there. False with the reason
// for a window that is no list box, an index it does not have, or a list box
// that cannot be clicked.
bool list_item_point(HWND list, int index, POINT &out, int &arrows, std::string &why);
void select_list_item(POINT click, int arrows);

// Choosing a menu item as a person does: a click on the drop-down's title in
// the menu bar, then, once the menu is open, a click on the item.
struct MenuChoice {
    HWND window = nullptr;
    int top = -1;   // the drop-down's position on the bar
    HMENU dropDown = nullptr;
    int item = -1;   // the item's position in the drop-down
};
// Finds the item by the texts of the drop-down and the item without '&' (and
// without what follows a tab). False with the reason when the window has no
// such item or it cannot be chosen (greyed, a separator, a further drop-down).
bool find_menu_item(HWND window, const std::string &top, const std::string &item, MenuChoice &out, std::string &why);
// The same from "TOP ITEM", wherever the blank between them falls.
bool find_menu_item(HWND window, const std::string &topAndItem, MenuChoice &out, std::string &why);
// Where to click on the bar; where to click in the open drop-down (false
// when it is not open).
bool menu_bar_point(const MenuChoice &choice, POINT &out, std::string &why);
bool menu_item_point(const MenuChoice &choice, POINT &out, std::string &why);

}   // namespace actions
