// Menus inside the layer: the menu objects (menu.cpp), and the menu bar and
// drop-downs on the desktop with their modal tracking (menutrack.cpp). Drivers
// and tests use the geometry to click menus as a person would.
#pragma once

#include "user32/window_internal.h"

#include <string>
#include <vector>

namespace user32 {

struct MenuItem {
    UINT flags = 0;          // MF_GRAYED, MF_DISABLED, MF_CHECKED, MF_SEPARATOR, MF_POPUP, MF_HELP
    UINT_PTR id = 0;         // the command id (0 for separators and popups)
    std::string text;        // with its '&' and '\t' as written
    HMENU popup = nullptr;   // MF_POPUP: the drop-down it opens
};

struct Menu {
    std::vector<MenuItem> items;
};

// The live menu behind a handle; null for a destroyed or foreign one.
Menu *find_menu(HMENU menu);
// A new empty menu (menu.cpp).
HMENU menu_create();

// A window's menus go with it: its bar and its system menu.
void menu_forget_window(Window &w);
// Whether the window's Close command is enabled: the system menu's SC_CLOSE
// item is not greyed (a window that never asked for its system menu can close).
bool close_box_enabled(HWND window);

// Greys the items of a window's system menu that its state does not allow,
// as Windows does before showing it: Restore when neither minimised nor
// maximised; Move when maximised; Size without WS_THICKFRAME, or when
// minimised or maximised; Minimize and Maximize without their box or when so.
void menu_init_system(HWND window);

// The compositor draws menu bars through the menu code from the first menu on.
void menu_install_bar_painter();

// The menu bar of a window, in desktop coordinates (empty without a menu),
// and each of its items there.
RECT menu_bar_rect(const Window &w);
std::vector<RECT> menu_bar_item_rects(HWND window);

// The drop-downs open now, outermost first (empty when no menu is tracked),
// and where an item of one lies on the desktop (empty for a bad position).
std::vector<HWND> open_menu_popups();
RECT menu_popup_item_rect(HWND popup, int pos);
// The menu a drop-down window shows.
HMENU menu_of_popup(HWND popup);

// DefWindowProcA's menu commands: SC_KEYMENU (key: 0 for Alt or F10, else the
// mnemonic typed with Alt) and SC_MOUSEMENU (a press on the bar at `pt`).
// Both run the menu's modal loop until a choice or a cancel; a chosen command
// is posted to the window as WM_COMMAND.
// SC_KEYMENU with a space (Alt+Space) opens the system menu.
void menu_track_keyboard(HWND window, unsigned char key);
void menu_track_mouse(HWND window, POINT pt);
// The system menu of a window with WS_SYSMENU and a caption, opened below its
// place at the caption's left: by the mouse (nothing selected) or the keyboard
// (its first item selected). A chosen command is posted as WM_SYSCOMMAND.
// Left and Right go on to the menu bar's items.
void menu_track_system(HWND window, bool byMouse);

// Ends the loop of the menu tracked for `owner`, if any, choosing nothing.
void menu_cancel(HWND owner);

// TrackPopupMenu: `menu` as a drop-down of its own at `pt` (desktop) for
// `owner`, until a choice or a cancel. The chosen command is answered, and
// also posted to the owner as WM_COMMAND unless `returnCommand`.
UINT_PTR menu_track_popup(HMENU menu, POINT pt, HWND owner, bool returnCommand);

// The menu's text without its '&' prefixes and from its tab on; the letter
// after the first single '&' (0 when none).
std::string menu_plain_text(const std::string &text);
unsigned char menu_mnemonic(const std::string &text);

}   // namespace user32
