// A menu's items read through the Win32 menu calls.
#include "testing/menu_entries.h"

namespace script {

bool menu_separator(HMENU menu, int pos)
{
    UINT state = GetMenuState(menu, static_cast<UINT>(pos), MF_BYPOSITION);
    if (GetSubMenu(menu, pos)) state = LOBYTE(state);
    return (state & MF_SEPARATOR) != 0;
}

std::vector<MenuEntry> menu_entries(HMENU menu)
{
    std::vector<MenuEntry> entries;
    char text[256];
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        auto at = static_cast<UINT>(i);
        text[0] = 0;
        GetMenuStringA(menu, at, text, sizeof text, MF_BYPOSITION);
        MenuEntry e;
        e.separator = menu_separator(menu, i);
        e.text = e.separator ? "" : text;
        e.id = static_cast<int>(GetMenuItemID(menu, i));
        e.greyed = (GetMenuState(menu, at, MF_BYPOSITION) & MF_GRAYED) != 0;
        if (HMENU sub = GetSubMenu(menu, i)) e.dropDown = true, e.items = menu_entries(sub);
        entries.push_back(std::move(e));
    }
    return entries;
}

}   // namespace script
