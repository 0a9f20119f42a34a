// The virtual X server's side of the window tests (with-xvfb.sh): commands'
// output, the screen's pixels, what a window manager sends when its close
// button is pressed, another client's window. Apart from the tests: Xlib's
// macros (None, Bool) clash with everything else.
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
// False when the server cannot be reached.
bool send_close(unsigned long window);
// A small window of a client apart from the program's, shown at the screen's
// corner, for the keyboard focus to move to; 0 when the server cannot be
// reached. It stays until the test's process ends.
unsigned long other_window();

}   // namespace x11
