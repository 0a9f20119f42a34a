// The program where it meets the user's desktop: typing with German and
// French keyboard layouts (keys sent by xdotool, the spread file's bytes
// read back), another window taking the focus, the X clipboard, resizing the
// OS window, and the X server going away under it.
#include <windows.h>

#include "support/tempdir.h"
#include "x11.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The program itself started under the SDL driver in a fresh folder, the
// test's current one; a program still running ends with the test.
class DesktopXTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;
    pid_t pid = -1;

    void TearDown() override
    {
        if (pid <= 0) return;
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    // Whether `done` answers true within that many seconds (the program runs in real time).
    static bool within(double seconds, const std::function<bool()> &done)
    {
        for (int i = 0; i < seconds * 50; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (done()) return true;
        }
        return false;
    }
    bool appears(const std::string &name, int seconds = 10)
    {
        return within(seconds, [&] { return access(name.c_str(), F_OK) == 0; });
    }
    // The program running the script `steps`, with no start banner, no
    // editing help and no start-up spread.
    void start(const std::string &steps)
    {
        testsupport::write_bytes("qmsc98.ini",
                                 "Ini file for QM Stonecall V1.10\r\n\r\nShowEditHelp=0\r\nShowStartBanner=0\r\n"
                                 "DefaultStartUpSpread=\r\n");
        testsupport::write_bytes("steps.txt", steps);
        pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            setenv("STONECALL_DRIVER", "sdl", 1);
            setenv("STONECALL_SCRIPT", "steps.txt", 1);
            execl(STONECALL_PROGRAM, STONECALL_PROGRAM, static_cast<char *>(nullptr));
            _exit(101);
        }
    }
    // The program's exit code; -1 when it is still running after that many seconds.
    int exit_code(int seconds = 10)
    {
        int status = 0;
        if (!within(seconds, [&] { return waitpid(pid, &status, WNOHANG) == pid; })) return -1;
        pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
};

struct Typing {
    const char *layout;
    const char *keys;    // xdotool key names
    const char *title;   // the bytes the spread file holds
};

// AltGr (ISO_Level3_Shift), a dead circumflex, keys without a US equivalent;
// AZERTY's number row types & é " unshifted and digits with Shift.
const Typing typings[] = {
    {"de",
     "z udiaeresis shift+2 w shift+2 space ISO_Level3_Shift+q space 5 ISO_Level3_Shift+e space ssharp shift+7 "
     "y space dead_circumflex e less numbersign",
     "z\xFC\"w\" @ 5\x80 \xDF/y \xEA<#"},
    {"fr",
     "a z q w ampersand eacute quotedbl shift+ampersand shift+eacute space ISO_Level3_Shift+agrave "
     "ISO_Level3_Shift+e dead_circumflex e ccedilla less m comma semicolon",
     "azqw&\xE9\"12 @\x80\xEA\xE7<m,;"},
};

// Whole squares of 16 x 16 pixels all black in a picture `width` wide:
// nothing drawn there (the rune's lines are black too, but thin).
long black_squares(const std::vector<uint32_t> &shown, size_t width)
{
    const size_t across = width / 16;
    const size_t down = shown.size() / width / 16;
    std::vector<bool> drawn(across * down);
    for (size_t i = 0; i < shown.size(); ++i)
        if (shown[i] != 0 && i % width / 16 < across && i / width / 16 < down)
            drawn[i / width / 16 * across + i % width / 16] = true;
    return std::count(drawn.begin(), drawn.end(), false);
}

}   // namespace

