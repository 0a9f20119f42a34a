// Before WinMain: the driver chosen by environment, what a refusal says and
// which driver the layer installs (tests/golden/driver_choice.txt); the
// command line text.
#include "support/golden.h"

#include "driver/entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

TEST(DriverChoice, AskedForByNameOrTheWindowWhereThereIsADisplayElseRefusedNamingBothWaysToRun)
{
    const char *const choices[] = {"headless", "sdl", "refused"};
    std::string out;
    for (bool display : {false, true}) {
        for (const char *asked : {"headless", "sdl", (const char *)nullptr, "", "Headless", "x11"}) {
            std::string why;
            const drv::Choice choice = drv::choose_driver(asked, display, &why);
            out += std::string(!asked   ? "(unset)"
                               : *asked ? asked
                                        : "(empty)") +
                   (display ? " with a display: " : " without: ") + choices[static_cast<int>(choice)] + "\n" + why +
                   "\n";
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

TEST(DriverChoice, DisplayFromEitherVariable)
{
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(drv::display_available());
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(drv::display_available());
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_TRUE(drv::display_available());
    unsetenv("WAYLAND_DISPLAY");
    setenv("DISPLAY", ":0", 1);
    EXPECT_TRUE(drv::display_available());
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
