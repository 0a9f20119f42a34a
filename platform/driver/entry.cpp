// Before WinMain: choosing the driver by environment, and the command line.
#include "driver/entry.h"

#include "driver/headless/headless.h"

#include <cstdlib>
#include <cstring>

namespace drv {
namespace {

const char kInXvfb[] = "  xvfb-run ./run.sh                                    in a virtual X display\n";
const char kHeadless[] =
    "  STONECALL_DRIVER=headless STONECALL_SCRIPT=FILE ...  headless, driven by an automation script";

bool set(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

}   // namespace

Choice choose_driver(const char *requested, bool displayAvailable, std::string *why)
{
    if (requested && std::strcmp(requested, "headless") == 0) return Choice::Headless;
    if (requested && std::strcmp(requested, "sdl") == 0) return Choice::Sdl;
    if (requested && *requested) {
        *why = std::string("STONECALL_DRIVER=") + requested + " is not a driver: use sdl or headless.\n" + kInXvfb +
               kHeadless;
        return Choice::Refused;
    }
    if (displayAvailable) return Choice::Sdl;
    *why = std::string("There is no display to show a window on (DISPLAY and WAYLAND_DISPLAY are unset).\n"
                       "Run the program in one of these ways:\n") +
           kInXvfb + kHeadless;
    return Choice::Refused;
}

bool display_available() { return set("DISPLAY") || set("WAYLAND_DISPLAY"); }

bool install_driver(Choice choice, std::string *why)
{
    switch (choice) {
    case Choice::Headless:
        install(std::make_unique<HeadlessDriver>());
        return true;
    case Choice::Sdl:
        *why = "The window driver (SDL) is linked into the program alone, which installs it itself.";
        return false;
    case Choice::Refused:
        break;
    }
    return false;
}

std::string command_line(int argc, const char *const *argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += argv[i];
    }
    return line;
}

}   // namespace drv
