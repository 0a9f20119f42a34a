// Before WinMain: the driver chosen by environment and the command line text.
#include "driver/entry.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using drv::Choice;

// Asked for by name, else the window where there is a display; a refusal
// names both ways to run, and an unknown name itself.
TEST(DriverChoice, ByNameOrTheDisplayAndRefusalsSayHowToRun)
{
    struct Row {
        const char *asked;
        bool display;
        Choice choice;
        const char *named;
    };
    const Row rows[] = {
        {"headless", false, Choice::Headless, ""},
        {"headless", true, Choice::Headless, ""},
        {"sdl", false, Choice::Sdl, ""},
        {nullptr, true, Choice::Sdl, ""},
        {"", true, Choice::Sdl, ""},
        {nullptr, false, Choice::Refused, "no display"},
        {"", false, Choice::Refused, "no display"},
        {"Headless", false, Choice::Refused, "STONECALL_DRIVER=Headless"},
        {"x11", true, Choice::Refused, "STONECALL_DRIVER=x11"},
    };
    for (const Row &r : rows) {
        const std::string what = std::string(r.asked ? r.asked : "(unset)") + (r.display ? " with" : " without");
        std::string why;
        EXPECT_EQ(drv::choose_driver(r.asked, r.display, &why), r.choice) << what;
        EXPECT_EQ(why.empty(), r.choice != Choice::Refused) << what;
        if (r.choice != Choice::Refused) continue;
        for (const char *named : {"xvfb-run ./run.sh", "STONECALL_DRIVER=headless STONECALL_SCRIPT=FILE", r.named})
            EXPECT_NE(why.find(named), std::string::npos) << what << ": " << why;
    }
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
    struct Row {
        const char *display, *wayland;
        bool available;
    };
    for (const Row &r : {Row{nullptr, nullptr, false}, Row{"", nullptr, false}, Row{"", "wayland-0", true},
                         Row{":0", nullptr, true}}) {
        r.display ? setenv("DISPLAY", r.display, 1) : unsetenv("DISPLAY");
        r.wayland ? setenv("WAYLAND_DISPLAY", r.wayland, 1) : unsetenv("WAYLAND_DISPLAY");
        EXPECT_EQ(drv::display_available(), r.available) << (r.display ? r.display : "-") << " " << !!r.wayland;
    }
}

// An argument's own blanks stay: "DeckwiseSetup " is not the keyword.
TEST(WinMainCommandLine, ArgumentsAfterTheNameJoinedBySingleBlanks)
{
    const std::vector<std::pair<std::vector<const char *>, const char *>> rows = {
        {{"stonecall"}, ""},
        {{"stonecall", "DeckwiseSetup"}, "DeckwiseSetup"},
        {{"stonecall", "DeckwiseSetup", "now"}, "DeckwiseSetup now"},
        {{"stonecall", "DeckwiseSetup "}, "DeckwiseSetup "},
        {{"stonecall", "", "x"}, " x"},
    };
    for (const auto &[argv, line] : rows)
        EXPECT_EQ(drv::command_line(static_cast<int>(argv.size()), argv.data()), line) << argv.size();
}
