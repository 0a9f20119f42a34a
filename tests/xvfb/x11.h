// The X server's side of the window tests, apart from them: Xlib's macros
// (None, Bool) clash with everything else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace x11 {

// What a shell command prints, without the final line feed.
std::string output_of(const std::string &command);
// The screen's pixels in a rectangle, row by row, as 0x00RRGGBB; none when
// the server cannot be reached.
std::vector<uint32_t> pixels(int x, int y, int width, int height);
// What a window manager sends when the close button is pressed; false when
// the server cannot be reached.
bool send_close(unsigned long window);
// Another client's small window at the screen's corner, for the focus to
// move to, until the process ends; 0 when the server cannot be reached.
unsigned long other_window();

}   // namespace x11
