// What the SDL driver asks of X itself when SDL runs on it.
#pragma once

#include <SDL.h>

namespace drv::sdl {

// When the connection to the X server breaks (the server ended, the session
// logged out) the program ends at once, as a crash at that moment would:
// Xlib's own handler calls exit(), whose handlers would tear the driver down
// over the dead connection and wait there for ever.
void end_when_display_goes();

// Whether the layout's right Alt key is AltGr (it types the third level of
// the keys, `@` on a German Q) rather than a second Alt. False off X.
bool right_alt_is_altgr(SDL_Window *window);

}   // namespace drv::sdl
