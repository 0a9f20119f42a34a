// The virtual X server's side of the window tests: commands' output, the OS
// window's place, and the screen's pixels read from the server's framebuffer
// file ($XVFB_FBDIR, see with-xvfb.sh).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace xscreen {

// What a shell command prints, without the final line feed.
std::string output_of(const std::string &command);
// Where an X window (by id, as xdotool prints it) lies on the screen.
POINT window_origin(const std::string &xid);
// One screen pixel as 0x00RRGGBB.
uint32_t pixel(int x, int y);

// The pixels of a rectangle of the OS window (window coordinates).
using Shot = std::vector<uint32_t>;
Shot shot(POINT origin, const RECT &r);
// Whether at least `least` pixels of the rectangle come to differ from
// `before` within 5 s (the program draws in its own time).
bool changes(POINT origin, const RECT &r, const Shot &before, int least);

} // namespace xscreen
