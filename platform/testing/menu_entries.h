// A menu's items for the window dump (testing/window_json.h), read through
// the Win32 menu calls alone: our layer's script runner compiles this file
// against our layer, the Windows build's driver against the real system's
// <windows.h>, so both read menus alike.
#pragma once

#include "testing/window_json.h"

#include <windows.h>

#include <vector>

namespace script {

// The items of `menu` as the program wrote them ('&' and tab included), with
// the drop-downs they open; a drop-down's id is -1, as GetMenuItemID answers
// for it, and a separator's text is empty.
std::vector<MenuEntry> menu_entries(HMENU menu);

} // namespace script
