// Before WinMain: the driver chosen by environment and the command line text.
#include "driver/entry.h"

#include <gtest/gtest.h>

#include <cstdlib>

using drv::Choice;

// A refusal names both ways to run and, for an unknown driver, the name asked.
TEST(DriverChoice, ByNameOrTheWindowWhereThereIsADisplayAndRefusedOtherwise)
{
    const struct {
        const char *asked;
        bool display;
        Choice chosen;
    } rows[] = {
        {"headless", false, Choice::Headless},
        {"headless", true, Choice::Headless},
        {"sdl", false, Choice::Sdl},
        {nullptr, true, Choice::Sdl},
        {"", true, Choice::Sdl},
        {nullptr, false, Choice::Refused},
        {"", false, Choice::Refused},
        {"Headless", false, Choice::Refused},
        {"x11", true, Choice::Refused},
    };
    for (const auto &row : rows) {
        std::string why;
        EXPECT_EQ(drv::choose_driver(row.asked, row.display, &why), row.chosen) << (row.asked ? row.asked : "(none)");
        EXPECT_EQ(why.find("xvfb-run ./run.sh") != std::string::npos, row.chosen == Choice::Refused) << why;
        EXPECT_EQ(why.find("STONECALL_DRIVER=headless STONECALL_SCRIPT=FILE") != std::string::npos,
                  row.chosen == Choice::Refused);
    }
    std::string why;
    drv::choose_driver("x11", true, &why);
    EXPECT_NE(why.find("STONECALL_DRIVER=x11"), std::string::npos);
}

TEST(DriverChoice, TheLayerLeavesTheWindowDriverToTheProgram)
{
    std::string why;
    EXPECT_FALSE(drv::install_driver(Choice::Sdl, &why));
    EXPECT_NE(why.find("SDL"), std::string::npos);
    EXPECT_TRUE(drv::install_driver(Choice::Headless, &why));
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

TEST(WinMainCommandLine, ArgumentsAfterTheNameJoinedBySingleBlanks)
{
    const char *none[] = {"stonecall"};
    EXPECT_EQ(drv::command_line(1, none), "");
    const char *one[] = {"stonecall", "DeckwiseSetup"};
    EXPECT_EQ(drv::command_line(2, one), "DeckwiseSetup");
    const char *two[] = {"stonecall", "DeckwiseSetup", "now"};
    EXPECT_EQ(drv::command_line(3, two), "DeckwiseSetup now");
    // An argument's own blanks stay: "DeckwiseSetup " is not the keyword.
    const char *blank[] = {"stonecall", "DeckwiseSetup "};
    EXPECT_EQ(drv::command_line(2, blank), "DeckwiseSetup ");
    const char *empty[] = {"stonecall", "", "x"};
    EXPECT_EQ(drv::command_line(3, empty), " x");
}
