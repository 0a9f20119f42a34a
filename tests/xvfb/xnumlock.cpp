#include "xnumlock.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>

bool x_numlock_on()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) return false;
    Bool on = False;
    int index = 0;
    XkbGetNamedIndicator(display, XInternAtom(display, "Num Lock", False), &index, &on, nullptr, nullptr);
    XCloseDisplay(display);
    return on == True;
}
