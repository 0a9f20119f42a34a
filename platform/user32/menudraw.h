// How menus look, for the menu tracking (menutrack.cpp): the classic metrics,
// where the items of the bar and of a drop-down lie, and their painting.
#pragma once

#include "user32/menu_internal.h"

#include "gdi32/canvas.h"

#include <vector>

namespace user32 {

constexpr int kMenuPopupFrame = 3;   // a drop-down's raised edge and a line of menu colour

// Separators cannot be selected; greyed and disabled items cannot be chosen.
bool menu_item_selectable(const MenuItem &item);
bool menu_item_enabled(const MenuItem &item);

// The bar's items side by side from the left of `bar`, one per item.
std::vector<raster::Rect> menu_bar_layout(const Menu &m, const raster::Rect &bar);

struct MenuPopupLayout {
    std::vector<raster::Rect> items;   // in the drop-down's own coordinates
    int accelX = 0;                    // where key names start
    SIZE size{};
};
MenuPopupLayout menu_popup_layout(const Menu &m);

// A drop-down's whole surface, item `selected` highlighted (-1: none).
void menu_draw_popup(const raster::Canvas &c, const Menu &m, int selected);

// The bar's items on the desktop. `tracked` is the item the menu loop is on
// (-1: none): pushed in, its text with it, while its drop-down is `open`,
// raised while the keyboard only points at it.
void menu_draw_bar(const raster::Canvas &desk, const Menu &m, const raster::Rect &bar, const raster::Rect &clip,
                   int tracked, bool open);

}   // namespace user32
