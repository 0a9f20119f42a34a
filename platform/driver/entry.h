// What happens before WinMain: the driver is chosen by environment (the
// command line belongs to the program), and the arguments become the command
// line text Windows passes to WinMain.
#pragma once

#include <string>

namespace drv {

enum class Choice { Headless, Sdl, Refused };

// From STONECALL_DRIVER (null when unset) and whether a display is there:
// "headless" or "sdl" as asked; unset, SDL with a display, else nothing.
// `why` says what is wrong when the answer is Refused.
Choice choose_driver(const char *requested, bool displayAvailable, std::string *why);

// Whether the environment names an X11 or Wayland display.
bool display_available();

// Installs the chosen driver; false, with the reason, when it cannot run here.
bool install_driver(Choice choice, std::string *why);

// The arguments after the program's name joined by single blanks.
std::string command_line(int argc, const char *const *argv);

}   // namespace drv
