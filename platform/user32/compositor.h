// The desktop image: every visible window's frame and pixels composited over
// the desktop background, top-level windows in z-order, each child above its
// parent and clipped to the parent's client area. Only what changed since the
// last call is composed again. Drivers ask for it when the program blocks; tests
// and automation scripts read pixels from it and save it as a PNG.
#pragma once

#include "gdi32/canvas.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace user32 {

const raster::Canvas &desktop_image();
bool save_desktop_png(const std::string &path, std::string *error);

// What a WS_EX_TRANSPARENT window (a group box) leaves in its surface where
// the windows below it should show: no drawing makes it (its top byte is set).
constexpr uint32_t kHolePixel = 0xFF000000u;

// A window's pixels changed (a device context on it was taken or given back).
void surface_changed(HWND hwnd);

// A window is gone: nothing of it is composed any more (where it stood shows
// from the set of windows). Without this, a program that is never shown,
// headless, would keep every window it ever drew on in the set of changes.
void compositor_forget_window(HWND hwnd);

// How many windows' pixels changed since the desktop was last composed.
size_t windows_changed();

// The menu bar's items come from the menu code; until it registers a painter
// the bar is empty ground.
using MenuBarPainter = void (*)(HWND window, const raster::Canvas &desktop, const raster::Rect &bar,
                                const raster::Rect &clip);
void set_menu_bar_painter(MenuBarPainter painter);

// How many calls of desktop_image() found something to compose: a driver
// presents the image again only when this moved.
uint64_t desktop_changes();

}   // namespace user32
