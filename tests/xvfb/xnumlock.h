// The X server's own NumLock, apart from the tests for the same reason as
// xclose.h: Xlib's macros clash with everything else.
#pragma once

// Whether the server's "Num Lock" indicator is lit; false when the server
// cannot be reached.
bool x_numlock_on();
