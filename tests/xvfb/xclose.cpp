#include "xclose.h"

#include <X11/Xlib.h>

bool send_window_close(unsigned long window)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) return false;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &e);
    XCloseDisplay(display);
    return true;
}