// Per layout, in the new-spread editor: the title typed with its keys; Alt let
// go in another client's window leaves no menu behind, so the next click
// chooses the second position; text pasted there from the X clipboard (UTF-8,
// LF) and copied back, saved as Windows-1252 with CR LF.
TEST_F(DesktopXTest, LayoutKeysAnotherWindowAndTheXClipboardMeetTheNewSpreadEditor)
{
    for (const Typing &t : typings) {
        for (const char *last : {"NORNS.SCS", "title.json", "layout.json", "meaning.json"}) std::remove(last);
        // The title is typed from X while the script waits after each dump; the file is NORNS.SCS.
        start("menu Spread New\nclick 101\ndump title.json\nwait 4000\n"
              "click 102\nkey HOME\ntype norns\nclick 103\ntype 2\nclick 1\n"
              "dump layout.json\nwait 4000\n"
              "click 11\nkey NUMPAD5\nclick 1199\ndump meaning.json\nwait 4000\nclick 1\n"
              "menu File Exit\nexpect-window Save..\nclick 6\nclick 1\n");
        ASSERT_TRUE(appears("title.json")) << t.layout;
        // Set while the program is connected: the server resets its keyboard
        // when its last client leaves.
        ASSERT_EQ(0, std::system((std::string("setxkbmap ") + t.layout).c_str()));
        ASSERT_EQ(0, std::system((std::string("xdotool key --delay 40 ") + t.keys).c_str()));

        // Alt goes down here, up in another window, and the focus comes back.
        ASSERT_TRUE(appears("layout.json"));
        const std::string ours = x11::output_of("xdotool getwindowfocus");
        const unsigned long other = x11::other_window();
        ASSERT_NE(other, 0u);
        ASSERT_EQ(0, std::system(("xdotool keydown alt windowfocus --sync " + std::to_string(other) +
                                  " keyup alt windowfocus --sync " + ours)
                                     .c_str()));

        // Into the meaning and back out: Erste Zeile €, a line end, zweite «Zeile» 中.
        ASSERT_TRUE(appears("meaning.json"));
        ASSERT_EQ(
            0, std::system("printf 'Erste Zeile \\342\\202\\254\\nzweite \\302\\253Zeile\\302\\273 \\344\\270\\255' | "
                           "xclip -selection clipboard >/dev/null 2>&1"));
        ASSERT_EQ(0, std::system("xdotool key ctrl+v ctrl+a ctrl+c"));
        const std::string copied = "Erste Zeile \xE2\x82\xAC\nzweite \xC2\xABZeile\xC2\xBB ?";
        std::string got;
        within(2, [&] { return (got = x11::output_of("xclip -o -selection clipboard")) == copied; });
        EXPECT_EQ(got, copied) << t.layout;
        EXPECT_EQ(1, exit_code()) << t.layout;
        const std::string spread = testsupport::read_bytes("NORNS.SCS");
        EXPECT_NE(spread.find(std::string("\r\ntitle=") + t.title + "\r\n"), std::string::npos) << spread;
        // The field's CR LF is written in text mode, as a typed line end is.
        EXPECT_NE(spread.find("\r\nrunemeaning1=Erste Zeile \x80\r\r\nzweite \xABZeile\xBB ?*\r\n"), std::string::npos)
            << spread;
        ASSERT_EQ(0, std::system("setxkbmap us"));
    }
}

// The OS window grows and shrinks under a reading: within a second (before
// the program's own repaint) the whole client area shows the table and the rune.
TEST_F(DesktopXTest, AReadingIsWhollyDrawnAfterTheWindowIsResized)
{
    std::filesystem::copy_file(STONECALL_SOURCE_DIR "/spreads/ONERUNE.SCS", "ONERUNE.SCS");
    start("menu Spread Run\nselect 104 0\nclick 1\nclick 101\nwait 1000\n"
          "expect-window Quenmire Stonecall V1.1 - One Rune for Today\ndump reading.json\nwait 30000\n");
    ASSERT_TRUE(appears("reading.json", 40));
    const std::string xid = x11::output_of("xdotool search --name '^Quenmire Stonecall'");
    ASSERT_FALSE(xid.empty());
    POINT o{-1, -1};   // the window's top left corner on the screen
    std::sscanf(x11::output_of("xdotool getwindowgeometry --shell " + xid).c_str(), "WINDOW=%*d X=%d Y=%d", &o.x, &o.y);
    for (SIZE size : {SIZE{1200, 880}, SIZE{800, 600}}) {
        const std::string wh = std::to_string(size.cx) + " " + std::to_string(size.cy);
        ASSERT_EQ(0, std::system(("xdotool windowsize " + xid + " " + wh).c_str()));
        // Below the caption and the menu bar, within the screen.
        const int width = std::min<int>(size.cx, 1280 - o.x), height = std::min<int>(size.cy, 1024 - o.y) - 45;
        std::vector<uint32_t> shown;
        within(1, [&] {
            shown = x11::pixels(o.x, o.y + 45, width, height);
            return !shown.empty() && black_squares(shown, width) == 0;
        });
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(black_squares(shown, width), 0) << wh;
        const long table = std::count(shown.begin(), shown.end(), shown[shown.size() / 2 + 5]);
        EXPECT_GT(table, static_cast<long>(shown.size() / 2)) << wh;
        EXPECT_GT(static_cast<long>(shown.size()) - table, 1000) << "the rune, at " << wh;
    }
}

// The X server ends under the program (as xvfb-run's does): the program ends
// within a second, every time, instead of waiting on the dead connection.
TEST_F(DesktopXTest, ProgramEndsWithinASecondWhenItsDisplayGoesAway)
{
    for (int run = 0; run < 20; ++run) {
        // A display number of its own, far above those servers pick for
        // themselves (their names are shared by every server on the machine).
        std::string display = ":" + std::to_string(3000 + (getpid() % 1000) * 20 + run);
        pid_t server = fork();
        ASSERT_GE(server, 0);
        if (server == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset",
                   static_cast<char *>(nullptr));
            _exit(101);
        }
        setenv("DISPLAY", display.c_str(), 1);
        // The server takes clients a moment after it starts.
        ASSERT_EQ(0, std::system("for i in $(seq 100); do xdotool getmouselocation >/dev/null 2>&1 && exit 0; "
                                 "sleep 0.05; done; exit 1"))
            << display;
        std::remove("ready.json");
        start("dump ready.json\nwait 60000\n");
        // Its window shows, and it waits in its loop.
        ASSERT_TRUE(appears("ready.json")) << run << " on " << display;
        kill(server, SIGTERM);
        waitpid(server, nullptr, 0);
        const int code = exit_code(1);
        EXPECT_NE(code, -1) << "run " << run << ": the program still runs a second after its display went away";
        if (code == -1) break;   // the fixture ends it
    }
}
