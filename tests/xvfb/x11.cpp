#include "x11.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

namespace x11 {

std::string output_of(const std::string &command)
{
    std::string out;
    if (FILE *p = popen(command.c_str(), "r")) {
        char buf[256];
        while (fgets(buf, sizeof buf, p)) out += buf;
        pclose(p);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

uint32_t pixel(int x, int y)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) return 0xFFFFFFFF;
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    uint32_t value = image ? static_cast<uint32_t>(XGetPixel(image, 0, 0)) & 0xFFFFFF : 0xFFFFFFFF;
    if (image) XDestroyImage(image);
    XCloseDisplay(display);
    return value;
}

bool send_close(unsigned long window)
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

bool numlock_on()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display) return false;
    Bool on = False;
    int index = 0;
    XkbGetNamedIndicator(display, XInternAtom(display, "Num Lock", False), &index, &on, nullptr, nullptr);
    XCloseDisplay(display);
    return on == True;
}

}   // namespace x11
