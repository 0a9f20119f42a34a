// Before WinMain: the driver chosen by environment and the command line text.
#include "driver/entry.h"

#include <gtest/gtest.h>

#include <cstdlib>

using drv::Choice;

TEST(DriverChoice, AskedForByNameOrTheWindowWhereThereIsADisplay)
{
    std::string why;
    EXPECT_EQ(drv::choose_driver("headless", false, &why), Choice::Headless);
    EXPECT_EQ(drv::choose_driver("headless", true, &why), Choice::Headless);
    EXPECT_EQ(drv::choose_driver("sdl", false, &why), Choice::Sdl);
    EXPECT_EQ(drv::choose_driver(nullptr, true, &why), Choice::Sdl);
    EXPECT_EQ(drv::choose_driver("", true, &why), Choice::Sdl);
    EXPECT_TRUE(why.empty());
}

TEST(DriverChoice, RefusedWithoutADisplayOrForAnUnknownNameNamingBothWaysToRun)
{
    for (const char *asked : {(const char *)nullptr, "", "Headless", "x11"}) {
        std::string why;
        EXPECT_EQ(drv::choose_driver(asked, false, &why), Choice::Refused);
        EXPECT_NE(why.find("xvfb-run ./run.sh"), std::string::npos) << why;
        EXPECT_NE(why.find("STONECALL_DRIVER=headless STONECALL_SCRIPT=FILE"), std::string::npos) << why;
    }
    std::string why;
    EXPECT_EQ(drv::choose_driver("x11", true, &why), Choice::Refused);
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
