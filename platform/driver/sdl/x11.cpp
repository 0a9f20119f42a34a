#include "driver/sdl/x11.h"

#include <SDL_syswm.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace drv::sdl {

void end_when_display_goes()
{
    XSetIOErrorHandler([](Display *) -> int {
        static const char said[] = "stonecall: the connection to the display was lost\n";
        if (write(STDERR_FILENO, said, sizeof said - 1) < 0) {}
        _exit(1);
    });
}

bool right_alt_is_altgr(SDL_Window *window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display *display = info.info.x11.display;
    XkbDescPtr keyboard = XkbGetMap(display, 0, XkbUseCoreKbd);
    if (!keyboard) return false;
    bool altGr = false;
    if (XkbGetNames(display, XkbKeyNamesMask, keyboard) == Success && keyboard->names && keyboard->names->keys) {
        for (int code = keyboard->min_key_code; code <= keyboard->max_key_code; ++code) {
            if (std::strncmp(keyboard->names->keys[code].name, "RALT", XkbKeyNameLength) != 0) continue;
            KeySym sym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 0);
            altGr = sym == XK_ISO_Level3_Shift || sym == XK_Mode_switch;
        }
    }
    XkbFreeKeyboard(keyboard, 0, True);
    return altGr;
}

}   // namespace drv::sdl
