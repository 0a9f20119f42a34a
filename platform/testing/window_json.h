// The window tree as JSON, for automation scripts (`dump FILE.json`, and the
// report of a failing step). Our layer's script runner and the Windows
// build's driver each gather the tree from their own system into these plain
// structures, and both write it through here, so the two files compare:
//
//   {"clock_ms": N, "active": H, "focus": H, "numlock": B, "windows": [W...]}
//   W = {"handle": H, "class": S, "id": N, "text": S, "rect": [x, y, w, h],
//        "visible": B, "enabled": B, "style": N, "children": [W...]}
//
// plus "checked" (B: BM_GETCHECK answers BST_CHECKED) on buttons, "items" ([S...]) and "selected" (the index,
// -1 for none) on list boxes, and "menu" on windows with a menu bar: its
// items as {"text": S, "id": N, "greyed": B}, with "items" for a drop-down
// (its id is -1) and "separator": true for a separator. Handles are numbers
// (0 for none); rectangles are desktop pixels. Texts are the program's (Windows-1252), written as JSON
// escapes, so the file is plain ASCII. Nothing but the standard library
// here: the Windows build compiles it against the real system's headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace script {

struct MenuEntry {
    std::string text;   // as the program wrote it, '&' and tab included
    long long id = 0;   // -1 for a drop-down
    bool greyed = false;
    bool separator = false;
    bool dropDown = false;   // it opens `items`
    std::vector<MenuEntry> items;
};

struct ListBoxState {
    std::vector<std::string> items;
    long long selected = -1;
};

struct WindowState {
    std::uintptr_t handle = 0;
    std::string className;
    long long id = 0;   // a child's control id; 0 for a top-level window
    std::string text;
    long long x = 0, y = 0, width = 0, height = 0;   // desktop pixels
    bool visible = false;
    bool enabled = false;
    long long style = 0;
    std::optional<bool> checked;                  // buttons
    std::optional<ListBoxState> listBox;          // list boxes
    std::optional<std::vector<MenuEntry>> menu;   // windows with a menu bar
    std::vector<WindowState> children;            // topmost first
};

struct WindowTree {
    long long clockMs = 0;
    std::uintptr_t active = 0;
    std::uintptr_t focus = 0;
    bool numlock = false;
    std::vector<WindowState> windows;   // top-level, topmost first
};

// The tree as one JSON object and a line break.
std::string to_json(const WindowTree &tree);

}   // namespace script
