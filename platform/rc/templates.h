// Dialog and menu templates as read from the compiled resources.
// The readers check every length against the end of the resource and refuse a
// malformed template with an error text instead of reading past it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace rc {

// A name or ordinal field of a template (class, menu, text).
struct NameOrOrdinal {
    bool isOrdinal = false;
    WORD ordinal = 0;
    std::string name;
};

struct DialogItem {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;   // dialog units
    WORD id = 0;                          // 0xFFFF is the id -1
    std::string className;   // predefined atoms become "BUTTON", "EDIT", "STATIC", "LISTBOX", "SCROLLBAR", "COMBOBOX"
    NameOrOrdinal text;
    std::vector<BYTE> creationData;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;   // dialog units
    NameOrOrdinal menu;                   // empty name and not ordinal: no menu
    NameOrOrdinal windowClass;            // empty: the dialog class
    std::string caption;
    bool hasFont = false;   // DS_SETFONT
    WORD pointSize = 0;
    std::string faceName;
    std::vector<DialogItem> items;
};

struct MenuItem {
    WORD flags = 0;   // MF_POPUP, MF_GRAYED, MF_SEPARATOR (the empty item
                      // MENUITEM SEPARATOR writes)...; never MF_END
    WORD id = 0;
    std::string text;                 // with its '&' and '\t' as written
    std::vector<MenuItem> children;   // for popups
};

bool parse_dialog_template(const void *data, size_t size, DialogTemplate &out, std::string *error);
bool parse_menu_template(const void *data, size_t size, std::vector<MenuItem> &out, std::string *error);

}   // namespace rc
