#include "x11.h"

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

std::vector<uint32_t> pixels(int x, int y, int width, int height)
{
    std::vector<uint32_t> out;
    Display *display = XOpenDisplay(nullptr);
    if (!display) return out;
    XImage *image = XGetImage(display, DefaultRootWindow(display), x, y, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    for (int row = 0; image && row < height; ++row)
        for (int column = 0; column < width; ++column)
            out.push_back(static_cast<uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFF);
    if (image) XDestroyImage(image);
    XCloseDisplay(display);
    return out;
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

unsigned long other_window()
{
    static Display *display = XOpenDisplay(nullptr);
    if (!display) return 0;
    Window w = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 40, 0, 0, 0);
    XMapWindow(display, w);
    XSync(display, False);
    return w;
}

}   // namespace x11
