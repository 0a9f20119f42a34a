// What a window manager sends when its close button is pressed, for tests
// on a server without one. Apart from the tests: Xlib's macros (None, Bool)
// clash with everything else.
#pragma once

// False when the X server cannot be reached.
bool send_window_close(unsigned long window);
