// The window tree as JSON, for automation scripts (`dump FILE.json`, and the
// report of a failing step):
//
//   {"clock_ms": N, "active": H, "focus": H, "numlock": B, "windows": [W...]}
//   W = {"handle": H, "class": S, "id": N, "text": S, "rect": [x, y, w, h],
//        "visible": B, "enabled": B, "style": N, "children": [W...]}
//
// plus "checked" (B: BM_GETCHECK answers BST_CHECKED) on buttons, "items" ([S...]) and "selected" (the index,
// -1 for none) on list boxes, and "menu" on windows with a menu bar: its items
// as {"text": S, "id": N, "greyed": B}, with "items" for a drop-down (its id
// is -1) and "separator": true for a separator. Handles
// are numbers (0 for none); rectangles are desktop pixels; top-level windows
// and children come topmost first. Texts are the program's (Windows-1252),
// written as JSON escapes, so the file is plain ASCII.
//
// Reading a control's state sends it messages: call this on the program's
// thread, or while it is blocked.
#pragma once

#include <string>

namespace script {

std::string dump_json();

} // namespace script
