// The layer's start-up code, what a C runtime's is on Windows: chooses the
// driver by environment, runs the automation script STONECALL_SCRIPT names (if
// any) and hands over to the program's WinMain with the command line as Windows
// passes it. WinMain's result is the exit code.
#include <windows.h>

#include "driver/entry.h"
#include "driver/sdl/sdl_driver.h"
#include "driver/userfolder.h"
#include "testing/script.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    std::string why;
    drv::Choice choice = drv::choose_driver(std::getenv("STONECALL_DRIVER"), drv::display_available(), &why);
    // The window driver is linked into the program alone.
    bool installed = choice != drv::Choice::Refused &&
                     (choice == drv::Choice::Sdl ? drv::install_sdl_driver(why) : drv::install_driver(choice, &why));
    if (!installed) {
        std::fprintf(stderr, "stonecall: %s\n", why.c_str());
        return 2;
    }
    std::string text = drv::command_line(argc, argv);
    std::vector<char> line(text.begin(), text.end());
    line.push_back('\0');
    // Installed, the program starts in the user's folder (driver/userfolder.h).
    return script::run_program([&line] {
        return drv::start_in_user_folder() ? WinMain(GetModuleHandleA(NULL), NULL, line.data(), SW_SHOWDEFAULT) : 2;
    });
}
