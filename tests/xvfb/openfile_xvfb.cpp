// The setup screen's open-file dialog in the real window, double-clicked with
// the X server's own mouse (xdotool): a folder opens, a file is chosen.
#include "x11.h"
#include "xprogram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

class OpenFileXTest : public XProgramTest {
  protected:
    // The program on its setup screen, driven by the script too.
    void start_setup(const std::string &script)
    {
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            if (chdir(folder.c_str()) != 0) _exit(100);
            setenv("STONECALL_DRIVER", "sdl", 1);
            setenv("STONECALL_SCRIPT", (folder + "/" + script).c_str(), 1);
            execl(STONECALL_PROGRAM, STONECALL_PROGRAM, "DeckwiseSetup", static_cast<char *>(nullptr));
            _exit(101);
        }
    }
    std::string read(const std::string &name)
    {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};

// Where a control of a window dump lies on the desktop: left, top.
bool control_at(const std::string &dump, int id, int &left, int &top)
{
    std::smatch m;
    const std::regex rect("\"id\": " + std::to_string(id) + ", \"text\": \"[^\"]*\", \"rect\": \\[(-?\\d+), (-?\\d+),");
    if (!std::regex_search(dump, m, rect)) return false;
    left = std::stoi(m[1]);
    top = std::stoi(m[2]);
    return true;
}

}   // namespace

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
    start_setup("steps.txt");
    // The dump is read once it is whole: the file appears before it is written.
    std::string dump;
    int files[2], folders[2];
    for (int i = 0; i < 500; ++i) {
        dump = read("dialog.json");
        if (control_at(dump, 0x460, files[0], files[1]) && control_at(dump, 0x461, folders[0], folders[1])) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(control_at(dump, 0x460, files[0], files[1]) && control_at(dump, 0x461, folders[0], folders[1])) << dump;
    const std::string xid = x11::output_of("xdotool search --pid " + std::to_string(pid) + " | head -n1");
    ASSERT_FALSE(xid.empty());
    int x = -1, y = -1;
    std::sscanf(x11::output_of("xdotool getwindowgeometry --shell " + xid).c_str(), "WINDOW=%*d X=%d Y=%d", &x, &y);
    // Rows of about 13 pixels: "Sub" is the second folder (after ".."), CELTIC.SCS the only file there.
    const auto double_click = [&](int left, int top) {
        const std::string at = std::to_string(x + left + 10) + " " + std::to_string(y + top);
        ASSERT_EQ(0, std::system(("xdotool mousemove " + at + " click --repeat 2 --delay 80 1").c_str()));
    };
    // The file list changes once the folder is open.
    const auto file_list = [&] { return x11::pixels(x + files[0], y + files[1], 60, 30); };
    const std::vector<uint32_t> before = file_list();
    double_click(folders[0], folders[1] + 21);
    for (int i = 0; i < 150 && file_list() == before; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    double_click(files[0], files[1] + 8);
    EXPECT_EQ(0, exit_code());
    const std::string chosen = std::filesystem::canonical(folder).string() + "/Sub/CELTIC.SCS";
    EXPECT_NE(read("qmsc98.ini").find("DefaultStartUpSpread=" + chosen + "\r\n"), std::string::npos)
        << read("qmsc98.ini");
}
