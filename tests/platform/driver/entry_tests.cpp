// Before WinMain: the driver chosen by environment, what a refusal says and
// which driver the layer installs (tests/golden/driver_choice.txt); the
// command line text.
#include "support/golden.h"

#include "driver/entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

// A display is there when either variable is set and not empty.
TEST(DriverChoice, AskedForByNameOrTheWindowWhereThereIsADisplayElseRefusedNamingBothWaysToRun)
{
    const char *const choices[] = {"headless", "sdl", "refused"};
    const char *const displays[][2] = {{nullptr, nullptr}, {"", nullptr}, {"", "wayland-0"}, {":0", nullptr}};
    std::string out;
    for (const auto &[x11, wayland] : displays) {
        x11 ? setenv("DISPLAY", x11, 1) : unsetenv("DISPLAY");
        wayland ? setenv("WAYLAND_DISPLAY", wayland, 1) : unsetenv("WAYLAND_DISPLAY");
        const bool display = drv::display_available();
        out += std::string("DISPLAY \"") + (x11 ? x11 : "(unset)") + "\", WAYLAND_DISPLAY \"" +
               (wayland ? wayland : "(unset)") + (display ? "\": a display\n" : "\": none\n");
        for (const char *asked : {"headless", "sdl", (const char *)nullptr, "", "Headless", "x11"}) {
            std::string why;
            const drv::Choice choice = drv::choose_driver(asked, display, &why);
            out += "  " + std::string(asked ? asked : "(unset)") + ": " + choices[static_cast<int>(choice)] + "\n" +
                   why + "\n";
        }
    }
    // The layer leaves the window driver to the program.
    for (drv::Choice choice : {drv::Choice::Sdl, drv::Choice::Headless}) {
        std::string why;
        out += "installs " + std::string(choices[static_cast<int>(choice)]) + ": " +
               std::to_string(drv::install_driver(choice, &why)) + " " + why + "\n";
    }
    EXPECT_TRUE(matches_expected_text(out, "driver_choice.txt"));
}

// An argument's own blanks stay: "DeckwiseSetup " is not the keyword.
TEST(WinMainCommandLine, ArgumentsAfterTheNameJoinedBySingleBlanks)
{
    const std::pair<std::vector<const char *>, std::string> cases[] = {
        {{"stonecall"}, ""},
        {{"stonecall", "DeckwiseSetup"}, "DeckwiseSetup"},
        {{"stonecall", "DeckwiseSetup", "now"}, "DeckwiseSetup now"},
        {{"stonecall", "DeckwiseSetup "}, "DeckwiseSetup "},
        {{"stonecall", "", "x"}, " x"}};
    for (const auto &[argv, line] : cases)
        EXPECT_EQ(drv::command_line(static_cast<int>(argv.size()), argv.data()), line);
}
