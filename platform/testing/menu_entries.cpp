#include "testing/menu_entries.h"

namespace script {

std::vector<MenuEntry> menu_entries(HMENU menu)
{
    std::vector<MenuEntry> entries;
    char text[256];
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        auto at = static_cast<UINT>(i);
        UINT state = GetMenuState(menu, at, MF_BYPOSITION);
        text[0] = 0;
        GetMenuStringA(menu, at, text, sizeof text, MF_BYPOSITION);
        MenuEntry e;
        e.text = state & MF_SEPARATOR ? "" : text;
        e.id = static_cast<int>(GetMenuItemID(menu, i));
        e.greyed = (state & MF_GRAYED) != 0;
        e.separator = (state & MF_SEPARATOR) != 0;
        if (HMENU sub = GetSubMenu(menu, i)) e.dropDown = true, e.items = menu_entries(sub);
        entries.push_back(std::move(e));
    }
    return entries;
}

} // namespace script
