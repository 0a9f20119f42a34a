// The program's window tree as JSON, in the format of our layer's script
// runner (platform/testing/windump.h), read from outside:
//
//   {"clock_ms": N, "active": H, "focus": H, "numlock": B, "windows": [W...]}
//   W = {"handle", "class", "id", "text", "rect": [x, y, w, h], "visible",
//        "enabled", "style", "checked" (buttons), "items" and "selected" (list
//        boxes), "menu" (menu bars), "children": [W...]}
//
// Class names are Windows' own ("Button", "#32770"); "clock_ms" counts real
// milliseconds since the program started.
#pragma once

#include "target.h"

#include <string>

namespace drive {

std::string dump_json(const Target &t);

}   // namespace drive
