// The real window: one resizable OS window through SDL2 that shows the virtual
// desktop, the real clock, and input from the real keyboard and mouse. This
// header names no SDL type, so the program's entry point can choose a driver
// without seeing SDL.
#pragma once

#include <string>

namespace drv {

// Opens the OS window and installs the SDL driver as the current one. False,
// with SDL's reason in `why`, when no display can be opened.
bool install_sdl_driver(std::string &why);

}   // namespace drv
