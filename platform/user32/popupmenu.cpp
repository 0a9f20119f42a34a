// Menus a program builds for itself and shows where it likes: CreatePopupMenu,
// AppendMenuA and TrackPopupMenu (the tracking is menutrack.cpp's).
#include "user32/menu_internal.h"

using namespace user32;

HMENU WINAPI CreatePopupMenu(void) { return menu_create(); }

BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text)
{
    Menu *m = find_menu(menu);
    if (!m) return FALSE;
    MenuItem item;
    item.flags = flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_POPUP);
    if (flags & MF_POPUP) item.popup = reinterpret_cast<HMENU>(id);
    else if (!(flags & MF_SEPARATOR)) item.id = id;
    if (text && !(flags & MF_SEPARATOR)) item.text = text;
    m->items.push_back(item);
    return TRUE;
}

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT *)
{
    const UINT_PTR chosen = menu_track_popup(menu, POINT{x, y}, owner, (flags & TPM_RETURNCMD) != 0);
    return (flags & TPM_RETURNCMD) ? static_cast<BOOL>(chosen) : TRUE;
}
