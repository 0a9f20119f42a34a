// The whole program in a real window on a virtual X server (with-xvfb.sh, no
// window manager), used as a person uses it: real X input from xdotool, the
// screen read back from the server's framebuffer.
#include "xprogram.h"
#include "xscreen.h"

#include "gdi32/png.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <string>

namespace {

class ProgramTest : public XProgramTest {
protected:
    // No start banner, no spread loaded at start: the main window at once.
    void skip_banner()
    {
        write("qmsc98.ini", "Ini file for QM Stonecall V1.10\r\n\r\nShowEditHelp=1\r\nShowStartBanner=0\r\n"
                            "DefaultStartUpSpread=\r\n");
    }
};

TEST_F(ProgramTest, ScriptRunsPastTheBannerAndAboutToExitInRealTime)
{
    write("steps.txt", "wait 3000\n"
                       "menu Help About..\n"
                       "expect-window About..\n"
                       "click 1\n"
                       "screenshot main.png\n"
                       "menu File Exit\n");
    auto started = std::chrono::steady_clock::now();
    start("steps.txt");
    EXPECT_EQ(1, exit_code());
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(3000));

    gfx::Surface image;
    std::string why;
    ASSERT_TRUE(gfx::read_png(folder + "/main.png", image, &why)) << why;
    const gfx::Canvas &c = image.canvas;
    ASSERT_EQ(1024, c.width);
    // Not blank: the desktop holds more than a few colours.
    std::set<uint32_t> colours;
    for (int y = 0; y < c.height; y += 4)
        for (int x = 0; x < c.width; x += 4) colours.insert(c.row(y)[x]);
    EXPECT_GE(colours.size(), 4u);
    // The maximised main window's menu bar below its caption: menu ground
    // with the dark letters of File, Spread and Help.
    COLORREF menu = GetSysColor(COLOR_MENU);
    uint32_t ground = (uint32_t{GetRValue(menu)} << 16) | (uint32_t{GetGValue(menu)} << 8) | GetBValue(menu);
    int groundPixels = 0, letterPixels = 0;
    for (int y = 22; y < 36; ++y)
        for (int x = 0; x < 120; ++x) {
            groundPixels += c.row(y)[x] == ground;
            letterPixels += c.row(y)[x] == 0;
        }
    EXPECT_GT(groundPixels, 120 * 14 / 2);
    EXPECT_GT(letterPixels, 30);
}

TEST_F(ProgramTest, MenuBarOpensByClickAndAltFThenEnterExits)
{
    skip_banner();
    start();
    std::string xid = xscreen::output_of("timeout 10 xdotool search --sync --name '^Quenmire Stonecall V1.1'");
    ASSERT_FALSE(xid.empty()) << "no window titled after the main window";
    POINT origin = xscreen::window_origin(xid);
    ASSERT_EQ(0, std::system(("xdotool windowfocus --sync " + xid).c_str()));

    // The File menu drops below its title on the menu bar.
    const RECT dropDown{0, 40, 80, 70};
    xscreen::Shot before = xscreen::shot(origin, dropDown);
    ASSERT_EQ(0, std::system(("xdotool mousemove --window " + xid + " 14 28 click 1").c_str()));
    EXPECT_TRUE(xscreen::changes(origin, dropDown, before, 40)) << "no menu dropped down";

    ASSERT_EQ(0, std::system("xdotool key Escape Escape alt+f Return"));
    // Exit: the settings file closed cleanly.
    EXPECT_EQ(1, exit_code());
}

} // namespace
