// The setup screen's open-file dialog in the real window, double-clicked with
// the X server's own mouse (xdotool): a folder opens, a file is chosen.
#include "x11.h"
#include "xprogram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using OpenFileXTest = XProgramTest;

TEST_F(OpenFileXTest, ADoubleClickOpensAFolderAndChoosesAFile)
{
    std::filesystem::create_directory(folder + "/Sub");
    write("Sub/CELTIC.SCS", "x");
    write("A.SCS", "x");
    // The dialog is dumped once it waits; the double-clicks come from X
    // during the wait; then the setup screen's OK keeps the path.
    write("steps.txt", "expect-window Quenmire Stonecall V1.1 - Setup\n"
                       "click 104\n"
                       "dump dialog.json\n"
                       "wait 6000\n"
                       "click 1\n");
    start("steps.txt", "DeckwiseSetup");
    const std::array<int, 4> files = dumped_rect("dialog.json", 0x460), folders = dumped_rect("dialog.json", 0x461);
    ASSERT_NE(files[2], 0);
    ASSERT_NE(folders[2], 0);
    const std::string xid = x11::output_of("xdotool search --pid " + std::to_string(pid) + " | head -n1");
    ASSERT_FALSE(xid.empty());
    const std::array<int, 2> o = origin(xid);
    // Rows of about 13 pixels: "Sub" is the second folder (after ".."), CELTIC.SCS the only file there.
    const auto double_click = [&](int left, int top) {
        const std::string at = std::to_string(o[0] + left + 10) + " " + std::to_string(o[1] + top);
        ASSERT_EQ(0, std::system(("xdotool mousemove " + at + " click --repeat 2 --delay 80 1").c_str()));
    };
    // The file list changes once the folder is open.
    const auto file_list = [&] { return x11::pixels(o[0] + files[0], o[1] + files[1], 60, 30); };
    const std::vector<uint32_t> before = file_list();
    double_click(folders[0], folders[1] + 21);
    for (int i = 0; i < 150 && file_list() == before; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double_click(files[0], files[1] + 8);
    EXPECT_EQ(0, exit_code());
    const std::string chosen = std::filesystem::canonical(folder).string() + "/Sub/CELTIC.SCS";
    EXPECT_NE(read("qmsc98.ini").find("DefaultStartUpSpread=" + chosen + "\r\n"), std::string::npos)
        << read("qmsc98.ini");
}
