// A menu's items as automation scripts see them, read through the Win32 menu
// calls alone: our layer's script runner compiles this file against our
// layer, the Windows build's driver against the real system's <windows.h>,
// so both read menus alike.
#pragma once

#include "testing/window_json.h"

#include <windows.h>

#include <vector>

namespace script {

// The items of `menu` as the program wrote them ('&' and tab included), with
// the drop-downs they open; a drop-down's id is -1, as GetMenuItemID answers
// for it, and a separator's text is empty.
std::vector<MenuEntry> menu_entries(HMENU menu);

// Whether the item at `pos` is a separator. Not MF_SEPARATOR alone: an item
// that opens a drop-down answers that drop-down's item count in the high
// byte of its state, where MF_SEPARATOR lies, and only its flags below.
bool menu_separator(HMENU menu, int pos);

}   // namespace script
